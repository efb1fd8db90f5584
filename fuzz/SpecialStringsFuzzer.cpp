// Fuzzes the template expansion and the random-token check with fuzzed templates, item paths and settings.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "MemoryFileSystem.h"
#include "app/StringTable.h"
#include "core/NameChecks.h"
#include "core/special/SpecialStrings.h"
#include "support/TableLocale.h"

namespace renamora::fuzz {
namespace {

// Local time is whatever the input says, so that dates of any year reach the text.
class FixedClock final : public Clock {
 public:
  FileTime Now() const override { return 0; }
  std::int64_t UnixSeconds() const override { return 0; }
  LocalTime ToLocalTime(FileTime) const override { return time; }
  LocalTime time;
};

constexpr std::u16string_view kTokenStarts = u"{$%@#";

bool Holds(std::u16string_view text, std::u16string_view part) { return text.find(part) != std::u16string_view::npos; }
bool HoldsAnyOf(std::u16string_view text, std::u16string_view units) {
  return text.find_first_of(units) != std::u16string_view::npos;
}

bool IsCount(std::u16string_view x) {
  if (!x.empty() && (x[0] == u'+' || x[0] == u'-')) x.remove_prefix(1);
  if (x.empty()) return false;
  for (char16_t c : x) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

// The tokens "%x%" as the check before a run reads them, for a text without "%%":
// how many of them the expansion must turn into random text (a count of one or
// two characters), the others staying as they are.
int RandomTokensOf(std::u16string_view t) {
  int tokens = 0;
  for (;;) {
    const std::size_t open = t.find(u'%');
    if (open == std::u16string_view::npos) return tokens;
    const std::size_t close = t.find(u'%', open + 1);
    if (close == std::u16string_view::npos) return tokens;
    const std::u16string_view x = t.substr(open + 1, close - open - 1);
    if (x.size() < 3 && IsCount(x)) ++tokens;
    t = t.substr(close + 1);
  }
}

struct World {
  SpecialStringSettings settings;
  SequenceState sequences;
  MemoryFileSystem fs;
  FixedClock clock;
  test::TableLocale locale;
};

void CheckRandomText(FuzzInput& in, const SpecialStringSettings& settings, SequenceState sequences) {
  const int count = in.Int(-3, 120);
  const std::uint32_t seedBefore = sequences.RandomSeedBase;
  SequenceState again = sequences;
  const std::u16string text = RandomText(count, settings, sequences);
  FUZZ_CHECK(sequences.RandomSeedBase == seedBefore + 1);
  FUZZ_CHECK(RandomText(count, settings, again) == text);
  const bool anyClass = settings.RandomDigits || settings.RandomUpper || settings.RandomLower;
  FUZZ_CHECK(text.size() == (count > 0 && anyClass ? std::size_t(count) : 0));
  for (char16_t c : text) {
    const bool digit = c >= u'0' && c <= u'9';
    const bool upper = c >= u'A' && c <= u'Z';
    const bool lower = c >= u'a' && c <= u'z';
    FUZZ_CHECK((digit && settings.RandomDigits) || (upper && settings.RandomUpper) || (lower && settings.RandomLower));
  }
}

}  // namespace
}  // namespace renamora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace renamora;
  using namespace renamora::fuzz;
  FuzzInput in(data, size);
  // The template first: a seed file that is just a template is read as one.
  const std::u16string text = in.Text(400);
  std::u16string itemPath = u"/" + in.Text(40);
  if (in.Bool()) itemPath = in.Text(40);  // relative, or a root item

