#pragma once
// In-memory folders, for the native tests. Names are kept in Unicode, as NT
// and Wine keep them; the ANSI calls see them through the stand-ins' code
// page. Paths compare case-insensitively, as on Windows.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace rw {

class FakeFileSystem : public FileSystem {
 public:
  struct File {
    std::u16string name;
    std::string type;
    bool readOnly = false;
    bool undeletable = false;  // locked or refused
    bool hiddenOrSystem = false;
    FileContents contents;  // bytes, times, and the attributes besides read-only
  };

  void AddFolder(const std::string& folder);  // path ending in a backslash
  void AddFile(const std::string& folder, const std::string& name, const std::string& type,
               bool readOnly = false);
  // A file or folder whose name the ANSI code page may not hold.
  void AddFileWide(const std::u16string& folder, const std::u16string& name,
                   const std::string& type);
  void MakeUndeletable(const std::string& path);
  // The file's bytes, attributes and times, as ReadWholeFile gives them; nullptr for none.
  const FileContents* Contents(const std::u16string& path);
  void SetContents(const std::u16string& path, const FileContents& contents);
  // Writing a new file fails with |error| (0: it does not).
  void FailCreate(long error) { createError_ = error; }
  void MakeHidden(const std::string& path);
  // The folder exists, but its listing stops with |error| after |afterFiles| files.
  void FailListing(const std::string& folder, std::size_t afterFiles = 0, long error = kErrorAccessDenied);
  std::vector<std::string> FileNames(const std::string& folder) const;  // as ANSI shows them
  bool HasFileWide(const std::u16string& folder, const std::u16string& name) const;
  const std::vector<std::string>& ListedFolders() const { return listed_; }
  // Windows 95/98: the wide calls fail as not implemented.
  void SetWideCallsImplemented(bool implemented) { wideCalls_ = implemented; }
  // What the shell answers for each kind of Startup folder; none by default.
  std::map<StartupFolderKind, ExactName> shellFolders;

  long ListFiles(const ExactName& folder, std::vector<FolderFile>* files) override;
  long RemoveFile(const ExactName& path) override;
  long ReadWholeFile(const ExactName& path, std::size_t maxBytes, FileContents* contents) override;
  long CreateWholeFile(const ExactName& path, const FileContents& contents) override;
  bool FileExists(const std::string& path) override;
  bool NormalFileExists(const std::string& path) override;
  bool ShellStartupFolder(StartupFolderKind kind, ExactName* folder) override;

 private:
  static void Split(const std::u16string& path, std::u16string* folder, std::u16string* name);
  File* FindFile(const std::u16string& path);
  const std::vector<File>* FolderFiles(const std::u16string& folder) const;

  std::map<std::u16string, std::vector<File>> folders_;  // by lower-case folder path
  std::map<std::u16string, std::pair<std::size_t, long>> listingFailures_;  // after how many files, which error
  std::vector<std::string> listed_;
  bool wideCalls_ = true;
  long createError_ = 0;
};

}  // namespace rw
