// The preview window's Win32 view (TForm6): an owner-data list of old and new names
// over the run's preview rows, Rename and Close on a bottom panel, a context menu.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/win32/IncludeWindows.h"
#include "ui/edit/PreviewWindow.h"
#include "ui/win/ControllerView.h"
#include "ui/win/Controls.h"

namespace renamora::ui::win {

// The preview's host on Windows: the clipboard and the help file here, the edit
// window's commands through functions its owner sets.
class Win32PreviewHost final : public PreviewHost {
 public:
  // The preview window, hidden before a rename starts; the clipboard's owner.
  void Bind(HWND window) { window_ = window; }
  std::function<void()> rename;
  std::function<void(std::u16string_view text, std::u16string_view hint)> showOn;
  std::u16string helpFile;  // the compiled help file's full path

  void RenameFromPreview() override;
  void ShowOnSample(std::u16string_view text, std::u16string_view hint) override;
  void CopyText(std::u16string_view text) override;
  void ShowHelp(std::u16string_view topic) override;

 private:
  HWND window_ = nullptr;
};

class PreviewView final : public ControllerView {
 public:
  explicit PreviewView(PreviewController& controller) : ControllerView(controller), c_(controller) {}

  // Creates the window hidden, owned by owner (the edit window), with its designed size.
  bool Create(HWND owner);
  // The window that owns it from now on (the edit window, once that exists).
  // The pictures of an icon set: the edit window's OK on Rename, the main window's
  // Exit on Close; a picture the set lacks leaves its button as it is.
  void LoadGlyphFiles(std::u16string_view folder);
  void SetOwner(HWND owner) { SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner)); }
  // At the edit window's first showing: centred on the screen with its designed
  // size, then 700 pixels wide with its left edge kept.
  void PlaceAtFirstShowing();
  // Shows the window (not modally), maximized or normal as the option says.
  void Show(bool maximized);
  // Hides it without a command of its own (the edit window closes).
  void Hide();
  // Sets the list's row count after the rows changed, and repaints it.
  void SyncRows();
  // Another language: the texts again, at once while the window shows.
  void LanguageChanged();
  // Keys of the main loop for this window, before anything else sees them: F1, Esc,
  // and the dialog keys (Tab). True when taken.
  bool PreTranslate(MSG& msg);

  HWND List() const { return list_; }
  HWND RenameButton() const { return rename_.Handle(); }
  HWND CloseButton() const { return close_.Handle(); }
  // The bottom panel the buttons stand on, in client coordinates.
  RECT ButtonPanel() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(int id, int code, HWND control) override;
  void AfterCommand() override;

 private:
  void Layout();
  void FitColumns();
  void ApplyTexts();
  void SelectionToController();
  void ShowListMenu(LPARAM at);
  LRESULT OnNotify(NMHDR* header);
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
  void Closed();

  PreviewController& c_;
  HWND list_ = nullptr;
  HWND tooltip_ = nullptr;
  Button rename_, close_;
  std::uint64_t shownRowsVersion_ = ~0ull;
  UINT dpi_ = 96;
};

}  // namespace renamora::ui::win
