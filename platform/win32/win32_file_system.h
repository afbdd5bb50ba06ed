#pragma once
#include <string>

#include "platform/file_system.h"

namespace rw {

class Win32FileSystem : public FileSystem {
 public:
  bool ListFiles(const std::string& folder, std::vector<FolderFile>* files) override;
  long RemoveFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool NormalFileExists(const std::string& path) override;
};

}  // namespace rw
