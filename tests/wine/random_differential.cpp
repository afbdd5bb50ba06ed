// Randomized differential test of listing and deleting, against the real
// registry, folder and list control of a Wine prefix, in one process:
//   random_differential [--seed S] [--rounds R] [--round K]
// Each round builds random Run keys and a random Startup folder, loads them
// with the program's own code, checks the rows and their order, checks random
// rows, changes some entries from outside, deletes, and compares everything
// with a model of what must hold.
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

#include "core/startup_collection.h"
#include "core/windows_version.h"
#include "platform/win32/win32_list_control.h"
#include "platform/win32/win32_platform.h"
#include "tests/wine/wine_test_support.h"
#include "ui/main/frm_main.h"

namespace {

using namespace rw;

// The Startup folder the shell is pointed at; the drive in capitals, as the
// shell gives a path back from its item list.
const std::string kFolder = "C:\\random startup\\";
const char kTemplateLink[] = "c:\\random-template.lnk";

class QuietView : public MainWindowView {
 public:
  void SetCaption(const std::string&) override {}
  void SetLoadTimerEnabled(bool) override {}
  void SetStatusText(const std::string&) override {}
  bool IsMenuChecked(int) const override { return false; }
  void SetMenuChecked(int, bool) override {}
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
};

struct Value {
  HKEY hive;
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
};

struct File {
  std::string name;
  bool shortcut;
  bool readOnly;
  bool hidden;
  std::string content;
};

std::string Tag(HKEY hive) { return hive == HKEY_CURRENT_USER ? "Reg - HKCU" : "Reg - HKLM"; }

std::string UpToNul(const std::vector<BYTE>& data) {
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

// Case folding as the registry compares names: ASCII and Latin-1 letters.
std::string Fold(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) c = static_cast<char>(u + 32);
  }
  return folded;
}

class Round {
 public:
  explicit Round(unsigned seed) : random_(seed) {}
  bool Run(const Platform& services, HWND listWindow, std::vector<std::string>* problems);

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }
  char NameChar() {
    static const std::string kPlain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 \\\"'-_.";
    if (Chance(10)) return static_cast<char>(Pick(0xA0, 0xFF));
    return kPlain[Pick(0, static_cast<int>(kPlain.size()) - 1)];
  }
  std::string RandomName(const std::vector<Value>& existing);
  Value RandomValue(HKEY hive, const std::vector<Value>& existing);
  void Problem(std::vector<std::string>* problems, const std::string& text) { problems->push_back(text); }

  std::mt19937 random_;
};

std::string Round::RandomName(const std::vector<Value>& existing) {
  if (!existing.empty() && Chance(20)) {  // a prefix, or an extension, of another name
    const std::string& other = existing[Pick(0, static_cast<int>(existing.size()) - 1)].name;
    if (other.size() > 1 && Chance(50)) return other.substr(0, Pick(1, static_cast<int>(other.size()) - 1));
    if (other.size() < 250) return other + NameChar();
  }
  const int length = Chance(10) ? Pick(200, 255) : Pick(1, 24);
  std::string name;
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
  const int size = Chance(5) ? Pick(1000, 100 * 1024) : Pick(0, 120);
  const bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ;
  for (int i = 0; i < size; ++i) {
    if (text) {
      value.data.push_back(Chance(3) ? 0 : static_cast<BYTE>(Chance(10) ? Pick(0xA0, 0xFF) : Pick(0x20, 0x7E)));
    } else {
      value.data.push_back(static_cast<BYTE>(Pick(0, 255)));
    }
  }
  return value;
}

std::vector<BYTE> ReadValue(HKEY hive, const std::string& name, bool* exists) {
  HKEY key = nullptr;
  *exists = false;
  if (RegOpenKeyExA(hive, wine::kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  DWORD size = 0, type = 0;
  std::vector<BYTE> data;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    data.resize(size + 2);
    DWORD got = static_cast<DWORD>(data.size());
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &got) == ERROR_SUCCESS) {
      data.resize(got);
      *exists = true;
    }
  }
  RegCloseKey(key);
  return data;
}

