// The edit window's Win32 view (TForm1): target and sample lines, scope group, the
// six option panels' controls on one window, the toolbar and the about panel.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/IncludeWindows.h"
#include "ui/edit/EditWindow.h"
#include "ui/win/ControllerView.h"

namespace renamora::ui::win {

class EditWindowView final : public ControllerView {
 public:
  // The timers are the controller's (IDT_FIRST_FOCUS, IDT_UNDO_LOG); the view binds
  // them to its window.
  EditWindowView(EditWindowController& controller, Win32Timers& timers);
  ~EditWindowView() override;

  // Creates the window hidden, owned by the main window.
  bool Create(HWND owner);
  // Opens the edit the program state describes: modally (returns when the window
  // has closed, with kEditWindowClosed), or shown and returning at once (a start
  // with a mode argument: the program's loop runs it through PreTranslate).
  int Open(HWND owner, bool modal);
  // The main window's About: the about panel, modally.
  int OpenAbout(HWND owner);
  // Keys of a message the program's loop fetched while the window is shown without
  // its own loop: the window's keys, then the dialog keys. True when taken.
  bool PreTranslate(MSG& msg);
  // Shows the controller's state after a change made outside the window (the end of
  // a run closes it); hides the window when it has closed.
  void Refresh();

  // The pictures of an icon set: OK, Preview and Back, and the main window's
  // Remove ... Extension and Save, for the toolbar buttons of the same names; a
  // picture the set lacks leaves its button as it is.
  void LoadGlyphFiles(std::u16string_view folder);
  // Places the preview window on the first showing (the program knows it).
  void SetPreviewPlacer(std::function<void()> placer) { placePreview_ = std::move(placer); }
  // The preview window, in which Ctrl+R, Ctrl+P and Ctrl+E act too.
  void SetPreviewWindow(std::function<HWND()> preview) { previewWindow_ = std::move(preview); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(int id, int code, HWND control) override;
  void AfterCommand() override;
  bool PreTranslateModal(MSG& msg) override;

 private:
  void CreateControls();
  void Layout();
  void SetGlyphs();
  void SyncExtras();
  void SyncLists();
  void SyncHints();
  void ShowSampleSelection();
  void Place();
  void AfterShown();
  // Ctrl+R, Ctrl+P, Ctrl+E while this window or the preview is active, and F1.
  bool TakeKey(const MSG& msg);
  void ShowSampleMenu(POINT at);
  void ReportTemplateSelection(int buttonId);
  LRESULT SampleMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SampleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
  static LRESULT CALLBACK InputBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);

  EditWindowController& c_;
  Win32Timers& timers_;
  std::function<void()> placePreview_;
  std::function<HWND()> previewWindow_;
  std::map<int, HBITMAP> glyphFiles_;  // by button id; loaded from an icon set
  HWND sample_ = nullptr;
  HWND tooltip_ = nullptr;
  std::map<int, std::u16string> shownHints_;
  std::vector<std::u16string> shownScopeItems_, shownWhereItems_;
  std::uint64_t shownHistory_ = ~0ull;
  std::uint64_t shownSelection_ = ~0ull;
  int laidPanelTop_ = -1;
  int laidScopeBox_ = -1;
  bool settingSelection_ = false;
  bool trackingMouse_ = false;
  bool modal_ = false;
  UINT dpi_ = 96;
};

}  // namespace renamora::ui::win
