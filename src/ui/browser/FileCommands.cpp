// The main window's file-command rules.
#include "ui/browser/FileCommands.h"

#include <string>

#include "base/Paths.h"
#include "base/text/AsciiCase.h"
#include "base/text/Utf.h"
#include "core/NameChecks.h"

namespace renamora::ui {
namespace {

constexpr MessageId kNewFolderFailed = 374;
constexpr MessageId kCurrentFolderInvalid = 375;
constexpr MessageId kCleanShortcutsQuestion = 234;

// The shortest folder the Upper folder button lists: a drive root "C:\" on
// Windows, "/" on POSIX. Anything shorter means a root (or nothing) was shown.
#ifdef _WIN32
constexpr std::size_t kShortestRoot = 3;
#else
constexpr std::size_t kShortestRoot = 1;
#endif

}  // namespace

std::u16string CopyNameOf(FileSystem& fs, std::u16string_view fullPath, std::u16string_view itemText) {
  const std::u16string_view name = NameView(itemText);
  if (fs.IsFolder(fullPath)) return std::u16string(name);
  return std::u16string(name.substr(0, name.rfind(u'.')));
}

std::u16string NewFolderName(FileSystem& fs, std::u16string_view folder) {
  // Anything of the name counts, not only a folder: a file named "New Folder"
  // would make the creation fail instead of moving on to the next number.
  const std::u16string base = WithTrailingSeparator(folder);
  std::u16string name = u"New Folder";
  for (int i = 1; fs.Exists(base + name); ++i) name = u"New Folder " + U16(std::to_string(i));
  return name;
}

std::optional<std::u16string> CreateNewFolder(FileSystem& fs, Prompter& prompter, const TextLookup& texts,
                                              std::u16string_view currentFolder) {
  const MessageContext messages{texts, prompter};
  if (currentFolder.empty() || !fs.IsFolder(currentFolder)) {
    messages.Inform(texts.Lookup(kCurrentFolderInvalid));
    return std::nullopt;
  }
  std::u16string name = NewFolderName(fs, currentFolder);
  if (!fs.CreateFolder(WithTrailingSeparator(currentFolder) + name)) {
    messages.Inform(texts.Lookup(kNewFolderFailed));
    return std::nullopt;
  }
  return name;
}

std::u16string HandOverMode(int k, FileSystem& fs, const std::vector<std::u16string>& paths) {
  static constexpr std::u16string_view kModes[] = {u"Removpart", u"Replapart", u"Addnewnum", u"Changnew",
                                                   u"Changexten"};
  if (k >= 1 && k <= 5) return std::u16string(kModes[k - 1]);
  if (k != 6) return {};
  // One folder is saved as its tree; anything else as the list of chosen items.
  return paths.size() == 1 && fs.IsFolder(paths.front()) ? u"Savealls" : u"Savesomes";
}

std::optional<std::u16string> UpperFolderTarget(FileSystem& fs, std::u16string_view currentFolder) {
  std::u16string_view rest = currentFolder;
  while (!rest.empty() && rest.back() == kPathSeparator) rest.remove_suffix(1);
  const std::u16string_view parent = FolderView(rest);
  if (parent.size() < kShortestRoot || !fs.IsFolder(parent)) return std::nullopt;
  return std::u16string(parent);
}

std::u16string CleanShortcutName(std::u16string_view entryName) {
  const std::size_t dot = entryName.rfind(u'.');
  if (dot == std::u16string_view::npos || !EqualsIgnoringAsciiCase(entryName.substr(dot), u".lnk")) {
    return std::u16string(entryName);
  }
  const std::u16string_view inner = entryName.substr(0, dot);
  const std::size_t innerDot = inner.rfind(u'.');
  // The shortcut's own extension is kept as it is written.
  return std::u16string(inner.substr(0, innerDot)) + std::u16string(entryName.substr(dot));
}

int CleanShortcuts(FileSystem& fs, std::u16string_view folder) {
  const auto entries = fs.ListFolder(folder, ListDetail::NamesAndKinds);
  if (!entries) return 0;
  const std::u16string base = WithTrailingSeparator(folder);
  int renamed = 0;
  for (const DirEntry& entry : *entries) {
    if (entry.isFolder) continue;
    const std::u16string newName = CleanShortcutName(entry.name);
    if (newName == entry.name) continue;
    if (fs.Rename(base + entry.name, base + newName) == RenameStatus::Ok) ++renamed;
  }
  return renamed;
}

int RunShortcutCleaner(FileSystem& fs, Prompter& prompter, const TextLookup& texts, std::u16string_view desktopFolder) {
  if (prompter.Show(PromptIcon::Question, PromptButtons::YesNo, texts.Lookup(Msg::kConfirmation),
                    texts.Lookup(kCleanShortcutsQuestion)) != PromptAnswer::Yes) {
    return 0;
  }
  if (desktopFolder.empty() || !fs.IsFolder(desktopFolder)) return 0;
  return CleanShortcuts(fs, desktopFolder);
}

std::u16string QuoteCommandArgument(std::u16string_view argument, bool alwaysQuote) {
  if (!alwaysQuote && !argument.empty() && argument.find_first_of(u" \t\n\v\"") == std::u16string_view::npos) {
    return std::u16string(argument);
  }
  std::u16string out = u"\"";
  std::size_t backslashes = 0;
  for (char16_t c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are literal unless a quote follows them: then each one is
    // doubled and the quote itself escaped.
    out.append(c == u'"' ? 2 * backslashes + 1 : backslashes, u'\\');
    out += c;
    backslashes = 0;
  }
  // The closing quote follows them too.
  out.append(2 * backslashes, u'\\');
  out += u'"';
  return out;
}

std::u16string InstanceCommandLine(std::u16string_view programPath, std::u16string_view mode) {
  return QuoteCommandArgument(programPath, true) + u" " + QuoteCommandArgument(mode);
}

std::u16string OpenPathCommandLine(std::u16string_view fullPath) {
  return u"explorer.exe /select," + QuoteCommandArgument(fullPath, true);
}

}  // namespace renamora::ui