std::string ReadFileText(const std::string& path, bool* exists) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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
std::string ShellStartupFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
  char ansi[MAX_PATH * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, path, -1, ansi, sizeof ansi, nullptr, nullptr);
  return ansi;
}

// Names in CompareStringA's order, as the list must sort them.
bool NameBefore(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

std::string Shown(const std::string& name, const std::string& source) { return "'" + name + "' (" + source + ")"; }

// After a load the rows are sorted by name, and rows of equal names keep the
// order they were read in: HKLM's values, HKCU's, then the folder's files,
// each as the system enumerates them. The test reads that order itself.
void CheckLoadOrder(const ListControl& list, std::vector<std::string>* problems) {
  std::vector<std::pair<std::string, std::string>> read;  // name, source
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, wine::kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) continue;
    char name[16384];
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof name;
      if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      read.emplace_back(std::string(name, length), Tag(hive));
    }
    RegCloseKey(key);
  }
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((kFolder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) read.emplace_back(found.cFileName, "file");
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  std::stable_sort(read.begin(), read.end(), [](const auto& a, const auto& b) { return NameBefore(a.first, b.first); });
  if (static_cast<int>(read.size()) != list.Count()) {
    problems->push_back("the list has " + std::to_string(list.Count()) + " rows, the system " +
                        std::to_string(read.size()) + " entries");
    return;
  }
  for (int p = 0; p < list.Count(); ++p) {
    const std::string information = list.Text(p, kColumnInformation);
    const std::string source = information.rfind("Reg - ", 0) == 0 ? information : "file";
    if (list.Text(p, kColumnName) != read[p].first || source != read[p].second) {
      problems->push_back("row " + std::to_string(p) + " after the load is " +
                          Shown(list.Text(p, kColumnName), source) + ", sorted by name it is " +
                          Shown(read[p].first, read[p].second));
      return;
    }
  }
}

