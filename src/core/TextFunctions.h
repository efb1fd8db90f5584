// The text functions every name operation is built from. Positions are 1-based and
// lengths count UTF-16 units; out-of-range arguments are clamped, never an error.
#pragma once

#include <string>
#include <string_view>

#include "core/EditRequest.h"

namespace renamora {

class Locale;

// Position of the first occurrence of pattern in text; 0 when there is none, or
// when either is empty.
int FindText(std::u16string_view text, std::u16string_view pattern);

// At most count characters from position from on. from < 1 counts as 1.
std::u16string CopyText(std::u16string_view text, int from, int count);

// The text with piece put in front of the character at position index (index < 1:
// at the front; beyond the end: appended).
std::u16string InsertText(std::u16string_view text, std::u16string_view piece, int index);

// Left-to-right replacement that never re-searches inserted text. With ignoreCase,
// text and pattern are compared after upper-casing each unit through the locale.
std::u16string ReplaceText(std::u16string_view text, std::u16string_view pattern,
                           std::u16string_view replacement, bool all, bool ignoreCase,
                           const Locale& locale);

// The stretch of a name that matches the sample's mouse selection: characters
// Before+1 .. After-1. Either bound may fall outside the name.
struct SelectionSpan {
  int Before = 0;
  int After = 1;
};

// length: the name's length; selectionLength: the selection length captured when
// the run started; fromEnd: measure from the end of the name instead of the head.
SelectionSpan SpanOf(int length, const SampleSelection& sample, int selectionLength, bool fromEnd);

}  // namespace renamora
