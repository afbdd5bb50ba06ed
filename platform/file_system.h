#pragma once
// File-system service: listing the files of a folder with their type
// descriptions, and deleting or testing single files.
#include <string>
#include <vector>

namespace rw {

struct FolderFile {
  std::string name;  // file name with extension
  std::string type;  // the platform's type description
};

constexpr long kFileRemoved = 0;
// System error codes the stand-ins give (the Win32 values).
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The files directly in |folder| (a path ending in a backslash), in the
  // platform's order; subfolders are not listed. False when the folder
  // cannot be read; |files| is then empty.
  virtual bool ListFiles(const std::string& folder, std::vector<FolderFile>* files) = 0;
  // Deletes one file, also when it is read-only. Returns kFileRemoved (0), or
  // the system's error code when the file is not gone.
  virtual long RemoveFile(const std::string& path) = 0;
  // True when |path| names an existing file or folder, hidden and system ones included.
  virtual bool FileExists(const std::string& path) = 0;
  // True only for an existing file that is neither hidden nor a system file.
  virtual bool NormalFileExists(const std::string& path) = 0;
};

}  // namespace rw
