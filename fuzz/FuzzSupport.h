// What every fuzzer shares: turning the fuzz input into texts and options, and stopping on a broken promise.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Prompter.h"

namespace renamora::fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: broken promise: %s\n", file, line, condition);
  __builtin_trap();
}

// An assertion that no build type turns off: a fuzzer that does not stop on a
// broken property only measures speed.
#define FUZZ_CHECK(condition)                                                 \
  do {                                                                        \
    if (!(condition)) ::renamora::fuzz::Fail(#condition, __FILE__, __LINE__); \
  } while (false)

// Units that name texts rarely hold but that the code treats specially: halves of
// surrogate pairs, the byte escapes of POSIX names, the byte-order mark, letters
// whose upper case is not ASCII, path and template characters.
inline constexpr std::array<char16_t, 32> kSpecialUnits = {
    0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xDC80, 0xDCBF, 0xDCC3, 0xDCE2, 0xDCF0, 0xDCFF, 0xD83D,
    0xDE00, 0xFEFF, 0xFFFD, 0xFFFF, 0x00E9, 0x00C9, 0x00DF, 0x00FF, 0x0130, 0x0131, 0x017F,
    0x0430, 0x0410, 0x4E2D, 0x2028, 0x00A0, 0x0000, 0x000D, 0x000A, 0x007F, 0x0080,
};

// The fuzz input as the values a fuzzer needs. Texts come from the front of the
// input and numbers from its end (FuzzedDataProvider's layout), so a seed file
// that is only a template or a file's bytes is read as just that.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : provider_(data, size) {}

  bool Bool() { return provider_.ConsumeBool(); }
  // True unless the input says otherwise: an exhausted input gives the usual case.
  bool Usually() { return provider_.ConsumeIntegralInRange<int>(0, 15) != 15; }
  template <class T>
  T Int(T minimum, T maximum) {
    return provider_.ConsumeIntegralInRange<T>(minimum, maximum);
  }
  template <class T>
  T Any() {
    return provider_.ConsumeIntegral<T>();
  }
  template <class E>
  E Choice(int count) {
    return static_cast<E>(provider_.ConsumeIntegralInRange<int>(0, count - 1));
  }

  // ASCII bytes stand for themselves; the others pick one of kSpecialUnits or, in
  // pairs, any unit at all, so that mutations reach every UTF-16 value.
  std::u16string Text(std::size_t maxBytes) {
    const std::string bytes = provider_.ConsumeRandomLengthString(maxBytes);
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      if (b < 0x80) {
        out += char16_t(b);
      } else if (b < 0x80 + kSpecialUnits.size()) {
        out += kSpecialUnits[b - 0x80];
      } else if (b >= 0xF0 && i + 2 < bytes.size()) {
        out += char16_t((static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]));
        i += 2;
      } else {
        out += char16_t(0x00A0 + (b & 0x3F));  // Latin-1 letters and signs
      }
    }
    return out;
  }

  std::string Bytes(std::size_t maxBytes) { return provider_.ConsumeRandomLengthString(maxBytes); }
  std::string Rest() { return provider_.ConsumeRemainingBytesAsString(); }
  std::size_t Remaining() { return provider_.remaining_bytes(); }

 private:
  FuzzedDataProvider provider_;
};

// Message boxes that are answered at once and counted.
class CountingPrompter final : public Prompter {
 public:
  PromptAnswer Show(PromptIcon, PromptButtons buttons, std::u16string_view, std::u16string_view text) override {
    ++shown;
    lastText = std::u16string(text);
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (buttons == PromptButtons::OkCancel) return yes ? PromptAnswer::Ok : PromptAnswer::Cancel;
    return yes ? PromptAnswer::Yes : PromptAnswer::No;
  }
  bool yes = true;
  int shown = 0;
  std::u16string lastText;
};

// Whether the units of part appear in whole in this order (not necessarily side by side).
inline bool IsSubsequence(std::u16string_view part, std::u16string_view whole) {
  std::size_t k = 0;
  for (std::size_t i = 0; i < whole.size() && k < part.size(); ++i) {
    if (whole[i] == part[k]) ++k;
  }
  return k == part.size();
}

inline std::size_t CountOf(std::u16string_view text, char16_t c) {
  std::size_t n = 0;
  for (char16_t u : text) n += u == c;
  return n;
}

inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

inline std::size_t UnpairedSurrogates(std::u16string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      ++n;
    }
  }
  return n;
}

}  // namespace renamora::fuzz
