// The list control contract against a real comctl32 list view.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/startup_inventory.h"
#include "platform/win32/win32_list_control.h"
#include "platform/win32/win32_system_queries.h"
#include "tests/contract/list_sort_contract.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/windows_collation.h"
#include "tests/unit/fake_main_window_view.h"
#include "platform/win32/win32_platform.h"
#include "ui/main/main_window.h"
#include "tests/wine/wine_test_support.h"

namespace rw {
namespace {

// The sorting contract the stand-in follows too (tests/unit), here on a real
// list view of either form: inserted rows, or virtual (LVS_OWNERDATA).
template <bool unicode, DWORD form>
struct RealLists {
  static constexpr bool kUnicode = unicode;
  HWND window = nullptr;
  Win32ListControl list;
  Win32SystemQueries system;
  ListControl* Make() {
    InitCommonControls();
    window = wine::CreateTestListView(LVS_SHOWSELALWAYS | LVS_SINGLESEL | form, &Win32ListControl::AnswerRequest,
                                      unicode);
    if (window == nullptr) return nullptr;
    list.Attach(window);
    return &list;
  }
  ~RealLists() {
    if (window != nullptr) DestroyWindow(window);
  }
};

using RealListViews = ::testing::Types<RealLists<false, 0>, RealLists<true, 0>, RealLists<false, LVS_OWNERDATA>,
                                       RealLists<true, LVS_OWNERDATA>>;
INSTANTIATE_TYPED_TEST_SUITE_P(RealListView, ListSortContract, RealListViews);

std::string Hex(const std::string& text) {
  std::string hex;
  char byte[4];
  for (const char c : text) {
    std::snprintf(byte, sizeof byte, "%02x ", static_cast<unsigned char>(c));
    hex += byte;
  }
  return "[" + hex + "]";
}

int Sign(int value) { return (value > 0) - (value < 0); }

// Random names of every byte but NUL, weighted towards the characters where
// orders differ, and now and then a long one.
class TellingNames {
 public:
  explicit TellingNames(unsigned seed) : random_(seed) {}
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  char Character() {
    static const std::string telling =
        "-'- _.~+<19aAeEsSoOtT\x01\x1f\x7f\x96\x97\xad\xe9\xc9\xe6\xc6\xdf\x8c\x9c\xfe\xaa\xb2";
    if (Pick(0, 1) == 0) return telling[Pick(0, static_cast<int>(telling.size()) - 1)];
    return static_cast<char>(Pick(1, 255));
  }
  std::string Name() {
    std::string text;
    const int length = Pick(0, 9) == 0 ? Pick(250, 300) : Pick(0, 8);
    for (int i = 0; i < length; ++i) text += Character();
    return text;
  }
  // Mostly a near twin of |name|, so that the later levels of the order decide.
  std::string NearTwinOf(const std::string& name) {
    std::string twin = name;
    switch (Pick(0, 3)) {
      case 0: twin = Name(); break;
      case 1: if (!twin.empty()) twin[Pick(0, static_cast<int>(twin.size()) - 1)] = Character(); break;
      case 2: twin.insert(twin.begin() + Pick(0, static_cast<int>(twin.size())), Character()); break;
      default: if (!twin.empty()) twin.erase(twin.begin() + Pick(0, static_cast<int>(twin.size()) - 1)); break;
    }
    return twin;
  }

