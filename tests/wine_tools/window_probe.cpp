// Reads what another process's windows show, for the end-to-end tests:
//   window_probe texts TITLE   the texts of a top-level window and its children
//   window_probe rows TITLE    the rows of the window's list: selected, checked, then the three columns
//   window_probe exists TITLE  exit status 0 when such a window is open
//   window_probe class NAME    exit status 0 when a top-level window of that class is open
//   window_probe foreground TITLE  exit status 0 when that window is the active one
//   window_probe close TITLE   asks the window to close, as its close box does
//   window_probe status TITLE  the texts of the status bar's panels
//   window_probe parts TITLE   the right edges of the status bar's panels, in pixels
//   window_probe layout TITLE  client size, then list, toolbar and status bar as
//                              "left top width height" in client pixels ("hidden" when hidden)
//   window_probe frame TITLE   the window's rectangle on the screen
//   window_probe button TITLE N the screen point at the middle of toolbar button N (from 0)
//   window_probe checkbox TITLE N  the screen point of row N's check box
//   window_probe label TITLE N     the screen point inside row N's Name
//   window_probe information TITLE N  the screen point inside row N's Information
//   window_probe dialog TITLE  like texts, for a dialog box (a message box) with that title
//   window_probe style TITLE   the frame: "owner=none|hidden|shown sizable=0|1 minimize=0|1
//                              maximize=0|1 border=dialog|single"
//   window_probe owner TITLE   of a dialog box (a message box): its owner's class and text
//   window_probe enabled TITLE 1 when the window takes input, 0 when it is disabled
//   window_probe child TITLE TEXT  the screen point at the middle of the child with that text
//   window_probe error CODE    the system's own text for an error code (FormatMessageA)
//   window_probe memory TITLE  the peak working set of the window's process, in KB
//   window_probe count TITLE   how many visible top-level windows have that title
//   window_probe tooltip TITLE the text of the tooltip now shown, if any
//   window_probe watch TITLE   waits for the window, then at once prints its row
//                              count and first status panel (to see the state before the first load)
//   window_probe glyphs TEXT   exit status 0 when every character of TEXT draws as a glyph in
//                              the list's font, not as the box of a character no font has;
//                              prints those that draw as the box
//   window_probe timeload TITLE ROWS   waits for the window to show, then until its status bar
//                              says "Ready" over ROWS rows; prints the ms from the last look
//                              that found the list empty. A window without a list (the
//                              benchmark's reads alone) tells its rows in the status bar's
//                              second panel
//   window_probe loadnow TITLE ROWS    waits for the window to show, has it load at once
//                              (View > Refresh) and waits until it says "Ready" over ROWS
//                              rows; prints the ms from the command
//   window_probe timesort TITLE ascending|descending  View > Sort Ascending or Descending on a
//                              list in the other order; prints the ms from the command until
//                              the first and the last row have changed places
//   window_probe timedelete TITLE ROWS checks every row (View > Check All), asks for the
//                              delete and answers Yes; prints the ms from the answer until
//                              ROWS rows are left
//   window_probe timeundo TITLE ROWS   Undo Delete; prints the ms until the list, loaded
//                              again, says "Ready" over ROWS rows
// Prints tab-separated lines, texts in UTF-8; exits 2 when no window has that title.
// Windows are looked for on the desktop the tests start the program on
// ("runwarden"), or on the default desktop when there is none.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "res/resource.h"

namespace {

// The program's main window rather than a message box of the same title.
HWND FindTopLevel(const char* title) {
  HWND main = FindWindowA("RunwardenMain", title);
  return main != nullptr ? main : FindWindowA(nullptr, title);
}

// Unicode text as the scripts read it: UTF-8.
std::string Utf8(const wchar_t* text, int length) {
  if (length <= 0) return std::string();
  std::string utf8(static_cast<std::size_t>(length) * 3, '\0');
  const int written =
      WideCharToMultiByte(CP_UTF8, 0, text, length, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return utf8;
}

// A window's text as it would tell it (WM_GETTEXT, in Unicode), line breaks
// shown as '|'.
std::string WindowText(HWND window) {
  std::wstring text(65536, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(wcslen(text.c_str()));
  std::wstring shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    shown += (text[i] == L'\n' || text[i] == L'\r') ? L'|' : text[i];
  }
  return Utf8(shown.c_str(), static_cast<int>(shown.size()));
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  std::printf("%s\t%s\n", className, WindowText(child).c_str());
  return TRUE;
}

struct TitleCount {
  const char* title;
  int count;
};

BOOL CALLBACK CountTitled(HWND window, LPARAM search) {
  auto* wanted = reinterpret_cast<TitleCount*>(search);
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  if (IsWindowVisible(window) && std::strcmp(text, wanted->title) == 0) ++wanted->count;
  return TRUE;
}

struct ChildSearch {
  const char* className;
  HWND found;
};

BOOL CALLBACK FindChildOfClass(HWND child, LPARAM search) {
  auto* wanted = reinterpret_cast<ChildSearch*>(search);
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, wanted->className) != 0) return TRUE;
  wanted->found = child;
  return FALSE;
}

