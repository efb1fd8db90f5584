// Fuzzes the Replace and Insert panels' operations with fuzzed names, options and template texts.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "core/ops/ReplaceInsertOperations.h"
#include "support/TableLocale.h"

namespace renamora::fuzz {
namespace {

// Gives every template back as it is and counts the calls, so that each text an
// operation inserted is known.
class EchoExpander final : public TemplateExpander {
 public:
  std::u16string Expand(std::u16string_view text) override {
    ++calls;
    return std::u16string(text);
  }
  int calls = 0;
};

// Leftmost non-overlapping matches, as a replacement that never re-searches its
// own text finds them; case folded by the locale when asked.
std::size_t Matches(std::u16string_view text, std::u16string_view pattern, bool all, bool ignoreCase,
                    const Locale& locale) {
  if (text.empty() || pattern.empty()) return 0;
  const std::u16string t = ignoreCase ? locale.ToUpper(text) : std::u16string(text);
  const std::u16string p = ignoreCase ? locale.ToUpper(pattern) : std::u16string(pattern);
  std::size_t n = 0;
  for (std::size_t at = t.find(p); at != std::u16string::npos; at = t.find(p, at + p.size())) {
    ++n;
    if (!all) break;
  }
  return n;
}

// out is a beginning of the name, then piece, then an end of the name, the two
// parts of the name not overlapping.
bool IsPieceBetweenNameParts(std::u16string_view out, std::u16string_view piece, std::u16string_view name) {
  if (out.size() < piece.size()) return false;
  const std::size_t rest = out.size() - piece.size();
  if (rest > name.size()) return false;
  for (std::size_t before = 0; before <= rest; ++before) {
    const std::size_t after = rest - before;
    if (out.substr(0, before) == name.substr(0, before) && out.substr(before, piece.size()) == piece &&
        out.substr(before + piece.size()) == name.substr(name.size() - after)) {
      return true;
    }
  }
  return false;
}

void CheckReplace(std::u16string_view name, const ReplaceOptions& o, const SampleSelection& sample, int selectionLength,
                  const Locale& locale) {
  EchoExpander expander;
  const std::u16string out = Replace(name, o, sample, selectionLength, locale, expander);
  // Expanded once whatever the kind, so that every item moves the random seed on alike.
  FUZZ_CHECK(expander.calls == 1);
  const std::u16string& replacement = o.NewTemplate;
  if (o.ReplaceKind == ReplaceChoice::ReplaceString) {
    if (o.OldString.empty()) {
      FUZZ_CHECK(out == name);
      return;
    }
    const std::size_t n = Matches(name, o.OldString, !o.OnlyLeftest, !o.CaseSensitive, locale);
    FUZZ_CHECK(out.size() + n * o.OldString.size() == name.size() + n * replacement.size());
    if (n == 0) FUZZ_CHECK(out == name);
    return;
  }
  FUZZ_CHECK(IsPieceBetweenNameParts(out, replacement, name));
}

void CheckInsert(std::u16string_view name, const InsertOptions& o, const SampleSelection& sample,
                 const Locale& locale) {
  EchoExpander expander;
  const std::u16string out = Insert(name, o, sample, locale, expander);
  if (o.InsertKind == InsertChoice::ToPosition) {
    FUZZ_CHECK(expander.calls == int(o.AtCursor) + int(o.AtHead) + int(o.AtEnd));
    std::u16string_view middle = out;
    if (o.AtHead) {
      FUZZ_CHECK(middle.starts_with(o.HeadTemplate));
      middle.remove_prefix(o.HeadTemplate.size());
    }
    if (o.AtEnd) {
      FUZZ_CHECK(middle.ends_with(o.EndTemplate));
      middle.remove_suffix(o.EndTemplate.size());
    }
    // The cursor text goes somewhere into the name, which otherwise stays whole.
    const std::u16string_view cursor = o.AtCursor ? std::u16string_view(o.CursorTemplate) : std::u16string_view();
    FUZZ_CHECK(middle.size() == name.size() + cursor.size());
    FUZZ_CHECK(IsPieceBetweenNameParts(middle, cursor, name));
    return;
  }
  FUZZ_CHECK(expander.calls == 1);
  const std::u16string pattern =
      o.Where == InsertPosition::BETWEEN ? o.ExistingString + o.SecondString : o.ExistingString;
  const std::size_t n = Matches(name, pattern, true, false, locale);
  // Every occurrence gets the text once; an empty existing string finds nothing.
  FUZZ_CHECK(out.size() == name.size() + n * o.InsertTemplate.size());
  if (n == 0) FUZZ_CHECK(out == name);
  FUZZ_CHECK(IsSubsequence(name, out));
}

}  // namespace
}  // namespace renamora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace renamora;
  using namespace renamora::fuzz;
  FuzzInput in(data, size);
  const std::u16string name = in.Text(80);

  SampleSelection sample;
  sample.SampleText = in.Text(40);
  const bool large = in.Bool();
  sample.SelectionStart = large ? in.Int(0, 32767) : in.Int(0, 50);
  const int selectionLength = large ? in.Int(-50, 32767) : in.Int(-3, 50);
  sample.SelectionLength = selectionLength;
  sample.CursorPosition = large ? in.Int(0, 32767) : in.Int(0, 50);

  const test::TableLocale locale;
  if (in.Bool()) {
    ReplaceOptions o;
    o.ReplaceKind = in.Choice<ReplaceChoice>(2);
    o.OldString = in.Text(8);
    o.CaseSensitive = in.Bool();
    o.OnlyLeftest = in.Bool();
    o.SelectionFromEnd = in.Bool();
    o.NewTemplate = in.Text(12);
    CheckReplace(name, o, sample, selectionLength, locale);
  } else {
    InsertOptions o;
    o.InsertKind = in.Choice<InsertChoice>(2);
    o.AtHead = in.Bool();
    o.HeadTemplate = in.Text(8);
    o.AtEnd = in.Bool();
    o.EndTemplate = in.Text(8);
    o.AtCursor = in.Bool();
    o.CursorTemplate = in.Text(8);
    o.CursorFromEnd = in.Bool();
    o.ExistingString = in.Text(6);
    o.Where = in.Choice<InsertPosition>(3);
    o.SecondString = in.Text(6);
    o.InsertTemplate = in.Text(8);
    CheckInsert(name, o, sample, locale);
  }
  return 0;
}
