// The real windows in this process: whatever a dialog or a refresh takes of
// the system's GDI and USER objects it gives back, and Exit ends the program
// by closing its windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/windows_version.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/wine/wine_test_support.h"
#include "ui/main/main_window_win32.h"

namespace rw {
namespace {

struct GuiObjects {
  long gdi;
  long user;
};

// Wine accepts a GDI or USER handle by its low word alone, so every object of
// the process can be found by asking each value.
long CountGdiByHandle() {
  long count = 0;
  for (ULONG_PTR value = 1; value < 0x10000; ++value) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) ++count;
  }
  return count;
}

long CountUserByHandle() {
  long count = 0;
  const DWORD self = GetCurrentProcessId();
  for (ULONG_PTR value = 2; value < 0x10000; value += 2) {
    auto* handle = reinterpret_cast<HANDLE>(value);
    if (IsWindow(static_cast<HWND>(handle))) {
      DWORD owner = 0;
      GetWindowThreadProcessId(static_cast<HWND>(handle), &owner);
      if (owner == self) ++count;
    } else if (IsMenu(static_cast<HMENU>(handle)) ||
               CopyAcceleratorTableA(static_cast<HACCEL>(handle), nullptr, 0) > 0) {
      ++count;
    } else {
      ICONINFO icon = {};
      if (GetIconInfo(static_cast<HICON>(handle), &icon)) {
        if (icon.hbmMask != nullptr) DeleteObject(icon.hbmMask);
        if (icon.hbmColor != nullptr) DeleteObject(icon.hbmColor);
        ++count;
      }
    }
  }
  return count;
}

// GetGuiResources where the system implements it (Wine 8 answers 0 with
// ERROR_CALL_NOT_IMPLEMENTED); otherwise the objects counted one by one.
GuiObjects CountGuiObjects() {
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (gdi != 0 && user != 0) return {static_cast<long>(gdi), static_cast<long>(user)};
  return {CountGdiByHandle(), CountUserByHandle()};
}

// Runs what the message loop would run, until nothing is left to do.
// True when the program asked to end.
bool Pump() {
  bool quit = false;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return quit;
}

HWND Dialog(const char* windowClass) { return FindWindowA(windowClass, nullptr); }

// The scheme the window's pictures are drawn in: the system's until a test
// changes it. Wine's GetSysColor keeps its old answers after a change, so the
// tests hand over a scheme of their own.
PictureColours testScheme = SystemPictureColours();
PictureColours TestScheme() { return testScheme; }

// The messages a control receives, seen from outside it.
std::vector<std::pair<HWND, UINT>> received;
LRESULT CALLBACK RecordMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION) received.push_back({message->hwnd, message->message});
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
bool Received(HWND window, UINT message) {
  return std::find(received.begin(), received.end(), std::make_pair(window, message)) != received.end();
}

// Every colour of one picture of |images|, drawn on a background no picture uses.
std::set<COLORREF> ColoursOf(HIMAGELIST images, int picture) {
  std::set<COLORREF> colours;
  int width = 0, height = 0;
  if (images == nullptr || !ImageList_GetIconSize(images, &width, &height)) return colours;
  HDC screen = GetDC(nullptr);
  HDC canvas = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(canvas, bitmap);
  HBRUSH background = CreateSolidBrush(RGB(1, 2, 3));
  const RECT whole = {0, 0, width, height};
  FillRect(canvas, &whole, background);
  ImageList_Draw(images, picture, canvas, 0, 0, ILD_NORMAL);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) colours.insert(GetPixel(canvas, x, y));
  }
  DeleteObject(background);
  SelectObject(canvas, previous);
  DeleteObject(bitmap);
  DeleteDC(canvas);
  ReleaseDC(nullptr, screen);
  colours.erase(RGB(1, 2, 3));
  return colours;
}
bool Has(const std::set<COLORREF>& colours, COLORREF colour) { return colours.count(colour) != 0; }

class WindowLifetimeContractTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitCommonControls(); }
  void SetUp() override {
    ASSERT_TRUE(wine::ClearRunKey(HKEY_CURRENT_USER));
    for (const char* name : {"Tray", "Agent", "Updater"}) {
      ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, wine::kRunKey, name, "c:\\x.exe"));
    }
    window_.reset(new Win32MainWindow(platform_.services(), WindowsFamily::kWin9x, false, &TestScheme));
    ASSERT_TRUE(window_->Create(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
    main_ = window_->handle();
    Pump();
  }
  void TearDown() override {
    if (IsWindow(main_)) DestroyWindow(main_);
    Pump();  // takes the quit the last window posts
    window_.reset();
    testScheme = SystemPictureColours();
    wine::ClearRunKey(HKEY_CURRENT_USER);
  }
  void Command(HWND window, int id) {
    SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    Pump();
  }
  // Help > About and its OK button; Help > Information Legend and its close box.
  void OpenAndCloseBothDialogs() {
    Command(main_, IDM_ABOUT);
    HWND about = Dialog("RunwardenAbout");
    ASSERT_NE(nullptr, about);
    Command(about, IDOK);
    ASSERT_FALSE(IsWindow(about));
    Command(main_, IDM_INFORMATION_LEGEND);
    HWND legend = Dialog("RunwardenLegend");
    ASSERT_NE(nullptr, legend);
    SendMessageA(legend, WM_CLOSE, 0, 0);
    Pump();
    ASSERT_FALSE(IsWindow(legend));
  }

  Win32Platform platform_;
  std::unique_ptr<Win32MainWindow> window_;
  HWND main_ = nullptr;
};

