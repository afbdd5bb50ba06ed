#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "core/report_words.h"
#include "core/startup_sources.h"
#include "platform/scoped_reg_key.h"
#include "tests/unit/fake_platform.h"

namespace rw {
namespace {

const std::string kRun = kRunKeyPath;

class RegistryValuesTest : public FakePlatformTest {};

// The registry counts names: "Evil\0Hidden" and "\0Lead" are values of their
// own, which the usual delete calls would take for "Evil" and the default value.
TEST_F(RegistryValuesTest, ANameWithANulDeletesExactlyItselfOrNothing) {
  const std::u16string hidden(u"Evil\0Hidden", 11), lead(u"\0Lead", 5);
  for (const bool counted : {true, false}) {
    SCOPED_TRACE(counted ? "with the native delete" : "without it");
    registry.SetWideCallsImplemented(true);
    for (const std::u16string& name : {std::u16string(u"Evil"), hidden, lead, std::u16string()}) {
      registry.SetStringWide(kHkeyCurrentUser, kRun, name, "x.exe");
    }
    registry.SetCountedDeleteImplemented(counted);
    const long hiddenGone = DeleteRegistryValue(registry, kHkeyCurrentUser, kRun, ExactName::Wide(hidden));
    const long leadGone = DeleteRegistryValue(registry, kHkeyCurrentUser, kRun, ExactName::Wide(lead));
    EXPECT_EQ(counted ? kRegSuccess : kErrorNameNotAddressable, hiddenGone);
    EXPECT_EQ(counted ? kRegSuccess : kErrorNameNotAddressable, leadGone);
    EXPECT_EQ(!counted, registry.HasValueWide(kHkeyCurrentUser, kRun, hidden));
    EXPECT_EQ(!counted, registry.HasValueWide(kHkeyCurrentUser, kRun, lead));
    EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Evil"));
    EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, ""));
    EXPECT_EQ(0, registry.OpenHandleCount());
  }
  // Windows 95/98: no call takes a counted name, and an ANSI name is cut too.
  registry.SetWideCallsImplemented(false);
  EXPECT_EQ(kErrorNameNotAddressable,
            DeleteRegistryValue(registry, kHkeyCurrentUser, kRun, std::string("Evil\0Hidden", 11)));
  EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Evil"));
}

TEST_F(RegistryValuesTest, DeletesTheNamedValueOnlyInTheGivenHive) {
  registry.SetString(kHkeyCurrentUser, kRun, "Twin", "u.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Other", "o.exe");
  registry.SetString(kHkeyLocalMachine, kRun, "Twin", "m.exe");
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyCurrentUser, kRun, "Twin"));
  EXPECT_FALSE(registry.HasValue(kHkeyCurrentUser, kRun, "Twin"));
  EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Other"));
  EXPECT_TRUE(registry.HasValue(kHkeyLocalMachine, kRun, "Twin"));
  EXPECT_EQ(0, registry.OpenHandleCount());
}

TEST_F(RegistryValuesTest, TheEmptyNameDeletesTheDefaultValue) {
  registry.SetString(kHkeyLocalMachine, kRun, "", "default.exe");
  registry.SetString(kHkeyLocalMachine, kRun, "Named", "n.exe");
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyLocalMachine, kRun, ""));
  EXPECT_FALSE(registry.HasValue(kHkeyLocalMachine, kRun, ""));
  EXPECT_TRUE(registry.HasValue(kHkeyLocalMachine, kRun, "Named"));
}

TEST_F(RegistryValuesTest, AMissingKeyIsOpenedOnceAndCountsAsGone) {
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyLocalMachine, kRun, "Anything"));
  EXPECT_EQ(1, registry.OpenCalls());
  EXPECT_EQ(0, registry.DeleteCalls());
}

TEST_F(RegistryValuesTest, AMissingValueLeavesTheKeyAsItWasAndCountsAsGone) {
  registry.SetString(kHkeyCurrentUser, kRun, "Stay", "s.exe");
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyCurrentUser, kRun, "Absent"));
  ASSERT_EQ(1u, registry.Values(kHkeyCurrentUser, kRun).size());
  EXPECT_EQ(0, registry.OpenHandleCount());
  EXPECT_EQ(1, registry.OpenCalls()) << "one open serves the delete";
}

TEST_F(RegistryValuesTest, AKeyThatRefusesToOpenIsNotTakenForAMissingOne) {
  registry.SetString(kHkeyLocalMachine, kRun, "Guarded", "g.exe");
  registry.RefuseOpenKey(kHkeyLocalMachine, kRun);
  const int opensBefore = registry.OpenCalls();
  EXPECT_EQ(kRegAccessDenied, DeleteRegistryValue(registry, kHkeyLocalMachine, kRun, "Guarded"));
  EXPECT_TRUE(registry.HasValue(kHkeyLocalMachine, kRun, "Guarded"));
  EXPECT_EQ(opensBefore + 1, registry.OpenCalls()) << "no second open after a refusal";
}

TEST_F(RegistryValuesTest, ARefusedDeletionKeepsTheValueAndSaysSo) {
  registry.SetString(kHkeyLocalMachine, kRun, "Locked", "l.exe");
  registry.RefuseDelete(kHkeyLocalMachine, kRun);
  EXPECT_EQ(kRegAccessDenied, DeleteRegistryValue(registry, kHkeyLocalMachine, kRun, "Locked"));
  EXPECT_TRUE(registry.HasValue(kHkeyLocalMachine, kRun, "Locked"));
  EXPECT_EQ(0, registry.OpenHandleCount());
}

TEST_F(RegistryValuesTest, AScopedKeyClosesOnceWhoeverHoldsItLast) {
  static_assert(!std::is_copy_constructible_v<ScopedRegKey> && std::is_move_constructible_v<ScopedRegKey>);
  registry.CreateKey(kHkeyCurrentUser, kRun);
  {
    ScopedRegKey first(registry);
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kHkeyCurrentUser, kRun, first.receive()));
    ScopedRegKey second(std::move(first));
    EXPECT_FALSE(first.valid());
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kHkeyCurrentUser, kRun, second.receive()))
        << "receiving a new key closes the one held";
    EXPECT_EQ(1, registry.OpenHandleCount());
  }
  EXPECT_EQ(0, registry.OpenHandleCount());
}

TEST_F(RegistryValuesTest, ANameIsMatchedWholeNeverByItsPrefix) {
  registry.SetString(kHkeyCurrentUser, kRun, "Update", "u.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Updater", "ur.exe");
  DeleteRegistryValue(registry, kHkeyCurrentUser, kRun, "Updater");
  EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Update"));
  EXPECT_FALSE(registry.HasValue(kHkeyCurrentUser, kRun, "Updater"));
}

}  // namespace
}  // namespace rw
