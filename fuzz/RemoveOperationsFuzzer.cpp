// Fuzzes the Remove panel's operations (remove, keep, clean) with fuzzed names and options.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "core/ops/RemoveOperations.h"
#include "support/TableLocale.h"

namespace renamora::fuzz {
namespace {

bool IsAsciiLetterOrDigit(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

// out is the name with one stretch (perhaps empty) taken out.
bool IsNameWithoutOneStretch(std::u16string_view out, std::u16string_view name) {
  if (out.size() > name.size()) return false;
  std::size_t prefix = 0;
  while (prefix < out.size() && out[prefix] == name[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < out.size() && out[out.size() - 1 - suffix] == name[name.size() - 1 - suffix]) ++suffix;
  return prefix + suffix >= out.size();
}

// out is made of whole copies of a and b only.
bool IsMadeOf(std::u16string_view out, std::u16string_view a, std::u16string_view b) {
  std::vector<bool> reachable(out.size() + 1, false);
  reachable[0] = true;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (!reachable[i]) continue;
    for (std::u16string_view piece : {a, b}) {
      if (!piece.empty() && out.substr(i, piece.size()) == piece) reachable[i + piece.size()] = true;
    }
  }
  return reachable[out.size()];
}

void CheckRemoveStrings(std::u16string_view name, const RemoveOptions& o, std::u16string_view out) {
  // Each string only ever takes text away.
  FUZZ_CHECK(IsSubsequence(out, name));
  if (o.Strings[0].empty() && o.Strings[1].empty() && o.Strings[2].empty()) FUZZ_CHECK(out == name);
}

void CheckRemoveAnything(std::u16string_view name, const RemoveOptions& o, int selectionLength,
                         std::u16string_view out) {
  switch (o.AnythingKind) {
    case AnythingChoice::SelectedPart:
      FUZZ_CHECK(IsNameWithoutOneStretch(out, name));
      if (selectionLength <= 0) FUZZ_CHECK(out == name);
      break;
    case AnythingChoice::BetweenStrings:
      FUZZ_CHECK(IsSubsequence(out, name));
      // A removal that would leave nothing leaves the name as it was.
      if (!name.empty()) FUZZ_CHECK(!out.empty());
      break;
    case AnythingChoice::AllNumbers:
      FUZZ_CHECK(IsSubsequence(out, name));
      if (name.size() < 2) {
        FUZZ_CHECK(out == name);
      } else {
        for (char16_t c : out) FUZZ_CHECK(!(c >= u'0' && c <= u'9'));
        if (out != name) {
          FUZZ_CHECK(out.empty() || (out.front() > u' ' && out.back() > u' '));
          FUZZ_CHECK(out.find(u"  ") == std::u16string_view::npos);
        }
      }
      break;
  }
}

void CheckKeep(std::u16string_view name, const RemoveOptions& o, int selectionLength, std::u16string_view out) {
  if (o.KeepKind == KeepChoice::SelectedPart) {
    if (selectionLength <= 0) {
      FUZZ_CHECK(out.empty());
    } else {
      FUZZ_CHECK(name.find(out) != std::u16string_view::npos);
      FUZZ_CHECK(out.size() <= std::size_t(selectionLength));
    }
    return;
  }
  // Only the occurrences of the strings, in the order they stand in the name; a
  // name holding neither stays as it is.
  if (out == name) return;
  FUZZ_CHECK(IsSubsequence(out, name));
  FUZZ_CHECK(IsMadeOf(out, o.KeepStrings[0], o.KeepStrings[1]));
}

void CheckClean(std::u16string_view name, const RemoveOptions& o, std::u16string_view out) {
  bool plain = true;
  for (char16_t c : name) plain = plain && IsAsciiLetterOrDigit(c);
  if (name.size() < 2 || plain) {
    FUZZ_CHECK(out == name);
    return;
  }
  if (o.CleanReplaceWithSpace) {
    FUZZ_CHECK(out.size() <= name.size());
  } else {
    FUZZ_CHECK(IsSubsequence(out, name));
  }
  // Only what is spared survives, so no marker of the operation's own can be left.
  for (char16_t c : out) {
    const bool spared = c == u' ' || IsAsciiLetterOrDigit(c) || (o.CleanKeepHyphen && c == u'-') ||
                        (o.CleanKeepParentheses && (c == u'(' || c == u')')) ||
                        (o.CleanKeepBrackets && (c == u'[' || c == u']')) || (o.CleanKeepUnderscore && c == u'_') ||
                        (o.CleanKeepOther && o.CleanKeepOtherText.find(c) != std::u16string::npos);
    FUZZ_CHECK(spared);
  }
  FUZZ_CHECK(out.find(u"  ") == std::u16string_view::npos);
  // Characters go whole: no surrogate pair loses one half.
  FUZZ_CHECK(UnpairedSurrogates(out) <= UnpairedSurrogates(name));
}

}  // namespace
}  // namespace renamora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace renamora;
  using namespace renamora::fuzz;
  FuzzInput in(data, size);
  const std::u16string name = in.Text(80);

  RemoveOptions o;
  o.RemoveKind = in.Choice<RemoveChoice>(4);
  for (auto& s : o.Strings) s = in.Text(8);
  o.CaseSensitive = in.Bool();
  o.OnlyLeftest = in.Bool();
  o.AnythingKind = in.Choice<AnythingChoice>(3);
  o.SelectionFromEnd = in.Bool();
  o.LeftString = in.Text(6);
  o.RightString = in.Bool() ? o.LeftString : in.Text(6);
  o.AlsoRemoveBounds = in.Bool();
  o.KeepKind = in.Choice<KeepChoice>(2);
  o.KeepFromEnd = in.Bool();
  for (auto& s : o.KeepStrings) s = in.Text(6);
  o.KeepOnlyLeftest = in.Bool();
  o.CleanKeepHyphen = in.Bool();
  o.CleanKeepUnderscore = in.Bool();
  o.CleanKeepParentheses = in.Bool();
  o.CleanKeepBrackets = in.Bool();
  o.CleanKeepOther = in.Bool();
  o.CleanKeepOtherText = in.Text(6);
  o.CleanReplaceWithSpace = in.Bool();
  o.CleanAlsoErase = in.Bool();
  o.CleanEraseText = in.Text(6);

  // The request fields allow 0 to 32767; the operations also guard against a
  // negative length, so that is fuzzed too.
  SampleSelection sample;
  sample.SampleText = in.Text(40);
  const bool large = in.Bool();
  sample.SelectionStart = large ? in.Int(0, 32767) : in.Int(0, 50);
  const int selectionLength = large ? in.Int(-50, 32767) : in.Int(-3, 50);
  sample.SelectionLength = selectionLength;

  const test::TableLocale locale;
  const std::u16string out = Remove(name, o, sample, selectionLength, locale);
  switch (o.RemoveKind) {
    case RemoveChoice::RemoveStrings:
      CheckRemoveStrings(name, o, out);
      break;
    case RemoveChoice::RemoveAnything:
      CheckRemoveAnything(name, o, selectionLength, out);
      break;
    case RemoveChoice::KeepSomething:
      CheckKeep(name, o, selectionLength, out);
      break;
    case RemoveChoice::CleanSymbols:
      CheckClean(name, o, out);
      break;
  }
  return 0;
}