HWND Child(HWND window, const char* windowClass) { return FindWindowExA(window, nullptr, windowClass, nullptr); }

TEST_F(WindowLifetimeContractTest, TheObjectCountSeesOneMoreObjectOfEachKind) {
  const GuiObjects before = CountGuiObjects();
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HMENU menu = CreatePopupMenu();
  const GuiObjects during = CountGuiObjects();
  DeleteObject(pen);
  DestroyMenu(menu);
  EXPECT_EQ(before.gdi + 1, during.gdi);
  EXPECT_EQ(before.user + 1, during.user);
  const GuiObjects after = CountGuiObjects();
  EXPECT_EQ(before.gdi, after.gdi);
  EXPECT_EQ(before.user, after.user);
}

TEST_F(WindowLifetimeContractTest, DialogsAndRefreshesGiveBackEveryObjectTheyTake) {
  // Twice first: the system makes some objects on the first uses and keeps
  // them (the dialogs' hidden owner, font caches); a leak grows every round.
  for (int round = 0; round < 2; ++round) {
    OpenAndCloseBothDialogs();
    Command(main_, IDM_REFRESH);
  }
  if (HasFatalFailure()) return;
  const GuiObjects before = CountGuiObjects();
  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE("dialog round " + std::to_string(round));
    OpenAndCloseBothDialogs();
    if (HasFatalFailure()) return;
  }
  for (int round = 0; round < 20; ++round) Command(main_, IDM_REFRESH);
  ASSERT_EQ(3, SendMessageA(Child(main_, WC_LISTVIEWA), LVM_GETITEMCOUNT, 0, 0)) << "the refreshes loaded the Run key";
  const GuiObjects after = CountGuiObjects();
  EXPECT_EQ(before.gdi, after.gdi) << "GDI objects";
  EXPECT_EQ(before.user, after.user) << "USER objects";
}

TEST_F(WindowLifetimeContractTest, ANewColourSchemeReachesEveryControlAndRedrawsThePictures) {
  // Colours of the 16-colour palette, so that no image list rounds them,
  // and none of them in any picture before.
  const PictureColours scheme = {RGB(0, 128, 128), RGB(255, 255, 0), RGB(128, 0, 128), RGB(255, 0, 0)};
  HWND list = Child(main_, WC_LISTVIEWA);
  auto checkBoxes = [&] {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
  };
  auto toolbarPictures = [&] {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(Child(main_, TOOLBARCLASSNAMEA), TB_GETIMAGELIST, 0, 0));
  };
  for (COLORREF colour : {scheme.window, scheme.windowText, scheme.buttonShadow}) {
    ASSERT_FALSE(Has(ColoursOf(checkBoxes(), 1), colour)) << std::hex << colour;
  }
  ASSERT_FALSE(Has(ColoursOf(toolbarPictures(), 0), scheme.buttonFace));
  SendMessageA(main_, WM_COMMAND, IDM_TOOLBAR, 0);  // hidden, to stay hidden
  Pump();

  testScheme = scheme;
  received.clear();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordMessage, nullptr, GetCurrentThreadId());
  ASSERT_NE(nullptr, hook);
  SendMessageA(main_, WM_SYSCOLORCHANGE, 0, 0);
  Pump();
  UnhookWindowsHookEx(hook);

  HWND toolbar = Child(main_, TOOLBARCLASSNAMEA);
  ASSERT_NE(nullptr, toolbar);
  EXPECT_TRUE(Received(list, WM_SYSCOLORCHANGE)) << "the list";
  EXPECT_TRUE(Received(toolbar, WM_SYSCOLORCHANGE)) << "the toolbar";
  EXPECT_TRUE(Received(Child(main_, STATUSCLASSNAMEA), WM_SYSCOLORCHANGE)) << "the status bar";

  const std::set<COLORREF> unchecked = ColoursOf(checkBoxes(), 0);
  const std::set<COLORREF> checked = ColoursOf(checkBoxes(), 1);
  EXPECT_TRUE(Has(unchecked, scheme.window) && Has(unchecked, scheme.buttonShadow));
  EXPECT_FALSE(Has(unchecked, scheme.windowText)) << "an unchecked box has no mark";
  EXPECT_TRUE(Has(checked, scheme.window) && Has(checked, scheme.buttonShadow) &&
              Has(checked, scheme.windowText));
  EXPECT_TRUE(Has(ColoursOf(toolbarPictures(), 0), scheme.buttonFace)) << "the pictures' background";
  EXPECT_TRUE(Has(ColoursOf(toolbarPictures(), 0), RGB(0, 0, 0))) << "the Delete cross";
  EXPECT_EQ(0, GetWindowLongA(toolbar, GWL_STYLE) & WS_VISIBLE) << "the toolbar stayed hidden";
  EXPECT_EQ(9, SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
  SendMessageA(main_, WM_COMMAND, IDM_TOOLBAR, 0);
  Pump();
  EXPECT_NE(0, GetWindowLongA(toolbar, GWL_STYLE) & WS_VISIBLE) << "View > Toolbar shows the new one";
}