 private:
  std::mt19937 random_;
};

int RealOrder(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}

// The stand-in's collation table against the real call.
TEST(CollationAgreementTest, TheStandInOrdersRandomNamesAsCompareStringADoes) {
  TellingNames names(20261207);
  int mismatches = 0;
  for (int round = 0; round < 30000 && mismatches < 10; ++round) {
    const std::string a = names.Name();
    const std::string b = names.NearTwinOf(a);
    const int real = RealOrder(a, b);
    const int standIn = CompareNames(a, b);
    if (Sign(real) != Sign(standIn)) {
      ++mismatches;
      ADD_FAILURE() << Hex(a) << " against " << Hex(b) << ": CompareStringA says " << real
                    << ", the stand-in " << standIn;
    }
  }
}

// Rows as a load keeps their entries, ordered by the system's collation keys.
class TestRows : public RowTexts {
 public:
  std::uint32_t Add(const ExactName& name, const ExactName& location, const ExactName& information) {
    items_.push_back(StartupItem(ItemSource::kStartupOtherFile, name, location, information));
    return static_cast<std::uint32_t>(items_.size() - 1);
  }
  RowText Text(std::uint32_t id, ListColumn column) const override { return items_.at(id).Text(column); }
  const RowOrder& Order() {
    order_.MakeKeys(system_, items_, false);
    return order_;
  }

 private:
  std::vector<StartupItem> items_;
  NameOrder order_;
  Win32SystemQueries system_;
};

// Each case runs on both forms of the list: its parameter is the form's style.
class ListControlContractTest : public ::testing::TestWithParam<DWORD> {
 protected:
  static void SetUpTestSuite() { InitCommonControls(); }
  void SetUp() override {
    window_ = wine::CreateTestListView(LVS_SHOWSELALWAYS | LVS_SINGLESEL | GetParam(), &Win32ListControl::AnswerRequest);
    ASSERT_NE(nullptr, window_);
    list_.Attach(window_);
    ASSERT_EQ(GetParam() == LVS_OWNERDATA, list_.IsVirtual());
    list_.SetRowTexts(rows_);
  }
  void TearDown() override {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  void Add(const std::vector<std::string>& names) {
    std::vector<std::uint32_t> ids;
    for (const std::string& name : names) ids.push_back(rows_.Add(name, "loc " + name, "info " + name));
    ASSERT_EQ(ids.size(), list_.ShowRows(ids));
  }
  void SortByName(bool ascending) { list_.SortRows(rows_.Order(), ascending); }
  std::uint32_t Id(int position) const {
    std::uint32_t id = 0xFFFFFFFFu;
    EXPECT_TRUE(list_.RowId(position, &id));
    return id;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int p = 0; p < list_.Count(); ++p) names.push_back(wine::ListText(list_.handle(), p, kColumnName));
    return names;
  }
  HWND window_ = nullptr;
  TestRows rows_;
  Win32ListControl list_;
};

// The real list sorts a long list by collation keys it makes once a name:
// the order must still be CompareStringA's, with twins in the order added.
TEST_P(ListControlContractTest, ALongListOfRandomNamesSortsAsCompareStringAOrdersThem) {
  TellingNames names(20261208);
  std::vector<std::string> added(1, names.Name());
  while (added.size() < 1500) added.push_back(names.NearTwinOf(added[names.Pick(0, static_cast<int>(added.size()) - 1)]));
  std::vector<std::uint32_t> ids;
  for (const std::string& name : added) ids.push_back(rows_.Add(name, "", ""));
  list_.ShowRows(ids);
  for (const bool ascending : {true, false}) {
    SortByName(ascending);
    int faults = 0;
    for (int p = 1; p < list_.Count() && faults < 10; ++p) {
      const std::string& before = added.at(Id(p - 1));
      const std::string& after = added.at(Id(p));
      const int order = Sign(RealOrder(before, after)) * (ascending ? 1 : -1);
      if (order > 0 || (order == 0 && Id(p - 1) > Id(p))) {
        ++faults;
        ADD_FAILURE() << (ascending ? "ascending" : "descending") << ", rows " << p - 1 << " and " << p << ": "
                      << Hex(before) << " then " << Hex(after);
      }
    }
  }
}

TEST_P(ListControlContractTest, RowsKeepTheirTextsWholeInEveryColumn) {
  const std::string longName(400, 'n');
  const std::string longLocation = "C:\\" + std::string(5000, 'l') + ".exe";
  list_.ShowRows({rows_.Add("first", "", "")});
  list_.RemoveRows({0});
  EXPECT_EQ(0, list_.Count());
  list_.ShowRows({rows_.Add(longName, longLocation, "Reg - HKCU")});
  EXPECT_EQ(1, list_.Count());
  EXPECT_EQ(1u, Id(0));
  EXPECT_EQ(longName, wine::ListText(list_.handle(), 0, kColumnName));
  EXPECT_EQ(longLocation, wine::ListText(list_.handle(), 0, kColumnLocation));
  EXPECT_EQ("Reg - HKCU", wine::ListText(list_.handle(), 0, kColumnInformation));
  EXPECT_FALSE(list_.IsChecked(0)) << "rows start unchecked";
}

// A list whose owner takes its notifications in Unicode shows each text as
// the entry holds it: twins that the code page shows alike are told apart.
TEST_P(ListControlContractTest, AUnicodeListShowsTextsAsTheEntriesHoldThem) {
  HWND unicodeWindow = wine::CreateTestListView(GetParam(), &Win32ListControl::AnswerRequest, true);
  ASSERT_NE(nullptr, unicodeWindow);
  Win32ListControl unicode;
  unicode.Attach(unicodeWindow);
  unicode.SetRowTexts(rows_);
  const std::u16string omega = u"Tool \u03A9";
  const std::vector<std::uint32_t> ids = {
      rows_.Add(ExactName::Wide(omega), ExactName::Wide(u"c:\\\u03C9mega.exe"), "Reg - HKCU"),
      rows_.Add("Tool O", "c:\\plain.exe", "Reg - HKCU")};
  list_.ShowRows(ids);
  unicode.ShowRows(ids);
  EXPECT_EQ(omega, wine::ListTextUnicode(unicode.handle(), 0, kColumnName));
  EXPECT_EQ(u"c:\\\u03C9mega.exe", wine::ListTextUnicode(unicode.handle(), 0, kColumnLocation));
  EXPECT_EQ(u"Tool O", wine::ListTextUnicode(unicode.handle(), 1, kColumnName));
  EXPECT_EQ("Tool O", wine::ListText(list_.handle(), 0, kColumnName)) << "the ANSI list shows the best fit";
  EXPECT_EQ(omega, wine::ListTextUnicode(unicode.handle(), 0, kColumnName)) << "after the other list's requests";
  DestroyWindow(unicodeWindow);
}

TEST_P(ListControlContractTest, SortsCaseInsensitivelyBothWaysWithChecksAndSelectionAlong) {
  Add({"beta", "Alpha", "delta", "Gamma"});
  list_.SetChecked(1, true);   // Alpha
  list_.SetSelected(3, true);  // Gamma
  SortByName(true);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "delta", "Gamma"}), Names());
  EXPECT_TRUE(list_.IsChecked(0));
  EXPECT_TRUE(list_.IsSelected(3));
  EXPECT_EQ("loc Alpha", wine::ListText(list_.handle(), 0, kColumnLocation)) << "sub-items move with their row";
  SortByName(false);
  EXPECT_EQ((std::vector<std::string>{"Gamma", "delta", "beta", "Alpha"}), Names());
  EXPECT_TRUE(list_.IsChecked(3));
  EXPECT_TRUE(list_.IsSelected(0));
}

