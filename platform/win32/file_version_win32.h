#pragma once
// The version numbers of a program file or DLL, read from its version
// resource through VERSION.DLL (part of Windows 95 and NT 4.0).
#include <windows.h>

#include <string>

namespace rw {

struct FileVersion {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned build = 0;
  unsigned revision = 0;
};

// False when the file has no readable version resource.
bool ReadFileVersion(const std::string& path, FileVersion* version);
// The version of a module loaded in this process (nullptr: the program itself).
bool ReadModuleVersion(HMODULE module, FileVersion* version);

}  // namespace rw
