// What renamora-cli writes to standard output: previews and renamed items as a
// table, TSV or JSON.
#include "cli/CliOutput.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "core/text/Utf.h"

namespace renamora::cli {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

std::size_t CodePoints(std::u16string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    ++count;
  }
  return count;
}

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
    } else if (c < 0x20 || c == 0x7F) {
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
    oldWidth = std::max(oldWidth, CodePoints(TableCell(row.OldName)));
    newWidth = std::max(newWidth, CodePoints(TableCell(row.NewName)));
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
    Pad(out, oldWidth - CodePoints(oldCell) + kGap);
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