HWND ChildOfClass(HWND window, const char* className) {
  ChildSearch search{className, nullptr};
  EnumChildWindows(window, FindChildOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// List-view messages that carry a structure need it in the list's process.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size) : process_(process) {
    address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
  bool valid() const { return address_ != nullptr; }

 private:
  HANDLE process_;
  void* address_ = nullptr;
};

// Another process's memory, for messages whose lParam points at a structure.
class RemoteProcess {
 public:
  explicit RemoteProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  }
  ~RemoteProcess() {
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteProcess(const RemoteProcess&) = delete;
  RemoteProcess& operator=(const RemoteProcess&) = delete;
  bool valid() const { return process_ != nullptr; }
  HANDLE get() const { return process_; }

  // Sends |message| with lParam pointing at |size| bytes in the process, which
  // start as a copy of |in| (or zeros) and are copied back into |out|.
  LRESULT Send(HWND window, UINT message, WPARAM wParam, const void* in, void* out, SIZE_T size) {
    RemoteBuffer remote(process_, size);
    if (!remote.valid()) return 0;
    if (in != nullptr) WriteProcessMemory(process_, remote.at(0), in, size, nullptr);
    const LRESULT result = SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(remote.at(0)));
    if (out != nullptr) ReadProcessMemory(process_, remote.at(0), out, size, nullptr);
    return result;
  }

 private:
  HANDLE process_ = nullptr;
};

std::string RemoteItemText(HWND list, HANDLE process, const RemoteBuffer& remote, int item,
                           int column) {
  constexpr SIZE_T kTextOffset = 256;
  constexpr int kTextSize = 1 << 19;  // wide characters, in the 1 MB the buffer holds
  LVITEMW request = {};
  request.iSubItem = column;
  request.pszText = reinterpret_cast<wchar_t*>(remote.at(kTextOffset));
  request.cchTextMax = kTextSize;
  WriteProcessMemory(process, remote.at(0), &request, sizeof request, nullptr);
  const LRESULT length =
      SendMessageA(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(remote.at(0)));
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  if (length > 0) ReadProcessMemory(process, remote.at(kTextOffset), &text[0], length * sizeof(wchar_t), nullptr);
  return Utf8(text.c_str(), static_cast<int>(text.size()));
}

// Room in the list's process for a request and the longest text read back.
constexpr SIZE_T kRemoteBufferBytes = 256 + (1 << 20) + 16;

int PrintRows(HWND window) {
  HWND list = ChildOfClass(window, WC_LISTVIEWA);
  if (list == nullptr) return 3;
  RemoteProcess process(list);
  if (!process.valid()) return 4;
  RemoteBuffer remote(process.get(), kRemoteBufferBytes);
  if (!remote.valid()) return 4;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int item = 0; item < count; ++item) {
    const bool selected = SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_SELECTED) != 0;
    const UINT checkState =
        (static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK)) >> 12);
    std::printf("%d\t%d", selected ? 1 : 0, checkState == 2 ? 1 : 0);
    for (int column = 0; column < 3; ++column) {
      std::printf("\t%s", RemoteItemText(list, process.get(), remote, item, column).c_str());
    }
    std::printf("\n");
  }
  return 0;
}

std::string StatusText(HWND bar, int panel) {
  RemoteProcess process(bar);
  if (!process.valid()) return "";
  char text[4096] = {};
  const LRESULT result = process.Send(bar, SB_GETTEXTA, panel, nullptr, text, sizeof text);
  return std::string(text, LOWORD(result) < sizeof text ? LOWORD(result) : 0);
}

