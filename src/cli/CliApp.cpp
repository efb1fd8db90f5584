// renamora-cli: parses a call, sets up the edit as the main window would, runs the
// engine and prints what the windows would have shown.
#include "cli/CliApp.h"

#include <algorithm>
#include <climits>
#include <ostream>

#include "app/EditStart.h"
#include "app/FileList.h"
#include "app/LanguageFiles.h"
#include "app/NewNameHistory.h"
#include "app/RequestFields.h"
#include "app/RunSession.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "app/StartUp.h"
#include "base/Paths.h"
#include "base/text/Utf.h"
#include "cli/CliConsole.h"
#include "cli/CliOutput.h"
#include "core/InputChecks.h"
#include "core/NameListing.h"
#include "core/NameParts.h"
#include "core/RenameEngine.h"
#include "core/TextFile.h"
#include "core/UndoJournal.h"
#include "core/UndoLog.h"

namespace renamora::cli {
namespace {

constexpr std::string_view kVersion = "renamora-cli 0.3.0";
// The information row a preview ends with when it stopped at the row limit.
constexpr MessageId kRowLimitMessage = 175;

struct Call {
  std::u16string command;
  std::optional<std::u16string> dataFolder;
  std::optional<std::u16string> requestFile;
  // --set and the short flags, applied in the order given, after the request file.
  std::vector<std::pair<std::u16string, std::u16string>> sets;
  std::vector<std::u16string> checked;
  OutputFormat format = OutputFormat::Table;
  bool all = false;
  AnswerPolicy answers = AnswerPolicy::Ask;
  std::optional<std::u16string> output;
  std::vector<std::u16string> targets;
};

struct UsageError {
  std::string message;
};

// Text from the call or the disk as it goes into a message or a line of output:
// escaped as the table's cells are, so that no name can move the cursor or send
// the terminal a control sequence.
std::string Utf8(std::u16string_view text) { return ConsoleText(text); }

// The short flags for the common edits, each a set of request fields.
bool ShortFlag(std::u16string_view flag, const std::vector<std::u16string>& args, std::size_t& i, Call& call,
               std::optional<UsageError>& error) {
  auto value = [&]() -> std::optional<std::u16string> {
    if (i + 1 >= args.size()) {
      error = UsageError{"option " + Utf8(flag) + " needs a value"};
      return std::nullopt;
    }
    return args[++i];
  };
  auto set = [&](std::u16string name, std::u16string v) { call.sets.emplace_back(std::move(name), std::move(v)); };
  if (flag == u"--mode") {
    if (auto v = value()) set(u"EditRequest.Mode", *v);
  } else if (flag == u"--remove") {
    if (auto v = value()) {
      set(u"EditRequest.Mode", u"remove");
      set(u"RemoveOptions.RemoveKind", u"RemoveStrings");
      set(u"RemoveOptions.Strings1", *v);
    }
  } else if (flag == u"--replace") {
    auto oldText = value();
    auto newText = oldText ? value() : std::nullopt;
    if (newText) {
      set(u"EditRequest.Mode", u"replace");
      set(u"ReplaceOptions.ReplaceKind", u"ReplaceString");
      set(u"ReplaceOptions.OldString", *oldText);
      set(u"ReplaceOptions.NewTemplate", *newText);
    }
  } else if (flag == u"--head" || flag == u"--end") {
    if (auto v = value()) {
      const bool head = flag == u"--head";
      set(u"EditRequest.Mode", u"insert");
      set(u"InsertOptions.InsertKind", u"ToPosition");
      set(head ? u"InsertOptions.AtHead" : u"InsertOptions.AtEnd", u"1");
      set(head ? u"InsertOptions.HeadTemplate" : u"InsertOptions.EndTemplate", *v);
    }
  } else if (flag == u"--new-name") {
    if (auto v = value()) {
      set(u"EditRequest.Mode", u"change");
      set(u"ChangeOptions.ChangeKind", u"NewName");
      set(u"ChangeOptions.NewNameTemplate", *v);
    }
  } else if (flag == u"--case") {
    if (auto v = value()) {
      const std::u16string kind = *v == u"lower" ? u"Lower" : *v == u"upper" ? u"Upper" : *v == u"words" ? u"CapitalizeWords" : *v;
      set(u"EditRequest.Mode", u"change");
      set(u"ChangeOptions.ChangeKind", u"ConvertCase");
      set(u"ChangeOptions.CaseKind", kind);
    }
  } else if (flag == u"--extension") {
    auto oldExt = value();
    auto newExt = oldExt ? value() : std::nullopt;
    if (newExt) {
      set(u"EditRequest.Mode", u"extension");
      set(u"ExtensionOptions.ExtensionKind", u"ChangeExtension");
      set(u"ExtensionOptions.ReplaceAllTypes", *oldExt == u"*" ? u"1" : u"0");
      if (*oldExt != u"*") set(u"ExtensionOptions.OldExtension", *oldExt);
      set(u"ExtensionOptions.NewExtension", *newExt);
    }
  } else if (flag == u"--subfolders") {
    set(u"EditRequest.IncludeSubfolders", u"1");
  } else {
    return false;
  }
  return true;
}

std::optional<UsageError> ParseCall(const std::vector<std::u16string>& args, Call& call) {
  std::optional<UsageError> error;
  bool optionsEnded = false;
  bool haveCommand = false;
  // Options may stand before or after the command; the first plain word is it.
  for (std::size_t i = 0; i < args.size() && !error; ++i) {
    const std::u16string& a = args[i];
    if (optionsEnded || a.empty() || a[0] != u'-') {
      if (haveCommand) {
        call.targets.push_back(a);
      } else {
        call.command = a;
        haveCommand = true;
      }
      continue;
    }
    auto value = [&]() -> std::optional<std::u16string> {
      if (i + 1 >= args.size()) {
        error = UsageError{"option " + Utf8(a) + " needs a value"};
        return std::nullopt;
      }
      return args[++i];
    };
    if (a == u"--") {
      optionsEnded = true;
    } else if (a == u"--data-folder") {
      call.dataFolder = value();
    } else if (a == u"--request") {
      call.requestFile = value();
    } else if (a == u"--set") {
      if (auto v = value()) {
        const auto eq = v->find(u'=');
        if (eq == std::u16string::npos) {
          error = UsageError{"--set needs NAME=VALUE, got '" + Utf8(*v) + "'"};
        } else {
          call.sets.emplace_back(v->substr(0, eq), v->substr(eq + 1));
        }
      }
    } else if (a == u"--checked") {
      if (auto v = value()) call.checked.push_back(*v);
    } else if (a == u"--format") {
      if (auto v = value()) {
        if (auto f = ParseOutputFormat(Utf8(*v))) {
          call.format = *f;
        } else {
          error = UsageError{"unknown format '" + Utf8(*v) + "' (table, tsv or json)"};
        }
      }
    } else if (a == u"--all") {
      call.all = true;
    } else if (a == u"--yes") {
      call.answers = AnswerPolicy::Yes;
    } else if (a == u"--no") {
      call.answers = AnswerPolicy::No;
    } else if (a == u"--output") {
      call.output = value();
    } else if (!ShortFlag(a, args, i, call, error)) {
      error = UsageError{"unknown option '" + Utf8(a) + "'; see renamora-cli --help"};
    }
  }
  if (error) return error;
  static constexpr std::u16string_view kCommands[] = {u"preview", u"rename", u"undo", u"save"};
  if (!haveCommand) return UsageError{"no command given; see renamora-cli --help"};
  if (std::find(std::begin(kCommands), std::end(kCommands), call.command) == std::end(kCommands)) {
    return UsageError{"unknown command '" + Utf8(call.command) + "'; see renamora-cli --help"};
  }
  if (call.command == u"undo" && !call.targets.empty()) return UsageError{"undo takes no targets"};
  if (call.command != u"undo" && call.targets.empty()) return UsageError{"no target folder or files given"};
  return std::nullopt;
}

const char* WhyNotRenamed(RenameStatus status) {
  switch (status) {
    case RenameStatus::TargetExists:
      return "the new name is taken";
    case RenameStatus::SourceMissing:
      return "it is no longer there";
    case RenameStatus::LineBreak:
      return "its name or the new name holds a line break, which the undo log cannot keep";
    case RenameStatus::NameTooLong:
      return "the new name is longer than 255 bytes, more than the file system takes";
    default:
      return "the system refused it";
  }
}

class SilentPrompter final : public Prompter {
 public:
  PromptAnswer Show(PromptIcon, PromptButtons, std::u16string_view, std::u16string_view) override {
    return PromptAnswer::Cancel;
  }
};

class NoWindows final : public EditHost {};

// The save dialog's stand-in names the --output file once. The listing asks the
// dialog again when the user declines to replace the file; a command line has no
// other name to offer, so the second time is a Cancel.
class OutputChooser final : public SaveFileChooser {
 public:
  explicit OutputChooser(std::optional<std::u16string> path) : path_(std::move(path)) {}
  std::optional<std::u16string> ChooseSaveFile(std::u16string_view) override {
    if (asked_) return std::nullopt;
    asked_ = true;
    return path_;
  }

