// The owning wrappers against real handles: each closes its handle once,
// whoever holds it last, and none can be copied.
#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "platform/win32/scoped_handles.h"

namespace rw {
namespace {

template <class T>
constexpr bool kMoveOnly = !std::is_copy_constructible_v<T> && !std::is_copy_assignable_v<T> &&
                           std::is_move_constructible_v<T>;
static_assert(kMoveOnly<ScopedFile> && kMoveOnly<ScopedFindHandle> && kMoveOnly<ScopedPen> &&
              kMoveOnly<ScopedFont> && kMoveOnly<ScopedBitmap> && kMoveOnly<ScopedBrush> &&
              kMoveOnly<ScopedMemoryDC> && kMoveOnly<ScopedMenu> && kMoveOnly<ScopedAccelerators> && kMoveOnly<ScopedGetDC> &&
              kMoveOnly<ScopedSelectObject>);

TEST(ScopedHandlesContractTest, AGdiObjectIsDeletedOnceByItsLastHolder) {
  HPEN raw = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  ASSERT_EQ(static_cast<DWORD>(OBJ_PEN), GetObjectType(raw));
  {
    ScopedPen first(raw);
    ScopedPen second(std::move(first));
    EXPECT_FALSE(first.valid());
    ScopedPen third;
    third = std::move(second);
    EXPECT_EQ(raw, third.get());
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), GetObjectType(raw)) << "moving closes nothing";
  }
  EXPECT_EQ(0u, GetObjectType(raw)) << "gone with its last holder";
}

TEST(ScopedHandlesContractTest, AMenuGivenAwayIsNotDestroyed) {
  ScopedMenu kept(CreatePopupMenu());
  HMENU given;
  {
    ScopedMenu menu(CreatePopupMenu());
    given = menu.release();
  }
  EXPECT_TRUE(IsMenu(given));
  DestroyMenu(given);
  HMENU held = kept.get();
  kept.reset();
  EXPECT_FALSE(IsMenu(held));
}

TEST(ScopedHandlesContractTest, BothEmptyFileValuesMeanNoHandle) {
  EXPECT_FALSE(ScopedFile(INVALID_HANDLE_VALUE).valid());
  EXPECT_FALSE(ScopedFile(nullptr).valid());
  EXPECT_FALSE(ScopedFindHandle(INVALID_HANDLE_VALUE).valid());
}

TEST(ScopedHandlesContractTest, ASelectedObjectGoesBackBeforeItIsDeleted) {
  ScopedGetDC screen(nullptr);
  ASSERT_NE(nullptr, screen.get());
  HGDIOBJ original = GetCurrentObject(screen.get(), OBJ_PEN);
  {
    const ScopedPen pen(CreatePen(PS_SOLID, 2, RGB(9, 9, 9)));
    const ScopedSelectObject selected(screen.get(), pen.get());
    EXPECT_EQ(pen.get(), GetCurrentObject(screen.get(), OBJ_PEN));
  }
  EXPECT_EQ(original, GetCurrentObject(screen.get(), OBJ_PEN));
}

}  // namespace
}  // namespace rw
