// Reading and rewriting the settings file with the rules of the Windows profile functions.
#include "app/SettingsFile.h"

#include <limits>

#include "base/text/AsciiCase.h"
#include "core/TextFile.h"

namespace renamora {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::u16string_view a, std::u16string_view b) { return EqualsIgnoringAsciiCase(a, b); }

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::u16string_view name;  // section or key name, trimmed
  std::u16string_view rawValue;  // everything after the first "="
};

ParsedLine ParseLine(std::u16string_view line) {
  const std::u16string_view s = Trim(line);
  if (s.empty() || s.front() == u';') return {};
  if (s.front() == u'[') {
    std::u16string_view inner = s.substr(1);
    if (const auto close = inner.find(u']'); close != std::u16string_view::npos) inner = inner.substr(0, close);
    return {LineKind::Section, Trim(inner), {}};
  }
  const auto eq = s.find(u'=');
  if (eq == std::u16string_view::npos) return {};
  const std::u16string_view key = Trim(s.substr(0, eq));
  if (key.empty()) return {};
  // The value is taken from the untrimmed line so that nothing at its end is cut.
  const auto lineEq = line.find(u'=');
  return {LineKind::Key, key, line.substr(lineEq + 1)};
}

bool IsQuote(char16_t c) { return c == u'"' || c == u'\''; }

std::u16string DecodeValue(std::u16string_view raw) {
  std::u16string_view v = Trim(raw);
  if (v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back()) v = v.substr(1, v.size() - 2);
  return std::u16string(v);
}

// Quoted exactly when DecodeValue would otherwise change the value.
std::u16string EncodeValue(std::u16string_view value) {
  const bool blankEnds = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
  const bool quoted = value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back();
  if (!blankEnds && !quoted) return std::u16string(value);
  std::u16string out(u"\"");
  out += value;
  out += u'"';
  return out;
}

bool HasLineBreak(std::u16string_view s) { return s.find_first_of(u"\r\n") != std::u16string_view::npos; }

bool ValidSectionName(std::u16string_view name) {
  return !name.empty() && Trim(name).size() == name.size() && !HasLineBreak(name) &&
         name.find(u']') == std::u16string_view::npos;
}

bool ValidKeyName(std::u16string_view key) {
  return !key.empty() && Trim(key).size() == key.size() && !HasLineBreak(key) &&
         key.find(u'=') == std::u16string_view::npos && key.front() != u';' && key.front() != u'[';
}

std::u16string KeyLine(std::u16string_view key, std::u16string_view value) {
  std::u16string line(key);
  line += u'=';
  line += EncodeValue(value);
  return line;
}

std::u16string DecimalText(std::int64_t value) {
  std::u16string out;
  // Through the unsigned magnitude so that the lowest value has a text too.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  do {
    out.insert(out.begin(), char16_t(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) out.insert(out.begin(), u'-');
  return out;
}

}  // namespace

