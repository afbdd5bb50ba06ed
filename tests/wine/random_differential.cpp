// Randomized differential test of listing and deleting, against the real
// registry, folder and list control of a Wine prefix, in one process:
//   random_differential [--seed S] [--rounds R] [--round K]
// Each round builds random Run keys and a random Startup folder, loads them
// with the program's own code, checks the rows and their order, checks random
// rows, changes some entries from outside, deletes, and compares everything
// with a model of what must hold.
// Some names lie outside the ANSI code page, and some pairs are made where one
// name is the other's best-fit ANSI form: the list, in Unicode as the program
// shows it under Wine, must show each as itself, and only the checked one may go. The test sees the registry and the folder through
// the wide calls only, so it knows every entry by its exact name.
// A failing round prints how to replay it alone.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/windows_version.h"
#include "platform/win32/win32_list_control.h"
#include "platform/win32/win32_platform.h"
#include "tests/wine/wine_test_support.h"
#include "ui/main/main_window.h"

namespace {

using namespace rw;

// The Startup folder the shell is pointed at; the drive in capitals, as the
// shell gives a path back from its item list. Its own name lies outside the
// ANSI code page: only its exact path reaches the files in it.
const std::wstring kFolder = L"C:\\random startup \x03A9\\";
const char kTemplateLink[] = "c:\\random-template.lnk";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kUserShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
// Characters cp1252 cannot hold: Greek, Cyrillic, CJK, a full-width letter.
const std::wstring kForeign = L"\x03A9\x03B1\x03C0\x03A3\x0416\x0434\x042F\x5DE5\x5177\x65E5\xFF21";

std::string Utf8(const std::wstring& wide);

class QuietView : public MainWindowView {
 public:
  void SetCaption(const std::string&) override {}
  void SetLoadTimerEnabled(bool) override {}
  void SetStatusText(const std::string&) override {}
  bool IsMenuChecked(int) const override { return false; }
  void SetMenuChecked(int, bool) override {}
  void SetMenuEnabled(int, bool) override {}
  bool IsToolbarVisible() const override { return true; }
  void SetToolbarVisible(bool) override {}
  bool IsStatusBarVisible() const override { return true; }
  void SetStatusBarVisible(bool) override {}
  int ClientWidthTwips() const override { return 9375; }
  int ClientHeightTwips() const override { return 5490; }
  void MoveList(const TwipsRect&) override {}
  void EndProgram() override {}
  void ShowAboutDialog() override {}
  void ShowLegendDialog() override {}
};

// Answers Yes to the question and keeps every report.
class RecordingYes : public MessageBoxes {
 public:
  std::vector<std::string> reports;
  int Show(const std::string& text, const std::string&, unsigned style) override {
    if (style & kMbYesNo) return kIdYes;
    reports.push_back(text);
    return kIdOk;
  }
  int ShowUnicode(const std::u16string& text, const std::string& title, unsigned style) override {
    return Show(Utf8(std::wstring(text.begin(), text.end())), title, style);
  }
};

struct Value {
  HKEY hive;
  std::wstring name;
  DWORD type;
  std::vector<BYTE> data;  // as stored: string types in UTF-16
  int check = -1;          // 1 or 0 for one of a pair: its row is checked or not
};

struct File {
  std::wstring name;
  bool shortcut;
  bool readOnly;
  bool hidden;
  std::string content;
  int check = -1;
};

// An entry as a row of the list shows it, and which entry it is.
struct Entry {
  std::wstring name;
  std::string source;  // hive tag, or "file"
  int value = -1;      // index into the round's values, or
  int file = -1;       // into its files
};

std::string Tag(HKEY hive) { return hive == HKEY_CURRENT_USER ? "Reg - HKCU" : "Reg - HKLM"; }

std::string UpToNul(const std::vector<BYTE>& data) {
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return "";
  const int size = static_cast<int>(wide.size());
  std::string narrow(WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, &narrow[0], static_cast<int>(narrow.size()), nullptr, nullptr);
  return narrow;
}

// A name's ANSI form, best-fit as the system makes it.
std::string Ansi(const std::wstring& wide) { return Narrow(wide, CP_ACP); }

std::wstring Widen(const std::string& ansi) {
  if (ansi.empty()) return L"";
  const int size = static_cast<int>(ansi.size());
  std::wstring wide(MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, &wide[0], static_cast<int>(wide.size()));
  return wide;
}

// Unicode text as the checks compare it: UTF-8.
std::string Utf8(const std::wstring& wide) { return Narrow(wide, CP_UTF8); }

std::string Shown(const std::u16string& text) { return Utf8(std::wstring(text.begin(), text.end())); }

// A name for a problem report: its ANSI form, and its exact form where that differs.
std::string Exact(const std::wstring& name) {
  std::string text = "'" + Ansi(name) + "'";
  if (Widen(Ansi(name)) == name) return text;
  text += " [";
  for (wchar_t c : name) {
    char unit[8];
    std::snprintf(unit, sizeof unit, "\\u%04x", static_cast<unsigned>(c));
    text += c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c)) : std::string(unit);
  }
  return text + "]";
}

