// Letter case of names and extensions by the built-in Unicode tables: the same
// result on every system, whatever its locale.
#pragma once

#include <string>
#include <string_view>

namespace renamora {

// Lower case of one UTF-16 unit. Rule: Unicode's lower case of c when it is one unit
// that upper-cases (UpcaseUnit) as c does, else c; so a case conversion never makes
// a name another name as NTFS compares names.
char16_t LowcaseUnit(char16_t c);

// Whether c counts as a letter where a name is split into words: it has a case
// mapping of its own (also one to several units, as "ß" to "SS") or is the case
// mapping of another unit. Digits, symbols and uncased scripts are no letters.
bool IsCasedLetter(char16_t c);

// A unit that upper-casing would change and that is not already a capital of some
// form: title-case digraphs such as "ǅ" count as capitals, not as lower case.
bool IsLowercaseLetter(char16_t c);

// The text with every unit upper-cased (UpcaseUnit, the table of the name order) or
// lower-cased one for one: its length never changes.
std::u16string ToLetterCase(std::u16string_view text, bool upper);

// Equal once both are lower-cased.
bool EqualsIgnoringLetterCase(std::u16string_view a, std::u16string_view b);

}  // namespace renamora
