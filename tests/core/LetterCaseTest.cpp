// Tests of the built-in lower-case table and word letters against the upper-case table.
#include "base/text/LetterCase.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "base/text/NameOrder.h"

namespace renamora {
namespace {

// Properties every unit must have, checked for all 65,536 of them: a wrong run in a
// regenerated table, or a slip in reading the runs, breaks one of them somewhere.
TEST(LetterCaseTablesTest, LowerCaseUndoesUpperCaseForEveryUnit) {
  struct Row {
    const char* label;
    std::function<bool(char16_t)> holds;
  };
  const Row rows[] = {
      {"lower case keeps the name as upper case compares it",
       [](char16_t c) { return UpcaseUnit(LowcaseUnit(c)) == UpcaseUnit(c); }},
      {"lower case of lower case changes nothing", [](char16_t c) { return LowcaseUnit(LowcaseUnit(c)) == LowcaseUnit(c); }},
      {"a capital from the table lowers to a unit that raises back to it",
       [](char16_t c) { return UpcaseUnit(c) == c || UpcaseUnit(LowcaseUnit(UpcaseUnit(c))) == UpcaseUnit(c); }},
      {"every capital from the table has a lower case",
       [](char16_t c) { return UpcaseUnit(c) == c || LowcaseUnit(UpcaseUnit(c)) != UpcaseUnit(c); }},
      {"a unit either table changes is a letter",
       [](char16_t c) { return (UpcaseUnit(c) == c && LowcaseUnit(c) == c) || IsCasedLetter(c); }},
      {"a letter's case forms are letters",
       [](char16_t c) { return !IsCasedLetter(c) || (IsCasedLetter(UpcaseUnit(c)) && IsCasedLetter(LowcaseUnit(c))); }},
      {"surrogates are no letters and stay",
       [](char16_t c) { return c < 0xD800 || c > 0xDFFF || (!IsCasedLetter(c) && LowcaseUnit(c) == c); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::vector<std::uint32_t> failing;
    for (std::uint32_t c = 0; c < 0x10000; ++c) {
      if (!row.holds(char16_t(c))) failing.push_back(c);
    }
    EXPECT_EQ(failing, std::vector<std::uint32_t>{});
  }
}

}  // namespace
}  // namespace renamora