 private:
  std::optional<std::u16string> path_;
  bool asked_ = false;
};

// A command-line listing is never opened in another program.
class NoOpener final : public FileOpener {
 public:
  void OpenFile(std::u16string_view) override {}
};

// Tells the call's outcome apart: checks refused, or not reached at all (the probe
// found nothing).
class RecordingChecks final : public InputChecks {
 public:
  explicit RecordingChecks(InputChecks& inner) : inner_(inner) {}
  bool CheckAndConfirm(EditRequest& request, RunState& run, const ProgramState& program) override {
    called = true;
    accepted = inner_.CheckAndConfirm(request, run, program);
    return accepted;
  }
  bool called = false;
  bool accepted = false;

 private:
  InputChecks& inner_;
};

class UndoStatus final : public UndoMainWindow {
 public:
  explicit UndoStatus(std::ostream& out) : out_(out) {}
  bool ShowsChosenFiles() const override { return true; }
  std::u16string FolderBoxText() const override { return {}; }
  void EmptyList() override {}
  void ReloadList() override {}
  void ShowStatus(std::u16string_view text) override { out_ << Utf8(text) << "\n"; }

 private:
  std::ostream& out_;
};

// The largest request file read: a request is a few dozen short lines, and a
// larger file is a mistake (or /dev/zero) that would be read into memory whole.
constexpr std::uint64_t kLargestRequestFile = 1024 * 1024;

// A path of the call as text the system can resolve: relative paths (and, on
// Windows, paths without a drive) are put below the working folder. Nothing when
// the path needs the working folder and the working folder is not known.
std::optional<std::u16string> AnchoredPath(std::u16string_view path, std::u16string_view currentFolder) {
#ifdef _WIN32
  const auto isSeparator = [](char16_t c) { return c == u'\\' || c == u'/'; };
  // "C:\x", "C:x" (the drive's own current folder, which the system knows) and
  // "\\server\share" are the system's to resolve.
  if (path.size() >= 2 && (path[1] == u':' || (isSeparator(path[0]) && isSeparator(path[1])))) {
    return std::u16string(path);
  }
  if (!path.empty() && isSeparator(path[0])) {
    // "\x" is on the drive of the working folder.
    const bool driveKnown = currentFolder.size() >= 2 && currentFolder[1] == u':';
    return driveKnown ? std::u16string(currentFolder.substr(0, 2)) + std::u16string(path) : std::u16string(path);
  }
#else
  if (!path.empty() && path[0] == u'/') return std::u16string(path);
#endif
  if (currentFolder.empty()) return std::nullopt;
  return WithTrailingSeparator(currentFolder) + std::u16string(path);
}

// The full path of a path of the call, as the file system resolves it (so that
// "link/.." is where the link leads, and logs and listings always hold full paths
// with their drive); or why there is none.
std::optional<std::u16string> FullPath(std::u16string_view path, std::u16string_view currentFolder,
                                       std::string& problem, FinalLink finalLink = FinalLink::Keep) {
  if (path.empty()) {
    problem = "an empty path names no file or folder";
    return std::nullopt;
  }
  const auto anchored = AnchoredPath(path, currentFolder);
  if (!anchored) {
    problem = "the working folder cannot be found (it was removed, or its path is too long), so the relative path '" +
              Utf8(path) + "' names nothing; give a full path";
    return std::nullopt;
  }
  auto full = ResolvePath(*anchored, finalLink);
  if (!full) {
    problem = "'" + Utf8(path) + "' cannot be resolved: a folder on its way does not exist or cannot be searched";
    return std::nullopt;
  }
#ifdef _WIN32
  // A drive's root keeps its separator: "C:" alone is the drive's current folder.
  if (!(full->size() == 3 && (*full)[1] == u':')) *full = WithoutTrailingSeparators(*full);
#endif
  return full;
}

// The sample name as the edit window shows it: the working name, or the whole
// name in the Extension and Save modes and for the folder scopes.
std::u16string SampleTextOf(FileSystem& fs, const EditRequest& request, std::u16string_view samplePath) {
  if (samplePath.empty()) return {};
  const bool whole = request.Mode == EditMode::kExtension || request.Mode == EditMode::kSaveAll ||
                     request.Scope == TargetScope::Folders || request.Scope == TargetScope::ThisFolder;
  if (whole) return NameOf(samplePath);
  return SplitPath(samplePath, fs.IsFolder(samplePath)).Base;
}

class CliRun {
 public:
  CliRun(const Call& call, CliEnvironment& env) : call_(call), env_(env) {}
  int Run();

