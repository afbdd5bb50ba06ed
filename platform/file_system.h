#pragma once
// File-system service: listing the files of a folder with their type
// descriptions, deleting or testing single files, and the shell's own
// Startup folders.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/exact_name.h"

namespace rw {

// A file as the system names it: through the wide calls wherever they work.
struct FolderFile {
  ExactName name;  // file name with extension
  ExactName type;  // the platform's type description; empty when it could not be read
  ExactName path;  // the full path
};

constexpr long kFileRemoved = 0;
// System error codes the stand-ins give (the Win32 values).
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorPathNotFound = 3;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorFileExists = 80;
constexpr long kErrorFileTooLarge = 223;

// A file as a delete takes it away and Undo puts it back.
struct FileContents {
  std::vector<std::uint8_t> bytes;
  std::uint32_t attributes = 0;     // read-only, hidden, system, archive (the Win32 bits)
  std::uint64_t creationTime = 0;   // FILETIME, 100 ns since 1601
  std::uint64_t lastWriteTime = 0;
};

// The Startup folders the shell keeps: the user's own, and on the NT family
// the one of all users.
enum class StartupFolderKind { kUser, kAllUsers };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The files directly in |folder| (a path ending in a backslash), in the
  // platform's order; subfolders are not listed. Names are read in Unicode
  // wherever the system keeps them so. Returns 0 when the folder was read to
  // its end; kErrorFileNotFound or kErrorPathNotFound when there is no such
  // folder; otherwise the system's error code for what stopped the listing,
  // with |files| holding the files listed before it.
  virtual long ListFiles(const ExactName& folder, std::vector<FolderFile>* files) = 0;
  // Deletes one file, also when it is read-only. Returns kFileRemoved (0), or
  // the system's error code when the file is not gone.
  virtual long RemoveFile(const ExactName& path) = 0;
  // Every byte of the file, its attributes and its creation and last-write
  // times. kErrorFileTooLarge, reading nothing, past |maxBytes|.
  virtual long ReadWholeFile(const ExactName& path, std::size_t maxBytes, FileContents* contents) = 0;
  // Makes the file anew with those bytes, then its times and attributes; the
  // folders above it are made where missing. A file that exists is left as
  // it is: kErrorFileExists.
  virtual long CreateWholeFile(const ExactName& path, const FileContents& contents) = 0;
  // True when |path| names an existing file or folder, hidden and system ones included.
  virtual bool FileExists(const std::string& path) = 0;
  // True only for an existing file that is neither hidden nor a system file.
  virtual bool NormalFileExists(const std::string& path) = 0;
  // The shell's Startup folder of that kind: its exact path where the shell
  // can tell it (SHGetFolderPathW), else through the shell's item list
  // (SHGetSpecialFolderLocation), in Unicode where the shell gives it so.
  // False when the shell names none, as for a folder that does not exist.
  virtual bool ShellStartupFolder(StartupFolderKind kind, ExactName* folder) = 0;
};

}  // namespace rw
