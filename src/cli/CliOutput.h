// What renamora-cli writes to standard output: previews and renamed items as a
// table, TSV or JSON.
#pragma once

#include <optional>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/PreviewRows.h"

namespace renamora::cli {

enum class OutputFormat { Table, Tsv, Json };

// "table", "tsv" or "json".
std::optional<OutputFormat> ParseOutputFormat(std::string_view text);

// Text for a person at a terminal, in UTF-8, with names shown as the table shows
// them: tabs and line breaks as blanks, the other control characters as '?'. For
// every message written to standard error, which quotes names.
std::string ConsoleText(std::u16string_view text);

// The columns a terminal gives the text: 2 for East Asian wide and fullwidth
// characters and emoji, 0 for combining marks and zero-width characters, else 1
// (a surrogate pair is one character).
std::size_t DisplayWidth(std::u16string_view text);

// The text as a quoted JSON string in UTF-8. An unpaired surrogate (a byte that
// was not UTF-8 in a POSIX name) stays visible as its \uXXXX escape.
std::string JsonString(std::u16string_view text);

// The preview window's rows. TSV: "old<TAB>new" per row, "text<TAB>" for an
// information row; a tab or line break inside a name is written as a blank so
// that every row stays one line of two fields. Table: two columns aligned by
// display width under a header. JSON: an array of {"old","new"} and {"info"}.
std::string FormatPreview(const std::vector<PreviewRow>& rows, OutputFormat format);

// Views into the run's undo pairs, which outlive the formatting.
struct RenamedItem {
  std::u16string_view oldPath, newPath;
};

// The renamed items, then the run's status line. TSV: full paths; table:
// "old -> new", relative to commonFolder where both paths lie inside it; JSON:
// {"renamed":[{"old","new"}...],"status":...} with full paths.
std::string FormatRenamed(const std::vector<RenamedItem>& items, std::u16string_view statusLine, OutputFormat format,
                          std::u16string_view commonFolder);
// The same written to out a block at a time, item i given by itemAt(i): the
// output of a large run is never held whole in memory.
void WriteRenamed(std::ostream& out, std::size_t count, const std::function<RenamedItem(std::size_t)>& itemAt,
                  std::u16string_view statusLine, OutputFormat format, std::u16string_view commonFolder);

}  // namespace renamora::cli