std::vector<BYTE> Bytes(const std::wstring& text) {
  std::vector<BYTE> data;
  for (wchar_t c : text) {
    data.push_back(static_cast<BYTE>(c & 0xFF));
    data.push_back(static_cast<BYTE>(c >> 8));
  }
  return data;
}

// A value's Location text: string data up to its first NUL, as the wide call
// reads it; other data as its bytes in the ANSI code page.
std::string ShownData(const Value& value) {
  if (value.type != REG_SZ && value.type != REG_EXPAND_SZ && value.type != REG_MULTI_SZ) {
    return Utf8(Widen(UpToNul(value.data)));
  }
  std::wstring text;
  for (std::size_t at = 0; at + 1 < value.data.size(); at += 2) {
    const auto unit = static_cast<wchar_t>(value.data[at] | (value.data[at + 1] << 8));
    if (unit == 0) break;
    text += unit;
  }
  return Utf8(text);
}

class Round {
 public:
  explicit Round(unsigned seed) : random_(seed) {}
  bool Run(const Platform& services, HWND listWindow, std::vector<std::string>* problems);

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }
  wchar_t Foreign() { return kForeign[Pick(0, static_cast<int>(kForeign.size()) - 1)]; }
  wchar_t NameChar() {
    static const std::wstring kPlain = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 \\\"'-_.";
    if (Chance(8)) return Foreign();
    if (Chance(10)) return static_cast<wchar_t>(Pick(0xA0, 0xFF));
    return kPlain[Pick(0, static_cast<int>(kPlain.size()) - 1)];
  }
  std::wstring RandomName(const std::vector<Value>& existing);
  Value RandomValue(HKEY hive, const std::vector<Value>& existing);
  void Problem(std::vector<std::string>* problems, const std::string& text) { problems->push_back(text); }

  std::mt19937 random_;
};

std::wstring Round::RandomName(const std::vector<Value>& existing) {
  if (!existing.empty() && Chance(20)) {  // a prefix, or an extension, of another name
    const std::wstring& other = existing[Pick(0, static_cast<int>(existing.size()) - 1)].name;
    if (other.size() > 1 && Chance(50)) return other.substr(0, Pick(1, static_cast<int>(other.size()) - 1));
    if (other.size() < 250) return other + NameChar();
  }
  const int length = Chance(10) ? Pick(200, 255) : Pick(1, 24);
  std::wstring name;
  for (int i = 0; i < length; ++i) name += NameChar();
  return name;
}

Value Round::RandomValue(HKEY hive, const std::vector<Value>& existing) {
  static const DWORD kTypes[] = {REG_NONE, REG_SZ, REG_SZ, REG_SZ, REG_EXPAND_SZ, REG_BINARY,
                                 REG_DWORD, REG_MULTI_SZ, 11 /* REG_QWORD */};
  Value value{hive, RandomName(existing), kTypes[Pick(0, 8)], {}};
  if (value.type == REG_DWORD || value.type == 11) {
    for (int i = 0; i < (value.type == REG_DWORD ? 4 : 8); ++i) value.data.push_back(static_cast<BYTE>(Pick(0, 255)));
    return value;
  }
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ) {
    std::wstring text;
    const int length = Chance(5) ? Pick(500, 50 * 1024) : Pick(0, 60);
    for (int i = 0; i < length; ++i) {
      text += Chance(3) ? L'\0'
              : Chance(5) ? Foreign()
                          : static_cast<wchar_t>(Chance(10) ? Pick(0xA0, 0xFF) : Pick(0x20, 0x7E));
    }
    value.data = Bytes(text);
    return value;
  }
  const int size = Chance(5) ? Pick(1000, 100 * 1024) : Pick(0, 120);
  for (int i = 0; i < size; ++i) value.data.push_back(static_cast<BYTE>(Pick(0, 255)));
  return value;
}