int PrintStatus(HWND window) {
  HWND bar = ChildOfClass(window, STATUSCLASSNAMEA);
  if (bar == nullptr) return 3;
  for (int panel = 0; panel < 3; ++panel) std::printf("%s\n", StatusText(bar, panel).c_str());
  return 0;
}

int PrintParts(HWND window) {
  HWND bar = ChildOfClass(window, STATUSCLASSNAMEA);
  if (bar == nullptr) return 3;
  RemoteProcess process(bar);
  if (!process.valid()) return 4;
  int edges[8] = {};
  const int count = static_cast<int>(process.Send(bar, SB_GETPARTS, 8, nullptr, edges, sizeof edges));
  for (int i = 0; i < count && i < 8; ++i) std::printf(i ? " %d" : "%d", edges[i]);
  std::printf("\n");
  return 0;
}

void PrintPlace(HWND window, HWND control) {
  if (control == nullptr || !IsWindowVisible(control)) {
    std::printf("hidden\n");
    return;
  }
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

int PrintLayout(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  std::printf("%ld %ld\n", client.right, client.bottom);
  PrintPlace(window, ChildOfClass(window, WC_LISTVIEWA));
  PrintPlace(window, ChildOfClass(window, TOOLBARCLASSNAMEA));
  PrintPlace(window, ChildOfClass(window, STATUSCLASSNAMEA));
  return 0;
}

BOOL CALLBACK PrintShownTooltip(HWND window, LPARAM) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(window)) return TRUE;
  // Only WM_GETTEXT asks the tooltip for its current text; GetWindowText
  // of another process's window would read the stored caption.
  char text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  std::printf("%s\n", text);
  return TRUE;
}

int PrintButtonCentre(HWND window, int index) {
  HWND toolbar = ChildOfClass(window, TOOLBARCLASSNAMEA);
  if (toolbar == nullptr) return 3;
  RemoteProcess process(toolbar);
  if (!process.valid()) return 4;
  RECT rect = {};
  process.Send(toolbar, TB_GETITEMRECT, index, nullptr, &rect, sizeof rect);
  POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(toolbar, &centre);
  std::printf("%ld %ld\n", centre.x, centre.y);
  return 0;
}

enum class RowPart { kCheckBox, kName, kInformation };

// Screen point inside row |row| of the window's list: its check box, its Name
// or its Information (right of the first two columns).
int PrintRowPoint(HWND window, int row, RowPart part) {
  HWND list = ChildOfClass(window, WC_LISTVIEWA);
  if (list == nullptr) return 3;
  RemoteProcess process(list);
  if (!process.valid()) return 4;
  RECT rect = {};
  rect.left = part == RowPart::kName ? LVIR_LABEL : LVIR_BOUNDS;
  process.Send(list, LVM_GETITEMRECT, row, &rect, &rect, sizeof rect);
  POINT point = {rect.left + 12, (rect.top + rect.bottom) / 2};
  if (part == RowPart::kCheckBox) point.x = rect.left + 9;
  if (part == RowPart::kInformation) {
    point.x = rect.left + 12 + static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0) +
                                                SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0));
  }
  ClientToScreen(list, &point);
  std::printf("%ld %ld\n", point.x, point.y);
  return 0;
}

// Window lookups see only the calling thread's desktop.
bool EnterTestDesktop() {
  HDESK desktop = OpenDesktopA("runwarden", 0, FALSE, GENERIC_ALL);
  return desktop != nullptr && SetThreadDesktop(desktop);
}

int Watch(const char* title) {
  HWND window = nullptr;
  bool onTestDesktop = false;
  for (int tries = 0; tries < 6000 && window == nullptr; ++tries) {
    if (!onTestDesktop) onTestDesktop = EnterTestDesktop();  // it may not exist yet
    window = FindTopLevel(title);
    if (window == nullptr) Sleep(5);
  }
  if (window == nullptr) return 2;
  HWND list = ChildOfClass(window, WC_LISTVIEWA);
  HWND bar = ChildOfClass(window, STATUSCLASSNAMEA);
  const LRESULT rows = list ? SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) : -1;
  std::printf("%ld\t%s\n", static_cast<long>(rows), bar ? StatusText(bar, 0).c_str() : "");
  return 0;
}

double Seconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

