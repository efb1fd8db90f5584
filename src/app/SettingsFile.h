// The settings file: sections, key=value lines and typed values, rewritten whole on every change.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace renamora {

// A decimal integer with an optional sign, blanks around it allowed; nothing for
// any other text and for values outside 64 bits.
std::optional<std::int64_t> ParseSettingsInteger(std::u16string_view text);

// The lines of an INI file, kept exactly as read so that comments, unknown
// sections and unknown keys survive a rewrite. Section and key names match
// ignoring ASCII letter case; the first section holding a key wins, as it does
// for the Windows profile functions.
class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::vector<std::u16string> lines) : lines_(std::move(lines)) {}

  const std::vector<std::u16string>& Lines() const { return lines_; }

  // The value to the end of the line, without blanks around it and without one
  // pair of enclosing quotes; nothing when the key is missing.
  std::optional<std::u16string> Value(std::u16string_view section, std::u16string_view key) const;
  // The key names of every section of that name, in file order.
  std::vector<std::u16string> Keys(std::u16string_view section) const;

  std::u16string Text(std::u16string_view section, std::u16string_view key, std::u16string_view fallback) const;
  // A missing key or a value that is not an integer gives the fallback.
  std::int64_t Integer(std::u16string_view section, std::u16string_view key, std::int64_t fallback) const;
  // Read as an integer: anything but 0 is true.
  bool Bool(std::u16string_view section, std::u16string_view key, bool fallback) const;

  // Each gives false when the value cannot be stored as it is (a line break in
  // it, or a name no line can hold) and leaves the document unchanged then; a
  // number or a truth value under one of the program's own keys always can be.
  // Values that the reading rules would alter (blanks at either end, enclosing
  // quotes) are written in quotes so that they read back unchanged.
  [[nodiscard]] bool SetText(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  bool SetInteger(std::u16string_view section, std::u16string_view key, std::int64_t value);
  bool SetBool(std::u16string_view section, std::u16string_view key, bool value);
  // Removes every line of the key in every section of that name; true when
  // something was removed.
  bool Remove(std::u16string_view section, std::u16string_view key);

 private:
  std::vector<std::u16string> lines_;
};

// One settings file on disk. Nothing is cached: every read sees what the file
// holds now, and every write reads the file, changes it and replaces it whole
// (atomically), so that another instance's writes are not lost and a crash
// never leaves half a file.
class SettingsFile {
 public:
  SettingsFile(FileSystem& fs, const Locale& locale, std::u16string path)
      : fs_(fs), locale_(locale), path_(std::move(path)) {}

  const std::u16string& Path() const { return path_; }
  bool Exists() const { return fs_.IsFile(path_); }

  // The file's content now; empty when it is missing or cannot be read.
  IniDocument Read() const;

  std::u16string ReadText(std::u16string_view section, std::u16string_view key,
                          std::u16string_view fallback = {}) const {
    return Read().Text(section, key, fallback);
  }
  std::int64_t ReadInteger(std::u16string_view section, std::u16string_view key, std::int64_t fallback) const {
    return Read().Integer(section, key, fallback);
  }
  bool ReadBool(std::u16string_view section, std::u16string_view key, bool fallback) const {
    return Read().Bool(section, key, fallback);
  }

  // Each write reaches the disk before it returns; the first one creates the file.
  [[nodiscard]] bool WriteText(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  [[nodiscard]] bool WriteInteger(std::u16string_view section, std::u16string_view key, std::int64_t value);
  [[nodiscard]] bool WriteBool(std::u16string_view section, std::u16string_view key, bool value);
  [[nodiscard]] bool DeleteKey(std::u16string_view section, std::u16string_view key);

  // Several changes in one rewrite. `change` edits the current content and
  // returns false to abandon the write. Gives false when the file exists but
  // cannot be read (writing then would wipe it) or cannot be written.
  [[nodiscard]] bool Update(const std::function<bool(IniDocument&)>& change);

 private:
  FileSystem& fs_;
  const Locale& locale_;
  std::u16string path_;
};

}  // namespace renamora