std::vector<BYTE> ReadValue(HKEY hive, const std::wstring& name, bool* exists) {
  HKEY key = nullptr;
  *exists = false;
  if (RegOpenKeyExW(hive, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  DWORD size = 0, type = 0;
  std::vector<BYTE> data;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    data.resize(size + 2);
    DWORD got = static_cast<DWORD>(data.size());
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &got) == ERROR_SUCCESS) {
      data.resize(got);
      *exists = true;
    }
  }
  RegCloseKey(key);
  return data;
}

bool SetValue(HKEY hive, const wchar_t* path, const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(hive, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) return false;
  const LONG result = RegSetValueExW(key, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

void DeleteValue(HKEY hive, const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(hive, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, name.c_str());
  RegCloseKey(key);
}

// The exact names of the Run key's values, in the registry's order.
std::vector<std::wstring> ValueNames(HKEY hive) {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(hive, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return names;
  std::vector<wchar_t> name(16384);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name.data(), length);
  }
  RegCloseKey(key);
  return names;
}

// Empties (and creates) the Run key; by exact names, which the ANSI calls may not reach.
void ClearRunKey(HKEY hive) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(hive, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
  for (const std::wstring& name : ValueNames(hive)) RegDeleteValueW(key, name.c_str());
  RegCloseKey(key);
}

// The exact names of a folder's files, in the file system's order.
std::vector<std::wstring> FileNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(folder + name + L"\\");
      } else {
        DeleteFileW((folder + name).c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

bool WriteTextFile(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

std::string ReadFileText(const std::wstring& path, bool* exists) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  *exists = file != INVALID_HANDLE_VALUE;
  if (!*exists) return "";
  std::string text;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
  CloseHandle(file);
  return text;
}

// The folder the shell names as the user's Startup folder, asked otherwise
// than the program asks it.
std::wstring ShellStartupFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
  return path;
}

// Names in CompareStringW's order, as the Unicode list must sort what it shows.
bool NameBefore(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

std::string Shown(const std::string& name, const std::string& source) { return "'" + name + "' (" + source + ")"; }

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// After a load the rows are sorted by name, and rows of equal names keep the
// order they were read in: HKLM's values, HKCU's, then the folder's files,
// each as the system enumerates them. The test reads that order itself, and
// so knows which entry each row is, also of rows that look alike.
std::vector<Entry> CheckLoadOrder(const Win32ListControl& list, const std::vector<Value>& values,
                                  const std::vector<File>& files, std::vector<std::string>* problems) {
  std::vector<Entry> read;
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    for (const std::wstring& name : ValueNames(hive)) {
      Entry entry{name, Tag(hive)};
      for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i].hive == hive && values[i].name == name) entry.value = static_cast<int>(i);
      }
      if (entry.value < 0) problems->push_back("the registry holds a value the test did not write: " + Exact(name));
      read.push_back(entry);
    }
  }
  for (const std::wstring& name : FileNames(kFolder)) {
    Entry entry{name, "file"};
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (files[i].name == name) entry.file = static_cast<int>(i);
    }
    if (entry.file < 0) problems->push_back("the folder holds a file the test did not write: " + Exact(name));
    read.push_back(entry);
  }
  std::stable_sort(read.begin(), read.end(), [](const Entry& a, const Entry& b) { return NameBefore(a.name, b.name); });
  if (static_cast<int>(read.size()) != list.Count()) {
    problems->push_back("the list has " + std::to_string(list.Count()) + " rows, the system " +
                        std::to_string(read.size()) + " entries");
    return {};
  }
  for (int p = 0; p < list.Count(); ++p) {
    const std::string information = Shown(wine::ListTextUnicode(list.handle(), p, kColumnInformation));
    const std::string source = information.rfind("Reg - ", 0) == 0 ? information : "file";
    if (wine::ListTextUnicode(list.handle(), p, kColumnName) != std::u16string(read[p].name.begin(), read[p].name.end()) ||
        source != read[p].source) {
      problems->push_back("row " + std::to_string(p) + " after the load is " +
                          Shown(Shown(wine::ListTextUnicode(list.handle(), p, kColumnName)), source) + ", sorted by name it is " +
                          Shown(Utf8(read[p].name), read[p].source));
      return {};
    }
  }
  return read;
}