 private:
  int Fail(const std::string& message) {
    env_.err << "renamora-cli: " << message << "\n";
    return kExitRefused;
  }
  // Nothing when the data folder is there; else why it is not.
  std::optional<std::string> ResolveData();
  // Holds the data folder's lock and turns a left journal into the undo log; the
  // exit status when the call must not go on.
  std::optional<int> HoldDataFolder();
  int Edit();
  int Undo();

  const Call& call_;
  CliEnvironment& env_;
  ProgramFolders folders_;
  std::optional<RunSession> session_;
};

std::optional<std::string> CliRun::ResolveData() {
  if (!call_.dataFolder) {
    folders_ = ResolveFolders(env_.fs, env_.folders);
    return std::nullopt;
  }
  // A data folder of the call's own: nothing is created beside the program file.
  const std::u16string_view program = env_.folders.programFile;
  const std::size_t end = LastFolderEnd(program);
  folders_.programFolder = end == std::u16string_view::npos ? std::u16string() : std::u16string(program.substr(0, end + 1));
  // The data folder may be a link to the real one; one that is not there yet is made.
  std::string problem;
  auto full = FullPath(*call_.dataFolder, env_.currentFolder, problem, FinalLink::Follow);
  if (!full) full = FullPath(*call_.dataFolder, env_.currentFolder, problem);
  if (!full) return "the data folder: " + problem;
  const std::u16string folder = WithTrailingSeparator(*full);
  if (!env_.fs.IsFolder(folder) && !env_.fs.CreateFolder(folder)) {
    return "the data folder '" + Utf8(*call_.dataFolder) + "' cannot be created";
  }
  // Rename and undo refuse a data folder whose Undos cannot be written; a call
  // that only reads goes ahead without it.
  const std::u16string undos = folder + u"Undos";
  if (!env_.fs.IsFolder(undos)) static_cast<void>(env_.fs.CreateFolder(undos));
  folders_.dataFolder = folder;
  return std::nullopt;
}

int CliRun::Run() {
  if (auto problem = ResolveData()) return Fail(*problem);
  // A rename whose undo log cannot be written could never be taken back; an undo
  // must be able to remove the log it has done.
  const std::u16string undos = folders_.dataFolder + u"Undos";
  const bool changesFiles = call_.command == u"rename" || call_.command == u"undo";
  if (changesFiles && !IsWritableFolder(env_.fs, undos)) {
    return Fail("the data folder '" + Utf8(folders_.dataFolder) + "' cannot be written (the undo log goes in '" +
                Utf8(undos) + "')");
  }
  return call_.command == u"undo" ? Undo() : Edit();
}

std::optional<int> CliRun::HoldDataFolder() {
  const bool changesFiles = call_.command == u"rename" || call_.command == u"undo";
  // One rename or undo at a time over a data folder: a second one would write its
  // pairs into the same journal and log and take the first one's undo away. The
  // lock is held until this call has written its log. A call that changes nothing
  // takes it only to turn a left journal into the log, and so writes nothing into
  // the data folder when there is none.
  session_.emplace(env_.fs, env_.locale, env_.clock, folders_.dataFolder);
  if (!changesFiles && !env_.fs.Exists(UndoJournalPath(folders_.dataFolder))) return std::nullopt;
  // A run that was killed or crashed left its journal: it becomes the undo log
  // before anything else, and a new run must not start over it.
  const DataFolderHold hold = session_->HoldDataFolder();
  if (hold.recovered) {
    env_.err << "renamora-cli: the last rename run did not end; its " << hold.recoveredPairs
             << " renames are now in the undo log\n";
  }
  // A call that changes nothing goes ahead whatever stands in the way.
  if (!changesFiles) return std::nullopt;
  const UndoLog& log = session_->Undo();
  switch (hold.status) {
    case DataFolderStatus::Ready:
      break;
    case DataFolderStatus::LockBusy:
      return Fail("another rename run or undo is using the data folder '" + Utf8(folders_.dataFolder) +
                  "'; try again when it has ended");
    case DataFolderStatus::LockFailed:
      return Fail("the lock file '" + Utf8(RunLockPath(folders_.dataFolder)) + "' of the data folder cannot be made");
    case DataFolderStatus::RecoveryFailed:
      return Fail("the last rename run did not end and its journal '" + Utf8(log.JournalPath()) +
                  "' cannot be turned into the undo log '" + Utf8(log.Path()) + "'");
    case DataFolderStatus::JournalBusy:
      return Fail("another rename run is using the data folder '" + Utf8(folders_.dataFolder) + "' (its journal '" +
                  Utf8(log.JournalPath()) + "' is in use); try again when it has ended");
  }
  return std::nullopt;
}

int CliRun::Undo() {
  if (auto refused = HoldDataFolder()) return *refused;
  SettingsFile settingsFile(env_.fs, env_.locale, folders_.dataFolder + u"Settings.ini");
  const OptionSettings options = LoadOptionSettings(settingsFile.Read());
  const StringTable texts = ChooseStringTable(env_.fs, env_.locale, folders_.programFolder, options.Language).table;
  UndoLog& log = session_->Undo();
  if (!log.UndoLogExists()) {
    env_.err << "renamora-cli: there is nothing to undo (no undo log in " << Utf8(folders_.dataFolder) << ")\n";
    return kExitNothingToDo;
  }
  ConsolePrompter prompter(env_.err, call_.answers, env_.inIsTerminal, env_.readLine);
  ConsoleProgress progress(env_.err, env_.errIsTerminal);
  FileList list(env_.fs, env_.clock, env_.locale);
  UndoStatus status(env_.out);
  NoWindows host;
  StopRequest stop;
  const RunOptions runOptions = RunOptionsFrom(options);
  const UndoResult result = log.Undo({prompter, texts, progress, list, status, host, stop, runOptions});
  for (const UndoFailure& failure : result.Failures) {
    env_.err << "renamora-cli: '" << Utf8(failure.CurrentPath) << "' was not renamed back to '"
             << Utf8(NameView(failure.PreviousPath)) << "': " << WhyNotRenamed(failure.Status) << "\n";
  }
  switch (result.Outcome) {
    case UndoOutcome::Declined:
      return kExitRefused;
    case UndoOutcome::NoLog:
      return kExitNothingToDo;
    case UndoOutcome::Unwritten:
      return Fail("the pairs of the last run cannot be written to the undo log '" + Utf8(log.Path()) +
                  "'; nothing was taken back");
    case UndoOutcome::Stopped:
    case UndoOutcome::Incomplete:
      env_.err << "renamora-cli: the pairs not restored stay in the undo log; undo again once what stood in "
                  "their way is put right\n";
      return kExitSomeFailed;
    case UndoOutcome::Completed:
      break;
  }
  return kExitDone;
}

int CliRun::Edit() {
  // The request: defaults, then the request file, then the settings in order.
  CliRequest cli;
  if (call_.requestFile) {
    // Checked before reading: a pipe or a device would be read for ever or until
    // memory runs out.
    std::string problem;
    const auto path = FullPath(*call_.requestFile, env_.currentFolder, problem, FinalLink::Follow);
    if (!path) return Fail("the request file: " + problem);
    const std::string named = "the request file '" + Utf8(*call_.requestFile) + "'";
    const auto entry = env_.fs.Stat(*path);
    if (!entry) return Fail(named + " does not exist");
    if (entry->isFolder || entry->isLink || (entry->attributes & kAttrDevice)) {
      return Fail(named + " is not a regular file");
    }
    if (entry->size > kLargestRequestFile) return Fail(named + " is larger than 1 MiB; no request is that long");
    auto lines = ReadTextLines(env_.fs, *path, env_.locale);
    if (!lines) return Fail(named + " cannot be read");
    if (auto error = ApplyRequestLines(cli, *lines)) {
      return Fail("the request file '" + Utf8(*call_.requestFile) + "', " + Utf8(*error));
    }
  }
  for (const auto& [name, value] : call_.sets) {
    if (auto error = SetField(cli, name, value)) return Fail(Utf8(*error));
  }
  EditRequest& request = cli.request;
  if (call_.command == u"save") {
    request.Mode = std::u16string(EditMode::kSaveAll);
  } else if (request.Mode.empty()) {
    return Fail("no edit given: set EditRequest.Mode (or use --remove, --replace, --head, ...)");
  } else if (request.Mode == EditMode::kSaveAll) {
    return Fail("a listing is made by the save command");
  }
  // The listing's file is checked before anything is written. The desktop program
  // writes a listing it cannot put where asked into the data folder instead; a
  // script would not look for it there, so the command line never does that.
  std::optional<std::u16string> outputPath;
  if (call_.command == u"save") {
    if (!call_.output) return Fail("save needs --output FILE");
    std::string problem;
    outputPath = FullPath(*call_.output, env_.currentFolder, problem);
    if (!outputPath) return Fail("--output: " + problem);
    const std::string named = "--output '" + Utf8(*call_.output) + "'";
    // What is written is the name with ".txt" added when it has another extension.
    const std::u16string written = ListingFilePath(*outputPath);
    if (env_.fs.IsFolder(*outputPath) || env_.fs.IsFolder(written)) {
      return Fail(named + " is a folder; name the listing's file");
    }
    const std::size_t folderEnd = LastFolderEnd(written);
    if (folderEnd == std::u16string::npos || !env_.fs.IsFolder(written.substr(0, folderEnd + 1))) {
      return Fail(named + ": its folder does not exist");
    }
  }

  // Settings of the shared data folder, with this call's Option overrides.
  SettingsFile settingsFile(env_.fs, env_.locale, folders_.dataFolder + u"Settings.ini");
  IniDocument settingsDoc = settingsFile.Read();
  ApplyOptionOverrides(cli, settingsDoc);
  const OptionSettings options = LoadOptionSettings(settingsDoc);
  FormSettings form = LoadFormSettings(settingsDoc);
  const StringTable texts = ChooseStringTable(env_.fs, env_.locale, folders_.programFolder, options.Language).table;
  RunOptions runOptions = RunOptionsFrom(options);
  if (call_.all) runOptions.Prenum = INT_MAX;
  request.Change.ExcludeSmallWords = options.Capevery;

  // The main window's list and the start of the edit.
  ProgramState program;
  program.CurrentMode = request.Mode;
  program.RenamedTotal = form.Totalfiles;
  FileList list(env_.fs, env_.clock, env_.locale);
  list.SetShowsCheckBoxes(options.Checkbox);
  std::vector<std::u16string> targets;
  for (const auto& t : call_.targets) {
    std::string problem;
    const auto full = FullPath(t, env_.currentFolder, problem);
    if (!full) return Fail("the target: " + problem);
    targets.push_back(*full);
    if (!env_.fs.Exists(targets.back())) return Fail("no such file or folder: " + Utf8(t));
  }
  const bool folderEdit = targets.size() == 1 && env_.fs.IsFolder(targets[0]);
  // The engine reads the list only for the checked scopes; the other scopes walk
  // the folder themselves, and a large folder need not be listed twice.
  const bool listUsed = !call_.checked.empty() || request.Scope == TargetScope::CheckedFiles ||
                        request.Scope == TargetScope::Folders;
  if (folderEdit && listUsed) {
    ListingRules rules;
    rules.showHidden = options.Showhiddenfile;
    rules.showSystem = options.Showsysfile;
    if (list.ListFolder(targets[0], rules, [] { return true; }) != ListingEnd::Listed) {
      return Fail("the folder '" + Utf8(targets[0]) + "' cannot be read");
    }
    if (!call_.checked.empty()) {
      for (std::size_t i = 0; i < list.Count(); ++i) {
        list.SetChecked(i, std::find(call_.checked.begin(), call_.checked.end(), list.Item(i).text) !=
                               call_.checked.end());
      }
      for (const auto& name : call_.checked) {
        if (!list.HasItemText(name)) return Fail("--checked " + Utf8(name) + ": no such item in the folder's list");
      }
    }
  }
  if (folderEdit) {
    list.SetMode(FileListMode::FolderView);
  } else {
    if (!call_.checked.empty()) return Fail("--checked needs exactly one folder as target");
    for (const auto& t : targets) {
      if (!list.AddPath(t, u"", u"")) return Fail("no such file or folder: " + Utf8(t));
    }
    if (request.Mode == EditMode::kSaveAll) program.CurrentMode = std::u16string(EditMode::kSaveSome);
  }
  const EditStartOutcome start =
      PrepareEditStart(list, program, request.Scope, env_.fs, folderEdit ? std::u16string_view(targets[0]) : u"");
  if (start.status == EditStartStatus::NothingChosen || start.status == EditStartStatus::FolderMissing) {
    return Fail("no such file or folder: " + Utf8(targets[0]));
  }
  program.ScopeIndex = request.Scope;

  // The lock comes once the call is known to be sound, so that a refused call
  // leaves nothing behind in the data folder.
  if (auto refused = HoldDataFolder()) return *refused;

  // Everything the windows would do around the run.
  ConsolePrompter prompter(env_.err, call_.answers, env_.inIsTerminal, env_.readLine);
  ConsoleProgress progress(env_.err, env_.errIsTerminal);
  NoWindows host;
  UndoLog& undo = session_->Undo();
  undo.onRenameFailed = [&](std::u16string_view oldName, std::u16string_view newName, RenameStatus status) {
    env_.err << "renamora-cli: '" << Utf8(oldName) << "' was not renamed to '" << Utf8(newName)
             << "': " << WhyNotRenamed(status) << "\n";
  };
  session_->LoadHistory(options.Listnum);
  OutputChooser chooser(outputPath);
  NoOpener opener;
  RunState& run = session_->Run();
  PreviewRows& preview = session_->Preview();
  SpecialStringSettings& special = cli.special;
  NameListingSaver saver({env_.fs, env_.locale, env_.clock, texts, prompter, progress, host, chooser, opener},
                         {.Options1 = false, .Options2 = true, .DataFolder = {}});
  std::optional<SaveOutcome> saved;
  RenameInputChecks checks(texts, prompter, runOptions, special,
                           [&](const EditRequest& r) { saved = saver.Save(r, program, run); });
  RecordingChecks recording(checks);
  // The run's own journal and undo log live in the data folder: never a target.
  RunServices services =
      session_->Services({texts, prompter, progress, list, host, program, special, runOptions, &recording});

  if (start.status == EditStartStatus::SaveChosen) {
    saved = saver.Save(request, program, run);
  } else {
    if (start.needsProbe) {
      // The sample comes from the probe, as when the edit window opens; its
      // messages are the run's to show.
      SilentPrompter quiet;
      RunServices probeServices = session_->Services({texts, quiet, progress, list, host, program, special, runOptions});
      probeServices.history = nullptr;
      RenameEngine probe(probeServices);
      program.SamplePath = probe.Probe(request);
      run.ProbeFileCount = -1;
    }
    if (!cli.sampleTextSet) request.Sample.SampleText = SampleTextOf(env_.fs, request, program.SamplePath);
    RenameEngine engine(services);
    if (call_.command == u"preview") {
      engine.Preview(request);
    } else {
      engine.RenameCommand(request);
    }
  }

  if (saved) {
    switch (saved->Status) {
      case SaveStatus::Saved:
      case SaveStatus::SavedToFallback:
        env_.out << Utf8(saved->WrittenPath) << "\n";
        return kExitDone;
      case SaveStatus::NothingToList:
        return kExitNothingToDo;
      case SaveStatus::Cancelled:
        return kExitRefused;
      case SaveStatus::NotWritten:
        return kExitSomeFailed;
    }
  }
  if (recording.called && !recording.accepted) return kExitRefused;
  if (!recording.called) return kExitNothingToDo;

  if (call_.command == u"preview") {
    // The row limit's own message points to the options dialog, which the
    // command line does not have.
    std::vector<PreviewRow> rows = preview.Rows();
    if (!rows.empty() && rows.back().IsInformation && rows.back().OldName == texts.Lookup(kRowLimitMessage)) {
      rows.push_back({u"Add --all to show every name.", {}, true});
    }
    env_.out << FormatPreview(rows, call_.format);
    const bool anyRow = std::any_of(preview.Rows().begin(), preview.Rows().end(),
                                    [](const PreviewRow& r) { return !r.IsInformation; });
    if (!anyRow) return kExitNothingToDo;
    return run.Counters.Failed > 0 ? kExitSomeFailed : kExitDone;
  }

  // The pending pairs are the record of what was renamed; the output is written
  // from them before the log write takes them. (A failed log write is reported
  // after it.)
  const UndoPairLines& pairs = undo.Pending();
  WriteRenamed(
      env_.out, pairs.size(), [&](std::size_t i) { return RenamedItem{pairs.Previous(i), pairs.Current(i)}; },
      RunSummaryText(run.Counters, texts), call_.format, program.TargetFolder);
  env_.out.flush();
  // A command-line run has no window to wait for: the undo log is written now.
  const bool logged = undo.WritePending();
  if (program.RenamedTotal != form.Totalfiles) {
    if (!settingsFile.WriteInteger(u"Form", u"Totalfiles", static_cast<std::int64_t>(program.RenamedTotal))) {
      env_.err << "renamora-cli: the settings file '" << Utf8(settingsFile.Path())
               << "' cannot be written; the count of renamed files is not kept\n";
    }
  }
  if (!logged) {
    env_.err << "renamora-cli: the undo log '" << Utf8(undo.Path()) << "' cannot be written; ";
    if (env_.fs.Exists(undo.JournalPath())) {
      env_.err << "the journal '" << Utf8(undo.JournalPath())
               << "' keeps this run's renames and becomes the undo log at the next start that can write it\n";
    } else {
      env_.err << "this run cannot be undone\n";
    }
    return kExitSomeFailed;
  }
  if (run.Counters.Failed > 0 || !run.UndoRecordRefusedAt.empty()) return kExitSomeFailed;
  return run.Counters.Renamed > 0 ? kExitDone : kExitNothingToDo;
}

}  // namespace

std::string HelpText() {
  std::string text =
      "Usage:\n"
      "  renamora-cli preview [options] TARGET...   show the new names, change nothing\n"
      "  renamora-cli rename  [options] TARGET...   rename (undo log written at once)\n"
      "  renamora-cli undo    [options]             take the last rename run back\n"
      "  renamora-cli save    [options] --output FILE TARGET...   write a name listing\n"
      "  renamora-cli --help | --version\n"
      "\n"
      "TARGET: one folder (its listing is edited) or one or more files and folders (chosen files).\n"
      "Relative paths start at the working folder; \"..\" is resolved as the file system does\n"
      "(\"link/..\" is the folder above where the link leads); a link named as a TARGET is itself renamed.\n"
      "\n"
      "Options:\n"
      "  --data-folder DIR     settings, undo log and history of this call (default: as the program)\n"
      "  --request FILE        INI file of request fields, one section per group\n"
      "  --set NAME=VALUE      one request field, after the file; repeatable\n"
      "  --checked NAME        with a folder TARGET, only these list items are checked; repeatable\n"
      "  --format table|tsv|json   output form (default table)\n"
      "  --all                 preview without the row limit (Option.Prenum, 20 unless set)\n"
      "  --yes | --no          answer every question OK/Yes or Cancel/No (default: ask on a terminal)\n"
      "  --output FILE         the listing file of save; its folder must exist, and \".txt\" is added\n"
      "                        to a name with another extension\n"
      "\n"
      "Short flags (each sets request fields):\n"
      "  --remove TEXT         remove TEXT from every name\n"
      "  --replace OLD NEW     replace OLD by the template NEW\n"
      "  --head TEMPLATE       insert TEMPLATE at the head;  --end TEMPLATE at the end\n"
      "  --new-name TEMPLATE   give every item the name TEMPLATE\n"
      "  --case lower|upper|words   convert the letter case of names\n"
      "  --extension OLD NEW   change extension OLD (or * for all) to NEW\n"
      "  --mode MODE           remove, replace, insert, change, extension\n"
      "  --subfolders          include subfolders: with a folder TARGET the whole tree below it is\n"
      "                        walked, every folder at every depth (sequence numbers restart in each)\n"
      "\n"
      "Scope (--set EditRequest.Scope=, the number or its name, any letter case):\n"
      "  0  AllFiles       the files of the folder TARGET (the default)\n"
      "  1  CheckedFiles   only the checked files of the folder's list (see --checked)\n"
      "  2  Folders        the subfolders of the folder TARGET instead of its files\n"
      "  3  ThisFolder     the folder TARGET itself\n"
      "\n"
      "Data folder (settings, undo log, new-name history; shared with the desktop program):\n"
      "  --data-folder DIR if given. Otherwise, on Windows, the program's own folder when an\n"
      "  \"Undos\" folder there exists or can be made, and can be written; else\n"
      "  %APPDATA%\\Altomira\\Renamora\\. On Linux, the program's folder only when a writable\n"
      "  \"Undos\" folder was put there; else $XDG_DATA_HOME/Altomira/Renamora/ (when\n"
      "  XDG_DATA_HOME is an absolute path), else ~/.local/share/Altomira/Renamora/.\n"
      "\n"
      "Templates: $$$ sequence number, {a} sequence letter, %% folder name, %3% random text,\n"
      "@@ file date (yyyymmdd), ## file size, @$@ a literal $.\n"
      "\n"
      "Exit status: 0 done, 1 nothing to do, 2 usage error / bad field / refused input / declined\n"
      "question, 3 some items failed or standard output could not be written (the work itself was\n"
      "done: a rename run is in the undo log).\n"
      "\n"
      "Request fields (NAME is Group.Field):\n";
  for (const std::u16string& line : FieldHelpLines()) text += "  " + Utf8(line) + "\n";
  return text;
}

namespace {

int RunCall(const std::vector<std::u16string>& args, CliEnvironment& env) {
  if (!args.empty() && (args[0] == u"--help" || args[0] == u"-h")) {
    env.out << HelpText();
    return kExitDone;
  }
  if (!args.empty() && args[0] == u"--version") {
    env.out << kVersion << "\n";
    return kExitDone;
  }
  Call call;
  if (auto error = ParseCall(args, call)) {
    env.err << "renamora-cli: " << error->message << "\n";
    return kExitRefused;
  }
  return CliRun(call, env).Run();
}

}  // namespace

int RunCli(const std::vector<std::u16string>& args, CliEnvironment& env) {
  const int status = RunCall(args, env);
  // A script reading the output must not take a cut-off list for the whole one.
  env.out.flush();
  if (env.out.fail()) {
    env.err << "renamora-cli: the standard output cannot be written; what was shown there is incomplete\n";
    return status == kExitRefused ? kExitRefused : kExitSomeFailed;
  }
  return status;
}

}  // namespace renamora::cli
