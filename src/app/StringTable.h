// The active table of user-visible texts, with the built-in English texts behind it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messages.h"

namespace renamora {

// The English texts compiled into the program, laid out like a language file:
// four header lines, an empty line, then one "[NNN]text" line per message in
// number order, so that message N stands near line N + 5.
const std::vector<std::u16string>& BuiltInTable();

// An entry line is "[NNN]text". Only three decimal digits as characters 2 to 4
// make a line an entry, so a slip in the brackets does not lose a translation;
// every other line, however short or long, is none.
std::optional<MessageId> EntryNumber(std::u16string_view line);
// Character 6 to the end of the line, trimmed; empty for a line that short.
std::u16string EntryText(std::u16string_view line);

// Blanks and control characters around a text are layout of the file, never
// part of the text.
std::u16string_view TrimBlanks(std::u16string_view text);

// Lines of a language file (or of the built-in table), kept exactly as read:
// only lines whose characters 2 to 4 hold a message number take part in a
// lookup, so headers, comments and blank lines need no filtering.
class StringTable : public TextLookup {
 public:
  // No lines: every text comes from the built-in table.
  StringTable() = default;
  explicit StringTable(std::vector<std::u16string> lines);

  // A table holding a copy of the built-in lines.
  static const StringTable& BuiltIn();

  const std::vector<std::u16string>& Lines() const { return lines_; }

  // The trimmed text of message `id`; a number this table lacks, or holds with
  // an empty text, comes from the built-in table, and one that neither holds
  // gives "L{missing text NNN}".
  std::u16string Lookup(MessageId id) const override;

 private:
  std::vector<std::u16string> lines_;
};

}  // namespace renamora