  World w;
  w.settings.Enabled = in.Usually();
  w.settings.StartNumber = in.Int(0, 10000);
  w.settings.LetterUpper = in.Bool();
  w.settings.RandomUpper = in.Usually();
  w.settings.RandomLower = in.Usually();
  w.settings.RandomDigits = in.Usually();
  w.sequences.SequenceCounter = in.Any<std::int32_t>();
  // The letter is unset (0) until the first reset, then one of the settings' case.
  if (in.Bool()) {
    const char16_t first = w.settings.LetterUpper ? u'A' : u'a';
    w.sequences.SequenceLetter = char16_t(first + in.Int(0, 25));
  }
  w.sequences.RandomSeedBase = in.Any<std::uint32_t>();
  w.locale.decimal = in.Bool() ? in.Text(3) : u".";
  w.clock.time = {in.Any<int>(), in.Any<int>(), in.Any<int>(), 0, 0, 0};
  if (in.Usually()) {
    w.fs.AddFile(itemPath, {}, 0, in.Any<std::int64_t>());
    w.fs.ReportSize(itemPath, in.Any<std::uint64_t>());
  }
  CheckRandomText(in, w.settings, w.sequences);

  const SequenceState before = w.sequences;
  const SpecialStringServices services{w.settings, w.sequences, w.fs, w.clock, w.locale};
  w.fs.stats = 0;
  const std::u16string out = ExpandSpecialStrings(text, itemPath, services);
  const int stats = w.fs.stats;

  // The expansion changes nothing but the random seed base.
  FUZZ_CHECK(w.sequences.SequenceCounter == before.SequenceCounter);
  FUZZ_CHECK(w.sequences.SequenceLetter == before.SequenceLetter);
  // The same state gives the same text.
  SequenceState again = before;
  const SpecialStringServices servicesAgain{w.settings, again, w.fs, w.clock, w.locale};
  FUZZ_CHECK(ExpandSpecialStrings(text, itemPath, servicesAgain) == out);
  FUZZ_CHECK(again.RandomSeedBase == w.sequences.RandomSeedBase);

  if (!w.settings.Enabled || !HoldsAnyOf(text, kTokenStarts)) {
    FUZZ_CHECK(out == text);
    FUZZ_CHECK(w.sequences.RandomSeedBase == before.RandomSeedBase);
    FUZZ_CHECK(stats == 0);
  }
  // The item is looked up at most once, and only for a date or size token, which
  // only the template or the folder name can bring in.
  FUZZ_CHECK(stats <= 1);
  if (!HoldsAnyOf(text, u"@#") && !HoldsAnyOf(itemPath, u"@#")) FUZZ_CHECK(stats == 0);

  const std::u16string folder = ParentFolderName(itemPath);
  FUZZ_CHECK(Holds(itemPath, folder));
  FUZZ_CHECK(!Holds(folder, u"/"));
  // Every "$" becomes a number, unless "@$@" asks for one; later tokens bring a
  // "$" only from the folder name or the decimal separator.
  if (w.settings.Enabled && !Holds(text, u"@") && !Holds(folder, u"$") && !Holds(w.locale.decimal, u"$")) {
    FUZZ_CHECK(!Holds(out, u"$"));
  }
  // Without other tokens the expansion reads the "%" tokens as the check does:
  // every count becomes random text and draws one seed, every other token stays.
  if (w.settings.Enabled && !Holds(text, u"%%") && !HoldsAnyOf(text, u"{$@#")) {
    const int tokens = RandomTokensOf(text);
    FUZZ_CHECK(w.sequences.RandomSeedBase == before.RandomSeedBase + std::uint32_t(tokens));
    FUZZ_CHECK(CountOf(out, u'%') == CountOf(text, u'%') - 2 * std::size_t(tokens));
  }

  // The check shows a message exactly when it refuses.
  CountingPrompter prompter;
  const MessageContext messages{StringTable::BuiltIn(), prompter};
  const bool accepted = CheckRandomSpecs(text, w.settings, messages);
  FUZZ_CHECK(accepted == (prompter.shown == 0));
  FUZZ_CHECK(prompter.shown <= 1);
  if (!w.settings.Enabled || !Holds(text, u"%")) FUZZ_CHECK(accepted);
  return 0;
}
