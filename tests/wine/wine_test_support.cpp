#include "tests/wine/wine_test_support.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>

namespace rw::wine {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool ClearRunKey(HKEY hive) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(hive, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  for (;;) {
    char name[16384];
    DWORD length = sizeof name;
    if (RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    if (RegDeleteValueA(key, name) != ERROR_SUCCESS) break;
  }
  DWORD left = 1;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &left, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return left == 0;
}

bool SetRawValue(HKEY hive, const std::string& path, const std::string& name, DWORD type,
                 const std::vector<BYTE>& data) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(hive, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG result = RegSetValueExA(key, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool SetStringValue(HKEY hive, const std::string& path, const std::string& name,
                    const std::string& text, DWORD type) {
  std::vector<BYTE> data(text.begin(), text.end());
  data.push_back(0);
  return SetRawValue(hive, path, name, type, data);
}

bool ValueExists(HKEY hive, const std::string& path, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(hive, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool SetStringValueWide(HKEY hive, const std::string& path, const std::wstring& name,
                        const std::string& text) {
  return SetStringValueWide(hive, path, name, std::wstring(text.begin(), text.end()));
}

namespace {

// The native calls take a counted name: the only way to a name that holds a NUL.
struct CountedName {
  USHORT length;
  USHORT maximumLength;
  PWSTR buffer;
};

CountedName Counted(std::wstring& name) {
  const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  return {bytes, bytes, name.data()};
}

template <typename Function>
Function Native(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

}  // namespace

bool SetStringValueWide(HKEY hive, const std::string& path, const std::wstring& name,
                        const std::wstring& data) {
  const auto* bytes = reinterpret_cast<const BYTE*>(data.c_str());
  return SetExactValue(hive, path, name, REG_SZ, std::vector<BYTE>(bytes, bytes + (data.size() + 1) * sizeof(wchar_t)));
}

bool ValueExistsWide(HKEY hive, const std::string& path, const std::wstring& name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  return ReadExactValue(hive, path, name, &type, &data);
}

bool SetExactValue(HKEY hive, const std::string& path, const std::wstring& name, DWORD type,
                   const std::vector<BYTE>& data) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(hive, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::wstring copy = name;
  CountedName counted = Counted(copy);
  const LONG status = Native<LONG(WINAPI*)(HANDLE, CountedName*, ULONG, ULONG, const void*, ULONG)>("NtSetValueKey")(
      key, &counted, 0, type, data.data(), static_cast<ULONG>(data.size()));
  RegCloseKey(key);
  return status >= 0;
}

bool ReadExactValue(HKEY hive, const std::string& path, const std::wstring& name, DWORD* type,
                    std::vector<BYTE>* data) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(hive, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  std::wstring copy = name;
  CountedName counted = Counted(copy);
  std::vector<BYTE> information(1 << 20);  // title index, type, data length, data: larger than the tests' values
  ULONG length = 0, header[3] = {};
  const LONG status = Native<LONG(WINAPI*)(HANDLE, CountedName*, int, void*, ULONG, ULONG*)>("NtQueryValueKey")(
      key, &counted, 2 /* partial information */, information.data(), static_cast<ULONG>(information.size()), &length);
  RegCloseKey(key);
  memcpy(header, information.data(), sizeof header);
  *type = header[1];
  data->assign(information.begin() + sizeof header, information.begin() + sizeof header + header[2]);
  return status >= 0;
}

bool SetShellStartupFolder(HKEY hive, const char* valueName, const std::string& folder) {
  const std::string explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
  HKEY key = nullptr;
  if (RegOpenKeyExA(hive, (explorer + "Shell Folders").c_str(), 0, KEY_SET_VALUE, &key) ==
      ERROR_SUCCESS) {
    RegDeleteValueA(key, valueName);
    RegCloseKey(key);
  }
  if (folder.empty()) {
    if (RegOpenKeyExA(hive, (explorer + "User Shell Folders").c_str(), 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS) {
      return true;
    }
    RegDeleteValueA(key, valueName);
    RegCloseKey(key);
    return true;
  }
  return SetStringValue(hive, explorer + "User Shell Folders", valueName, folder);
}

void RemoveKey(HKEY hive, const std::string& path) { RegDeleteKeyA(hive, path.c_str()); }

bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('\\', 3); slash != std::string::npos;
       slash = path.find('\\', slash + 1)) {
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveTree(const std::string& path) {
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = folder + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
  return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool WriteTextFile(const std::string& path, const std::string& text, DWORD attributes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  if (attributes != 0) SetFileAttributesA(path.c_str(), attributes);
  return ok && written == text.size();
}

bool WriteTextFileWide(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

bool FileExistsWide(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
using NotifyHandler = bool (*)(const NMHDR*, LRESULT*);

LRESULT CALLBACK ListHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto notify = reinterpret_cast<NotifyHandler>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (notify != nullptr && notify(reinterpret_cast<const NMHDR*>(lParam), &result)) return result;
  }
  if (message == WM_NOTIFYFORMAT && lParam == NF_QUERY) return GetWindowLongPtrA(window, 0) ? NFR_UNICODE : NFR_ANSI;
  if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_DESTROY) DestroyWindow(window);  // its list is gone
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

HWND CreateTestListView(DWORD style, bool (*notify)(const NMHDR*, LRESULT*), bool unicode) {
  WNDCLASSA hostClass = {};
  hostClass.lpfnWndProc = &ListHost;
  hostClass.cbWndExtra = sizeof(LONG_PTR);  // whether its list speaks Unicode
  hostClass.hInstance = GetModuleHandleA(nullptr);
  hostClass.lpszClassName = "RunwardenTestListHost";
  RegisterClassA(&hostClass);  // fails harmlessly once registered
  HWND host = CreateWindowExA(0, "RunwardenTestListHost", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  if (host == nullptr) return nullptr;
  SetWindowLongPtrA(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(notify));
  SetWindowLongPtrA(host, 0, unicode ? 1 : 0);
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | LVS_REPORT | style, 0, 0,
                              600, 400, host, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNA header = {};
    header.mask = LVCF_WIDTH | LVCF_SUBITEM;
    header.cx = 150;
    header.iSubItem = column;
    SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&header));
  }
  return list;
}

namespace {
bool MakeShortcutAt(const wchar_t* linkPath, const std::string& target,
                    const std::string& arguments) {
  const bool initialized = SUCCEEDED(CoInitialize(nullptr));
  bool saved = false;
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      saved = SUCCEEDED(file->Save(linkPath, TRUE));
      file->Release();
    }
    link->Release();
  }
  if (initialized) CoUninitialize();
  return saved;
}
}  // namespace

bool MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& arguments) {
  WCHAR widePath[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH);
  return MakeShortcutAt(widePath, target, arguments);
}

bool MakeShortcutWide(const std::wstring& linkPath, const std::string& target) {
  return MakeShortcutAt(linkPath.c_str(), target, "");
}

namespace {

// The whole text of a row's column, as another program reads it, through
// LVM_GETITEMTEXTA or W: the list copies at most the buffer, which grows
// until the text is shorter.
template <typename Char, typename Item>
std::basic_string<Char> ItemText(HWND list, UINT message, int position, int column) {
  std::vector<Char> buffer(264);
  for (;;) {
    Item item = {};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<decltype(item.pszText)>(buffer.data());
    item.cchTextMax = static_cast<int>(buffer.size());
    const int length = static_cast<int>(SendMessageA(list, message, position, reinterpret_cast<LPARAM>(&item)));
    if (length < static_cast<int>(buffer.size()) - 1) {
      return std::basic_string<Char>(reinterpret_cast<const Char*>(item.pszText), length);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string ListText(HWND list, int position, int column) {
  return ItemText<char, LVITEMA>(list, LVM_GETITEMTEXTA, position, column);
}

std::u16string ListTextUnicode(HWND list, int position, int column) {
  return ItemText<char16_t, LVITEMW>(list, LVM_GETITEMTEXTW, position, column);
}

}  // namespace rw::wine
