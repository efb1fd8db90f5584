// What renamora-cli writes to standard output: previews and renamed items as a
// table, TSV or JSON.
#include "cli/CliOutput.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "base/text/Utf.h"

namespace renamora::cli {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

struct CodeRange {
  char32_t first, last;
};

// Characters a terminal draws over no column of their own: combining marks of the
// common scripts, zero-width spaces and joiners, variation selectors.
constexpr CodeRange kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489},   {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2}, {0x05C4, 0x05C5},
    {0x05C7, 0x05C7}, {0x0610, 0x061A},   {0x064B, 0x065F}, {0x0670, 0x0670}, {0x06D6, 0x06DC}, {0x06DF, 0x06E4},
    {0x06E7, 0x06E8}, {0x06EA, 0x06ED},   {0x0900, 0x0902}, {0x093A, 0x093A}, {0x093C, 0x093C}, {0x0941, 0x0948},
    {0x094D, 0x094D}, {0x0E31, 0x0E31},   {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x20D0, 0x20FF},   {0x302A, 0x302D}, {0x3099, 0x309A}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
    {0xFEFF, 0xFEFF}, {0xE0100, 0xE01EF},
};

// East Asian Wide and Fullwidth characters (ideographs, kana, hangul, fullwidth
// forms) and the emoji drawn in two columns.
constexpr CodeRange kDoubleWidth[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},   {0x23F0, 0x23F0},
    {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},   {0x2648, 0x2653},   {0x267F, 0x267F},
    {0x2693, 0x2693},   {0x26A1, 0x26A1},   {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},
    {0x26CE, 0x26CE},   {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},   {0x2728, 0x2728},
    {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},   {0x2757, 0x2757},   {0x2795, 0x2797},
    {0x27B0, 0x27B0},   {0x27BF, 0x27BF},   {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},
    {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},
    {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4}, {0x17000, 0x18CFF}, {0x1B000, 0x1B2FF},
    {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF}, {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F2FF},
    {0x1F300, 0x1F64F}, {0x1F680, 0x1F6FF}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

template <std::size_t N>
bool InRanges(const CodeRange (&ranges)[N], char32_t c) {
  const auto* it = std::upper_bound(std::begin(ranges), std::end(ranges), c,
                                    [](char32_t value, const CodeRange& r) { return value < r.first; });
  return it != std::begin(ranges) && c <= (it - 1)->last;
}

// Control characters: C0, DEL and C1, which some terminals take as the start of a
// control sequence. A POSIX name byte 0x80..0x9F that is not UTF-8 reaches us as
// U+DC80..U+DC9F and would be written back as that very byte.
bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xDC80 && c <= 0xDC9F); }

// A POSIX name that is not UTF-8 reaches us with its bytes as U+DC80..U+DCFF;
// written back as those bytes, the output names the file that is really there.
// Windows names are UTF-16, so such a surrogate can only be shown replaced.
std::string NameUtf8(std::u16string_view name) {
#ifndef _WIN32
  if (auto bytes = Utf16ToUtf8(name)) return *std::move(bytes);
#endif
  return ToUtf8Lossy(name);
}

bool IsFieldBreak(char16_t c) { return c == u'\t' || c == u'\n' || c == u'\r'; }

// A tab or line break would split a TSV row; a blank keeps the row's shape.
std::string TsvField(std::u16string_view name) {
  if (std::none_of(name.begin(), name.end(), IsFieldBreak)) return NameUtf8(name);
  std::u16string field(name);
  std::replace_if(field.begin(), field.end(), IsFieldBreak, u' ');
  return NameUtf8(field);
}

// For a person at a terminal: no name may break the layout or send the terminal
// control sequences, so the other control characters show as '?', as ls does.
std::u16string TableCell(std::u16string_view name) {
  std::u16string cell(name);
  for (char16_t& c : cell) {
    if (IsFieldBreak(c)) {
      c = u' ';
    } else if (IsControl(c)) {
      c = u'?';
    }
  }
  return cell;
}

