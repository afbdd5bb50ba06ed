#include "tests/bench/raw_cost_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/check_box_images_win32.h"
#include "platform/win32/picture_colours_win32.h"
#include "res/resource.h"
#include "ui/main/main_columns.h"

namespace rw::bench {

const char kRawCostTitle[] = "Runwarden raw platform cost";
const char kBareTitle[] = "Runwarden bare window";

std::wstring ShellStartupFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, path, CSIDL_STARTUP, TRUE);
  return std::wstring(path) + L"\\";
}

std::string ShellStartupFolderAnsi() {
  const std::wstring folder = ShellStartupFolder();
  std::string ansi(folder.size() * 2 + 1, '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, folder.c_str(), static_cast<int>(folder.size()),
                                          &ansi[0], static_cast<int>(ansi.size()), nullptr, nullptr);
  ansi.resize(written > 0 ? written : 0);
  return ansi;
}

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kQuestion[] =
    "Are you sure you want to delete the select item(s) from 'Startup' folder and/or Registry?";
constexpr DWORD kRunKeyAccess = 63;  // the program's
constexpr UINT_PTR kLoadTimer = 1;

// One entry as the platform names it: the text the list shows, and the exact
// name the wide calls take.
struct Entry {
  std::string name;
  std::string location;
  std::string information;
  std::wstring exactName;  // only with the wide calls
  HKEY hive;               // nullptr for a file
};

std::string Narrow(const wchar_t* text, int length) {
  std::string narrow(static_cast<std::size_t>(length) * 2 + 1, '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, text, length, &narrow[0],
                                          static_cast<int>(narrow.size()), nullptr, nullptr);
  narrow.resize(written > 0 ? written : 0);
  return narrow;
}

// Every call that names a registry value or a file, in one place: the wide
// ones where the system implements them, as the program makes them, else the
// ANSI ones.
class RawCalls {
 public:
  RawCalls() {
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    Find(advapi, "RegEnumValueW", &enumValueW_);
    Find(advapi, "RegDeleteValueW", &deleteValueW_);
    Find(kernel, "FindFirstFileW", &findFirstW_);
    Find(kernel, "FindNextFileW", &findNextW_);
    Find(kernel, "DeleteFileW", &deleteFileW_);
    Find(kernel, "GetFileAttributesW", &getAttributesW_);
    Find(GetModuleHandleA("shell32.dll"), "SHGetFileInfoW", &fileInfoW_);
  }
  bool wide() const { return enumValueW_ != nullptr; }

