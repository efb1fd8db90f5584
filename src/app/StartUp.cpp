// Folder resolution, the command line, the hand-over file and the start with a mode argument.
#include "app/StartUp.h"

#include <algorithm>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/EditRequest.h"
#include "core/TargetCollection.h"
#include "core/TextFile.h"

namespace renamora {
namespace {

using namespace StartUpName;

constexpr std::u16string_view kProbeName = u".renamora-write-probe";
constexpr std::u16string_view kNoFileText = u"There is no file in this folder.";
constexpr std::u16string_view kNoFileQuestion =
    u"There is no file in this folder, do you want to edit this folder name?";

bool IsAbsolutePath(std::u16string_view path) {
#ifdef _WIN32
  const bool drive = path.size() >= 3 && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/');
  return drive || path.starts_with(u"\\\\");
#else
  return path.starts_with(u"/");
#endif
}

std::u16string FolderOfFile(std::u16string_view file) {
  const std::size_t end = LastFolderEnd(file);
  // A bare file name: the program was found in the working folder.
  if (end == std::u16string_view::npos) return std::u16string(u".") + kPathSeparator;
  return WithTrailingSeparator(file.substr(0, end + 1));
}

// Creates every missing folder on the way to `folder`; failures are left for
// the writes that follow to report.
void CreateFolderChain(FileSystem& fs, std::u16string_view folder) {
  const std::u16string whole = WithoutTrailingSeparators(folder);
  if (fs.IsFolder(whole)) return;
  for (std::size_t i = 1; i <= whole.size(); ++i) {
    if (i < whole.size() && whole[i] != kPathSeparator) continue;
    const std::u16string part = whole.substr(0, i);
    if (part.back() == u':' || fs.IsFolder(part)) continue;
    // A folder that cannot be made shows when the data folder is checked.
    static_cast<void>(fs.CreateFolder(part));
  }
}

// The program folder's "Undos" folder can hold the undo log.
bool UndoFolderUsable(FileSystem& fs, const std::u16string& undos, DataFolderRule rule) {
  if (fs.IsFolder(undos)) return IsWritableFolder(fs, undos);
  if (rule == DataFolderRule::Posix || fs.Exists(undos)) return false;
  if (!fs.CreateFolder(undos)) return false;
  if (IsWritableFolder(fs, undos)) return true;
  // Created but not writable (a folder that grants creation only): leave no trace.
  static_cast<void>(fs.DeleteFolder(undos));
  return false;
}

std::u16string UserDataBase(const FolderEnvironment& env, DataFolderRule rule) {
  if (rule == DataFolderRule::Windows) return env.appData;
  // A relative XDG_DATA_HOME is invalid and must be ignored.
  if (IsAbsolutePath(env.xdgDataHome)) return env.xdgDataHome;
  if (env.home.empty()) return {};
  std::u16string base = WithTrailingSeparator(env.home);
  base += u".local";
  base += kPathSeparator;
  base += u"share";
  return base;
}

bool FolderHoldsNothing(FileSystem& fs, const std::u16string& folder) {
  auto entries = fs.ListFolder(folder, ListDetail::NamesAndKinds);
  return entries && entries->empty();
}

std::u16string FolderKey(std::size_t index) {
  return std::u16string(SettingsKey::kFolderPrefix) + U16(std::to_string(index));
}

// The index of a key the history itself writes (Folder + decimal without
// leading zeros); nothing for any other key, which is left alone.
std::optional<std::size_t> FolderKeyIndex(std::u16string_view key) {
  const std::u16string_view prefix = SettingsKey::kFolderPrefix;
  if (key.size() <= prefix.size() || key.size() > prefix.size() + 9) return std::nullopt;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if ((key[i] | 0x20) != (prefix[i] | 0x20)) return std::nullopt;
  }
  const std::u16string_view digits = key.substr(prefix.size());
  if (digits.size() > 1 && digits.front() == u'0') return std::nullopt;
  std::size_t index = 0;
  for (const char16_t c : digits) {
    if (c < u'0' || c > u'9') return std::nullopt;
    index = index * 10 + std::size_t(c - u'0');
  }
  return index;
}

}  // namespace

