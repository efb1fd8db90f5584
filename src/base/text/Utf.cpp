// UTF-8 <-> UTF-16 with byte escapes for names that are not valid UTF-8.
#include "base/text/Utf.h"

#include <cstdint>
#include <vector>

namespace renamora {
namespace {

// Length of the valid UTF-8 sequence at s[i] and its code point, or 0 when the
// bytes there do not start a well-formed sequence (overlong forms, surrogates and
// values above U+10FFFF are not well-formed).
std::size_t DecodeOne(std::string_view s, std::size_t i, char32_t& cp) {
  auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char c = b(0);
  const std::size_t left = s.size() - i;
  auto cont = [&](std::size_t k) { return k < left && (b(k) & 0xC0) == 0x80; };
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  if (c >= 0xC2 && c <= 0xDF) {
    if (!cont(1)) return 0;
    cp = (char32_t(c & 0x1F) << 6) | (b(1) & 0x3F);
    return 2;
  }
  if (c >= 0xE0 && c <= 0xEF) {
    if (!cont(1) || !cont(2)) return 0;
    if (c == 0xE0 && b(1) < 0xA0) return 0;  // overlong
    if (c == 0xED && b(1) >= 0xA0) return 0; // surrogate
    cp = (char32_t(c & 0x0F) << 12) | (char32_t(b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    return 3;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (!cont(1) || !cont(2) || !cont(3)) return 0;
    if (c == 0xF0 && b(1) < 0x90) return 0;  // overlong
    if (c == 0xF4 && b(1) >= 0x90) return 0; // above U+10FFFF
    cp = (char32_t(c & 0x07) << 18) | (char32_t(b(1) & 0x3F) << 12) | (char32_t(b(2) & 0x3F) << 6) |
         (b(3) & 0x3F);
    return 4;
  }
  return 0;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Walks UTF-16 text; calls onCodePoint for scalar values and onLone for unpaired
// surrogates. Stops early when onLone returns false.
template <class CodePoint, class Lone>
bool WalkUtf16(std::u16string_view text, CodePoint onCodePoint, Lone onLone) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1])) {
      onCodePoint(0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
      ++i;
    } else if (IsHigh(c) || IsLow(c)) {
      if (!onLone(c)) return false;
    } else {
      onCodePoint(c);
    }
  }
  return true;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes) {
  // Most names are ASCII: take such a run unit by unit before the general decoder.
  std::size_t i = 0;
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
  std::u16string out(bytes.begin(), bytes.begin() + std::ptrdiff_t(i));
  if (i == bytes.size()) return out;
  out.reserve(bytes.size());
  while (i < bytes.size()) {
    char32_t cp = 0;
    const std::size_t n = DecodeOne(bytes, i, cp);
    if (n == 0) {
      out += char16_t(0xDC00 + static_cast<unsigned char>(bytes[i]));
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += char16_t(0xD800 + (cp >> 10));
      out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      out += char16_t(cp);
    }
    i += n;
  }
  return out;
}

bool Utf16ToUtf8Into(std::u16string_view text, std::string& out) {
  // Paths are mostly ASCII: copy such a run unit by unit before the general walk.
  out.resize(text.size());
  char* dst = out.data();
  const char16_t* src = text.data();
  std::size_t ascii = 0;
  while (ascii < text.size() && src[ascii] < 0x80) {
    dst[ascii] = char(src[ascii]);
    ++ascii;
  }
  if (ascii == text.size()) return true;
  out.resize(ascii);
  // Where escapes put a byte that can start a UTF-8 sequence: only such a byte,
  // followed by escaped continuation bytes, can come back from the disk as a
  // different character (U+DCC3 U+DCA9 would be written as "é").
  std::vector<std::size_t> escapedLeads;
  const bool encodable = WalkUtf16(
      text.substr(ascii), [&](char32_t cp) { AppendUtf8(out, cp); },
      [&](char16_t lone) {
        if (lone < 0xDC80 || lone > 0xDCFF) return false;
        if (lone >= 0xDCC2) escapedLeads.push_back(out.size());
        out += char(lone - 0xDC00);
        return true;
      });
  if (!encodable) return false;
  // No byte name decodes to such a text, so it has no bytes: two different texts
  // must never name one file.
  for (const std::size_t at : escapedLeads) {
    char32_t cp = 0;
    if (DecodeOne(out, at, cp) != 0) return false;
  }
  return true;
}

std::optional<std::string> Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  if (!Utf16ToUtf8Into(text, out)) return std::nullopt;
  return out;
}

std::string ToUtf8Lossy(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  WalkUtf16(
      text, [&](char32_t cp) { AppendUtf8(out, cp); },
      [&](char16_t) {
        AppendUtf8(out, 0xFFFD);
        return true;
      });
  return out;
}

}  // namespace renamora
