// The sorting contract against the stand-in list; tests/wine runs the same
// contract against the real list view.
#include "tests/contract/list_sort_contract.h"
#include "tests/fakes/fake_list_control.h"
#include "tests/fakes/fake_system_queries.h"

namespace rw {
namespace {

template <bool unicode>
struct FakeLists {
  static constexpr bool kUnicode = unicode;
  FakeListControl list;
  FakeSystemQueries system;
  ListControl* Make() { return &list; }
};

using StandIns = ::testing::Types<FakeLists<false>, FakeLists<true>>;
INSTANTIATE_TYPED_TEST_SUITE_P(StandIn, ListSortContract, StandIns);

}  // namespace
}  // namespace rw
