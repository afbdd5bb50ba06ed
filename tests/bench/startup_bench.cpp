// Load and delete at scale: the program's own code against the least the
// platform needs for the same work, in one run. Prints one table row a size.
//   runwarden_bench [N ...]           sizes (default 100 1000 10000)
//   runwarden_bench --seed-only N     seeds N values and N/10 files, then ends
//   runwarden_bench --raw-window [--ansi-rows]  the raw platform cost as a window, for timing
//                                     from outside; --ansi-rows: ANSI rows where it would show Unicode
//   runwarden_bench --raw-title       prints that window's title
//   runwarden_bench --raw-rows        prints how that window shows its rows, and why
//   runwarden_bench --bare-window     the same window, never loading: its memory at rest
//   runwarden_bench --bare-title      prints that window's title
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/startup_inventory.h"
#include "core/windows_version.h"
#include "platform/win32/win32_platform.h"
#include "tests/bench/raw_cost_window.h"
#include "tests/wine/wine_test_support.h"
#include "ui/main/main_window_win32.h"

namespace {

using namespace rw;

const char kTemplateLink[] = "c:\\bench-template.lnk";

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// The message box answers Yes, as the user does to go on with a delete.
class AlwaysYes : public MessageBoxes {
 public:
  int Show(const std::string&, const std::string&, unsigned) override { return kIdYes; }
  int ShowUnicode(const std::u16string&, const std::string&, unsigned) override { return kIdYes; }
};

// The main window asks its delete question in a message box of its own: a
// second thread answers Yes to it, as the user does, and notes when the box
// has gone, since the delete is timed from then on. (Without a desktop
// window, Wine takes some two seconds to take a box off the screen.)
class QuestionAnswerer {
 public:
  QuestionAnswerer() : thread_(CreateThread(nullptr, 0, &Answer, this, 0, nullptr)) {}
  ~QuestionAnswerer() {
    done_ = 1;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  double AnsweredAt() const { return answeredAt_; }

 private:
  static DWORD WINAPI Answer(void* self) {
    auto* answerer = static_cast<QuestionAnswerer*>(self);
    while (answerer->done_ == 0 && answerer->answeredAt_ == 0) {
      if (HWND box = FindWindowA("#32770", kAppTitle)) {
        PostMessageA(box, WM_COMMAND, IDYES, 0);
        while (IsWindow(box)) Sleep(1);
        answerer->answeredAt_ = Now();
      }
      Sleep(1);
    }
    return 0;
  }

  volatile LONG done_ = 0;
  volatile double answeredAt_ = 0;
  HANDLE thread_;
};

std::string ValueName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "Bench Entry %05d", i);
  return name;
}

std::string CommandLine(int i) {
  std::string line = "\"C:\\Program Files\\Vendor " + std::to_string(i % 97) + "\\Agent " +
                     std::to_string(i) + "\\agent.exe\" /background /minimized";
  if (i % 50 == 0) line += " /profile:" + std::string(600, 'p');  // a few long ones
  return line;
}

std::string FileName(int i) {
  static const char* const kExtensions[] = {".lnk", ".lnk", ".lnk", ".lnk", ".lnk",
                                            ".lnk", ".lnk", ".ini", ".ini", ".txt"};
  return "Bench File " + std::to_string(i) + kExtensions[i % 10];
}

// N values over both Run keys and N / 10 files in the Startup folder.
void Seed(int values) {
  wine::ClearRunKey(HKEY_LOCAL_MACHINE);
  wine::ClearRunKey(HKEY_CURRENT_USER);
  for (int i = 0; i < values; ++i) {
    wine::SetStringValue(i % 2 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, wine::kRunKey,
                         ValueName(i), CommandLine(i));
  }
  wine::RemoveTree(bench::ShellStartupFolderAnsi());
  wine::MakeFolders(bench::ShellStartupFolderAnsi());
  for (int i = 0; i < values / 10; ++i) {
    const std::string path = bench::ShellStartupFolderAnsi() + FileName(i);
    if (path.compare(path.size() - 4, 4, ".lnk") == 0) {
      CopyFileA(kTemplateLink, path.c_str(), FALSE);
    } else {
      wine::WriteTextFile(path, "[bench]\r\nentry=" + std::to_string(i) + "\r\n");
    }
  }
}

