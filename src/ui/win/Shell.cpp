// Shell services through the documented Win32 and COM interfaces.
#include "ui/win/Shell.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/WideText.h"
#include "ui/browser/FileCommands.h"
#include "ui/win/Com.h"

namespace renamora::ui::win {
namespace {

std::wstring WithNull(std::u16string_view text) { return ToWide(text); }

}  // namespace

std::u16string BrowseForFolder(HWND owner, std::u16string_view title) {
  ComInit com;
  const std::wstring wideTitle = WithNull(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_STATUSTEXT | BIF_VALIDATE | BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return {};
  // Long paths do not fit MAX_PATH: ask for the path in a buffer that grows.
  std::wstring path(32768, L'\0');
  std::u16string result;
  if (SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT)) {
    path.resize(wcslen(path.c_str()));
    result = FromWide(path);
  }
  CoTaskMemFree(chosen);
  return result;
}

std::vector<std::u16string> ChooseFiles(HWND owner, std::u16string_view title, std::u16string_view initialFolder) {
  static const wchar_t kFilter[] =
      L"All files (*.*)\0*.*\0"
      L"Photo(*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff;*.png)\0*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff;*.png\0"
      L"JPG;JPEG(*.jpg;*.jpeg)\0*.jpg;*.jpeg\0"
      L"BITMAP(*.bmp)\0*.bmp\0"
      L"TIF;TIFF(*.tif;*.tiff)\0*.tif;*.tiff\0"
      L"GIF(*.gif)\0*.gif\0"
      L"Document(*.txt;*.doc;*.xl*;*.ppt;*.pdf;*.htm;*.html;*.mht)\0*.txt;*.doc;*.xl*;*.ppt;*.pdf;*.htm;*.html;*.mht\0"
      L"WORD(*.doc)\0*.doc\0"
      L"PDF(*.pdf)\0*.pdf\0"
      L"EXCEL(*.xl*)\0*.xl*\0"
      L"Powerpoint(*.ppt)\0*.ppt\0"
      L"Text(*.txt)\0*.txt\0"
      L"Webpage(*.htm;*.html;*.mht)\0*.htm;*.html;*.mht\0"
      L"Audio(*.mp3;*.wav;*.wma;*.mid)\0*.mp3;*.wav;*.wma;*.mid\0"
      L"Mp3(*.mp3)\0*.mp3\0"
      L"Video(*.avi;*.wmv;*.rm;*.rmvb;*.mpg;*.mpeg;*.mov;*.mp4;*.asf;*.mkv)\0"
      L"*.avi;*.wmv;*.rm;*.rmvb;*.mpg;*.mpeg;*.mov;*.mp4;*.asf;*.mkv\0"
      L"Windows Media(*.avi;*.asf;*.wmv)\0*.avi;*.asf;*.wmv\0"
      L"Real Media(*.rm;*.rmvb)\0*.rm;*.rmvb\0"
      L"Movie(*.mpg;*.mpeg;*.mov)\0*.mpg;*.mpeg;*.mov\0"
      L"Flash(*.flv;*.swf)\0*.flv;*.swf\0";
  // Many chosen files make a long result: the buffer holds 64 K characters.
  std::wstring buffer(65536, L'\0');
  const std::wstring wideTitle = WithNull(title);
  const std::wstring folder = WithNull(initialFolder);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = wideTitle.c_str();
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLESIZING |
              OFN_FORCESHOWHIDDEN | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&ofn)) return {};
  // One file: its full path. Several: the folder, then each name, null-separated.
  std::vector<std::wstring> parts;
  for (const wchar_t* p = buffer.c_str(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
  std::vector<std::u16string> files;
  if (parts.size() == 1) {
    files.push_back(FromWide(parts[0]));
  } else if (parts.size() > 1) {
    std::wstring base = parts[0];
    if (!base.empty() && base.back() != L'\\') base += L'\\';
    for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(FromWide(base + parts[i]));
  }
  return files;
}

void OpenWithAssociation(std::u16string_view path) {
  const std::wstring wide = WithNull(path);
  ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShowInExplorer(std::u16string_view path) {
  ComInit com;
  const std::wstring wide = WithNull(path);
  PIDLIST_ABSOLUTE item = ILCreateFromPathW(wide.c_str());
  if (item) {
    const HRESULT hr = SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
    ILFree(item);
    if (SUCCEEDED(hr)) return;
  }
  // Without the shell's help: Explorer's own switch, with the path quoted.
  StartProgram(OpenPathCommandLine(path));
}

void ShowPropertiesOf(std::u16string_view path) {
  const std::wstring wide = WithNull(path);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.lpVerb = L"properties";
  info.lpFile = wide.c_str();
  info.lpParameters = L"";
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&info);
}

bool MoveToRecycleBin(std::u16string_view path) {
  ComInit com;
  const std::wstring wide = WithNull(path);
  ComPtr<IFileOperation> operation;
  if (FAILED(CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_PPV_ARGS(operation.Out())))) {
    return false;
  }
  // FOFX_RECYCLEONDELETE: an item the recycle bin cannot take fails instead of
  // being deleted for good.
  if (FAILED(operation->SetOperationFlags(FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI |
                                          FOFX_RECYCLEONDELETE | FOFX_EARLYFAILURE))) {
    return false;
  }
  ComPtr<IShellItem> item;
  if (FAILED(SHCreateItemFromParsingName(wide.c_str(), nullptr, IID_PPV_ARGS(item.Out())))) return false;
  if (FAILED(operation->DeleteItem(item.p, nullptr))) return false;
  if (FAILED(operation->PerformOperations())) return false;
  BOOL aborted = FALSE;
  if (FAILED(operation->GetAnyOperationsAborted(&aborted)) || aborted) return false;
  return GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool PutTextOnClipboard(HWND owner, std::u16string_view text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool done = false;
  if (memory) {
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    const std::wstring wide = WithNull(text);
    memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(memory);
    done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!done) GlobalFree(memory);
  }
  CloseClipboard();
  return done;
}

std::u16string SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0]) return {};
  std::u16string result = FromWide(path);
  if (result.back() != u'\\') result += u'\\';
  return result;
}

bool StartProgram(std::u16string_view commandLine) {
  std::wstring line = ToWide(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::u16string ProgramFilePath() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return FromWide(path);
}

void ShowHelpTopic(std::u16string_view helpFile, std::u16string_view topic) {
  const std::wstring file = ToWide(helpFile);
  if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");
  if (!viewer) return;
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpW")));
  if (htmlHelp) {
    constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
    const std::wstring address = file + L"::/" + ToWide(topic);
    htmlHelp(GetDesktopWindow(), address.c_str(), kDisplayTopic, 0);
  }
  // The viewer stays loaded while its window is open.
}

bool CreateShellLink(std::u16string_view linkPath, std::u16string_view target, std::u16string_view description) {
  ComInit com;
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(link.Out())))) {
    return false;
  }
  link->SetPath(ToWide(target).c_str());
  link->SetDescription(ToWide(description).c_str());
  link->SetShowCmd(SW_SHOW);
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out())))) return false;
  return SUCCEEDED(file->Save(ToWide(linkPath).c_str(), TRUE));
}

}  // namespace renamora::ui::win
