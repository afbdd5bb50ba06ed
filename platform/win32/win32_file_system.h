#pragma once
#include <map>
#include <string>

#include "platform/file_system.h"

namespace rw {

class Win32FileSystem : public FileSystem {
 public:
  bool ListFiles(const std::string& folder, std::vector<FolderFile>* files) override;
  long RemoveFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool NormalFileExists(const std::string& path) override;

 private:
  std::string TypeDescription(const std::string& path, const std::string& name);
  // The shell describes files by their extension: ask once per extension.
  std::map<std::string, std::string> typeByExtension_;
};

}  // namespace rw
