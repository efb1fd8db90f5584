// Encoding and line splitting of the program's text files.
#include "core/TextFile.h"

#include <algorithm>

#include "base/text/Utf.h"

namespace renamora {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  // An odd last byte cannot be a unit of its own and is dropped.
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  return out;
}

// Such a unit cannot be written as UTF-8; UTF-16 keeps it.
bool HasUnpairedSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

// Code-page bytes that begin like a byte-order mark ("\xDCFF\xDCFE" on POSIX, "ÿþ"
// in a Western code page, a leading U+FEFF in UTF-8) would be read back in the
// encoding of that mark.
bool StartsWithMark(std::string_view bytes) {
  return bytes.starts_with(kUtf8Bom) || bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom);
}

}  // namespace

std::u16string DecodeText(std::string_view bytes, const Locale& locale) {
  if (bytes.starts_with(kUtf8Bom)) return Utf8ToUtf16(bytes.substr(kUtf8Bom.size()));
  if (bytes.starts_with(kUtf16LeBom)) return DecodeUtf16(bytes.substr(2), false);
  if (bytes.starts_with(kUtf16BeBom)) return DecodeUtf16(bytes.substr(2), true);
  return locale.FromCodePage(bytes);
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string EncodeLines(std::span<const std::u16string_view> lines, const Locale& locale) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::u16string text;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += u"\r\n";
  }
  return EncodeText(text, locale);
}

std::string EncodeText(std::u16string_view text, const Locale& locale) {
  return EncodeText(std::span<const std::u16string_view>(&text, 1), locale);
}

std::string EncodeText(std::span<const std::u16string_view> pieces, const Locale& locale) {
  std::size_t units = 0;
  for (const auto piece : pieces) units += piece.size();
  // Pieces end at line ends, so each converts on its own as the whole text would.
  std::string out;
  bool fits = true;
  for (const auto piece : pieces) {
    auto bytes = locale.ToCodePage(piece);
    if (!bytes) {
      fits = false;
      break;
    }
    if (out.empty()) out.reserve(units + units / 4);
    out += *bytes;
  }
  if (fits && !StartsWithMark(out)) return out;
  const bool utf8 = std::none_of(pieces.begin(), pieces.end(), HasUnpairedSurrogate);
  out.assign(utf8 ? kUtf8Bom : kUtf16LeBom);
  for (const auto piece : pieces) {
    if (utf8) {
      out += ToUtf8Lossy(piece);
      continue;
    }
    for (const char16_t c : piece) {
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>(c >> 8));
    }
  }
  return out;
}

std::string EncodeLines(const std::vector<std::u16string>& lines, const Locale& locale) {
  const std::vector<std::u16string_view> views(lines.begin(), lines.end());
  return EncodeLines(views, locale);
}

std::optional<std::vector<std::u16string>> ReadTextLines(FileSystem& fs, std::u16string_view path,
                                                         const Locale& locale) {
  auto bytes = fs.ReadFile(path);
  if (!bytes) return std::nullopt;
  return SplitLines(DecodeText(*bytes, locale));
}

bool WriteTextLines(FileSystem& fs, std::u16string_view path, const std::vector<std::u16string>& lines,
                    const Locale& locale) {
  return fs.WriteFile(path, EncodeLines(lines, locale));
}

bool WriteTextLines(FileSystem& fs, std::u16string_view path, std::span<const std::u16string_view> lines,
                    const Locale& locale) {
  return fs.WriteFile(path, EncodeLines(lines, locale));
}

}  // namespace renamora
