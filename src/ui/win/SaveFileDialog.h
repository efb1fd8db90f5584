// The save dialog of the name listings, which asks before a taken name is accepted,
// and the shell's opening of a written listing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Messages.h"
#include "core/NameListing.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "platform/win32/IncludeWindows.h"

namespace renamora::ui::win {

class SaveFileDialog final : public SaveFileChooser {
 public:
  SaveFileDialog(FileSystem& fs, Prompter& prompter, const TextLookup& texts) : fs_(fs), prompter_(prompter), texts_(texts) {}

  // The window the dialog is modal over; none: the dialog stands alone.
  void SetOwner(HWND owner) { owner_ = owner; }

  // The shell's item dialog, or the common dialog where the system has none. A
  // confirmed name that NeedsReplaceQuestion finds taken asks message 185; Cancel
  // there keeps the dialog open for another name.
  std::optional<std::u16string> ChooseSaveFile(std::u16string_view suggested) override;
  bool AsksBeforeReplacing() const override { return true; }

  // The question for a confirmed name: true when the dialog may close with it.
  bool AcceptName(std::u16string_view path);

 private:
  std::optional<std::u16string> ChooseWithItemDialog(std::u16string_view suggested, bool& available);
  std::optional<std::u16string> ChooseWithCommonDialog(std::u16string_view suggested);

  FileSystem& fs_;
  Prompter& prompter_;
  const TextLookup& texts_;
  HWND owner_ = nullptr;
};

// Opens a file with the program the shell associates with it; a failure says nothing.
class ShellFileOpener final : public FileOpener {
 public:
  void OpenFile(std::u16string_view path) override;
};

}  // namespace renamora::ui::win
