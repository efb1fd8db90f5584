// Expansion of the template language for one item.
#include "core/special/SpecialStrings.h"

#include <climits>
#include <optional>
#include <random>
#include <vector>

#include "base/Paths.h"
#include "base/text/NumberText.h"

namespace renamora {
namespace {

constexpr std::u16string_view kTokenStarts = u"{$%@#";

bool Contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

// Left to right without looking at inserted text again, so a replacement that holds
// the token (a folder named "%%%%") cannot make the expansion loop.
void ReplaceAll(std::u16string& text, std::u16string_view token, std::u16string_view replacement) {
  std::size_t at = text.find(token);
  if (at == std::u16string::npos) return;
  std::u16string out;
  out.reserve(text.size() + replacement.size());
  std::size_t from = 0;
  while (at != std::u16string::npos) {
    out.append(text, from, at - from);
    out += replacement;
    from = at + token.size();
    at = text.find(token, from);
  }
  out.append(text, from);
  text = std::move(out);
}

// One pass that reads "@$@" before any run of "$" it overlaps; this gives the same
// text as hiding every "@$@" behind a marker first, without a marker that real
// text could hold.
std::u16string WithSequenceNumbers(std::u16string_view text, std::int32_t counter) {
  std::u16string out;
  out.reserve(text.size() + 8);
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.substr(i, 3) == u"@$@") {
      out += u'$';
      i += 3;
    } else if (text[i] == u'$') {
      std::size_t end = i;
      while (end < text.size() && text[end] == u'$') ++end;
      const std::size_t width = end - i;
      out += NumberText(counter, width > INT_MAX ? INT_MAX : static_cast<int>(width));
      i = end;
    } else {
      out += text[i++];
    }
  }
  return out;
}

// The count of a random token: an optional sign and digits, as the check before a
// run reads them. Nothing for anything else.
std::optional<int> SmallInteger(std::u16string_view x) {
  bool negative = false;
  if (!x.empty() && (x[0] == u'+' || x[0] == u'-')) {
    negative = x[0] == u'-';
    x.remove_prefix(1);
  }
  if (x.empty()) return std::nullopt;
  int value = 0;
  for (char16_t c : x) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return negative ? -value : value;
}

// Replaces the random tokens "%n%" one at a time from the left, as the token reading
// of the check before a run does. A token kept literally ("%abc%") keeps its "%"
// characters in the text, but marked as hidden: the search no longer sees them, and
// unlike a stand-in character no text (a folder name holding "?") can be mistaken
// for them.
void ExpandRandomTokens(std::u16string& text, const SpecialStringSettings& settings, SequenceState& sequences) {
  std::vector<bool> hidden(text.size(), false);
  auto nextPercent = [&](std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
      if (text[i] == u'%' && !hidden[i]) return i;
    }
    return std::u16string::npos;
  };
  // Nothing before the first "%" ever changes again, so the search goes on from there.
  std::size_t first = nextPercent(0);
  while (first != std::u16string::npos) {
    std::size_t start = first + 1;
    while (start < text.size() && text[start] == u'%' && !hidden[start]) ++start;
    const std::size_t close = nextPercent(start);
    if (close == std::u16string::npos) return;
    const std::size_t open = start - 1;
    const std::u16string_view x = std::u16string_view(text).substr(start, close - start);
    const std::optional<int> count = x.size() < 3 ? SmallInteger(x) : std::nullopt;
    if (count) {
      const std::u16string random = RandomText(*count, settings, sequences);
      text.replace(open, close + 1 - open, random);
      hidden.erase(hidden.begin() + static_cast<std::ptrdiff_t>(open),
                   hidden.begin() + static_cast<std::ptrdiff_t>(close + 1));
      hidden.insert(hidden.begin() + static_cast<std::ptrdiff_t>(open), random.size(), false);
    } else {
      // Too long for a count, or not a number (only a folder name can bring one in):
      // the token stays as it is.
      hidden[open] = true;
      hidden[close] = true;
    }
    first = nextPercent(first);
  }
}

}  // namespace

