#pragma once
// The list's sorting contract, run against the stand-in in the native unit
// tests and against the real list view under Wine. Both order names as
// CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE) does for US English,
// and keep names that compare equal in the order they were added, either way.
//
// Each side instantiates it with a type whose Make() gives an empty list that
// lives as long as that object, and whose |system| makes the collation keys;
// its kUnicode says whether the names are keyed in Unicode, as a list that
// shows Unicode keys them (the names lie in Latin-1, whose bytes are their
// code points, so both orders must agree):
//   INSTANTIATE_TYPED_TEST_SUITE_P(StandIn, ListSortContract, FakeLists);
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/startup_inventory.h"
#include "platform/list_control.h"

namespace rw {

template <class Lists>
class ListSortContract : public ::testing::Test, private RowTexts {
 protected:
  void SetUp() override {
    list_ = lists_.Make();
    ASSERT_NE(nullptr, list_);
    list_->SetRowTexts(*this);
  }
  // Shows the names in order, as a load reads them: each row's id says when it was read.
  void Add(const std::vector<std::string>& names) {
    std::vector<std::uint32_t> ids;
    for (const std::string& name : names) {
      std::u16string latin1;
      for (const char c : name) latin1 += static_cast<char16_t>(static_cast<unsigned char>(c));
      const ExactName exact = Lists::kUnicode ? ExactName::Wide(latin1) : ExactName(name);
      items_.push_back(StartupItem(ItemSource::kMachineRun, exact, ExactName()));
      ids.push_back(static_cast<std::uint32_t>(items_.size() - 1));
    }
    ASSERT_EQ(ids.size(), list_->ShowRows(ids));
  }
  // The names in the order of the system's collation keys, as the rows now stand.
  std::vector<std::string> Sorted(bool ascending) {
    order_.MakeKeys(lists_.system, items_, Lists::kUnicode);
    list_->SortRows(order_, ascending);
    std::vector<std::string> names;
    for (int p = 0; p < list_->Count(); ++p) {
      const RowText name = items_.at(RowId(p)).Text(kColumnName);
      names.emplace_back(name.units, name.units + name.length);
    }
    return names;
  }
  // The order the rows were added in, as now shown.
  std::string AddedOrder() const {
    std::string order;
    for (int p = 0; p < list_->Count(); ++p) order += "#" + std::to_string(RowId(p) + 1);
    return order;
  }

  Lists lists_;
  ListControl* list_ = nullptr;

 private:
  std::uint32_t RowId(int position) const {
    std::uint32_t id = 0;
    EXPECT_TRUE(list_->RowId(position, &id)) << "row " << position;
    return id;
  }
  RowText Text(std::uint32_t id, ListColumn column) const override { return items_.at(id).Text(column); }

  std::vector<StartupItem> items_;
  NameOrder order_;
};

TYPED_TEST_SUITE_P(ListSortContract);

using Names = std::vector<std::string>;

TYPED_TEST_P(ListSortContract, LettersCompareWithoutRegardToCase) {
  this->Add({"beta", "Alpha", "delta", "Gamma", "ALPHAS"});
  EXPECT_EQ((Names{"Alpha", "ALPHAS", "beta", "delta", "Gamma"}), this->Sorted(true));
  EXPECT_EQ((Names{"Gamma", "delta", "beta", "ALPHAS", "Alpha"}), this->Sorted(false));
}

TYPED_TEST_P(ListSortContract, BlanksAndSymbolsComeBeforeDigitsAndDigitsBeforeLetters) {
  // Not the order of the character codes: '_' and '~' come before the digits,
  // '+' and '<' after the other symbols, the copyright sign after those.
  this->Add({"b", "1b", "_b", "+b", " b", "~b", "!b", "\xa9" "b", "<b", ".b", "Zb"});
  EXPECT_EQ((Names{" b", "!b", ".b", "_b", "~b", "+b", "<b", "\xa9" "b", "1b", "b", "Zb"}),
            this->Sorted(true));
}

TYPED_TEST_P(ListSortContract, DigitsCompareOneByOneNotAsNumbers) {
  this->Add({"a2", "a10", "a1", "a01"});
  EXPECT_EQ((Names{"a01", "a1", "a10", "a2"}), this->Sorted(true));
}

TYPED_TEST_P(ListSortContract, HyphensAndApostrophesCountOnlyWhenAllElseIsEqual) {
  this->Add({"cooq", "co-op", "coop", "co op", "co'op", "-coop"});
  // Without them "co-op" reads "coop": after "co op" (a blank is a symbol),
  // before "cooq". Among such equals no mark comes first, then a mark further
  // right, then the apostrophe before the hyphen.
  EXPECT_EQ((Names{"co op", "coop", "co'op", "co-op", "-coop", "cooq"}), this->Sorted(true));
}

TYPED_TEST_P(ListSortContract, AccentedLettersSortWithTheirLetterAndAccentsCountSecond) {
  this->Add({"\xe9" "b", "ec", "eb", "\xe9" "a", "ea", "\xc9" "A", "f"});
  // e-acute: "\xe9", E-acute: "\xc9". Letters decide first, accents next, case never.
  EXPECT_EQ((Names{"ea", "\xe9" "a", "\xc9" "A", "eb", "\xe9" "b", "ec", "f"}), this->Sorted(true));
  EXPECT_EQ("#5#4#6#3#1#2#7", this->AddedOrder());
}

TYPED_TEST_P(ListSortContract, LigaturesSortAsTheirLettersAndTieWithThem) {
  this->Add({"af", "\xe6", "ad", "AE", "\xdf", "sr", "SS", "st"});
  // ae-ligature reads "ae", sharp s "ss": equal names, kept in the order added.
  EXPECT_EQ((Names{"ad", "\xe6", "AE", "af", "sr", "\xdf", "SS", "st"}), this->Sorted(true));
  EXPECT_EQ((Names{"st", "\xdf", "SS", "sr", "af", "\xe6", "AE", "ad"}), this->Sorted(false));
}

TYPED_TEST_P(ListSortContract, EqualNamesKeepTheOrderTheyWereAddedInEitherWay) {
  this->Add({"Twin", "a", "TWIN", "twin", "Tw\xadin", "b"});  // \xad: a soft hyphen, ignored
  this->Sorted(true);
  EXPECT_EQ("#2#6#1#3#4#5", this->AddedOrder());
  this->Sorted(false);
  EXPECT_EQ("#1#3#4#5#6#2", this->AddedOrder());
}

TYPED_TEST_P(ListSortContract, APrefixComesFirstAndEmptyNamesFirstOfAll) {
  this->Add({"ab", "a", "", "abc", "A"});
  EXPECT_EQ((Names{"", "a", "A", "ab", "abc"}), this->Sorted(true));
  EXPECT_EQ("#3#2#5#1#4", this->AddedOrder());
}

REGISTER_TYPED_TEST_SUITE_P(ListSortContract, LettersCompareWithoutRegardToCase,
                            BlanksAndSymbolsComeBeforeDigitsAndDigitsBeforeLetters,
                            DigitsCompareOneByOneNotAsNumbers,
                            HyphensAndApostrophesCountOnlyWhenAllElseIsEqual,
                            AccentedLettersSortWithTheirLetterAndAccentsCountSecond,
                            LigaturesSortAsTheirLettersAndTieWithThem,
                            EqualNamesKeepTheOrderTheyWereAddedInEitherWay,
                            APrefixComesFirstAndEmptyNamesFirstOfAll);

}  // namespace rw