bool Round::Run(const Platform& services, HWND listWindow, std::vector<std::string>* problems) {
  // The world.
  ClearRunKey(HKEY_LOCAL_MACHINE);
  ClearRunKey(HKEY_CURRENT_USER);
  RemoveTree(kFolder);
  CreateDirectoryW(kFolder.c_str(), nullptr);
  const std::wstring named = ShellStartupFolder();
  if (named + L"\\" != kFolder) {
    Problem(problems, "the shell names another Startup folder: " + Exact(named));
    return false;
  }
  std::vector<Value> values;
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    std::vector<Value> ofHive;
    // Written unless the key holds that name already, as the registry folds case.
    auto add = [&](const Value& value) {
      bool exists = false;
      ReadValue(hive, value.name, &exists);
      if (exists) return false;
      if (!SetValue(hive, kRunKey, value.name, value.type, value.data)) {
        Problem(problems, "could not write value " + Exact(value.name));
        return false;
      }
      ofHive.push_back(value);
      return true;
    };
    if (Chance(30)) add({hive, L"", REG_SZ, Bytes(std::wstring(L"def.exe", 8))});
    const int count = Pick(0, 12);
    for (int i = 0; i < count; ++i) {
      if (Chance(85)) {
        add(RandomValue(hive, ofHive));
        continue;
      }
      // A name and its best-fit ANSI form, which the list shows alike.
      Value first = RandomValue(hive, ofHive);
      first.name.insert(Pick(0, static_cast<int>(first.name.size())), 1, Foreign());
      Value second = RandomValue(hive, ofHive);
      second.name = Widen(Ansi(first.name));
      first.check = Pick(0, 1);
      second.check = 1 - first.check;
      if (add(first)) add(second);
    }
    values.insert(values.end(), ofHive.begin(), ofHive.end());
  }
  if (!problems->empty()) return false;
  std::vector<File> files;
  auto addFile = [&](File file) {
    const std::wstring path = kFolder + file.name;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;  // taken, as the folder folds case
    const std::wstring templateLink(kTemplateLink, kTemplateLink + sizeof kTemplateLink - 1);
    if (!(file.shortcut ? CopyFileW(templateLink.c_str(), path.c_str(), TRUE) != FALSE
                        : WriteTextFile(path, "content " + Ansi(file.name)))) {
      Problem(problems, "could not write file " + Exact(file.name));
      return false;
    }
    file.readOnly = Chance(25);
    file.hidden = Chance(15);
    DWORD attributes = (file.readOnly ? FILE_ATTRIBUTE_READONLY : 0) | (file.hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
    if (attributes != 0) SetFileAttributesW(path.c_str(), attributes);
    bool exists = false;
    file.content = ReadFileText(path, &exists);
    files.push_back(file);
    return true;
  };
  const int fileCount = Pick(0, 8);
  for (int i = 0; i < fileCount; ++i) {
    static const wchar_t* const kOther[] = {L".txt", L".ini", L".dat", L".LNK.txt", L""};
    std::wstring stem = L"File " + std::to_wstring(Pick(0, 99)) + (Chance(20) ? L" \xe9t\xe9" : L"");
    if (Chance(15)) stem += std::wstring(L" ") + Foreign();
    File file{stem, Chance(60), false, false, ""};
    file.name += file.shortcut ? (Chance(20) ? L".LNK" : L".lnk") : kOther[Pick(0, 4)];
    if (!Chance(20)) {
      addFile(file);
      continue;
    }
    // Two shortcuts, one named by the other's best-fit ANSI form where that is a file name.
    file.shortcut = true;
    file.name = stem + Foreign() + L".lnk";
    File twin = file;
    twin.name = Widen(Ansi(file.name));
    file.check = Pick(0, 1);
    twin.check = 1 - file.check;
    if (addFile(file) && twin.name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos) addFile(twin);
  }
  if (Chance(30)) {
    CreateDirectoryW((kFolder + L"Sub Folder").c_str(), nullptr);
    CreateDirectoryW((kFolder + L"Sub Folder\\inner").c_str(), nullptr);
  }
  if (!problems->empty()) return false;

  // Load and compare every row with the model.
  Win32ListControl list;
  list.Attach(listWindow);
  list.Clear();
  QuietView view;
  MainWindow window(services, WindowsFamily::kWin9x, true, list, view);
  window.Refresh();
  std::multiset<std::string> expected, shown;
  for (const Value& value : values) expected.insert(Utf8(value.name) + "\t" + ShownData(value) + "\t" + Tag(value.hive));
  for (const File& file : files) {
    expected.insert(Utf8(file.name) + "\t" + Utf8(kFolder + file.name) + "\t" + (file.shortcut ? "Shortcut" : "*"));
  }
  for (int p = 0; p < list.Count(); ++p) {
    std::string information = Shown(wine::ListTextUnicode(list.handle(), p, kColumnInformation));
    const std::string name = Shown(wine::ListTextUnicode(list.handle(), p, kColumnName));
    const bool isFile = information.rfind("Reg - ", 0) != 0;
    if (isFile && information != "Shortcut") {
      if (information.empty()) Problem(problems, "file without a type: " + name);
      information = "*";
    }
    shown.insert(name + "\t" + Shown(wine::ListTextUnicode(list.handle(), p, kColumnLocation)) + "\t" + information);
  }
  if (expected != shown) {
    std::string unexpected;
    for (const std::string& row : shown) {
      if (expected.count(row) == 0) unexpected = ", such as " + row;
    }
    std::replace(unexpected.begin(), unexpected.end(), '\t', ' ');
    Problem(problems, "listed rows differ from the registry and folder (" + std::to_string(shown.size()) +
                          " shown, " + std::to_string(expected.size()) + " expected" + unexpected + ")");
    return false;
  }
  const std::vector<Entry> entries = CheckLoadOrder(list, values, files, problems);
  if (!problems->empty()) return false;

  // Check a random subset; of a pair, exactly one.
  struct RowState {
    std::string name, location, information;
    bool checked;
    Entry entry;
  };
  std::vector<RowState> rows;
  for (int p = 0; p < list.Count(); ++p) {
    const Entry& entry = entries[p];
    const int forced = entry.value >= 0 ? values[entry.value].check : files[entry.file].check;
    const bool checked = forced >= 0 ? forced == 1 : Chance(50);
    if (checked) list.SetChecked(p, true);
    rows.push_back({Shown(wine::ListTextUnicode(list.handle(), p, kColumnName)), Shown(wine::ListTextUnicode(list.handle(), p, kColumnLocation)),
                    Shown(wine::ListTextUnicode(list.handle(), p, kColumnInformation)),
                    checked, entry});
  }

  // Outside changes: values removed or changed, files removed or locked.
  std::set<int> removedValues, removedFiles, lockedFiles;
  std::vector<HANDLE> locks;
  for (std::size_t i = 0; i < values.size(); ++i) {
    Value& value = values[i];
    if (Chance(10)) {
      DeleteValue(value.hive, value.name);
      removedValues.insert(static_cast<int>(i));
    } else if (Chance(10)) {
      value.data = Bytes(std::wstring(L"new", 4));
      value.type = REG_SZ;
      SetValue(value.hive, kRunKey, value.name, value.type, value.data);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::wstring path = kFolder + files[i].name;
    if (Chance(10)) {
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
      removedFiles.insert(static_cast<int>(i));
    } else if (Chance(10)) {
      HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (lock != INVALID_HANDLE_VALUE) {
        locks.push_back(lock);
        lockedFiles.insert(static_cast<int>(i));
      }
    }
  }

  // What every value holds just before the delete, read as it will be read after it.
  std::vector<std::vector<BYTE>> snapshot;
  for (const Value& value : values) {
    bool exists = false;
    snapshot.push_back(ReadValue(value.hive, value.name, &exists));
  }

  // Delete.
  auto* messages = static_cast<RecordingYes*>(&services.messages);
  messages->reports.clear();
  window.DeleteCheckedItems();
  for (HANDLE lock : locks) CloseHandle(lock);
  const std::string report = messages->reports.empty() ? "" : messages->reports.back();

  // What must hold now.
  std::multiset<std::string> expectedRows, expectedChecked;
  std::map<std::string, int> failures;  // a report line's start, and how many entries it must name
  std::vector<bool> valueChecked(values.size()), fileChecked(files.size());
  for (const RowState& row : rows) {
    const bool registry = row.entry.value >= 0;
    const bool deletable = registry || files[row.entry.file].shortcut;
    bool gone = false;
    bool failed = false;
    if (registry) valueChecked[row.entry.value] = row.checked;
    if (!registry) fileChecked[row.entry.file] = row.checked;
    if (row.checked && deletable) {
      if (registry) {
        gone = true;  // deleted now, or already gone
      } else {
        failed = removedFiles.count(row.entry.file) != 0 || lockedFiles.count(row.entry.file) != 0;
        gone = !failed;
      }
    }
    if (!gone) {
      expectedRows.insert(row.name + "\t" + row.information);
      if (row.checked) expectedChecked.insert(row.name + "\t" + row.information);
    }
    if (failed) ++failures["\n" + row.name + " (" + row.location + ")"];
  }
  for (const auto& failure : failures) {
    if (Occurrences(report, failure.first) < failure.second) {
      Problem(problems, "failure not reported:" + failure.first);
    }
  }
  std::multiset<std::string> nowRows, nowChecked;
  for (int p = 0; p < list.Count(); ++p) {
    const std::string key = Shown(wine::ListTextUnicode(list.handle(), p, kColumnName)) + "\t" + Shown(wine::ListTextUnicode(list.handle(), p, kColumnInformation));
    nowRows.insert(key);
    if (list.IsChecked(p)) nowChecked.insert(key);
  }
  if (nowRows != expectedRows) Problem(problems, "the list does not show exactly the remaining rows");
  if (nowChecked != expectedChecked) Problem(problems, "check marks differ after the delete");

  for (std::size_t i = 0; i < values.size(); ++i) {
    const Value& value = values[i];
    bool exists = false;
    const std::vector<BYTE> now = ReadValue(value.hive, value.name, &exists);
    if (valueChecked[i] || removedValues.count(static_cast<int>(i))) {
      if (exists) Problem(problems, "a checked value survived: " + Exact(value.name) + " (" + Tag(value.hive) + ")");
    } else if (!exists || now != snapshot[i]) {
      Problem(problems, "an unchecked value changed: " + Exact(value.name) + " (" + Tag(value.hive) + ")");
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    const File& file = files[i];
    const std::wstring path = kFolder + file.name;
    bool exists = false;
    const std::string now = ReadFileText(path, &exists);
    if (removedFiles.count(static_cast<int>(i))) continue;
    if (fileChecked[i] && file.shortcut && !lockedFiles.count(static_cast<int>(i))) {
      if (exists) Problem(problems, "a checked shortcut survived: " + Exact(file.name));
    } else if (!exists || now != file.content) {
      Problem(problems, "an unchecked or undeletable file changed: " + Exact(file.name));
    } else {
      const DWORD attributes = GetFileAttributesW(path.c_str());
      if (((attributes & FILE_ATTRIBUTE_READONLY) != 0) != file.readOnly) {
        Problem(problems, "a file kept its content but lost its read-only mark: " + Exact(file.name));
      }
    }
  }
  return problems->empty();
}

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = static_cast<unsigned>(GetTickCount());
  int rounds = 100;
  int only = -1;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--seed") seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    if (option == "--rounds") rounds = std::atoi(argv[i + 1]);
    if (option == "--round") only = std::atoi(argv[i + 1]);
  }
  std::printf("seed %u\n", seed);
  InitCommonControls();
  CoInitialize(nullptr);
  wine::MakeShortcut(kTemplateLink, "c:\\windows\\notepad.exe", "/random");
  // The program lists the folder the shell names; each round checks it is this one.
  CreateDirectoryW(kFolder.c_str(), nullptr);
  const std::wstring folder = kFolder.substr(0, kFolder.size() - 1);
  SetValue(HKEY_CURRENT_USER, kUserShellFolders, L"Startup", REG_SZ, Bytes(folder + L'\0'));
  // Rounds take turns at the list's two forms.
  HWND listWindows[2] = {wine::CreateTestListView(LVS_SINGLESEL, &Win32ListControl::AnswerRequest, true),
                         wine::CreateTestListView(LVS_SINGLESEL | LVS_OWNERDATA, &Win32ListControl::AnswerRequest, true)};
  Win32Platform real;
  RecordingYes messages;
  const Platform services{real.registry, real.system, real.files, messages, real.programs};

  int passed = 0, failed = 0;
  for (int round = 0; round < rounds; ++round) {
    if (only >= 0 && round != only) continue;
    std::vector<std::string> problems;
    Round trial(seed * 1000003u + static_cast<unsigned>(round));
    if (trial.Run(services, listWindows[round % 2], &problems)) {
      ++passed;
      continue;
    }
    ++failed;
    std::printf("round %d failed (replay: random_differential --seed %u --round %d):\n", round, seed, round);
    for (const std::string& problem : problems) std::printf("  %s\n", problem.c_str());
  }
  ClearRunKey(HKEY_LOCAL_MACHINE);
  ClearRunKey(HKEY_CURRENT_USER);
  std::printf("e2e: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