std::optional<std::int64_t> ParseSettingsInteger(std::u16string_view text) {
  std::u16string_view s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s.front() == u'+' || s.front() == u'-')) {
    negative = s.front() == u'-';
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  const std::uint64_t limit =
      negative ? std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1 : std::numeric_limits<std::int64_t>::max();
  std::uint64_t magnitude = 0;
  for (const char16_t c : s) {
    if (c < u'0' || c > u'9') return std::nullopt;
    const unsigned digit = unsigned(c - u'0');
    if (magnitude > (limit - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  if (!negative) return static_cast<std::int64_t>(magnitude);
  return magnitude == limit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
}

std::optional<std::u16string> IniDocument::Value(std::u16string_view section, std::u16string_view key) const {
  bool inSection = false;
  for (const auto& line : lines_) {
    const ParsedLine p = ParseLine(line);
    if (p.kind == LineKind::Section) {
      inSection = SameName(p.name, section);
    } else if (inSection && p.kind == LineKind::Key && SameName(p.name, key)) {
      return DecodeValue(p.rawValue);
    }
  }
  return std::nullopt;
}

std::vector<std::u16string> IniDocument::Keys(std::u16string_view section) const {
  std::vector<std::u16string> keys;
  bool inSection = false;
  for (const auto& line : lines_) {
    const ParsedLine p = ParseLine(line);
    if (p.kind == LineKind::Section) {
      inSection = SameName(p.name, section);
    } else if (inSection && p.kind == LineKind::Key) {
      keys.emplace_back(p.name);
    }
  }
  return keys;
}

std::u16string IniDocument::Text(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view fallback) const {
  auto v = Value(section, key);
  return v ? *std::move(v) : std::u16string(fallback);
}

std::int64_t IniDocument::Integer(std::u16string_view section, std::u16string_view key, std::int64_t fallback) const {
  const auto v = Value(section, key);
  if (!v) return fallback;
  return ParseSettingsInteger(*v).value_or(fallback);
}

bool IniDocument::Bool(std::u16string_view section, std::u16string_view key, bool fallback) const {
  const auto v = Value(section, key);
  if (!v) return fallback;
  const auto n = ParseSettingsInteger(*v);
  return n ? *n != 0 : fallback;
}

bool IniDocument::SetText(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  if (!ValidSectionName(section) || !ValidKeyName(key) || HasLineBreak(value)) return false;
  std::u16string newLine = KeyLine(key, value);

  // The line a read would find is the one to change.
  bool inSection = false;
  std::optional<std::size_t> firstSection;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const ParsedLine p = ParseLine(lines_[i]);
    if (p.kind == LineKind::Section) {
      inSection = SameName(p.name, section);
      if (inSection && !firstSection) firstSection = i;
    } else if (inSection && p.kind == LineKind::Key && SameName(p.name, key)) {
      lines_[i] = std::move(newLine);
      return true;
    }
  }
  if (!firstSection) {
    std::u16string header(u"[");
    header += section;
    header += u']';
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(newLine));
    return true;
  }
  // A new key goes after the section's last non-blank line, so that blank lines
  // that set it apart from the next section stay where they are.
  std::size_t insertAt = *firstSection + 1;
  for (std::size_t i = insertAt; i < lines_.size() && ParseLine(lines_[i]).kind != LineKind::Section; ++i) {
    if (!Trim(lines_[i]).empty()) insertAt = i + 1;
  }
  lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), std::move(newLine));
  return true;
}

bool IniDocument::SetInteger(std::u16string_view section, std::u16string_view key, std::int64_t value) {
  return SetText(section, key, DecimalText(value));
}

bool IniDocument::SetBool(std::u16string_view section, std::u16string_view key, bool value) {
  return SetText(section, key, value ? u"1" : u"0");
}

bool IniDocument::Remove(std::u16string_view section, std::u16string_view key) {
  bool inSection = false;
  bool removed = false;
  for (std::size_t i = 0; i < lines_.size();) {
    const ParsedLine p = ParseLine(lines_[i]);
    if (p.kind == LineKind::Section) inSection = SameName(p.name, section);
    if (inSection && p.kind == LineKind::Key && SameName(p.name, key)) {
      lines_.erase(lines_.begin() + std::ptrdiff_t(i));
      removed = true;
    } else {
      ++i;
    }
  }
  return removed;
}

IniDocument SettingsFile::Read() const {
  auto bytes = fs_.ReadFile(path_);
  if (!bytes) return {};
  return IniDocument(SplitLines(DecodeText(*bytes, locale_)));
}

bool SettingsFile::Update(const std::function<bool(IniDocument&)>& change) {
  std::optional<std::string> bytes = fs_.ReadFile(path_);
  if (!bytes && Exists()) return false;
  const IniDocument before(bytes ? SplitLines(DecodeText(*bytes, locale_)) : std::vector<std::u16string>{});
  IniDocument after = before;
  if (!change(after)) return false;
  // An unchanged document needs no write, and a missing file is not created by
  // a change that adds nothing (deleting a key from it, say).
  if (after.Lines() == before.Lines()) return true;
  return fs_.WriteFile(path_, EncodeLines(after.Lines(), locale_));
}

bool SettingsFile::WriteText(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  return Update([&](IniDocument& doc) { return doc.SetText(section, key, value); });
}

bool SettingsFile::WriteInteger(std::u16string_view section, std::u16string_view key, std::int64_t value) {
  return Update([&](IniDocument& doc) { return doc.SetInteger(section, key, value); });
}

bool SettingsFile::WriteBool(std::u16string_view section, std::u16string_view key, bool value) {
  return Update([&](IniDocument& doc) { return doc.SetBool(section, key, value); });
}

bool SettingsFile::DeleteKey(std::u16string_view section, std::u16string_view key) {
  return Update([&](IniDocument& doc) {
    doc.Remove(section, key);
    return true;
  });
}

}  // namespace renamora