bool Round::Run(const Platform& services, HWND listWindow, std::vector<std::string>* problems) {
  // The world.
  wine::ClearRunKey(HKEY_LOCAL_MACHINE);
  wine::ClearRunKey(HKEY_CURRENT_USER);
  wine::RemoveTree(kFolder);
  wine::MakeFolders(kFolder);
  const std::string named = ShellStartupFolder();
  if (named + "\\" != kFolder) {
    Problem(problems, "the shell names another Startup folder: " + named);
    return false;
  }
  std::vector<Value> values;
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    std::vector<Value> ofHive;
    std::set<std::string> folded;
    if (Chance(30)) {
      ofHive.push_back({hive, "", REG_SZ, {'d', 'e', 'f', '.', 'e', 'x', 'e', 0}});
      folded.insert("");
    }
    const int count = Pick(0, 12);
    for (int i = 0; i < count; ++i) {
      Value value = RandomValue(hive, ofHive);
      if (!folded.insert(Fold(value.name)).second) continue;
      ofHive.push_back(value);
    }
    for (const Value& value : ofHive) {
      if (!wine::SetRawValue(hive, wine::kRunKey, value.name, value.type, value.data)) {
        Problem(problems, "could not write value '" + value.name + "'");
        return false;
      }
      values.push_back(value);
    }
  }
  std::vector<File> files;
  std::set<std::string> fileNames;
  const int fileCount = Pick(0, 8);
  for (int i = 0; i < fileCount; ++i) {
    static const char* const kOther[] = {".txt", ".ini", ".dat", ".LNK.txt", ""};
    File file{"File " + std::to_string(Pick(0, 99)) + (Chance(20) ? " \xe9t\xe9" : ""), Chance(60), false, false, ""};
    file.name += file.shortcut ? (Chance(20) ? ".LNK" : ".lnk") : kOther[Pick(0, 4)];
    if (!fileNames.insert(Fold(file.name)).second) continue;
    const std::string path = kFolder + file.name;
    if (file.shortcut) {
      CopyFileA(kTemplateLink, path.c_str(), FALSE);
    } else {
      wine::WriteTextFile(path, "content " + file.name);
    }
    file.readOnly = Chance(25);
    file.hidden = Chance(15);
    DWORD attributes = (file.readOnly ? FILE_ATTRIBUTE_READONLY : 0) | (file.hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
    if (attributes != 0) SetFileAttributesA(path.c_str(), attributes);
    bool exists = false;
    file.content = ReadFileText(path, &exists);
    files.push_back(file);
  }
  if (Chance(30)) wine::MakeFolders(kFolder + "Sub Folder\\inner");

  // Load and compare every row with the model.
  Win32ListControl list;
  list.Attach(listWindow);
  list.Clear();
  QuietView view;
  FrmMain form(services, list, view);
  form.mnuViewRefresh_Click();
  std::multiset<std::string> expected, shown;
  for (const Value& value : values) expected.insert(value.name + "\t" + UpToNul(value.data) + "\t" + Tag(value.hive));
  for (const File& file : files) {
    expected.insert(file.name + "\t" + kFolder + file.name + "\t" + (file.shortcut ? "Shortcut" : "*"));
  }
  for (int p = 0; p < list.Count(); ++p) {
    std::string information = list.Text(p, kColumnInformation);
    const std::string name = list.Text(p, kColumnName);
    const bool isFile = information.rfind("Reg - ", 0) != 0;
    if (isFile && information != "Shortcut") {
      if (information.empty()) Problem(problems, "file without a type: " + name);
      information = "*";
    }
    shown.insert(name + "\t" + list.Text(p, kColumnLocation) + "\t" + information);
  }
  if (expected != shown) {
    Problem(problems, "listed rows differ from the registry and folder (" + std::to_string(shown.size()) +
                          " shown, " + std::to_string(expected.size()) + " expected)");
    return false;
  }
  CheckLoadOrder(list, problems);
  if (!problems->empty()) return false;

  // Check a random subset.
  std::set<int> checkedRows;
  for (int p = 0; p < list.Count(); ++p) {
    if (Chance(50)) {
      list.SetChecked(p, true);
      checkedRows.insert(p);
    }
  }
  struct RowState {
    std::string name, location, information;
    bool checked;
  };
  std::vector<RowState> rows;
  for (int p = 0; p < list.Count(); ++p) {
    rows.push_back({list.Text(p, kColumnName), list.Text(p, kColumnLocation), list.Text(p, kColumnInformation),
                    checkedRows.count(p) != 0});
  }

  // Outside changes: values removed or changed, files removed or locked.
  std::set<std::string> removedValues, removedFiles, lockedFiles;
  std::vector<HANDLE> locks;
  for (Value& value : values) {
    if (Chance(10)) {
      HKEY key = nullptr;
      RegOpenKeyExA(value.hive, wine::kRunKey, 0, KEY_SET_VALUE, &key);
      RegDeleteValueA(key, value.name.c_str());
      RegCloseKey(key);
      removedValues.insert(value.name + "\t" + Tag(value.hive));
    } else if (Chance(10)) {
      value.data = {'n', 'e', 'w', 0};
      value.type = REG_SZ;
      wine::SetRawValue(value.hive, wine::kRunKey, value.name, value.type, value.data);
    }
  }
  for (const File& file : files) {
    const std::string path = kFolder + file.name;
    if (Chance(10)) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
      removedFiles.insert(file.name);
    } else if (Chance(10)) {
      HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (lock != INVALID_HANDLE_VALUE) {
        locks.push_back(lock);
        lockedFiles.insert(file.name);
      }
    }
  }

  // What every value holds just before the delete, read as it will be read after it.
  std::map<std::string, std::vector<BYTE>> snapshot;
  for (const Value& value : values) {
    bool exists = false;
    snapshot[value.name + "\t" + Tag(value.hive)] = ReadValue(value.hive, value.name, &exists);
  }

  // Delete.
  auto* messages = static_cast<RecordingYes*>(&services.messages);
  messages->reports.clear();
  form.mnuDeleteCheckedItems_Click();
  for (HANDLE lock : locks) CloseHandle(lock);
  const std::string report = messages->reports.empty() ? "" : messages->reports.back();

  // What must hold now.
  std::multiset<std::string> expectedRows, expectedChecked;
  for (const RowState& row : rows) {
    const bool registry = row.information.rfind("Reg - ", 0) == 0 &&
                          (row.information.size() >= 4);
    const bool deletable = row.information == "Shortcut" || registry;
    bool gone = false;
    bool failed = false;
    if (row.checked && deletable) {
      if (registry) {
        gone = true;  // deleted now, or already gone
      } else {
        failed = removedFiles.count(row.name) != 0 || lockedFiles.count(row.name) != 0;
        gone = !failed;
      }
    }
    if (!gone) {
      expectedRows.insert(row.name + "\t" + row.information);
      if (row.checked) expectedChecked.insert(row.name + "\t" + row.information);
    }
    if (failed && report.find(row.name + " (" + row.location + ")") == std::string::npos) {
      Problem(problems, "failure not reported: " + row.name);
    }
  }
  std::multiset<std::string> nowRows, nowChecked;
  for (int p = 0; p < list.Count(); ++p) {
    const std::string key = list.Text(p, kColumnName) + "\t" + list.Text(p, kColumnInformation);
    nowRows.insert(key);
    if (list.IsChecked(p)) nowChecked.insert(key);
  }
  if (nowRows != expectedRows) Problem(problems, "the list does not show exactly the remaining rows");
  if (nowChecked != expectedChecked) Problem(problems, "check marks differ after the delete");

  for (const Value& value : values) {
    const std::string key = value.name + "\t" + Tag(value.hive);
    bool checked = false;
    for (const RowState& row : rows) {
      if (row.checked && row.name + "\t" + row.information == key) checked = true;
    }
    bool exists = false;
    const std::vector<BYTE> now = ReadValue(value.hive, value.name, &exists);
    if (checked || removedValues.count(key)) {
      if (exists) Problem(problems, "a checked value survived: '" + value.name + "'");
    } else if (!exists || now != snapshot[key]) {
      Problem(problems, "an unchecked value changed: '" + value.name + "'");
    }
  }
  for (const File& file : files) {
    bool checked = false;
    for (const RowState& row : rows) {
      if (row.checked && row.name == file.name && row.information == "Shortcut") checked = true;
    }
    bool exists = false;
    const std::string now = ReadFileText(kFolder + file.name, &exists);
    if (removedFiles.count(file.name)) continue;
    if (checked && !lockedFiles.count(file.name)) {
      if (exists) Problem(problems, "a checked shortcut survived: " + file.name);
    } else if (!exists || now != file.content) {
      Problem(problems, "an unchecked or undeletable file changed: " + file.name);
    } else {
      const DWORD attributes = GetFileAttributesA((kFolder + file.name).c_str());
      if (((attributes & FILE_ATTRIBUTE_READONLY) != 0) != file.readOnly) {
        Problem(problems, "a file kept its content but lost its read-only mark: " + file.name);
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
  wine::MakeFolders(kFolder);
  wine::SetStringValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                       "Startup", kFolder.substr(0, kFolder.size() - 1));
  HWND listWindow = wine::CreateTestListView(LVS_SINGLESEL);
  IsWin9x = true;
  Win32Platform real;
  RecordingYes messages;
  const Platform services{real.registry, real.system, real.files, messages, real.programs};

  int passed = 0, failed = 0;
  for (int round = 0; round < rounds; ++round) {
    if (only >= 0 && round != only) continue;
    std::vector<std::string> problems;
    Round trial(seed * 1000003u + static_cast<unsigned>(round));
    if (trial.Run(services, listWindow, &problems)) {
      ++passed;
      continue;
    }
    ++failed;
    std::printf("round %d failed (replay: random_differential --seed %u --round %d):\n", round, seed, round);
    for (const std::string& problem : problems) std::printf("  %s\n", problem.c_str());
  }
  wine::ClearRunKey(HKEY_LOCAL_MACHINE);
  wine::ClearRunKey(HKEY_CURRENT_USER);
  std::printf("e2e: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
