// Fuzzes the UTF-8 / UTF-16 conversions of names: both round trips must be exact.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "base/text/Utf.h"

namespace renamora::fuzz {
namespace {

bool IsEscape(char16_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

// Every unpaired surrogate as U+FFFD: what the lossy conversion is to keep of a text.
std::u16string WithReplacementCharacters(std::u16string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out += text.substr(i, 2);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      out += u'\xFFFD';
    } else {
      out += text[i];
    }
  }
  return out;
}

// A byte name read from disk must come back byte for byte, whatever it holds.
void BytesRoundTrip(std::string_view bytes) {
  const std::u16string text = Utf8ToUtf16(bytes);
  // Only the byte escapes may stand alone: a name from disk holds no other
  // unpaired surrogate.
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i])) {
      FUZZ_CHECK(i + 1 < text.size() && IsLowSurrogate(text[i + 1]));
      ++i;
    } else if (IsLowSurrogate(text[i])) {
      FUZZ_CHECK(IsEscape(text[i]));
    }
  }
  const std::optional<std::string> back = Utf16ToUtf8(text);
  FUZZ_CHECK(back.has_value());
  FUZZ_CHECK(*back == bytes);
}

// A text the encoder accepts is one some byte name holds: decoding that name
// must give the text again, or a rename would create a name other than the one
// the preview showed.
void TextRoundTrip(std::u16string_view text, std::string reused) {
  const std::optional<std::string> bytes = Utf16ToUtf8(text);
  // The buffer form reuses whatever the caller's buffer held before.
  const bool intoOk = Utf16ToUtf8Into(text, reused);
  FUZZ_CHECK(intoOk == bytes.has_value());
  if (bytes) {
    FUZZ_CHECK(reused == *bytes);
    FUZZ_CHECK(Utf8ToUtf16(*bytes) == text);
  } else {
    // Refused only for what no byte name can hold: an unpaired surrogate.
    FUZZ_CHECK(UnpairedSurrogates(text) > 0);
  }
  // The lossy form is always well-formed UTF-8 and loses nothing but the
  // unpaired surrogates.
  const std::string lossy = ToUtf8Lossy(text);
  const std::u16string decoded = Utf8ToUtf16(lossy);
  FUZZ_CHECK(UnpairedSurrogates(decoded) == 0);
  FUZZ_CHECK(decoded == WithReplacementCharacters(text));
  if (UnpairedSurrogates(text) == 0) FUZZ_CHECK(bytes && *bytes == lossy);
}

}  // namespace
}  // namespace renamora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace renamora::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  BytesRoundTrip(bytes);

  // The same input as UTF-16 units (little-endian pairs), with the raw units and
  // with a bias towards the escapes, which are the interesting ones.
  std::u16string units;
  std::u16string escapes;
  for (std::size_t i = 0; i + 1 < size; i += 2) units += char16_t(data[i] | (data[i + 1] << 8));
  for (std::size_t i = 0; i < size; ++i) {
    escapes += data[i] >= 0x80 ? char16_t(0xDC00 + data[i]) : char16_t(data[i]);
  }
  TextRoundTrip(units, std::string(bytes.substr(0, size / 3)));
  TextRoundTrip(escapes, {});
  return 0;
}
