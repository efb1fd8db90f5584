// The Remove panel's operations on one working name (the base of a file, or a
// folder's whole name). Pure functions: they read only their arguments.
#pragma once

#include <string>
#include <string_view>

#include "core/EditRequest.h"

namespace renamora {

class Locale;

// Applies the operation that options.RemoveKind (and AnythingKind) selects.
// selectionLength is the sample selection length captured when the run started.
std::u16string Remove(std::u16string_view name, const RemoveOptions& options,
                      const SampleSelection& sample, int selectionLength, const Locale& locale);

std::u16string RemoveStrings(std::u16string_view name, const RemoveOptions& options,
                             const Locale& locale);
std::u16string RemoveSelectedPart(std::u16string_view name, const SampleSelection& sample,
                                  int selectionLength, bool fromEnd);
std::u16string RemoveBetween(std::u16string_view name, std::u16string_view left,
                             std::u16string_view right, bool alsoRemoveBounds);
std::u16string RemoveAllNumbers(std::u16string_view name);

// "Keep something": the stretch matching the sample selection, from the head or the end.
std::u16string KeepSelectedPart(std::u16string_view name, const SampleSelection& sample,
                                int selectionLength, bool fromEnd);
// "Keep something" with given strings: only the occurrences of KeepStrings, in the
// order they stand in the name; a name holding neither stays as it is.
std::u16string KeepStrings(std::u16string_view name, const RemoveOptions& options,
                           const Locale& locale);
// "Clean symbols": everything but ASCII letters, digits, spaces and the spared
// characters is erased (or becomes a space); runs of spaces are folded.
std::u16string CleanSymbols(std::u16string_view name, const RemoveOptions& options,
                            const Locale& locale);

}  // namespace renamora
