// Ownership rules of UniqueHandle: exactly one close per handle, none for the invalid value.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/win32/UniqueHandle.h"

namespace renamora {
namespace {

std::vector<int> closed;

struct CountingTraits {
  using Handle = int;
  static Handle Invalid() noexcept { return -1; }
  static void Close(Handle handle) noexcept { closed.push_back(handle); }
};
using Counted = UniqueHandle<CountingTraits>;

TEST(UniqueHandle, EachHandleIsClosedOnceByItsLastOwner) {
  struct Row {
    const char* name;
    void (*run)();
    std::vector<int> closed;
  };
  const Row rows[] = {
      {"destroyed", [] { Counted a(1); }, {1}},
      {"never owned", [] { Counted a; }, {}},
      {"moved out",
       [] {
         Counted a(1);
         Counted b(std::move(a));
       },
       {1}},
      {"moved over an owner",
       [] {
         Counted a(1);
         Counted b(2);
         b = std::move(a);
       },
       {2, 1}},
      {"released",
       [] {
         Counted a(1);
         EXPECT_EQ(a.Release(), 1);
       },
       {}},
      {"reset to another",
       [] {
         Counted a(1);
         a.Reset(2);
       },
       {1, 2}},
      {"moved onto itself",
       [] {
         Counted a(1);
         Counted& self = a;
         a = std::move(self);
       },
       {1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    closed.clear();
    row.run();
    EXPECT_EQ(closed, row.closed);
  }
}

}  // namespace
}  // namespace renamora
