#pragma once
// In-memory folders at the fixed "c:\..." paths, for the native tests.
// Paths compare case-insensitively, as on Windows.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace rw {

class FakeFileSystem : public FileSystem {
 public:
  struct File {
    std::string name;
    std::string type;
    bool readOnly = false;
    bool undeletable = false;  // locked or refused
    bool hiddenOrSystem = false;
  };

  void AddFolder(const std::string& folder);  // path ending in a backslash
  void AddFile(const std::string& folder, const std::string& name, const std::string& type,
               bool readOnly = false);
  void MakeUndeletable(const std::string& path);
  void MakeHidden(const std::string& path);
  void FailListing(const std::string& folder);  // exists, but cannot be read
  std::vector<std::string> FileNames(const std::string& folder) const;
  const std::vector<std::string>& ListedFolders() const { return listed_; }

  bool ListFiles(const std::string& folder, std::vector<FolderFile>* files) override;
  long RemoveFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool NormalFileExists(const std::string& path) override;

 private:
  static std::string Lower(const std::string& text);
  static void Split(const std::string& path, std::string* folder, std::string* name);
  File* FindFile(const std::string& path);

  std::map<std::string, std::vector<File>> folders_;  // by lower-case folder path
  std::set<std::string> unreadable_;
  std::vector<std::string> listed_;
};

}  // namespace rw