TEST_P(ListControlContractTest, CheckingChangesOnlyTheCheckBox) {
  Add({"a", "b"});
  list_.SetSelected(1, true);
  list_.SetChecked(1, true);
  EXPECT_TRUE(list_.IsChecked(1));
  EXPECT_TRUE(list_.IsSelected(1));
  list_.SetChecked(1, false);
  EXPECT_FALSE(list_.IsChecked(1));
  EXPECT_TRUE(list_.IsSelected(1));
  list_.SetChecked(7, true);  // no such row: nothing happens
  EXPECT_EQ(2, list_.Count());
}

TEST_P(ListControlContractTest, RemovingRowsMovesTheOthersUpWithTheirChecks) {
  Add({"a", "b", "c", "d", "e"});
  list_.SetChecked(2, true);
  list_.SetChecked(4, true);
  list_.RemoveRows({3, 1, 0});
  EXPECT_EQ((std::vector<std::string>{"c", "e"}), Names());
  EXPECT_EQ(2, list_.Count());
  EXPECT_TRUE(list_.IsChecked(0));
  EXPECT_TRUE(list_.IsChecked(1));
  EXPECT_EQ(2u, Id(0));
  EXPECT_EQ(4u, Id(1));
  list_.Clear();
  EXPECT_EQ(0, list_.Count());
}