  // The values of an open Run key, as the program reads them.
  template <class Add>
  void EnumValues(HKEY key, HKEY hive, const char* information, Add add) {
    DWORD maxName = 0, maxData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                     &maxData, nullptr, nullptr);
    std::vector<char> data(maxData + 101);
    if (wide()) {
      std::vector<wchar_t> name(maxName + 101);
      for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        const LONG result = enumValueW_(key, index, name.data(), &nameLength, nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(data.data()), &dataLength);
        if (result == ERROR_CALL_NOT_IMPLEMENTED) break;  // then the ANSI call below
        if (result != ERROR_SUCCESS) return;
        const std::wstring exact(name.data(), nameLength);
        const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
        add(Entry{Narrow(exact.data(), static_cast<int>(exact.size())),
                  Narrow(text, static_cast<int>(wcsnlen(text, dataLength / sizeof(wchar_t)))),
                  information, exact, hive});
      }
    }
    std::vector<char> name(maxName + 101);
    for (DWORD index = 0;; ++index) {
      DWORD nameLength = static_cast<DWORD>(name.size());
      DWORD dataLength = static_cast<DWORD>(data.size());
      if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, nullptr,
                        reinterpret_cast<BYTE*>(data.data()), &dataLength) != ERROR_SUCCESS) {
        return;
      }
      add(Entry{std::string(name.data(), nameLength),
                std::string(data.data(), strnlen(data.data(), dataLength)), information, {}, hive});
    }
  }

  // The Startup folder's files: (name, exact name).
  template <class Add>
  void ListFolder(Add add) {
    if (wide()) {
      WIN32_FIND_DATAW found;
      HANDLE search = findFirstW_((ShellStartupFolder() + L"*").c_str(), &found);
      if (search != INVALID_HANDLE_VALUE || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        if (search == INVALID_HANDLE_VALUE) return;
        do {
          if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
          add(Narrow(found.cFileName, static_cast<int>(wcslen(found.cFileName))),
              std::wstring(found.cFileName));
        } while (findNextW_(search, &found));
        FindClose(search);
        return;
      }
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((ShellStartupFolderAnsi() + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
      add(std::string(found.cFileName), std::wstring());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }

  LONG DeleteValue(HKEY key, const Entry& entry) {
    if (wide() && !entry.exactName.empty()) {
      const LONG result = deleteValueW_(key, entry.exactName.c_str());
      if (result != ERROR_CALL_NOT_IMPLEMENTED) return result;
    }
    return RegDeleteValueA(key, entry.name.c_str());
  }

  BOOL RemoveFile(const Entry& entry) {
    if (wide() && !entry.exactName.empty()) {
      const std::wstring path = ShellStartupFolder() + entry.exactName;
      getAttributesW_(path.c_str());  // the program's read-only check
      if (deleteFileW_(path.c_str())) return TRUE;
      if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return FALSE;
    }
    GetFileAttributesA(entry.location.c_str());  // the program's read-only check
    return DeleteFileA(entry.location.c_str());
  }

 private:
  template <class Function>
  static void Find(HMODULE library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  }

  LONG(WINAPI* enumValueW_)(HKEY, DWORD, LPWSTR, LPDWORD, LPDWORD, LPDWORD, LPBYTE, LPDWORD) = nullptr;
  LONG(WINAPI* deleteValueW_)(HKEY, LPCWSTR) = nullptr;
  HANDLE(WINAPI* findFirstW_)(LPCWSTR, LPWIN32_FIND_DATAW) = nullptr;
  BOOL(WINAPI* findNextW_)(HANDLE, LPWIN32_FIND_DATAW) = nullptr;
  BOOL(WINAPI* deleteFileW_)(LPCWSTR) = nullptr;
  DWORD(WINAPI* getAttributesW_)(LPCWSTR) = nullptr;

 public:
  // The shell's type description of a file, as the program asks for it.
  std::string TypeOf(const std::string& ansiPath, const std::wstring& exactName) {
    if (fileInfoW_ != nullptr && !exactName.empty()) {
      SHFILEINFOW info = {};
      const std::wstring path = ShellStartupFolder() + exactName;
      fileInfoW_(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
      return Narrow(info.szTypeName, static_cast<int>(wcslen(info.szTypeName)));
    }
    SHFILEINFOA info = {};
    SHGetFileInfoA(ansiPath.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
    return info.szTypeName;
  }

 private:
  DWORD_PTR(WINAPI* fileInfoW_)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT) = nullptr;
};

struct RawWindow {
  HWND window = nullptr;
  HWND list = nullptr;
  HWND bar = nullptr;
  RawCalls calls;
  std::vector<Entry> entries;  // by row id

  void SetStatus(const char* text) {
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    UpdateWindow(bar);
  }

  void Insert(const Entry& entry) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    item.iItem = 0x7FFFFFFF;
    item.state = INDEXTOSTATEIMAGEMASK(1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.pszText = const_cast<char*>(entry.name.c_str());
    item.lParam = static_cast<LPARAM>(entries.size());
    const int position = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    entries.push_back(entry);
    LVITEMA sub = {};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(entry.location.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, position, reinterpret_cast<LPARAM>(&sub));
    sub.iSubItem = 2;
    sub.pszText = const_cast<char*>(entry.information.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, position, reinterpret_cast<LPARAM>(&sub));
  }

  static int CALLBACK CompareNames(LPARAM first, LPARAM second, LPARAM self) {
    const auto& rows = reinterpret_cast<RawWindow*>(self)->entries;
    const std::string& a = rows[first].name;
    const std::string& b = rows[second].name;
    const int order = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                                     b.c_str(), static_cast<int>(b.size())) - CSTR_EQUAL;
    return order != 0 ? order : (first < second ? -1 : (first > second ? 1 : 0));
  }

  void SelectFirstRow() {
    if (SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 0) return;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
  }

  void Load() {
    SetStatus("Loading Startup Items ...");
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      HKEY key = nullptr;
      if (RegOpenKeyExA(hive, kRunKey, 0, kRunKeyAccess, &key) != ERROR_SUCCESS) continue;
      calls.EnumValues(key, hive, hive == HKEY_CURRENT_USER ? "Reg - HKCU" : "Reg - HKLM",
                       [this](const Entry& entry) { Insert(entry); });
      RegCloseKey(key);
    }
    std::map<std::string, std::string> types;  // one lookup per extension, as the program
    const std::string folder = ShellStartupFolderAnsi();  // the program asks the shell once a load
    calls.ListFolder([&](const std::string& name, const std::wstring& exact) {
      std::string extension = name.substr(name.find_last_of('.'));
      CharLowerBuffA(&extension[0], static_cast<DWORD>(extension.size()));
      const std::string path = folder + name;
      auto type = types.find(extension);
      if (type == types.end()) type = types.emplace(extension, calls.TypeOf(path, exact)).first;
      Insert(Entry{name, path, extension == ".lnk" ? "Shortcut" : type->second, exact, nullptr});
    });
    SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CompareNames));
    SelectFirstRow();
    SetStatus("Ready");
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }

  std::string Text(int position, int column) {
    char buffer[264];
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    const int length = static_cast<int>(SendMessageA(list, LVM_GETITEMTEXTA, position, reinterpret_cast<LPARAM>(&item)));
    return std::string(buffer, length);
  }

  // The checked rows' entries, from the last row up; the key is opened twice
  // per value, as the program's delete does.
  void Delete() {
    if (MessageBoxA(window, kQuestion, "Windows Runwarden", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int position = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) - 1; position >= 0; --position) {
      if ((SendMessageA(list, LVM_GETITEMSTATE, position, 0xFFFFF000u) & INDEXTOSTATEIMAGEMASK(2)) == 0) continue;
      LVITEMA item = {};
      item.mask = LVIF_PARAM;
      item.iItem = position;
      if (calls.wide()) SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      const std::string information = Text(position, 2);
      BOOL deleted = FALSE;
      if (information == "Shortcut") {
        Entry file{Text(position, 1), "", "", {}, nullptr};
        if (calls.wide()) file.exactName = entries[item.lParam].exactName;
        file.location = file.name;
        deleted = calls.RemoveFile(file);
      } else if (information == "Reg - HKCU" || information == "Reg - HKLM") {
        Entry value{Text(position, 0), "", "", {}, nullptr};
        if (calls.wide()) value.exactName = entries[item.lParam].exactName;
        const HKEY hive = information == "Reg - HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        HKEY test = nullptr;
        if (RegOpenKeyA(hive, kRunKey, &test) == ERROR_SUCCESS) RegCloseKey(test);
        HKEY key = nullptr;
        if (RegOpenKeyA(hive, kRunKey, &key) == ERROR_SUCCESS) {
          deleted = calls.DeleteValue(key, value) == ERROR_SUCCESS;
          RegCloseKey(key);
        }
      }
      if (deleted) SendMessageA(list, LVM_DELETEITEM, position, 0);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SelectFirstRow();
  }

  // Row by row, as the program checks them, so both lists meet the delete alike.
  void CheckAll() {
    LVITEMA item = {};
    item.stateMask = 0xFFFFF000u;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int position = 0; position < count; ++position) {
      SendMessageA(list, LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&item));
    }
  }

  bool bare = false;

  void Create(HINSTANCE instance) {
    list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                           0, 30, 625, 300, window, reinterpret_cast<HMENU>(IDC_LISTVIEW1), instance, nullptr);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const ListColumnSpec& definition : kMainListColumns) {
      LVCOLUMNA column = {};
      column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      column.pszText = const_cast<char*>(definition.caption);
      column.cx = definition.widthTwips / 15;
      column.iSubItem = index;
      SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_STATE,
                 reinterpret_cast<LPARAM>(CreateCheckBoxImages(SystemPictureColours())));
    bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window,
                          reinterpret_cast<HMENU>(IDC_STATUSBAR1), instance, nullptr);
    SetStatus("Ready");
    if (!bare) SetTimer(window, kLoadTimer, 500, nullptr);  // as the program's first load
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<RawWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      self->window = window;
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<RawWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
      case WM_CREATE:
        self->Create(reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance);
        return 0;
      case WM_TIMER:
        KillTimer(window, kLoadTimer);
        self->Load();
        return 0;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDM_VIEW_CHECK_ALL) self->CheckAll();
        if (LOWORD(wParam) == IDM_DELETE_CHECKED_ITEMS) self->Delete();
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
  }
};

}  // namespace

int RunRawCostWindow(HINSTANCE instance, bool bare) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &RawWindow::Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "RunwardenRawCost";
  RegisterClassA(&windowClass);
  RawWindow raw;
  raw.bare = bare;
  HWND window = CreateWindowExA(0, "RunwardenRawCost", bare ? kBareTitle : kRawCostTitle,
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                200, 150, 640, 420, nullptr, nullptr, instance, &raw);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

}  // namespace rw::bench