// The text colour |dialog| gives |control| when the control asks for its colours.
COLORREF TextColourOf(HWND dialog, int control) {
  const ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
  SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
  return GetTextColor(dc.get());
}

TEST_F(WindowLifetimeContractTest, ReopenedDialogsColourEachLabelAsTheirOwn) {
  OpenAndCloseBothDialogs();
  Command(main_, IDM_ABOUT);
  Command(main_, IDM_INFORMATION_LEGEND);
  HWND about = Dialog("RunwardenAbout"), legend = Dialog("RunwardenLegend");
  ASSERT_TRUE(about != nullptr && legend != nullptr);
  EXPECT_EQ(RGB(0, 0, 192), TextColourOf(about, IDC_ABOUT_TITLE));
  EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), TextColourOf(legend, IDC_LEGEND_HEADING)) << "the scheme's";
  EXPECT_EQ(RGB(0, 0, 128), TextColourOf(legend, IDC_LEGEND_TEXT));
  SendMessageA(main_, WM_COMMAND, IDM_EXIT, 0);  // no dialog outlives the test's windows
}

// Where comctl32 can hold a virtual list the main window makes one; asked
// for comctl32 4.00 only, it inserts its rows. Both show the same rows.
TEST(MainListFormTest, TheListIsVirtualUnlessOnlyWhatComctl400HasIsAsked) {
  InitCommonControls();
  ASSERT_TRUE(wine::ClearRunKey(HKEY_CURRENT_USER));
  for (const char* name : {"Tray", "agent", "Updater"}) {
    ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, wine::kRunKey, name, "c:\\x.exe"));
  }
  Win32Platform platform;
  for (const bool only400 : {false, true}) {
    Win32MainWindow window(platform.services(), WindowsFamily::kWin9x, only400, &TestScheme);
    ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
    HWND list = Child(window.handle(), WC_LISTVIEWA);
    EXPECT_EQ(!only400, (GetWindowLongA(list, GWL_STYLE) & LVS_OWNERDATA) != 0);
    SendMessageA(window.handle(), WM_COMMAND, IDM_REFRESH, 0);
    std::vector<std::string> names;
    for (int row = 0; row < static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); ++row) {
      names.push_back(wine::ListText(list, row, kColumnName));
    }
    EXPECT_EQ((std::vector<std::string>{"agent", "Tray", "Updater"}), names);
    DestroyWindow(window.handle());
    Pump();
  }
  wine::ClearRunKey(HKEY_CURRENT_USER);
}

TEST_F(WindowLifetimeContractTest, ExitClosesTheDialogsAndTheMainWindowAndTheLastOneEndsTheLoop) {
  Command(main_, IDM_ABOUT);
  Command(main_, IDM_INFORMATION_LEGEND);
  ASSERT_NE(nullptr, Dialog("RunwardenAbout"));
  ASSERT_NE(nullptr, Dialog("RunwardenLegend"));
  SendMessageA(main_, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(nullptr, Dialog("RunwardenAbout"));
  EXPECT_EQ(nullptr, Dialog("RunwardenLegend"));
  EXPECT_TRUE(Pump()) << "the message loop is told to end";
}

TEST_F(WindowLifetimeContractTest, ClosingTheMainWindowLeavesAnOpenDialogAndTheProgramRunning) {
  Command(main_, IDM_ABOUT);
  SendMessageA(main_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_FALSE(Pump()) << "the About dialog is still open";
  HWND about = Dialog("RunwardenAbout");
  ASSERT_NE(nullptr, about);
  SendMessageA(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(Pump()) << "the last window ends the program";
}

}  // namespace
}  // namespace rw