// Typing a name's first letters selects the next row it starts, as the list
// does by itself where it holds the texts.
TEST_P(ListControlContractTest, TypingSelectsTheNextRowWhoseNameStartsSo) {
  Add({"alpha", "Beta", "bravo", "Bass", "charlie"});
  list_.SetSelected(1, true);
  SendMessageA(window_, WM_CHAR, 'B', 1);  // one letter: the list gathers letters typed in quick succession
  EXPECT_EQ(2, static_cast<int>(SendMessageA(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)))
      << "after the focused row, without regard to case";
}

// Drawing again after a change: the list is visible, due to be drawn whole,
// its scroll bar set to its rows, and its header still due when it was; it
// holds as many rows as it shows; a hidden list stays hidden.
TEST_P(ListControlContractTest, DrawingAgainLeavesTheListShownAndDueWholeWithItsScrollBarSet) {
  const HWND host = GetParent(window_);
  ShowWindow(host, SW_SHOWNOACTIVATE);
  UpdateWindow(host);
  const HWND header = GetWindow(window_, GW_CHILD);
  ASSERT_NE(nullptr, header);
  list_.SetRedraw(false);
  Add(std::vector<std::string>(200, "row"));
  InvalidateRect(header, nullptr, TRUE);
  list_.SetRedraw(true);
  EXPECT_TRUE(IsWindowVisible(window_));
  RECT due = {}, client = {};
  GetClientRect(window_, &client);
  ASSERT_TRUE(GetUpdateRect(window_, &due, FALSE));
  EXPECT_TRUE(EqualRect(&due, &client));
  EXPECT_TRUE(GetUpdateRect(header, nullptr, FALSE));
  int top = 0, bottom = 0;
  EXPECT_TRUE(GetScrollRange(window_, SB_VERT, &top, &bottom) && bottom == 199);
  // Loaded again with as many rows, the list shows the new ones, all of it due.
  UpdateWindow(host);
  list_.SetRedraw(false);
  list_.Clear();
  Add(std::vector<std::string>(200, "again"));
  list_.SetRedraw(true);
  ASSERT_TRUE(GetUpdateRect(window_, &due, FALSE));
  EXPECT_TRUE(EqualRect(&due, &client));
  EXPECT_EQ("again", wine::ListText(window_, 199, kColumnName));
  // A load cut short after the rows went: no row is left for the list to show.
  list_.SetRedraw(false);
  list_.Clear();
  list_.SetRedraw(true);
  EXPECT_EQ(0, static_cast<int>(SendMessageA(window_, LVM_GETITEMCOUNT, 0, 0)));
  ShowWindow(window_, SW_HIDE);
  list_.SetRedraw(false);
  list_.SetRedraw(true);
  EXPECT_FALSE(IsWindowVisible(window_)) << "a hidden list stays hidden";
  ShowWindow(host, SW_HIDE);
}

TEST_P(ListControlContractTest, ViewsSwitchTheControlsTypeAndKeepTheRows) {
  Add({"a", "b"});
  list_.SetChecked(0, true);
  const std::pair<ListViewMode, DWORD> views[] = {{ListViewMode::kLargeIcons, LVS_ICON},
                                                  {ListViewMode::kSmallIcons, LVS_SMALLICON},
                                                  {ListViewMode::kList, LVS_LIST},
                                                  {ListViewMode::kDetails, LVS_REPORT}};
  for (const auto& [mode, style] : views) {
    list_.SetView(mode);
    EXPECT_EQ(style, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)) & LVS_TYPEMASK);
    EXPECT_EQ(2, list_.Count());
    EXPECT_TRUE(list_.IsChecked(0));
  }
}


