#include "core/sys_info.h"

#include <vector>

#include "core/windows_version.h"
#include "platform/scoped_reg_key.h"

namespace rw {

const char kSysInfoUnavailable[] = "System Information Is Unavailable At This Time";

namespace {

constexpr std::uint32_t kValueBufferBytes = 1024;

std::string DwordText(const std::vector<std::uint8_t>& bytes, std::uint32_t kept) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text = "&h";
  for (std::uint32_t i = kept; i > 0; --i) {
    text += kDigits[bytes[i - 1] >> 4];
    text += kDigits[bytes[i - 1] & 0xF];
  }
  return text;
}

}  // namespace

bool ReadRegValue(Registry& registry, RegKey root, const std::string& keyPath,
                  const std::string& valueName, std::string* text) {
  ScopedRegKey key(registry);
  if (registry.OpenKeyEx(root, keyPath, kSysInfoKeyAccess, key.receive()) != kRegSuccess ||
      !key.valid()) {
    text->clear();
    return false;
  }
  std::vector<std::uint8_t> buffer(kValueBufferBytes, 0);
  std::uint32_t size = kValueBufferBytes;
  std::uint32_t type = kRegNone;
  const long result = registry.QueryValueEx(key.get(), valueName, &type, buffer.data(), &size);
  key.reset();
  if (result != kRegSuccess || size == 0 || size > kValueBufferBytes) {
    text->clear();  // an empty value names no program: try the next place
    return false;
  }
  // Drop a terminating NUL, whether or not the platform counted it.
  const std::uint32_t kept = buffer[size - 1] == 0 ? size - 1 : size;
  if (type == kRegSz) {
    text->assign(reinterpret_cast<const char*>(buffer.data()), kept);
  } else if (type == kRegDword) {
    *text = DwordText(buffer, kept);
  }
  return true;
}

void StartSysInfo(const Platform& platform) {
  std::string path;
  if (ReadRegValue(platform.registry, kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                   "PATH", &path)) {
    if (platform.programs.Start(path)) return;
  } else if (ReadRegValue(platform.registry, kHkeyLocalMachine,
                          "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", &path)) {
    const std::string program = path + "\\MSINFO32.EXE";
    if (platform.files.NormalFileExists(program) && platform.programs.Start(program)) return;
  }
  platform.messages.Show(kSysInfoUnavailable, kAppTitle, kMbOk);
}

}  // namespace rw
