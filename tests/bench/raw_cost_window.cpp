#include "tests/bench/raw_cost_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/win32/check_box_images_win32.h"
#include "platform/win32/picture_colours_win32.h"
#include "res/resource.h"
#include "ui/main/main_columns.h"

namespace rw::bench {

const char kRawCostTitle[] = "Runwarden raw platform cost";
const char kBareTitle[] = "Runwarden bare window";
const char kReadsTitle[] = "Runwarden reads alone";

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

// What a row keeps beside the list's texts: the name the sort compares and
// the exact name the delete addresses.
struct Entry {
  std::string name;        // ANSI rows: the name as shown
  std::wstring exactName;  // as the wide calls give it; Unicode rows show it
  HKEY hive;               // nullptr for a file
};

std::string Narrow(const wchar_t* text, int length) {
  std::string narrow(static_cast<std::size_t>(length) * 2 + 1, '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, text, length, &narrow[0],
                                          static_cast<int>(narrow.size()), nullptr, nullptr);
  narrow.resize(written > 0 ? written : 0);
  return narrow;
}

std::string Narrow(const std::wstring& text) { return Narrow(text.data(), static_cast<int>(text.size())); }

std::wstring Widen(const char* text, int length) {
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  const int written = MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], static_cast<int>(wide.size()));
  wide.resize(written > 0 ? written : 0);
  return wide;
}

std::wstring Widen(const std::string& text) { return Widen(text.data(), static_cast<int>(text.size())); }

// The list's messages and the texts of one kind of row: ANSI (char) or
// Unicode (wchar_t).
template <class Char>
struct Rows;

template <>
struct Rows<char> {
  using Text = std::string;
  using Item = LVITEMA;
  static constexpr UINT kInsertItem = LVM_INSERTITEMA;
  static constexpr UINT kSetItemText = LVM_SETITEMTEXTA;
  static constexpr UINT kGetItemText = LVM_GETITEMTEXTA;
  static Text Folder() { return ShellStartupFolderAnsi(); }
  static const Text& Shown(const Entry& entry) { return entry.name; }
  static int Compare(const Text& a, const Text& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size()));
  }
  static void Lower(Text& text) { CharLowerBuffA(&text[0], static_cast<DWORD>(text.size())); }
};

template <>
struct Rows<wchar_t> {
  using Text = std::wstring;
  using Item = LVITEMW;
  static constexpr UINT kInsertItem = LVM_INSERTITEMW;
  static constexpr UINT kSetItemText = LVM_SETITEMTEXTW;
  static constexpr UINT kGetItemText = LVM_GETITEMTEXTW;
  static Text Folder() { return ShellStartupFolder(); }
  static const Text& Shown(const Entry& entry) { return entry.exactName; }
  static int Compare(const Text& a, const Text& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size()));
  }
  static void Lower(Text& text) { CharLowerBuffW(&text[0], static_cast<DWORD>(text.size())); }
};

// An ASCII text in either kind of row.
template <class Char>
std::basic_string<Char> Ascii(const char* text) {
  return std::basic_string<Char>(text, text + std::strlen(text));
}

template <class Char>
bool IsAscii(const std::basic_string<Char>& text, const char* ascii) {
  const std::size_t length = std::strlen(ascii);
  if (text.size() != length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] != static_cast<Char>(ascii[i])) return false;
  }
  return true;
}