constexpr double kTimingDeadlineSeconds = 1200;

// While the program works it answers no message: each of these returns as
// soon as it is back in its message loop, so the end is seen at once.
LRESULT RowCount(HWND list) { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); }

// The rows a window shows: its list's, or without a list those its status
// bar's second panel tells.
LRESULT RowCount(HWND list, HWND bar) {
  return list != nullptr ? RowCount(list) : std::atol(StatusText(bar, 1).c_str());
}

// The window of that title once it shows, or nullptr past the deadline.
HWND WaitShown(const char* title) {
  HWND window = nullptr;
  bool onTestDesktop = false;
  const double start = Seconds();
  while (window == nullptr || !IsWindowVisible(window)) {
    if (Seconds() - start > kTimingDeadlineSeconds) return nullptr;
    if (!onTestDesktop) onTestDesktop = EnterTestDesktop();  // it may not exist yet
    window = FindTopLevel(title);
    if (window == nullptr || !IsWindowVisible(window)) Sleep(1);
  }
  return window;
}

int TimeLoad(const char* title, long rows) {
  HWND window = WaitShown(title);
  if (window == nullptr) return 2;
  const double shown = Seconds();
  HWND list = ChildOfClass(window, WC_LISTVIEWA);
  HWND bar = ChildOfClass(window, STATUSCLASSNAMEA);
  if (bar == nullptr) return 3;
  // The load starts after the last answer that found the list still empty:
  // the time before it, the program's wait for its first load among it, is
  // not the load's.
  double empty = shown;
  for (;;) {
    const LRESULT count = RowCount(list, bar);
    const double answered = Seconds();
    if (count == 0) empty = answered;
    if (count == rows && StatusText(bar, 0) == "Ready") {
      std::printf("%.1f\n", (Seconds() - empty) * 1000);
      return 0;
    }
    if (!IsWindow(window) || answered - shown > kTimingDeadlineSeconds) return 4;
    Sleep(1);
  }
}

// Waits, while |window| lives, until |done| holds; prints the ms since
// |since|. 0, or 4 when the window went or the deadline passed.
template <class Done>
int PrintWhenDone(HWND window, double since, Done done) {
  while (!done()) {
    if (!IsWindow(window) || Seconds() - since > kTimingDeadlineSeconds) return 4;
    Sleep(1);
  }
  std::printf("%.1f\n", (Seconds() - since) * 1000);
  return 0;
}

// Before its first load a window says "Ready" over no rows, as it does after
// an empty one: Refresh, sent, returns once the load has run or begun, and
// its end is then the status bar's "Ready".
int LoadNow(const char* title, long rows) {
  HWND window = WaitShown(title);
  if (window == nullptr) return 2;
  HWND list = ChildOfClass(window, WC_LISTVIEWA);
  HWND bar = ChildOfClass(window, STATUSCLASSNAMEA);
  if (bar == nullptr) return 3;
  const double asked = Seconds();
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(window, WM_COMMAND, IDM_REFRESH, 0, SMTO_NORMAL,
                           static_cast<UINT>(kTimingDeadlineSeconds * 1000), &ignored)) {
    return 4;
  }
  return PrintWhenDone(window, asked, [&] { return RowCount(list, bar) == rows && StatusText(bar, 0) == "Ready"; });
}

// The sort, timed from the command (the menu's, which has no shortcut key)
// until the list answers with its first and last rows' names swapped. The
// list must be in the other order, so that the first row of the new one is
// the last of the old.
int TimeSort(const char* title, bool ascending) {
  HWND window = FindTopLevel(title);
  if (window == nullptr) return 2;
  HWND list = ChildOfClass(window, WC_LISTVIEWA);
  if (list == nullptr) return 3;
  RemoteProcess process(list);
  if (!process.valid()) return 4;
  RemoteBuffer remote(process.get(), kRemoteBufferBytes);
  if (!remote.valid()) return 4;
  const int last = static_cast<int>(RowCount(list)) - 1;
  if (last < 1) return 3;
  auto name = [&](int row) { return RemoteItemText(list, process.get(), remote, row, 0); };
  const std::string first = name(0), lastName = name(last);
  if (first == lastName) return 3;
  const double asked = Seconds();
  PostMessageA(window, WM_COMMAND, ascending ? IDM_SORT_ASCENDING : IDM_SORT_DESCENDING, 0);
  return PrintWhenDone(window, asked, [&] { return name(0) == lastName && name(last) == first; });
}

