// Conversions between UTF-8 byte names and the engine's UTF-16 text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace renamora {

// Decodes UTF-8. A byte that is not part of a valid sequence becomes the lone
// surrogate U+DC00 + byte (U+DC80..U+DCFF), so that any byte string survives a
// round trip through Utf16ToUtf8 unchanged.
std::u16string Utf8ToUtf16(std::string_view bytes);

// Encodes UTF-16 as UTF-8, turning U+DC80..U+DCFF back into their bytes. Gives
// nothing for other unpaired surrogates, and for escapes whose bytes side by side
// spell a character (U+DCC3 U+DCA9): no byte name decodes to either, and writing
// them would name a different file than the text shows.
std::optional<std::string> Utf16ToUtf8(std::u16string_view text);
// The same into a buffer the caller keeps; false where Utf16ToUtf8 gives nothing.
bool Utf16ToUtf8Into(std::u16string_view text, std::string& out);

// Strict UTF-8 conversion for texts the program writes itself: unpaired
// surrogates become U+FFFD.
std::string ToUtf8Lossy(std::u16string_view text);

// For literals and messages in tests and the command line.
inline std::u16string U16(std::string_view utf8) { return Utf8ToUtf16(utf8); }

}  // namespace renamora
