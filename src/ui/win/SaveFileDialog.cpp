// The listing's save dialog through IFileSaveDialog (GetSaveFileNameW where that is
// missing), and ShellExecuteW's open verb.
#include "ui/win/SaveFileDialog.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/win32/WideText.h"
#include "ui/win/Com.h"

namespace renamora::ui::win {
namespace {

// "description|pattern" of the listing's filter, as the dialogs take it.
struct FilterParts {
  std::wstring description, pattern;
};
FilterParts SplitFilter() {
  const std::u16string_view filter = kSaveDialogFilter;
  const std::size_t bar = filter.find(u'|');
  return {ToWide(filter.substr(0, bar)), ToWide(bar == std::u16string_view::npos ? u"" : filter.substr(bar + 1))};
}

// Splits a suggested full path into its folder (with no separator at the end) and name.
struct Suggestion {
  std::u16string folder, name;
};
Suggestion SplitSuggestion(std::u16string_view path) {
  const std::size_t end = path.find_last_of(u"\\/");
  if (end == std::u16string_view::npos) return {{}, std::u16string(path)};
  return {std::u16string(path.substr(0, end == 0 ? 1 : end)), std::u16string(path.substr(end + 1))};
}

std::optional<std::u16string> PathOfItem(IShellItem* item) {
  PWSTR path = nullptr;
  if (!item || FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return std::nullopt;
  std::u16string result = FromWide(path);
  CoTaskMemFree(path);
  return result;
}

// Lives on the stack for one showing of the dialog, which holds it only between
// Advise and Unadvise: the count is kept for COM's sake but never frees.
class FileOkEvents final : public IFileDialogEvents {
 public:
  explicit FileOkEvents(SaveFileDialog& owner) : owner_(owner) {}

  IFACEMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IFileDialogEvents) {
      *out = static_cast<IFileDialogEvents*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  IFACEMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  IFACEMETHODIMP_(ULONG) Release() override { return --references_; }

  IFACEMETHODIMP OnFileOk(IFileDialog* dialog) override {
    // No exception may go back into the dialog's code.
    try {
      ComPtr<IShellItem> item;
      if (FAILED(dialog->GetResult(item.Out()))) return S_OK;
      const auto path = PathOfItem(item.p);
      // S_FALSE keeps the dialog open for another name.
      return path && !owner_.AcceptName(*path) ? S_FALSE : S_OK;
    } catch (...) {
      return S_OK;
    }
  }
  IFACEMETHODIMP OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
  IFACEMETHODIMP OnFolderChange(IFileDialog*) override { return S_OK; }
  IFACEMETHODIMP OnSelectionChange(IFileDialog*) override { return S_OK; }
  IFACEMETHODIMP OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) override { return S_OK; }
  IFACEMETHODIMP OnTypeChange(IFileDialog*) override { return S_OK; }
  IFACEMETHODIMP OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override { return S_OK; }

 private:
  SaveFileDialog& owner_;
  ULONG references_ = 1;
};

// The common dialog's hook: CDN_FILEOK asks the same question as the item dialog.
UINT_PTR CALLBACK CommonDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
  if (notify->hdr.code != CDN_FILEOK) return 0;
  try {
    auto* owner = reinterpret_cast<SaveFileDialog*>(notify->lpOFN->lCustData);
    if (owner->AcceptName(FromWide(notify->lpOFN->lpstrFile))) return 0;
  } catch (...) {
    return 0;
  }
  // A non-zero result refuses the name and keeps the dialog open.
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
  return 1;
}

}  // namespace

bool SaveFileDialog::AcceptName(std::u16string_view path) {
  if (!NeedsReplaceQuestion(path, fs_)) return true;
  return prompter_.Show(PromptIcon::Question, PromptButtons::OkCancel, texts_.Lookup(Msg::kConfirmation),
                        texts_.Lookup(ListingMsg::kReplaceExistingFile)) == PromptAnswer::Ok;
}

std::optional<std::u16string> SaveFileDialog::ChooseSaveFile(std::u16string_view suggested) {
  ComInit com;
  bool available = true;
  auto chosen = ChooseWithItemDialog(suggested, available);
  if (!available) chosen = ChooseWithCommonDialog(suggested);
  return chosen;
}

std::optional<std::u16string> SaveFileDialog::ChooseWithItemDialog(std::u16string_view suggested, bool& available) {
  ComPtr<IFileSaveDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.Out())))) {
    available = false;
    return std::nullopt;
  }
  const FilterParts filter = SplitFilter();
  const COMDLG_FILTERSPEC types[] = {{filter.description.c_str(), filter.pattern.c_str()}};
  dialog->SetFileTypes(1, types);
  dialog->SetFileTypeIndex(1);
  dialog->SetDefaultExtension(ToWide(kSaveDialogDefaultExtension).c_str());
  dialog->SetTitle(ToWide(kSaveDialogTitle).c_str());
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  // The question about a taken name is ours (message 185), not the dialog's.
  dialog->SetOptions((options & ~FOS_OVERWRITEPROMPT) | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR | FOS_PATHMUSTEXIST);
  const Suggestion start = SplitSuggestion(suggested);
  if (!start.folder.empty()) {
    ComPtr<IShellItem> folder;
    if (SUCCEEDED(SHCreateItemFromParsingName(ToWide(start.folder).c_str(), nullptr, IID_PPV_ARGS(folder.Out())))) {
      dialog->SetFolder(folder.p);
    }
  }
  if (!start.name.empty()) dialog->SetFileName(ToWide(start.name).c_str());

  FileOkEvents events(*this);
  DWORD cookie = 0;
  const bool advised = SUCCEEDED(dialog->Advise(&events, &cookie));
  const HRESULT shown = dialog->Show(owner_);
  if (advised) dialog->Unadvise(cookie);
  if (FAILED(shown)) return std::nullopt;  // cancelled, or the dialog failed
  ComPtr<IShellItem> item;
  if (FAILED(dialog->GetResult(item.Out()))) return std::nullopt;
  return PathOfItem(item.p);
}

std::optional<std::u16string> SaveFileDialog::ChooseWithCommonDialog(std::u16string_view suggested) {
  const FilterParts filter = SplitFilter();
  std::wstring filterText = filter.description + L'\0' + filter.pattern + L'\0' + L'\0';
  // Long paths do not fit MAX_PATH: the buffer holds 32 K characters.
  std::wstring buffer(32768, L'\0');
  const std::wstring start = ToWide(suggested);
  if (start.size() < buffer.size()) start.copy(buffer.data(), start.size());
  const std::wstring title = ToWide(kSaveDialogTitle);
  const std::wstring extension = ToWide(kSaveDialogDefaultExtension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filterText.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  ofn.lpfnHook = CommonDialogHook;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  return FromWide(buffer.c_str());
}

void ShellFileOpener::OpenFile(std::u16string_view path) {
  const std::wstring wide = ToWide(path);
  ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace renamora::ui::win