std::string TextLine(std::u16string_view text) { return ToUtf8Lossy(TableCell(text)) + "\n"; }

void Pad(std::string& out, std::size_t columns) { out.append(columns, ' '); }

std::string PreviewTable(const std::vector<PreviewRow>& rows) {
  const bool anyName = std::any_of(rows.begin(), rows.end(), [](const PreviewRow& r) { return !r.IsInformation; });
  // Without a name row the header would stand over nothing but the messages.
  if (!anyName) {
    std::string out;
    for (const PreviewRow& row : rows) out += TextLine(row.OldName);
    return out;
  }
  constexpr std::u16string_view kOldHeader = u"Old name";
  constexpr std::u16string_view kNewHeader = u"New name";
  constexpr std::size_t kGap = 2;
  // Information rows stand alone and so do not widen the columns.
  std::size_t oldWidth = kOldHeader.size();
  std::size_t newWidth = kNewHeader.size();
  for (const PreviewRow& row : rows) {
    if (row.IsInformation) continue;
    oldWidth = std::max(oldWidth, DisplayWidth(TableCell(row.OldName)));
    newWidth = std::max(newWidth, DisplayWidth(TableCell(row.NewName)));
  }
  std::string out = ToUtf8Lossy(kOldHeader);
  Pad(out, oldWidth - kOldHeader.size() + kGap);
  out += ToUtf8Lossy(kNewHeader) + "\n";
  out += std::string(oldWidth, '-');
  Pad(out, kGap);
  out += std::string(newWidth, '-') + "\n";
  for (const PreviewRow& row : rows) {
    if (row.IsInformation) {
      out += TextLine(row.OldName);
      continue;
    }
    const std::u16string oldCell = TableCell(row.OldName);
    out += NameUtf8(oldCell);
    Pad(out, oldWidth - DisplayWidth(oldCell) + kGap);
    out += NameUtf8(TableCell(row.NewName)) + "\n";
  }
  return out;
}

bool IsSeparator(char16_t c) {
#ifdef _WIN32
  return c == u'\\' || c == u'/';
#else
  return c == u'/';
#endif
}

// The part of path below folder, or the whole path when it is not below it.
std::u16string_view BelowFolder(std::u16string_view path, std::u16string_view folder) {
  if (folder.empty() || path.size() <= folder.size() || path.substr(0, folder.size()) != folder) return path;
  if (IsSeparator(folder.back())) return path.substr(folder.size());
  if (IsSeparator(path[folder.size()]) && path.size() > folder.size() + 1) return path.substr(folder.size() + 1);
  return path;
}

bool IsBelow(std::u16string_view path, std::u16string_view folder) {
  return BelowFolder(path, folder).size() != path.size();
}

}  // namespace

std::size_t DisplayWidth(std::u16string_view text) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      ++i;
    }
    if (InRanges(kZeroWidth, c)) continue;
    width += InRanges(kDoubleWidth, c) ? 2 : 1;
  }
  return width;
}

std::string ConsoleText(std::u16string_view text) { return ToUtf8Lossy(TableCell(text)); }

std::optional<OutputFormat> ParseOutputFormat(std::string_view text) {
  if (text == "table") return OutputFormat::Table;
  if (text == "tsv") return OutputFormat::Tsv;
  if (text == "json") return OutputFormat::Json;
  return std::nullopt;
}

std::string JsonString(std::u16string_view text) {
  std::string out = "\"";
  std::size_t plainFrom = 0;
  const auto flushPlain = [&](std::size_t upTo) { out += ToUtf8Lossy(text.substr(plainFrom, upTo - plainFrom)); };
  const auto escape = [&](std::size_t i, const char* replacement) {
    flushPlain(i);
    out += replacement;
    plainFrom = i + 1;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    switch (c) {
      case u'"':
        escape(i, "\\\"");
        continue;
      case u'\\':
        escape(i, "\\\\");
        continue;
      case u'\b':
        escape(i, "\\b");
        continue;
      case u'\f':
        escape(i, "\\f");
        continue;
      case u'\n':
        escape(i, "\\n");
        continue;
      case u'\r':
        escape(i, "\\r");
        continue;
      case u'\t':
        escape(i, "\\t");
        continue;
      default:
        break;
    }
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
      continue;
    }
    if (c < 0x20 || IsHighSurrogate(c) || IsLowSurrogate(c)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(c));
      escape(i, hex);
    }
  }
  flushPlain(text.size());
  return out + "\"";
}