bool IsWritableFolder(FileSystem& fs, std::u16string_view folder) {
  const std::u16string probe = WithTrailingSeparator(folder) + std::u16string(kProbeName);
  if (!fs.WriteFile(probe, {})) return false;
  // An empty probe file left behind harms nothing; the folder is writable.
  static_cast<void>(fs.DeleteFile(probe));
  return true;
}

ProgramFolders ResolveFolders(FileSystem& fs, const FolderEnvironment& env, DataFolderRule rule) {
  ProgramFolders folders;
  folders.programFolder = FolderOfFile(env.programFile);
  folders.dataFolder = folders.programFolder;
  if (UndoFolderUsable(fs, folders.programFolder + std::u16string(kUndoFolder), rule)) return folders;

  const std::u16string base = UserDataBase(env, rule);
  if (base.empty()) return folders;
  std::u16string data = WithTrailingSeparator(base);
  CreateFolderChain(fs, data);
  for (const std::u16string_view part : {kVendorFolder, kProductFolder}) {
    data += part;
    if (!fs.IsFolder(data)) static_cast<void>(fs.CreateFolder(data));
    data += kPathSeparator;
  }
  const std::u16string undos = data + std::u16string(kUndoFolder);
  // What cannot be made here is found when the undo log is written, and said then.
  if (!fs.IsFolder(undos)) static_cast<void>(fs.CreateFolder(undos));
  folders.dataFolder = data;
  return folders;
}

std::u16string ModeArgument(const std::vector<std::u16string>& arguments) {
  return arguments.size() > 1 ? arguments[1] : std::u16string();
}

std::optional<std::vector<std::u16string>> TakeHandOverFile(FileSystem& fs, const Locale& locale,
                                                            std::u16string_view folder) {
  const std::u16string path = WithTrailingSeparator(folder) + std::u16string(kHandOverFile);
  if (!fs.IsFile(path)) return std::nullopt;
  // A file that cannot be read hands over nothing; it is deleted all the same
  // so that it cannot hand its paths to a later, unrelated start.
  std::vector<std::u16string> lines = ReadTextLines(fs, path, locale).value_or(std::vector<std::u16string>{});
  // One that cannot be deleted would hand its paths over again: none are taken.
  if (!fs.DeleteFile(path)) return std::nullopt;
  std::erase_if(lines, [](const std::u16string& line) { return line.empty(); });
  return lines;
}

bool WriteHandOverFile(FileSystem& fs, const Locale& locale, std::u16string_view dataFolder,
                       const std::vector<std::u16string>& paths) {
  // A POSIX name may hold a line break; written as it is, it would hand the next
  // instance two wrong paths instead of one right one.
  for (const std::u16string& path : paths) {
    if (path.find_first_of(u"\r\n") != std::u16string::npos) return false;
  }
  return WriteTextLines(fs, WithTrailingSeparator(dataFolder) + std::u16string(kHandOverFile), paths, locale);
}

