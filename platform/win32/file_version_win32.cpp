#include "platform/win32/file_version_win32.h"

#include <vector>

namespace rw {

bool ReadFileVersion(const std::string& path, FileVersion* version) {
  // The API takes writable strings on older headers.
  std::vector<char> name(path.begin(), path.end());
  name.push_back('\0');
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(name.data(), &ignored);
  if (size == 0) return false;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoA(name.data(), 0, size, data.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  char root[] = "\\";
  if (!VerQueryValueA(data.data(), root, reinterpret_cast<void**>(&fixed), &fixedSize) ||
      fixed == nullptr || fixedSize < sizeof(VS_FIXEDFILEINFO)) {
    return false;
  }
  version->major = HIWORD(fixed->dwFileVersionMS);
  version->minor = LOWORD(fixed->dwFileVersionMS);
  version->build = HIWORD(fixed->dwFileVersionLS);
  version->revision = LOWORD(fixed->dwFileVersionLS);
  return true;
}

bool ReadModuleVersion(HMODULE module, FileVersion* version) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  return ReadFileVersion(path, version);
}

}  // namespace rw
