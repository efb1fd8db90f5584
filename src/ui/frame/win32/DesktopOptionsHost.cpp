// The options dialog's effects on the desktop program and the shell.
#include "ui/frame/win32/DesktopOptionsHost.h"

#include <shlobj.h>

#include "app/Settings.h"
#include "base/Paths.h"
#include "platform/win32/WideText.h"
#include "ui/win/Shell.h"

namespace renamora::ui::win {
namespace {

constexpr char16_t kShellLibrary[] = u"Renamorashell.dll";
constexpr wchar_t kHandlerClassId[] = L"{E760D596-ED76-404D-AB77-57E7F3BE5D09}";
constexpr const wchar_t* kHandlerParents[] = {L"*\\shellex\\ContextMenuHandlers",
                                              L"Directory\\shellex\\ContextMenuHandlers"};
constexpr wchar_t kHandlerName[] = L"Renamora";
constexpr wchar_t kProgramKey[] = L"Software\\Altomira\\renamora";
constexpr MessageId kFailedToCall = 323;
constexpr MessageId kCannotFind = 324;
constexpr char16_t kErrorCaption[] = u"Error";

[[nodiscard]] bool WriteText(HKEY root, const wchar_t* path, const wchar_t* name, std::u16string_view value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) return false;
  const std::wstring wide = ToWide(value);
  const LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                                     static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

void DeleteSubkey(HKEY root, const wchar_t* parent, const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, parent, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteKeyW(key, name);
  RegCloseKey(key);
}

}  // namespace

DesktopOptionsHost::DesktopOptionsHost(DesktopOptionsServices services, std::u16string languageName)
    : s_(std::move(services)), languageName_(std::move(languageName)) {}

void DesktopOptionsHost::ApplyCheckBoxes(bool on) {
  // The main window acts on every option the dialog holds, not only this one.
  OptionSettings options = dialog_ ? dialog_->Options() : s_.browser.Options();
  options.Checkbox = on;
  s_.browser.SetOptions(options);
  s_.mainWindow.Refresh();
}

void DesktopOptionsHost::LoadFolderHistoryIfEmpty(int foldernum) {
  s_.browser.LoadFolderHistoryIfEmpty(foldernum);
  s_.mainWindow.Refresh();
}

void DesktopOptionsHost::ShowQuickStartIfListEmpty() {
  if (s_.browser.List().Count() == 0 && showQuickStart) showQuickStart();
}

void DesktopOptionsHost::HideQuickStart() {
  if (hideQuickStart) hideQuickStart();
}

void DesktopOptionsHost::RegisterContextMenu(bool on) {
  const std::u16string library = s_.programFolder + kShellLibrary;
  const TextLookup& texts = Texts();
  if (on && !s_.fs.IsFile(library)) {
    s_.prompter.Show(PromptIcon::Error, PromptButtons::Ok, kErrorCaption,
                     texts.Lookup(kCannotFind) + u" " + s_.programFolder + kShellLibrary);
    return;
  }
  const char* exportName = on ? "DllRegisterServer" : "DllUnregisterServer";
  const char16_t* exportText = on ? u"DllRegisterServer" : u"DllUnregisterServer";
  // A library that does not load says nothing; one that loads stays loaded after
  // a successful call, as the shell keeps it too.
  if (HMODULE module = LoadLibraryW(ToWide(library).c_str())) {
    using ServerCall = HRESULT(STDAPICALLTYPE*)();
    auto call = reinterpret_cast<ServerCall>(reinterpret_cast<void*>(GetProcAddress(module, exportName)));
    if (!call || FAILED(call())) {
      s_.prompter.Show(PromptIcon::Error, PromptButtons::Ok, kErrorCaption,
                       texts.Lookup(kFailedToCall) + u" " + exportText);
      FreeLibrary(module);
      return;
    }
  } else if (on) {
    return;
  }
  // Class-root keys need rights a normal user may lack: a refusal leaves the
  // handler unregistered there and changes nothing else.
  if (on) {
    for (const wchar_t* parent : kHandlerParents) {
      const std::wstring path = std::wstring(parent) + L"\\" + kHandlerName;
      static_cast<void>(WriteText(HKEY_CLASSES_ROOT, path.c_str(), nullptr, FromWide(kHandlerClassId)));
    }
    static_cast<void>(WriteText(HKEY_CURRENT_USER, kProgramKey, L"Programpath", s_.programFile));
    static_cast<void>(WriteText(HKEY_CURRENT_USER, kProgramKey, L"DataDir", s_.dataFolder));
  } else {
    for (const wchar_t* parent : kHandlerParents) DeleteSubkey(HKEY_CLASSES_ROOT, parent, kHandlerName);
  }
  static_cast<void>(s_.settings.WriteBool(SettingsKey::kOption, SettingsKey::kRegistereddll, on));
}

void DesktopOptionsHost::RegisterOnExit() {
  const IniDocument doc = s_.settings.Read();
  const OptionSettings options = LoadOptionSettings(doc);
  const std::u16string library = s_.programFolder + kShellLibrary;
  if (!options.Contextmenu || options.Registereddll || !s_.fs.IsFile(library)) return;
  HMODULE module = LoadLibraryW(ToWide(library).c_str());
  if (!module) return;
  using ServerCall = HRESULT(STDAPICALLTYPE*)();
  auto call = reinterpret_cast<ServerCall>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
  // Nothing is reported at exit; a registration that failed is not recorded as
  // done, so the next exit tries again.
  if (!call || FAILED(call())) {
    FreeLibrary(module);
    return;
  }
  for (const wchar_t* parent : kHandlerParents) {
    const std::wstring path = std::wstring(parent) + L"\\" + kHandlerName;
    static_cast<void>(WriteText(HKEY_CLASSES_ROOT, path.c_str(), nullptr, FromWide(kHandlerClassId)));
  }
  static_cast<void>(WriteText(HKEY_CURRENT_USER, kProgramKey, L"Programpath", s_.programFile));
  static_cast<void>(WriteText(HKEY_CURRENT_USER, kProgramKey, L"DataDir", s_.dataFolder));
  static_cast<void>(s_.settings.WriteBool(SettingsKey::kOption, SettingsKey::kRegistereddll, true));
}

std::u16string DesktopOptionsHost::IconSetFolder(std::u16string_view name) const {
  return s_.programFolder + u"Icons" + std::u16string(1, kPathSeparator) + std::u16string(name);
}

void DesktopOptionsHost::LoadIconSetAtStart(std::u16string_view name) {
  if (name.empty()) return;
  const std::u16string folder = IconSetFolder(name);
  if (!s_.fs.IsFolder(folder)) return;
  iconSet_ = std::u16string(name);
  s_.mainWindow.LoadGlyphFiles(folder);
  if (iconSetLoaded) iconSetLoaded(folder);
}

void DesktopOptionsHost::ApplyIconSet(const std::optional<std::u16string>& name) {
  if (!name) {
    // The built-in glyphs come back with the next start; until then no set is
    // active, so that the dialog offers the first entry again.
    iconSet_.clear();
    return;
  }
  iconSet_ = *name;
  s_.mainWindow.LoadGlyphFiles(IconSetFolder(*name));
  if (iconSetLoaded) iconSetLoaded(IconSetFolder(*name));
}

void DesktopOptionsHost::ApplyLanguage(std::u16string_view name) {
  languageName_ = std::u16string(name);
  // The table object stays the same one: the windows hold a reference to it.
  s_.texts = ChooseStringTable(s_.fs, s_.locale, s_.programFolder, name);
  if (!s_.texts.status.empty()) s_.browser.ShowLanguageStatus(s_.texts.status);
  s_.mainWindow.ApplyTexts();
  s_.mainWindow.Refresh();
  if (languageChanged) languageChanged();
}

void DesktopOptionsHost::ClearNewNameHistory() {
  if (s_.newNames.Clear(s_.prompter, Texts()) && newNamesCleared) newNamesCleared();
}

void DesktopOptionsHost::EditNewNameHistory() {
  if (editNewNames) editNewNames();
}

void DesktopOptionsHost::ClearFolderHistory() {
  s_.browser.ClearFolderHistory();
  s_.mainWindow.Refresh();
}

void DesktopOptionsHost::CreateDesktopShortcut() {
  const std::u16string desktop = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
  if (desktop.empty()) return;
  static_cast<void>(CreateShellLink(desktop + u"Renamora.lnk", s_.programFolder + u"Renamora.exe", u"Renamora shortcut"));
}

void DesktopOptionsHost::ProcessPendingEvents() {
  // Only the paint: dispatching input here would let a click on Cancel or a
  // second Enter run in the middle of OK.
  RedrawWindow(s_.mainWindow.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace renamora::ui::win