// The real list refuses the n-th row it is given.
WNDPROC realListProcedure = nullptr;
int refuseAt = 0;
int insertSteps = 0;
LRESULT CALLBACK RefusingList(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LVM_INSERTITEMA && ++insertSteps == refuseAt) return -1;
  return CallWindowProcA(realListProcedure, list, message, wParam, lParam);
}

// A row and its entry exist together or not at all: the real list refusing
// a row at any step of a load leaves every row showing its own entry, a list
// that sorts, and the refused row counted in the report.
TEST(ListRefusalTest, ARefusalAtAnyStepOfTheInsertPathLeavesEveryRowWithItsEntry) {
  InitCommonControls();
  ASSERT_TRUE(wine::ClearRunKey(HKEY_CURRENT_USER));
  for (const char* name : {"delta", "Alpha", "charlie", "Bravo"}) {
    ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, wine::kRunKey, name, "c:\\x.exe"));
  }
  Win32Platform real;
  for (refuseAt = 1; refuseAt <= 4; ++refuseAt) {
    SCOPED_TRACE("refused at insert step " + std::to_string(refuseAt));
    HWND window = wine::CreateTestListView(0, &Win32ListControl::AnswerRequest);
    realListProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingList)));
    insertSteps = 0;
    Win32ListControl list;
    list.Attach(window);
    FakeMessageBoxes messages;
    FakeMainWindowView view;
    MainWindow logic(WithMessages(real.services(), messages), WindowsFamily::kNone, false, list, view);
    logic.Refresh();
    ASSERT_EQ(3, list.Count());
    std::vector<std::string> shown;
    for (int p = 0; p < list.Count(); ++p) {
      std::uint32_t id = 0;
      ASSERT_TRUE(list.RowId(p, &id));
      ASSERT_NE(nullptr, logic.inventory().Find(id));
      EXPECT_EQ(wine::ListText(list.handle(), p, kColumnName), AnsiShown(logic.inventory().Find(id)->Text(kColumnName), real.system));
      EXPECT_EQ("Reg - HKCU", wine::ListText(list.handle(), p, kColumnInformation));
      shown.push_back(wine::ListText(list.handle(), p, kColumnName));
    }
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(), [](const std::string& a, const std::string& b) {
      return RealOrder(a, b) < 0;
    }));
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_NE(std::string::npos, messages.shown[0].text.find("The list could not take 1 item."));
    DestroyWindow(window);
  }
  wine::ClearRunKey(HKEY_CURRENT_USER);
}