// Every call that names a registry value or a file, in one place: the wide
// ones where the system implements them, as the program makes them, else the
// ANSI ones. Each hands out the row's texts of the kind asked for.
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

  // The values of an open Run key, as the program reads them:
  // add(entry, data as shown).
  template <class Char, class Add>
  void EnumValues(HKEY key, HKEY hive, Add add) {
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
        Entry entry{{}, std::wstring(name.data(), nameLength), hive};
        const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
        const std::size_t textLength = wcsnlen(text, dataLength / sizeof(wchar_t));
        if constexpr (std::is_same_v<Char, char>) {
          entry.name = Narrow(entry.exactName);
          add(std::move(entry), Narrow(text, static_cast<int>(textLength)));
        } else {
          add(std::move(entry), std::wstring(text, textLength));
        }
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
      std::string text(data.data(), strnlen(data.data(), dataLength));
      Entry entry{std::string(name.data(), nameLength), {}, hive};
      if constexpr (std::is_same_v<Char, char>) {
        add(std::move(entry), std::move(text));
      } else {
        entry.exactName = Widen(entry.name);
        add(std::move(entry), Widen(text));
      }
    }
  }

  // The Startup folder's files: add(entry).
  template <class Char, class Add>
  void ListFolder(Add add) {
    if (wide()) {
      WIN32_FIND_DATAW found;
      HANDLE search = findFirstW_((ShellStartupFolder() + L"*").c_str(), &found);
      if (search != INVALID_HANDLE_VALUE || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        if (search == INVALID_HANDLE_VALUE) return;
        do {
          if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
          Entry entry{{}, std::wstring(found.cFileName), nullptr};
          if constexpr (std::is_same_v<Char, char>) entry.name = Narrow(entry.exactName);
          add(std::move(entry));
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
      Entry entry{std::string(found.cFileName), {}, nullptr};
      if constexpr (std::is_same_v<Char, wchar_t>) entry.exactName = Widen(entry.name);
      add(std::move(entry));
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }

  // By the exact name where the wide call works, else by |ansiName| (or, in
  // Unicode rows, the exact name through the code page).
  LONG DeleteValue(HKEY key, const std::wstring& exactName, const std::string& ansiName) {
    if (wide() && !exactName.empty()) {
      const LONG result = deleteValueW_(key, exactName.c_str());
      if (result != ERROR_CALL_NOT_IMPLEMENTED) return result;
    }
    return RegDeleteValueA(key, (ansiName.empty() ? Narrow(exactName) : ansiName).c_str());
  }

  BOOL RemoveFile(const std::wstring& exactName, const std::string& ansiPath) {
    if (wide() && !exactName.empty()) {
      const std::wstring path = ShellStartupFolder() + exactName;
      getAttributesW_(path.c_str());  // the program's read-only check
      if (deleteFileW_(path.c_str())) return TRUE;
      if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return FALSE;
    }
    const std::string path = ansiPath.empty() ? ShellStartupFolderAnsi() + Narrow(exactName) : ansiPath;
    GetFileAttributesA(path.c_str());  // the program's read-only check
    return DeleteFileA(path.c_str());
  }

  // The shell's type description of a file, as the program asks for it.
  template <class Char>
  std::basic_string<Char> TypeOf(const std::basic_string<Char>& path, const std::wstring& exactName) {
    if (fileInfoW_ != nullptr && !exactName.empty()) {
      SHFILEINFOW info = {};
      if constexpr (std::is_same_v<Char, char>) {
        fileInfoW_((ShellStartupFolder() + exactName).c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
        return Narrow(info.szTypeName, static_cast<int>(wcslen(info.szTypeName)));
      } else {
        fileInfoW_(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
        return info.szTypeName;
      }
    }
    SHFILEINFOA info = {};
    if constexpr (std::is_same_v<Char, char>) {
      SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
      return info.szTypeName;
    } else {
      SHGetFileInfoA(Narrow(path).c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
      return Widen(info.szTypeName, static_cast<int>(std::strlen(info.szTypeName)));
    }
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
  DWORD_PTR(WINAPI* fileInfoW_)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT) = nullptr;
};

// The reads of a load, as the program makes them: each Run key's values,
// then the Startup folder's files with the shell's type, looked up once per
// extension. value(entry, data, information) and file(entry, path,
// information) are handed the row's texts.
template <class Char, class Value, class File>
void ReadStartupItems(RawCalls& calls, Value value, File file) {
  using R = Rows<Char>;
  using Text = typename R::Text;
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, kRunKey, 0, kRunKeyAccess, &key) != ERROR_SUCCESS) continue;
    const Text information = Ascii<Char>(hive == HKEY_CURRENT_USER ? "Reg - HKCU" : "Reg - HKLM");
    calls.EnumValues<Char>(key, hive,
                           [&](Entry entry, const Text& data) { value(std::move(entry), data, information); });
    RegCloseKey(key);
  }
  std::map<Text, Text> types;  // one lookup per extension, as the program
  const Text folder = R::Folder();  // the program asks the shell once a load
  const Text shortcut = Ascii<Char>("Shortcut");
  calls.ListFolder<Char>([&](Entry entry) {
    const Text& name = R::Shown(entry);
    Text extension = name.substr(name.find_last_of('.'));
    R::Lower(extension);
    const Text path = folder + name;
    auto type = types.find(extension);
    if (type == types.end()) type = types.emplace(extension, calls.TypeOf<Char>(path, entry.exactName)).first;
    file(std::move(entry), path, IsAscii(extension, ".lnk") ? shortcut : type->second);
  });
}

struct RawWindow {
  HWND window = nullptr;
  HWND list = nullptr;
  HWND bar = nullptr;
  RawKind kind = RawKind::kList;
  bool unicodeRows = false;
  bool loaded = false;
  RawCalls calls;
  std::vector<Entry> entries;  // by row id

  void SetStatus(const char* text) {
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    UpdateWindow(bar);
  }

  // The list's own messages for either kind of row go through SendMessageA:
  // private messages are passed on as they are.
  template <class Char>
  void Insert(Entry entry, const Char* location, const Char* information) {
    using R = Rows<Char>;
    entries.push_back(std::move(entry));
    typename R::Item item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    item.iItem = 0x7FFFFFFF;
    item.state = INDEXTOSTATEIMAGEMASK(1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.pszText = const_cast<Char*>(R::Shown(entries.back()).c_str());
    item.lParam = static_cast<LPARAM>(entries.size() - 1);
    const int position = static_cast<int>(SendMessageA(list, R::kInsertItem, 0, reinterpret_cast<LPARAM>(&item)));
    typename R::Item sub = {};
    sub.iSubItem = 1;
    sub.pszText = const_cast<Char*>(location);
    SendMessageA(list, R::kSetItemText, position, reinterpret_cast<LPARAM>(&sub));
    sub.iSubItem = 2;
    sub.pszText = const_cast<Char*>(information);
    SendMessageA(list, R::kSetItemText, position, reinterpret_cast<LPARAM>(&sub));
  }

  template <class Char>
  static int CALLBACK CompareNames(LPARAM first, LPARAM second, LPARAM self) {
    const auto& rows = reinterpret_cast<RawWindow*>(self)->entries;
    const int order = Rows<Char>::Compare(Rows<Char>::Shown(rows[first]), Rows<Char>::Shown(rows[second])) - CSTR_EQUAL;
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

  template <class Char>
  void Load() {
    using Text = typename Rows<Char>::Text;
    SetStatus("Loading Startup Items ...");
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);  // every load starts from an empty list, as the program's
    entries.clear();
    auto insert = [&](Entry entry, const Text& location, const Text& information) {
      Insert<Char>(std::move(entry), location.c_str(), information.c_str());
    };
    ReadStartupItems<Char>(calls, insert, insert);
    SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CompareNames<Char>));
    SelectFirstRow();
    SetStatus("Ready");
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }

  // The reads alone: each row's texts made and dropped. Their count goes to
  // the status bar's second panel, where the benchmark looks for its rows.
  template <class Char>
  void Read() {
    using Text = typename Rows<Char>::Text;
    SetStatus("Loading Startup Items ...");
    long count = 0;
    auto drop = [&](Entry, const Text&, const Text&) { ++count; };
    ReadStartupItems<Char>(calls, drop, drop);
    char shown[16];
    std::snprintf(shown, sizeof shown, "%ld", count);
    SendMessageA(bar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(shown));
    SetStatus("Ready");
  }

  void LoadNow() {
    KillTimer(window, kLoadTimer);
    loaded = true;
    if (kind == RawKind::kReads) {
      if (unicodeRows) Read<wchar_t>(); else Read<char>();
    } else if (unicodeRows) {
      Load<wchar_t>();
    } else {
      Load<char>();
    }
  }

  template <class Char>
  std::basic_string<Char> Text(int position, int column) {
    Char buffer[264];
    typename Rows<Char>::Item item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer / sizeof buffer[0];
    const int length = static_cast<int>(
        SendMessageA(list, Rows<Char>::kGetItemText, position, reinterpret_cast<LPARAM>(&item)));
    return std::basic_string<Char>(buffer, length);
  }

  // The checked rows' entries, from the last row up; the key is opened twice
  // per value, as the program's delete does. Both kinds of row read the same
  // texts back and delete by the exact name where the wide calls work.
  template <class Char>
  void Delete() {
    if (MessageBoxA(window, kQuestion, "Windows Runwarden", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    constexpr bool kAnsiRows = std::is_same_v<Char, char>;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int position = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) - 1; position >= 0; --position) {
      if ((SendMessageA(list, LVM_GETITEMSTATE, position, 0xFFFFF000u) & INDEXTOSTATEIMAGEMASK(2)) == 0) continue;
      LVITEMA item = {};
      item.mask = LVIF_PARAM;
      item.iItem = position;
      if (calls.wide()) SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      const std::basic_string<Char> information = Text<Char>(position, 2);
      BOOL deleted = FALSE;
      if (IsAscii(information, "Shortcut")) {
        const std::basic_string<Char> path = Text<Char>(position, 1);
        std::wstring exact;
        std::string ansiPath;
        if constexpr (kAnsiRows) {
          ansiPath = path;
          if (calls.wide()) exact = entries[item.lParam].exactName;
        } else {
          if (calls.wide()) exact = entries[item.lParam].exactName; else ansiPath = Narrow(path);
        }
        deleted = calls.RemoveFile(exact, ansiPath);
      } else if (IsAscii(information, "Reg - HKCU") || IsAscii(information, "Reg - HKLM")) {
        const std::basic_string<Char> name = Text<Char>(position, 0);
        std::wstring exact;
        std::string ansiName;
        if constexpr (kAnsiRows) {
          ansiName = name;
          if (calls.wide()) exact = entries[item.lParam].exactName;
        } else {
          exact = calls.wide() ? entries[item.lParam].exactName : name;
        }
        const HKEY hive = IsAscii(information, "Reg - HKCU") ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        HKEY test = nullptr;
        if (RegOpenKeyA(hive, kRunKey, &test) == ERROR_SUCCESS) RegCloseKey(test);
        HKEY key = nullptr;
        if (RegOpenKeyA(hive, kRunKey, &key) == ERROR_SUCCESS) {
          deleted = calls.DeleteValue(key, exact, ansiName) == ERROR_SUCCESS;
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

  void Create(HINSTANCE instance) {
    if (kind != RawKind::kReads) CreateList(instance);
    bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window,
                          reinterpret_cast<HMENU>(IDC_STATUS_BAR), instance, nullptr);
    if (kind == RawKind::kReads) {
      const int edges[] = {300, -1};
      SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    }
    SetStatus("Ready");
    if (kind != RawKind::kBare) SetTimer(window, kLoadTimer, 500, nullptr);  // as the program's first load
  }

  void CreateList(HINSTANCE instance) {
    list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                           0, 30, 625, 300, window, reinterpret_cast<HMENU>(IDC_STARTUP_LIST), instance, nullptr);
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
        if (!self->loaded) self->LoadNow();
        return 0;
      case WM_COMMAND:
        // Refresh loads at once, as the program's F5: the benchmark's empty load.
        if (LOWORD(wParam) == IDM_REFRESH && self->kind != RawKind::kBare) self->LoadNow();
        if (LOWORD(wParam) == IDM_CHECK_ALL) self->CheckAll();
        if (LOWORD(wParam) == IDM_DELETE_CHECKED_ITEMS) {
          if (self->unicodeRows) {
            self->Delete<wchar_t>();
          } else {
            self->Delete<char>();
          }
        }
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

RowsDecision DecideRows() {
  RowsDecision decision;
  decision.nt = (GetVersion() & 0x80000000u) == 0;
  HMODULE controls = GetModuleHandleA("comctl32.dll");
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void*>(controls != nullptr ? GetProcAddress(controls, "DllGetVersion") : nullptr));
  DLLVERSIONINFO version = {};
  version.cbSize = sizeof version;
  if (getVersion != nullptr && SUCCEEDED(getVersion(&version))) {
    decision.controlsMajor = version.dwMajorVersion;
    decision.controlsMinor = version.dwMinorVersion;
  }
  const bool controlsHoldUnicode =
      decision.controlsMajor > 5 || (decision.controlsMajor == 5 && decision.controlsMinor >= 80);
  decision.unicode = decision.nt || controlsHoldUnicode;
  return decision;
}

std::string DescribeRows(const RowsDecision& decision) {
  char text[128];
  std::snprintf(text, sizeof text, "%s rows (%s, comctl32 %lu.%lu)", decision.unicode ? "Unicode" : "ANSI",
                decision.nt ? "Windows NT" : "Windows 9x", decision.controlsMajor, decision.controlsMinor);
  return text;
}

int RunRawCostWindow(HINSTANCE instance, RawKind kind, bool ansiRows) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &RawWindow::Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "RunwardenRawCost";
  RegisterClassA(&windowClass);
  RawWindow raw;
  raw.kind = kind;
  raw.unicodeRows = !ansiRows && DecideRows().unicode;  // once, as the program decides
  const char* title = kind == RawKind::kBare ? kBareTitle : (kind == RawKind::kReads ? kReadsTitle : kRawCostTitle);
  HWND window = CreateWindowExA(0, "RunwardenRawCost", title,
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