// The raw cost of the same load: the plain API, one type lookup per
// extension, and the rows inserted once, unsorted.
void RawLoad(HWND list, bool withFolder = true) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  auto insert = [list](const std::string& name, const std::string& location, const char* info) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 0x7FFFFFFF;
    item.pszText = const_cast<char*>(name.c_str());
    const int position = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(location.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, position, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = const_cast<char*>(info);
    SendMessageA(list, LVM_SETITEMTEXTA, position, reinterpret_cast<LPARAM>(&item));
  };
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, wine::kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    DWORD maxName = 0, maxData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                     &maxData, nullptr, nullptr);
    std::vector<char> name(maxName + 1);
    std::vector<char> data(maxData + 1);
    for (DWORD index = 0;; ++index) {
      DWORD nameLength = static_cast<DWORD>(name.size());
      DWORD dataLength = static_cast<DWORD>(data.size());
      if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, nullptr,
                        reinterpret_cast<BYTE*>(data.data()), &dataLength) != ERROR_SUCCESS) {
        break;
      }
      insert(std::string(name.data(), nameLength), std::string(data.data()),
             hive == HKEY_CURRENT_USER ? "Reg - HKCU" : "Reg - HKLM");
    }
    RegCloseKey(key);
  }
  if (!withFolder) {
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    return;
  }
  std::map<std::string, std::string> types;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((bench::ShellStartupFolderAnsi() + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    return;
  }
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string name = found.cFileName;
    const std::string path = bench::ShellStartupFolderAnsi() + name;
    const std::string extension = name.substr(name.find_last_of('.'));
    auto type = types.find(extension);
    if (type == types.end()) {
      SHFILEINFOA info = {};
      SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
      type = types.emplace(extension, info.szTypeName).first;
    }
    insert(name, path, type->second.c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

struct Chosen {
  std::vector<std::pair<HKEY, std::string>> values;
  std::vector<std::string> files;
};

// K = N / 10 entries: every twentieth value of each hive, and the shortcuts.
Chosen ChooseForDelete(int values) {
  Chosen chosen;
  const int wanted = values / 10;
  const int shortcuts = std::min(wanted / 10, values / 10 * 7 / 10);
  for (int i = 0; i < values / 10 && static_cast<int>(chosen.files.size()) < shortcuts; ++i) {
    if (FileName(i).find(".lnk") != std::string::npos) chosen.files.push_back(bench::ShellStartupFolderAnsi() + FileName(i));
  }
  for (int i = 0; static_cast<int>(chosen.values.size() + chosen.files.size()) < wanted && i < values; i += 9) {
    chosen.values.push_back({i % 2 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, ValueName(i)});
  }
  return chosen;
}

void RawDelete(const Chosen& chosen, HWND list) {
  for (const auto& [hive, name] : chosen.values) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, wine::kRunKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) continue;
    RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
  }
  for (const std::string& file : chosen.files) DeleteFileA(file.c_str());
  // The same number of rows leave the list, spread over it as in the program.
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  const int removed = static_cast<int>(chosen.values.size() + chosen.files.size());
  const int step = removed > 0 ? std::max(1, count / removed) : 1;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int r = 0, position = 0; r < removed && position < static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); ++r) {
    SendMessageA(list, LVM_DELETEITEM, position, 0);
    position += step - 1;
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void CheckChosenRows(ListControl& list, const StartupInventory& inventory, SystemQueries& system,
                     const Chosen& chosen) {
  std::map<std::string, bool> wanted;
  for (const auto& value : chosen.values) {
    wanted[value.second + (value.first == HKEY_CURRENT_USER ? "|HKCU" : "|HKLM")] = true;
  }
  for (const std::string& file : chosen.files) wanted[file] = true;
  for (int p = 0; p < list.Count(); ++p) {
    std::uint32_t id = 0;
    if (!list.RowId(p, &id) || inventory.Find(id) == nullptr) continue;
    const StartupItem& item = *inventory.Find(id);
    const std::string info = AnsiShown(item.Text(kColumnInformation), system);
    const std::string key = info == "Shortcut" ? AnsiShown(item.Text(kColumnLocation), system)
                                               : AnsiShown(item.Text(kColumnName), system) + "|" +
                                                     info.substr(info.size() - 4);
    if (wanted.count(key)) list.SetChecked(p, true);
  }
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// The baseline's list, shown on screen as the program's is.
HWND CreateBaselineList() { return wine::CreateTestListView(WS_VISIBLE | WS_CAPTION); }

}  // namespace

int main(int argc, char** argv) {
  InitCommonControls();
  // The windows timed and measured from outside come first: like the
  // program, their process never starts COM nor makes a shortcut.
  const std::string command = argc >= 2 ? argv[1] : "";
  const bool ansiRows = argc == 3 && std::string(argv[2]) == "--ansi-rows";
  if (argc == 2 && (command == "--raw-title" || command == "--bare-title")) {
    std::printf("%s\n", command == "--raw-title" ? bench::kRawCostTitle : bench::kBareTitle);
    return 0;
  }
  if (argc == 2 && command == "--raw-rows") {
    std::printf("%s\n", bench::DescribeRows(bench::DecideRows()).c_str());
    return 0;
  }
  if ((argc == 2 || ansiRows) && (command == "--raw-window" || command == "--bare-window")) {
    return bench::RunRawCostWindow(GetModuleHandleA(nullptr), command == "--bare-window", ansiRows);
  }
  CoInitialize(nullptr);
  wine::MakeShortcut(kTemplateLink, "c:\\windows\\notepad.exe", "/startup");
  if (argc == 3 && std::string(argv[1]) == "--seed-only") {
    Seed(std::atoi(argv[2]));
    return 0;
  }
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {100, 1000, 10000};

  Win32Platform real;
  AlwaysYes yes;
  const Platform services{real.registry, real.system, real.files, yes, real.programs};
  Win32MainWindow window(services, WindowsFamily::kWin9x);  // the Windows 98 Startup folder
  window.Create(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  HWND baseline = CreateBaselineList();
  Pump();

  std::printf("%7s %6s | %9s %9s %6s | %9s %9s %6s | %9s\n", "N", "K", "load ms", "raw ms",
              "ratio", "delete ms", "raw ms", "ratio", "collect ms");
  std::map<int, std::pair<double, double>> timesBySize;
  for (int values : sizes) {
    const int reps = values >= 10000 ? 3 : 5;
    std::vector<double> load, rawLoad, del, rawDel, collect;
    Seed(values);
    for (int r = 0; r < reps; ++r) {
      double start = Now();
      window.logic().Refresh();
      load.push_back(Now() - start);
      Pump();
      start = Now();
      RawLoad(baseline);
      rawLoad.push_back(Now() - start);
      Pump();
      struct NullSink : StartupListSink {
        bool AppendRow(std::uint32_t, const StartupItem&) override { return true; }
      } sink;
      StartupInventory alone;
      start = Now();
      alone.LoadStartupItems(services, WindowsFamily::kWin9x, sink);  // the collection alone, without the list
      collect.push_back(Now() - start);
      if (std::getenv("RW_BENCH_PHASES") != nullptr) {
        start = Now();
        alone.LoadStartupItems(services, WindowsFamily::kNone, sink);
        const double registryOnly = Now() - start;
        start = Now();
        RawLoad(baseline, false);
        const double rawRegistry = Now() - start;
        std::printf("  phases: collection registry %.1f ms, raw registry+insert %.1f ms\n",
                    registryOnly * 1000, rawRegistry * 1000);
      }
    }
    const Chosen chosen = ChooseForDelete(values);
    for (int r = 0; r < reps; ++r) {
      Seed(values);
      window.logic().Refresh();
      CheckChosenRows(window.list(), window.logic().inventory(), real.system, chosen);
      const int before = window.list().Count();
      {
        QuestionAnswerer answerer;
        window.logic().DeleteCheckedItems();
        del.push_back(Now() - answerer.AnsweredAt());
      }
      const int gone = before - window.list().Count();
      if (gone != static_cast<int>(chosen.values.size() + chosen.files.size())) {
        std::fprintf(stderr, "delete removed %d rows, expected %d\n", gone,
                     static_cast<int>(chosen.values.size() + chosen.files.size()));
        for (int p = 0; p < window.list().Count(); ++p) {
          if (window.list().IsChecked(p)) {
            std::fprintf(stderr, "  not deleted: %s\n", wine::ListText(window.list().handle(), p, kColumnLocation).c_str());
          }
        }
        return 1;
      }
      Pump();
      Seed(values);
      RawLoad(baseline);
      const double start = Now();
      RawDelete(chosen, baseline);
      rawDel.push_back(Now() - start);
      Pump();
    }
    const double l = Median(load) * 1000, rl = Median(rawLoad) * 1000;
    const double d = Median(del) * 1000, rd = Median(rawDel) * 1000;
    timesBySize[values] = {l, d};
    std::printf("%7d %6d | %9.1f %9.1f %6.2f | %9.1f %9.1f %6.2f | %9.1f\n", values,
                static_cast<int>(chosen.values.size() + chosen.files.size()), l, rl, l / rl, d, rd,
                d / rd, Median(collect) * 1000);
    std::fflush(stdout);
  }
  if (timesBySize.count(1000) && timesBySize.count(10000)) {
    std::printf("growth 1,000 -> 10,000: load %.1fx, delete %.1fx\n",
                timesBySize[10000].first / timesBySize[1000].first,
                timesBySize[10000].second / timesBySize[1000].second);
  }
  PROCESS_MEMORY_COUNTERS memory = {};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("peak working set of this process: %.1f MB\n", memory.PeakWorkingSetSize / 1048576.0);
  DestroyWindow(window.handle());
  return 0;
}
