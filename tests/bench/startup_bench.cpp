// What the benchmark needs inside a prefix: its seeding, and the raw platform
// cost of a load and a delete as a window of its own, timed from outside as
// the program is.
//   runwarden_bench --seed-only N     seeds N values and N/10 files, then ends
//   runwarden_bench --raw-window [--ansi-rows]  the raw platform cost as a window, for timing
//                                     from outside; --ansi-rows: ANSI rows where it would show Unicode
//   runwarden_bench --raw-title       prints that window's title
//   runwarden_bench --raw-rows        prints how that window shows its rows, and why
//   runwarden_bench --bare-window     the same window, never loading: its memory at rest
//   runwarden_bench --bare-title      prints that window's title
//   runwarden_bench --reads-window [--ansi-rows]  the raw cost's reads alone, no list: the floor of a load
//   runwarden_bench --reads-title     prints that window's title
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

#include "tests/bench/raw_cost_window.h"
#include "tests/wine/wine_test_support.h"

namespace {

using namespace rw;

const char kTemplateLink[] = "c:\\bench-template.lnk";

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

}  // namespace

int main(int argc, char** argv) {
  InitCommonControls();
  // The windows timed and measured from outside come first: like the
  // program, their process never starts COM nor makes a shortcut.
  const std::string command = argc >= 2 ? argv[1] : "";
  const bool ansiRows = argc == 3 && std::string(argv[2]) == "--ansi-rows";
  const std::map<std::string, std::pair<bench::RawKind, const char*>> windows = {
      {"raw", {bench::RawKind::kList, bench::kRawCostTitle}},
      {"bare", {bench::RawKind::kBare, bench::kBareTitle}},
      {"reads", {bench::RawKind::kReads, bench::kReadsTitle}},
  };
  for (const auto& [name, window] : windows) {
    if (argc == 2 && command == "--" + name + "-title") {
      std::printf("%s\n", window.second);
      return 0;
    }
    if ((argc == 2 || ansiRows) && command == "--" + name + "-window") {
      return bench::RunRawCostWindow(GetModuleHandleA(nullptr), window.first, ansiRows);
    }
  }
  if (argc == 2 && command == "--raw-rows") {
    std::printf("%s\n", bench::DescribeRows(bench::DecideRows()).c_str());
    return 0;
  }
  CoInitialize(nullptr);
  wine::MakeShortcut(kTemplateLink, "c:\\windows\\notepad.exe", "/startup");
  if (argc == 3 && std::string(argv[1]) == "--seed-only") {
    Seed(std::atoi(argv[2]));
    return 0;
  }
  std::fprintf(stderr, "runwarden_bench: --seed-only N, --raw-window, --bare-window, --reads-window, --raw-title, --bare-title, --reads-title or --raw-rows\n");
  return 2;
}