std::string FormatPreview(const std::vector<PreviewRow>& rows, OutputFormat format) {
  std::string out;
  switch (format) {
    case OutputFormat::Table:
      return PreviewTable(rows);
    case OutputFormat::Tsv:
      for (const PreviewRow& row : rows) {
        if (row.IsInformation) {
          out += ToUtf8Lossy(TableCell(row.OldName)) + "\t\n";
        } else {
          out += TsvField(row.OldName) + "\t" + TsvField(row.NewName) + "\n";
        }
      }
      return out;
    case OutputFormat::Json:
      if (rows.empty()) return "[]\n";
      out = "[\n";
      for (std::size_t i = 0; i < rows.size(); ++i) {
        const PreviewRow& row = rows[i];
        out += row.IsInformation
                   ? "  {\"info\": " + JsonString(row.OldName) + "}"
                   : "  {\"old\": " + JsonString(row.OldName) + ", \"new\": " + JsonString(row.NewName) + "}";
        out += i + 1 < rows.size() ? ",\n" : "\n";
      }
      return out + "]\n";
  }
  return out;
}

void WriteRenamed(std::ostream& out, std::size_t count, const std::function<RenamedItem(std::size_t)>& itemAt,
                  std::u16string_view statusLine, OutputFormat format, std::u16string_view commonFolder) {
  constexpr std::size_t kBlock = 64 * 1024;
  std::string block;
  block.reserve(kBlock + 4096);
  auto flushIfFull = [&] {
    if (block.size() < kBlock) return;
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
    block.clear();
  };
  switch (format) {
    case OutputFormat::Table:
      for (std::size_t i = 0; i < count; ++i) {
        const RenamedItem item = itemAt(i);
        const bool relative = IsBelow(item.oldPath, commonFolder) && IsBelow(item.newPath, commonFolder);
        const std::u16string_view oldShown = relative ? BelowFolder(item.oldPath, commonFolder) : item.oldPath;
        const std::u16string_view newShown = relative ? BelowFolder(item.newPath, commonFolder) : item.newPath;
        block += NameUtf8(TableCell(oldShown));
        block += " -> ";
        block += NameUtf8(TableCell(newShown));
        block += '\n';
        flushIfFull();
      }
      if (!statusLine.empty()) block += TextLine(statusLine);
      break;
    case OutputFormat::Tsv:
      for (std::size_t i = 0; i < count; ++i) {
        const RenamedItem item = itemAt(i);
        block += TsvField(item.oldPath);
        block += '\t';
        block += TsvField(item.newPath);
        block += '\n';
        flushIfFull();
      }
      if (!statusLine.empty()) block += TextLine(statusLine);
      break;
    case OutputFormat::Json:
      block = "{\n  \"renamed\": [";
      for (std::size_t i = 0; i < count; ++i) {
        const RenamedItem item = itemAt(i);
        block += i == 0 ? "\n" : ",\n";
        block += "    {\"old\": " + JsonString(item.oldPath) + ", \"new\": " + JsonString(item.newPath) + "}";
        flushIfFull();
      }
      block += count == 0 ? "],\n" : "\n  ],\n";
      block += "  \"status\": " + JsonString(statusLine) + "\n}\n";
      break;
  }
  out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

std::string FormatRenamed(const std::vector<RenamedItem>& items, std::u16string_view statusLine, OutputFormat format,
                          std::u16string_view commonFolder) {
  std::ostringstream out;
  WriteRenamed(
      out, items.size(), [&](std::size_t i) { return items[i]; }, statusLine, format, commonFolder);
  return out.str();
}

}  // namespace renamora::cli