struct OwnedBox {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwnedBox(HWND window, LPARAM search) {
  auto* wanted = reinterpret_cast<OwnedBox*>(search);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0 || GetWindow(window, GW_OWNER) != wanted->owner ||
      !IsWindowVisible(window)) {
    return TRUE;
  }
  wanted->found = window;
  return FALSE;
}

int TimeDelete(const char* title, long rows) {
  HWND window = FindTopLevel(title);
  if (window == nullptr) return 2;
  HWND list = ChildOfClass(window, WC_LISTVIEWA);
  if (list == nullptr) return 3;
  PostMessageA(window, WM_COMMAND, IDM_CHECK_ALL, 0);
  PostMessageA(window, WM_COMMAND, IDM_DELETE_CHECKED_ITEMS, 0);
  OwnedBox question{window, nullptr};
  const double asked = Seconds();
  while (question.found == nullptr) {
    if (Seconds() - asked > kTimingDeadlineSeconds) return 4;
    EnumWindows(FindOwnedBox, reinterpret_cast<LPARAM>(&question));
    if (question.found == nullptr) Sleep(1);
  }
  const double answered = Seconds();
  PostMessageA(question.found, WM_COMMAND, IDYES, 0);
  return PrintWhenDone(window, answered, [&] { return RowCount(list) == rows; });
}

// Undo Delete, timed from the command until the list, loaded again, says
// "Ready" over |rows| rows.
int TimeUndo(const char* title, long rows) {
  HWND window = FindTopLevel(title);
  if (window == nullptr) return 2;
  HWND list = ChildOfClass(window, WC_LISTVIEWA);
  HWND bar = ChildOfClass(window, STATUSCLASSNAMEA);
  if (list == nullptr || bar == nullptr) return 3;
  const double asked = Seconds();
  PostMessageA(window, WM_COMMAND, IDM_UNDO_DELETE, 0);
  return PrintWhenDone(window, asked, [&] { return RowCount(list) == rows && StatusText(bar, 0) == "Ready"; });
}

// What a character leaves on a small monochrome bitmap, one byte a pixel.
std::string Drawn(HDC dc, wchar_t character) {
  constexpr int kSide = 48;
  RECT all{0, 0, kSide, kSide};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TextOutW(dc, 0, 0, &character, 1);
  std::string pixels;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) pixels += GetPixel(dc, x, y) == RGB(0, 0, 0) ? '#' : '.';
  }
  return pixels;
}

