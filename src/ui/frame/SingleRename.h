// The single-item rename dialog: one file or folder of the main window's list renamed by hand.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FileList.h"
#include "core/Messages.h"
#include "core/UndoLog.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "ui/WindowController.h"

namespace renamora::ui {


// What the dialog works with. References must outlive the controller.
struct SingleRenameServices {
  FileSystem& fs;
  Prompter& prompter;
  const TextLookup& texts;
  // The program's undo log: this rename replaces it with its one pair.
  UndoLog& undoLog;
  // The data folder whose undo log that is; its run lock is held for the rename.
  std::u16string dataFolder;
};

// The name and extension boxes for an item as it is on disk now: a file's name is
// cut before its last "." (the extension keeps the dot), a folder or a vanished
// item keeps its whole name.
struct SingleRenameBoxes {
  std::u16string name;
  std::u16string extension;
  bool isFile = false;
  bool isFolder = false;
  bool operator==(const SingleRenameBoxes&) const = default;
};
SingleRenameBoxes BoxesForPath(FileSystem& fs, std::u16string_view fullPath);

class SingleRenameController final : public WindowController {
 public:
  explicit SingleRenameController(SingleRenameServices services);

  // Fills the dialog for one list item before it is shown modally. folderBoxText is
  // the main window's folder path box (the current folder) in the folder view.
  void Open(std::u16string_view itemText, FileListMode mode, std::u16string_view folderBoxText);

  std::u16string Caption() const override;
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Command(int controlId) override;
  void TextChanged(int controlId, std::u16string_view text) override;
  bool Accept() override;
  bool CancelDialog() override;
  // 1 after a rename, 0 when cancelled.
  std::optional<int> CloseResult() const override { return closeResult_; }

  // After a rename: the list item's new text (name and extension in the folder
  // view, the new full path for chosen files). The main window sets it and clears
  // the item's icon so that it is looked up again for the new name.
  const std::optional<std::u16string>& NewItemText() const { return newItemText_; }
  // The folder path box as OK left it (a separator appended where it had none);
  // the main window shows this text in its box.
  const std::u16string& FolderBoxText() const { return folderBoxText_; }

 private:
  void Ok();
  std::u16string OldPath() const;
  void Refill();
  void Inform(std::u16string_view text);
  void Refuse(std::u16string_view text);

  SingleRenameServices s_;
  std::u16string itemText_;
  FileListMode mode_ = FileListMode::FolderView;
  std::u16string folderBoxText_;
  SingleRenameBoxes boxes_;
  MessageId caption_ = 306;
  std::optional<int> closeResult_;
  std::optional<std::u16string> newItemText_;
};

}  // namespace renamora::ui
