// The sorting contract against the stand-in list; tests/wine runs the same
// contract against the real list view.
#include "tests/contract/list_sort_contract.h"
#include "tests/fakes/fake_list_control.h"
#include "tests/fakes/fake_system_queries.h"

namespace rw {
namespace {

struct FakeLists {
  FakeListControl list;
  FakeSystemQueries system;
  ListControl* Make() { return &list; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(StandIn, ListSortContract, FakeLists);

}  // namespace
}  // namespace rw