StartDecision StartProgram(std::u16string_view mode, const std::optional<std::u16string>& installDir,
                           const StartServices& services, ProgramFolders& folders, ProgramState& state) {
  StartDecision decision;
  if (mode.empty()) {
    state.CurrentMode = EditMode::kBrowse;
    decision.showMainWindow = true;
    return decision;
  }
  state.CurrentMode = std::u16string(mode);
  if (installDir && !installDir->empty()) folders.programFolder = WithTrailingSeparator(*installDir);

  // The hand-over file is where both writers put it, the data folder; the
  // program folder is looked at too for a writer that went by InstallDir.
  auto handed = TakeHandOverFile(services.fs, services.locale, folders.dataFolder);
  if (!handed && folders.programFolder != folders.dataFolder) {
    handed = TakeHandOverFile(services.fs, services.locale, folders.programFolder);
  }
  if (handed) {
    state.PickedPaths = *std::move(handed);
    if (state.PickedPaths.empty()) {
      decision.closeSoon = true;
    } else {
      state.SamplePath = state.PickedPaths.front();
    }
    if (state.PickedPaths.size() == 1 && services.fs.IsFolder(state.PickedPaths.front())) {
      state.TargetFolder = WithTrailingSeparator(state.PickedPaths.front());
      state.PickedPaths.clear();
      state.SamplePath = FirstFile(services.fs, state.TargetFolder, &decision.folderFileCount);
      if (state.SamplePath.empty() && FolderHoldsNothing(services.fs, state.TargetFolder)) {
        if (mode == EditMode::kSaveAll || mode == EditMode::kExtension) {
          services.prompter.Show(PromptIcon::Information, PromptButtons::Ok, services.texts.Lookup(Msg::kInformation),
                                 kNoFileText);
          decision.closeSoon = true;
        } else if (services.prompter.Show(PromptIcon::Question, PromptButtons::YesNo,
                                          services.texts.Lookup(Msg::kConfirmation),
                                          kNoFileQuestion) == PromptAnswer::Yes) {
          state.ScopeIndex = TargetScope::ThisFolder;
          decision.scopeThisFolder = true;
        } else {
          decision.closeSoon = true;
        }
      }
    }
  }

  const bool saveSome = mode == EditMode::kSaveSome;
  state.DirectEditStart = !saveSome;
  decision.showMainWindow = saveSome;
  // A program about to close opens nothing: a save dialog open when the close
  // timer fires would be closed under the user.
  if (!decision.closeSoon) {
    decision.openEditWindow = !saveSome;
    decision.saveChosenFiles = saveSome;
  }
  return decision;
}

MainWindowPlace PlaceMainWindow(bool settingsExist, const FormSettings& form, int screenHeight, int designedTop) {
  MainWindowPlace place;
  place.top = designedTop;
  place.savedTop = designedTop;
  if (!settingsExist) return place;
  if (form.Maximize) {
    place.maximized = true;
    return place;
  }
  place.useStoredPlace = true;
  place.left = form.Left;
  // A place saved on a taller screen would put the window out of sight.
  if (form.Top < screenHeight) place.top = form.Top;
  place.savedTop = place.top;
  place.width = form.Width;
  place.height = form.Height;
  return place;
}

std::u16string RenamedTotalText(const TextLookup& texts, std::uint64_t total) {
  constexpr MessageId kTotalRenamedFiles = 371;
  return texts.Lookup(kTotalRenamedFiles) + U16(std::to_string(total));
}

std::vector<std::u16string> LoadFolderHistory(const IniDocument& doc, int foldernum) {
  std::vector<std::u16string> history;
  for (int i = 0; i < foldernum; ++i) {
    auto value = doc.Value(SettingsKey::kForm, FolderKey(std::size_t(i)));
    if (!value) break;
    if (value->empty() || std::find(history.begin(), history.end(), *value) != history.end()) continue;
    history.push_back(*std::move(value));
  }
  return history;
}

bool SaveFolderHistory(SettingsFile& file, const std::vector<std::u16string>& history, int foldernum) {
  const std::size_t limit = foldernum > 0 ? std::size_t(foldernum) : 0;
  return file.Update([&](IniDocument& doc) {
    std::size_t written = 0;
    for (const auto& entry : history) {
      if (written == limit) break;
      if (entry.empty()) continue;
      if (doc.SetText(SettingsKey::kForm, FolderKey(written), entry)) ++written;
    }
    for (const auto& key : doc.Keys(SettingsKey::kForm)) {
      const auto index = FolderKeyIndex(key);
      if (index && *index >= written) doc.Remove(SettingsKey::kForm, key);
    }
    return true;
  });
}

}  // namespace renamora