std::u16string RandomText(int count, const SpecialStringSettings& settings, SequenceState& sequences) {
  ++sequences.RandomSeedBase;
  // With no class on no draw could ever append, and the loop below would not end.
  if (count <= 0 || !(settings.RandomDigits || settings.RandomUpper || settings.RandomLower)) return {};
  std::mt19937 generator(sequences.RandomSeedBase);
  std::u16string out;
  out.reserve(static_cast<std::size_t>(count));
  // One draw picks the class, so the classes are equally likely whatever their sizes.
  while (out.size() < static_cast<std::size_t>(count)) {
    switch (generator() % 3) {
      case 0:
        if (settings.RandomDigits) out += static_cast<char16_t>(u'0' + generator() % 10);
        break;
      case 1:
        if (settings.RandomUpper) out += static_cast<char16_t>(u'A' + generator() % 26);
        break;
      default:
        if (settings.RandomLower) out += static_cast<char16_t>(u'a' + generator() % 26);
        break;
    }
  }
  return out;
}

std::u16string ParentFolderName(std::u16string_view itemPath) {
  const std::size_t end = LastFolderEnd(itemPath);
  if (end == std::u16string_view::npos) return {};
  std::u16string_view folder = itemPath.substr(0, end + 1);
  // Only separators go: the ":" of "C:" ends the folder part, so a root's name is empty.
  while (!folder.empty() && folder.back() == kPathSeparator) folder.remove_suffix(1);
  const std::size_t start = LastFolderEnd(folder);
  return std::u16string(start == std::u16string_view::npos ? folder : folder.substr(start + 1));
}

std::u16string DateText(const LocalTime& time) {
  return NumberText(time.year, 0) + NumberText(time.month, 2) + NumberText(time.day, 2);
}

std::u16string ExpandSpecialStrings(std::u16string_view text, std::u16string_view itemPath,
                                    const SpecialStringServices& services) {
  const SpecialStringSettings& settings = services.settings;
  SequenceState& sequences = services.sequences;
  // Most templates of a large run hold no token at all.
  if (!settings.Enabled || text.find_first_of(kTokenStarts) == std::u16string_view::npos) {
    return std::u16string(text);
  }
  std::u16string t(text);

  if (Contains(t, u"{a}") || Contains(t, u"{A}")) {
    // Before the first reset the letter is unset; a name gets the first letter
    // rather than a NUL character.
    char16_t letter = sequences.SequenceLetter;
    if (letter == 0) letter = settings.LetterUpper ? u'A' : u'a';
    const std::u16string_view letterText(&letter, 1);
    ReplaceAll(t, u"{a}", letterText);
    ReplaceAll(t, u"{A}", letterText);
  }

  if (Contains(t, u"$")) t = WithSequenceNumbers(t, sequences.SequenceCounter);

  if (Contains(t, u"%%")) ReplaceAll(t, u"%%", ParentFolderName(itemPath));

  if (Contains(t, u"%")) ExpandRandomTokens(t, settings, sequences);

  // The item is looked up at most once, and only for a token that needs it: a run
  // over many items must not pay a file-system call per name.
  std::optional<std::optional<DirEntry>> entry;
  auto lookUp = [&]() -> const std::optional<DirEntry>& {
    if (!entry) entry = services.fs.Stat(itemPath);
    return *entry;
  };

  if (Contains(t, u"@@")) {
    const std::optional<DirEntry>& e = lookUp();
    ReplaceAll(t, u"@@", e ? DateText(services.clock.ToLocalTime(e->lastWrite)) : u"nofiletime");
  }

  if (Contains(t, u"##")) {
    const std::optional<DirEntry>& e = lookUp();
    ReplaceAll(t, u"##", e ? TemplateSizeText(e->size, services.locale.DecimalSeparator()) : u"nofilesize");
  }
  return t;
}

}  // namespace renamora