// Wine draws a character none of a font's linked fonts has as the font's
// box: U+0378, which Unicode leaves unassigned, shows it.
int CheckGlyphs(const wchar_t* text) {
  LOGFONTW look = {};
  SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof look, &look, 0);  // the list's own font
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 48, 48);
  HFONT font = CreateFontIndirectW(&look);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, font);
  const std::string box = Drawn(dc, 0x0378);
  int boxes = 0;
  for (const wchar_t* c = text; *c != 0; ++c) {
    if (Drawn(dc, *c) != box) continue;
    std::printf("U+%04X draws as a box\n", static_cast<unsigned>(*c));
    ++boxes;
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return boxes == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool indexed = argc == 4 && (std::string(argv[1]) == "button" ||
                                     std::string(argv[1]) == "timeload" ||
                                     std::string(argv[1]) == "loadnow" ||
                                     std::string(argv[1]) == "timesort" ||
                                     std::string(argv[1]) == "timedelete" ||
                                     std::string(argv[1]) == "timeundo" ||
                                     std::string(argv[1]) == "child" ||
                                     std::string(argv[1]) == "checkbox" ||
                                     std::string(argv[1]) == "label" ||
                                     std::string(argv[1]) == "information");
  if (argc != 3 && !indexed) {
    std::fprintf(stderr, "usage: window_probe COMMAND TITLE (see the source)\n");
    return 1;
  }
  const std::string command = argv[1];
  if (command == "watch") return Watch(argv[2]);
  if (command == "glyphs") {  // the text in Unicode, which argv has only in the ANSI code page
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    const int status = wide != nullptr && count == 3 ? CheckGlyphs(wide[2]) : 1;
    LocalFree(wide);
    return status;
  }
  if (command == "timeload") return TimeLoad(argv[2], std::atol(argv[3]));
  if (command == "loadnow") return LoadNow(argv[2], std::atol(argv[3]));
  if (command == "error") {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(std::atol(argv[2])), 0, text, sizeof text, nullptr);
    std::string sentence = text;
    while (!sentence.empty() && (sentence.back() == '\n' || sentence.back() == '\r')) sentence.pop_back();
    std::printf("%s\n", sentence.c_str());
    return sentence.empty() ? 3 : 0;
  }
  EnterTestDesktop();
  if (command == "class") return FindWindowA(argv[2], nullptr) != nullptr ? 0 : 2;
  if (command == "count") {
    TitleCount search{argv[2], 0};
    EnumWindows(CountTitled, reinterpret_cast<LPARAM>(&search));
    std::printf("%d\n", search.count);
    return 0;
  }
  const bool box = command == "dialog" || command == "owner";
  HWND window = box ? FindWindowA("#32770", argv[2]) : FindTopLevel(argv[2]);
  if (window == nullptr) return 2;
  if (command == "exists") return 0;
  if (command == "foreground") return GetForegroundWindow() == window ? 0 : 1;
  if (command == "view") {  // the list's view: icon, smallicon, list or report
    const LONG type = GetWindowLongA(ChildOfClass(window, WC_LISTVIEWA), GWL_STYLE) & LVS_TYPEMASK;
    const char* const names[] = {"icon", "report", "smallicon", "list"};
    std::printf("%s\n", names[type & 3]);
    return 0;
  }
  if (command == "timedelete") return TimeDelete(argv[2], std::atol(argv[3]));
  if (command == "timeundo") return TimeUndo(argv[2], std::atol(argv[3]));
  if (command == "timesort") {
    const std::string order = argv[3];
    if (order != "ascending" && order != "descending") return 1;
    return TimeSort(argv[2], order == "ascending");
  }
  if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == "texts" || command == "dialog") {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    std::printf("window\t%s\n", text);
    EnumChildWindows(window, PrintChild, 0);
    return 0;
  }
  if (command == "rows") return PrintRows(window);
  if (command == "status") return PrintStatus(window);
  if (command == "checkbox") return PrintRowPoint(window, std::atoi(argv[3]), RowPart::kCheckBox);
  if (command == "label") return PrintRowPoint(window, std::atoi(argv[3]), RowPart::kName);
  if (command == "information") return PrintRowPoint(window, std::atoi(argv[3]), RowPart::kInformation);
  if (command == "button") return PrintButtonCentre(window, std::atoi(argv[3]));
  if (command == "tooltip") return EnumWindows(PrintShownTooltip, 0) ? 0 : 1;
  if (command == "parts") return PrintParts(window);
  if (command == "layout") return PrintLayout(window);
  if (command == "style") {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    HWND owner = GetWindow(window, GW_OWNER);
    std::printf("owner=%s sizable=%d minimize=%d maximize=%d border=%s\n",
                owner == nullptr ? "none" : (IsWindowVisible(owner) ? "shown" : "hidden"),
                (style & WS_THICKFRAME) != 0, (style & WS_MINIMIZEBOX) != 0,
                (style & WS_MAXIMIZEBOX) != 0,
                (exStyle & WS_EX_DLGMODALFRAME) != 0 ? "dialog" : "single");
    return 0;
  }
  if (command == "owner") {
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner == nullptr) {
      std::printf("none\n");
      return 0;
    }
    char className[64] = {};
    GetClassNameA(owner, className, sizeof className);
    std::printf("%s\t%s\n", className, WindowText(owner).c_str());
    return 0;
  }
  if (command == "enabled") {
    std::printf("%d\n", IsWindowEnabled(window) ? 1 : 0);
    return 0;
  }
  if (command == "child") {
    HWND child = FindWindowExA(window, nullptr, nullptr, argv[3]);
    if (child == nullptr) return 3;
    RECT rect;
    GetWindowRect(child, &rect);
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
  }
  if (command == "memory") {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    const BOOL ok = process != nullptr && GetProcessMemoryInfo(process, &memory, sizeof memory);
    if (process != nullptr) CloseHandle(process);
    if (!ok) return 4;
    std::printf("%lu\n", static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
    return 0;
  }
  if (command == "frame") {
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
  }
  return 1;
}