// The check boxes are the list's own state images, worked by mouse and keys.
class ListCheckBoxContractTest : public ListControlContractTest {
 protected:
  // A click as the user makes it: the button's release is queued first, so
  // the list's own tracking of the press ends at once.
  void ClickAt(POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    PostMessageA(window_, WM_LBUTTONUP, 0, where);
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, where);
    DrainMessages();
  }
  void DrainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  RECT RowPart(int position, int part) {
    RECT rect = {};
    rect.left = part;
    SendMessageA(window_, LVM_GETITEMRECT, position, reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  // The middle of the row's check box: the state image before its label.
  POINT CheckBoxOf(int position) {
    const RECT row = RowPart(position, LVIR_BOUNDS);
    const int boxWidth = GetSystemMetrics(SM_CXSMICON);
    return {row.left + boxWidth / 2, (row.top + row.bottom) / 2};
  }
  POINT LabelOf(int position) {
    const RECT label = RowPart(position, LVIR_LABEL);
    return {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
  }
  // Inside the Information column, well right of the Name.
  POINT InformationOf(int position) {
    const RECT row = RowPart(position, LVIR_BOUNDS);
    const int nameAndLocation = static_cast<int>(SendMessageA(window_, LVM_GETCOLUMNWIDTH, 0, 0) +
                                                 SendMessageA(window_, LVM_GETCOLUMNWIDTH, 1, 0));
    return {row.left + nameAndLocation + 10, (row.top + row.bottom) / 2};
  }
  int FocusedRow() {
    return static_cast<int>(SendMessageA(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  }
  void PressSpace() {
    SendMessageA(window_, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageA(window_, WM_CHAR, ' ', 0x00390001);
    SendMessageA(window_, WM_KEYUP, VK_SPACE, 0xC0390001);
  }
};

TEST_P(ListCheckBoxContractTest, UsesItsOwnTwoStatePicturesNotTheExtendedStyle) {
  const auto extended = static_cast<DWORD>(SendMessageA(window_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(0u, extended & LVS_EX_CHECKBOXES);
  auto pictures = reinterpret_cast<HIMAGELIST>(SendMessageA(window_, LVM_GETIMAGELIST, LVSIL_STATE, 0));
  ASSERT_NE(nullptr, pictures);
  EXPECT_EQ(2, ImageList_GetImageCount(pictures));
  Add({"a"});
  EXPECT_EQ(static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)),
            static_cast<UINT>(SendMessageA(window_, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK)))
      << "a new row shows the unchecked picture";
  list_.SetChecked(0, true);
  EXPECT_EQ(static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)),
            static_cast<UINT>(SendMessageA(window_, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK)));
}

TEST_P(ListCheckBoxContractTest, AClickOnTheBoxTogglesItAndAClickOnTheNameDoesNot) {
  Add({"a", "b", "c"});
  ClickAt(CheckBoxOf(1));
  EXPECT_TRUE(list_.IsChecked(1));
  EXPECT_FALSE(list_.IsChecked(0));
  EXPECT_FALSE(list_.IsChecked(2));
  ClickAt(CheckBoxOf(1));
  EXPECT_FALSE(list_.IsChecked(1)) << "a second click clears it";
  ClickAt(LabelOf(2));
  EXPECT_FALSE(list_.IsChecked(2));
  EXPECT_TRUE(list_.IsSelected(2)) << "the click still selects as usual";
}

TEST_P(ListCheckBoxContractTest, AClickOnABoxLeavesSelectionAndFocusWhereTheyWere) {
  Add({"a", "b", "c"});
  ClickAt(LabelOf(2));
  ASSERT_TRUE(list_.IsSelected(2));
  ClickAt(CheckBoxOf(0));
  EXPECT_TRUE(list_.IsChecked(0));
  EXPECT_FALSE(list_.IsSelected(0)) << "the box's row is not selected";
  EXPECT_TRUE(list_.IsSelected(2));
  EXPECT_EQ(2, FocusedRow());
  PressSpace();
  EXPECT_TRUE(list_.IsChecked(2)) << "the space bar still works on the row the user chose";
  EXPECT_TRUE(list_.IsChecked(0));
}

// comctl32 4.00 selects only by the Name; the control then selects by the whole row.
TEST_P(ListCheckBoxContractTest, WithoutFullRowSelectionAClickAnywhereInARowSelectsIt) {
  ASSERT_EQ(0u, static_cast<DWORD>(SendMessageA(window_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)) &
                    LVS_EX_FULLROWSELECT);
  Add({"a", "b", "c"});
  list_.SetSelected(0, true);
  ClickAt(InformationOf(1));
  EXPECT_FALSE(list_.IsSelected(1)) << "the list by itself ignores a click beside the Name";
  list_.SetSelectsByRowBounds(true);
  ClickAt(InformationOf(1));
  EXPECT_TRUE(list_.IsSelected(1));
  EXPECT_FALSE(list_.IsSelected(0));
  EXPECT_EQ(1, FocusedRow());
  EXPECT_FALSE(list_.IsChecked(1));
  ClickAt(CheckBoxOf(2));
  EXPECT_TRUE(list_.IsChecked(2));
  EXPECT_TRUE(list_.IsSelected(1)) << "a box still only toggles";
  POINT below = InformationOf(2);
  below.y += 3 * (RowPart(2, LVIR_BOUNDS).bottom - RowPart(2, LVIR_BOUNDS).top);
  ClickAt(below);
  EXPECT_FALSE(list_.IsSelected(2)) << "below the last row no row is selected";
}

TEST_P(ListCheckBoxContractTest, TheSpaceBarTogglesTheFocusedRowOnly) {
  Add({"a", "b", "c"});
  list_.SetSelected(2, true);  // selects and focuses
  PressSpace();
  EXPECT_TRUE(list_.IsChecked(2));
  EXPECT_FALSE(list_.IsChecked(0));
  EXPECT_TRUE(list_.IsSelected(2)) << "the blank is no search that moves the selection";
  PressSpace();
  EXPECT_FALSE(list_.IsChecked(2));
}

TEST_P(ListCheckBoxContractTest, BoxesToggledByTheUserSurviveSortsAndViews) {
  Add({"b", "a", "c"});
  ClickAt(CheckBoxOf(0));  // b
  SortByName(true);
  EXPECT_TRUE(list_.IsChecked(1));
  for (ListViewMode mode : {ListViewMode::kLargeIcons, ListViewMode::kSmallIcons,
                            ListViewMode::kList, ListViewMode::kDetails}) {
    list_.SetView(mode);
    EXPECT_TRUE(list_.IsChecked(1));
    EXPECT_FALSE(list_.IsChecked(0));
  }
  SortByName(false);
  EXPECT_TRUE(list_.IsChecked(1)) << "b stays in the middle, checked";
}

TEST_P(ListCheckBoxContractTest, AnotherControlCanTakeTheListOverAndHandItBack) {
  Add({"a"});
  HIMAGELIST pictures = reinterpret_cast<HIMAGELIST>(SendMessageA(window_, LVM_GETIMAGELIST, LVSIL_STATE, 0));
  {
    Win32ListControl second;
    second.Attach(window_);
    EXPECT_EQ(nullptr, list_.handle()) << "the first control let go";
    // The virtual form's rows are its control's: the second shows its own.
    if (second.IsVirtual()) {
      second.SetRowTexts(rows_);
      second.ShowRows({0});
    }
    ClickAt(CheckBoxOf(0));
    EXPECT_TRUE(second.IsChecked(0));
  }
  ClickAt(CheckBoxOf(0));  // nobody serves the boxes now: no toggle, no crash
  list_.Attach(window_);
  ASSERT_EQ(1, list_.Count());
  EXPECT_EQ("a", wine::ListText(window_, 0, kColumnName));
  // The inserted form's boxes are the list's own; the virtual form's its control's.
  EXPECT_EQ(!list_.IsVirtual(), list_.IsChecked(0));
  ClickAt(CheckBoxOf(0));
  EXPECT_EQ(list_.IsVirtual(), list_.IsChecked(0));
  EXPECT_EQ(pictures, reinterpret_cast<HIMAGELIST>(SendMessageA(window_, LVM_GETIMAGELIST, LVSIL_STATE, 0)))
      << "the pictures are made once";
}

TEST_P(ListCheckBoxContractTest, DestroyingTheListLeavesTheControlDetached) {
  Add({"a"});
  DestroyWindow(window_);
  EXPECT_EQ(nullptr, list_.handle());
  window_ = nullptr;
}

std::string FormName(const ::testing::TestParamInfo<DWORD>& form) {
  return form.param == LVS_OWNERDATA ? "Virtual" : "Inserted";
}
INSTANTIATE_TEST_SUITE_P(BothForms, ListControlContractTest, ::testing::Values(DWORD{0}, DWORD{LVS_OWNERDATA}),
                         FormName);
INSTANTIATE_TEST_SUITE_P(BothForms, ListCheckBoxContractTest, ::testing::Values(DWORD{0}, DWORD{LVS_OWNERDATA}),
                         FormName);

}  // namespace
}  // namespace rw
