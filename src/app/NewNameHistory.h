// The one history of template texts that the six template boxes offer, most
// recent first, kept in Newname.txt of the data folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messages.h"
#include "core/RenameEngine.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"

namespace renamora {

class NewNameHistory final : public TemplateHistory {
 public:
  // maximum: the Listnum setting, 0 to 100; 0 switches the history off.
  NewNameHistory(FileSystem& fs, const Locale& locale, std::u16string filePath, int maximum);

  // Reads the file when it exists; otherwise the list stays as it is.
  void Load();
  const std::vector<std::u16string>& Entries() const { return entries_; }
  int Maximum() const { return maximum_; }

  // The text goes on top; an entry equal to it but for letter case goes away, and
  // the list is cut to the maximum and written (or, switched off, deleted).
  void Add(std::u16string_view text) override;

  // The options dialog lowered the maximum: the list is cut to it and written.
  void ChangeMaximum(int maximum);

  // Asks message 298; on Yes the file and the list are gone. True when cleared.
  [[nodiscard]] bool Clear(Prompter& prompter, const TextLookup& texts);

  // The editor's text: the file's lines, or nothing when there is no file.
  std::optional<std::u16string> EditorText() const;
  // The editor's Save: empty lines dropped, the rest stored in the order written.
  // The maximum becomes the number of lines when it differs; the caller writes the
  // Listnum setting when this answers true.
  bool SaveEditorText(std::u16string_view text);

 private:
  void Store();

  FileSystem& fs_;
  const Locale& locale_;
  std::u16string path_;
  int maximum_;
  std::vector<std::u16string> entries_;
};

// What closing the editor with unsaved changes does, after message 300.
enum class EditorCloseChoice { Save, Discard, StayOpen };
EditorCloseChoice AskEditorClose(Prompter& prompter, const TextLookup& texts);

}  // namespace renamora
