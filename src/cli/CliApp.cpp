// renamora-cli: parses a call, sets up the edit as the main window would, runs the
// engine and prints what the windows would have shown.
#include "cli/CliApp.h"

#include <algorithm>
#include <climits>
#include <ostream>

#include "app/LanguageFiles.h"
#include "app/NewNameHistory.h"
#include "app/RequestFields.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "app/StartUp.h"
#include "cli/CliConsole.h"
#include "cli/CliOutput.h"
#include "core/InputChecks.h"
#include "core/NameListing.h"
#include "core/NameParts.h"
#include "core/Paths.h"
#include "core/RenameEngine.h"
#include "core/UndoLog.h"
#include "core/text/TextFile.h"
#include "core/text/Utf.h"

namespace renamora::cli {
namespace {

constexpr std::string_view kVersion = "renamora-cli 0.3.0";

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

std::string Utf8(std::u16string_view text) { return ToUtf8Lossy(text); }

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

// The main window's list as the CLI makes it: a folder's entries (folders first,
// hidden and system entries by the options) or the chosen paths.
class CliList final : public TargetList {
 public:
  struct Item {
    std::u16string text;
    bool checked = true;
  };
  std::size_t Count() const override { return items.size(); }
  std::u16string ItemText(std::size_t i) const override { return items[i].text; }
  bool IsChecked(std::size_t i) const override { return !checkBoxes || items[i].checked; }
  bool ShowsCheckBoxes() const override { return checkBoxes; }
  void SetItemText(std::size_t i, std::u16string_view text) override { items[i].text = std::u16string(text); }
  void AddItem(std::u16string_view path) override { items.push_back({std::u16string(path), true}); }

  std::vector<Item> items;
  bool checkBoxes = true;
};

class SilentPrompter final : public Prompter {
 public:
  PromptAnswer Show(PromptIcon, PromptButtons, std::u16string_view, std::u16string_view) override {
    return PromptAnswer::Cancel;
  }
};

class NoWindows final : public EditHost {};

class OutputChooser final : public SaveFileChooser {
 public:
  explicit OutputChooser(std::optional<std::u16string> path) : path_(std::move(path)) {}
  std::optional<std::u16string> ChooseSaveFile(std::u16string_view) override { return path_; }

 private:
  std::optional<std::u16string> path_;
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

std::u16string Absolute(std::u16string_view path, std::u16string_view currentFolder) {
#ifdef _WIN32
  const bool absolute = (path.size() >= 2 && path[1] == u':') || (!path.empty() && (path[0] == u'\\' || path[0] == u'/'));
#else
  const bool absolute = !path.empty() && path[0] == u'/';
#endif
  std::u16string out = absolute ? std::u16string(path) : std::u16string(currentFolder) + std::u16string(path);
#ifdef _WIN32
  std::replace(out.begin(), out.end(), u'/', u'\\');
  // Network and device paths are left exactly as given.
  if (out.starts_with(u"\\\\")) return WithoutTrailingSeparators(out);
  const std::size_t rootLength = out.size() >= 3 && out[1] == u':' ? 3 : 1;
#else
  const std::size_t rootLength = 1;
#endif
  // "." and ".." are resolved by name, so that "." as a target is the folder itself
  // (its name is what "%%" and the listings show) and the undo log holds plain paths.
  std::vector<std::u16string_view> parts;
  const std::u16string_view rest = std::u16string_view(out).substr(std::min(rootLength, out.size()));
  for (std::size_t start = 0; start <= rest.size();) {
    std::size_t end = rest.find(kPathSeparator, start);
    if (end == std::u16string_view::npos) end = rest.size();
    const std::u16string_view part = rest.substr(start, end - start);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::u16string normal = out.substr(0, std::min(rootLength, out.size()));
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) normal += kPathSeparator;
    normal += parts[i];
  }
  return normal;
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
  bool ResolveData();
  int Edit();
  int Undo();

  const Call& call_;
  CliEnvironment& env_;
  ProgramFolders folders_;
};

bool CliRun::ResolveData() {
  if (!call_.dataFolder) {
    folders_ = ResolveFolders(env_.fs, env_.folders);
    return true;
  }
  // A data folder of the call's own: nothing is created beside the program file.
  const std::u16string_view program = env_.folders.programFile;
  const std::size_t end = LastFolderEnd(program);
  folders_.programFolder = end == std::u16string_view::npos ? std::u16string() : std::u16string(program.substr(0, end + 1));
  const std::u16string folder = WithTrailingSeparator(Absolute(*call_.dataFolder, env_.currentFolder));
  if (!env_.fs.IsFolder(folder) && !env_.fs.CreateFolder(folder)) return false;
  const std::u16string undos = folder + u"Undos";
  if (!env_.fs.IsFolder(undos)) env_.fs.CreateFolder(undos);
  folders_.dataFolder = folder;
  return true;
}

int CliRun::Run() {
  if (!ResolveData()) return Fail("the data folder '" + Utf8(*call_.dataFolder) + "' cannot be created");
  // A rename whose undo log cannot be written could never be taken back; an undo
  // must be able to remove the log it has done.
  const std::u16string undos = folders_.dataFolder + u"Undos";
  const bool changesFiles = call_.command == u"rename" || call_.command == u"undo";
  if (changesFiles && !IsWritableFolder(env_.fs, undos)) {
    return Fail("the data folder '" + Utf8(folders_.dataFolder) + "' cannot be written (the undo log goes in '" +
                Utf8(undos) + "')");
  }
  // A run that was killed or crashed left its journal: it becomes the undo log
  // before anything else, and a new run must not start over it.
  UndoLog recovery(env_.fs, env_.locale, folders_.dataFolder);
  std::size_t recovered = 0;
  switch (recovery.RecoverJournal(&recovered)) {
    case UndoLog::Recovery::NoJournal:
      break;
    case UndoLog::Recovery::Recovered:
      env_.err << "renamora-cli: the last rename run did not end; its " << recovered
               << " renames are now in the undo log\n";
      break;
    case UndoLog::Recovery::Failed:
      if (changesFiles) {
        return Fail("the last rename run did not end and its journal '" + Utf8(recovery.JournalPath()) +
                    "' cannot be turned into the undo log '" + Utf8(recovery.Path()) + "'");
      }
      break;
    case UndoLog::Recovery::Busy:
      // Two runs over one undo log would each take the other's undo away.
      if (changesFiles) {
        return Fail("another rename run is using the data folder '" + Utf8(folders_.dataFolder) + "' (its journal '" +
                    Utf8(recovery.JournalPath()) + "' is in use); try again when it has ended");
      }
      break;
  }
  return call_.command == u"undo" ? Undo() : Edit();
}

int CliRun::Undo() {
  SettingsFile settingsFile(env_.fs, env_.locale, folders_.dataFolder + u"Settings.ini");
  const OptionSettings options = LoadOptionSettings(settingsFile.Read());
  const StringTable texts = ChooseStringTable(env_.fs, env_.locale, folders_.programFolder, options.Language).table;
  UndoLog log(env_.fs, env_.locale, folders_.dataFolder);
  if (!log.UndoLogExists()) {
    env_.err << "renamora-cli: there is nothing to undo (no undo log in " << Utf8(folders_.dataFolder) << ")\n";
    return kExitNothingToDo;
  }
  ConsolePrompter prompter(env_.err, call_.answers, env_.inIsTerminal, env_.readLine);
  ConsoleProgress progress(env_.err, env_.errIsTerminal);
  CliList list;
  UndoStatus status(env_.out);
  NoWindows host;
  StopRequest stop;
  const RunOptions runOptions = RunOptionsFrom(options);
  const UndoResult result = log.Undo({prompter, texts, progress, list, status, host, stop, runOptions});
  switch (result.Outcome) {
    case UndoOutcome::Declined:
      return kExitRefused;
    case UndoOutcome::NoLog:
      return kExitNothingToDo;
    case UndoOutcome::Stopped:
      return kExitSomeFailed;
    case UndoOutcome::Completed:
      break;
  }
  if (result.Restored == 0) return result.Skipped > 0 ? kExitSomeFailed : kExitNothingToDo;
  return result.Skipped > 0 ? kExitSomeFailed : kExitDone;
}

int CliRun::Edit() {
  // The request: defaults, then the request file, then the settings in order.
  CliRequest cli;
  if (call_.requestFile) {
    auto lines = ReadTextLines(env_.fs, Absolute(*call_.requestFile, env_.currentFolder), env_.locale);
    if (!lines) return Fail("the request file '" + Utf8(*call_.requestFile) + "' cannot be read");
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
  CliList list;
  list.checkBoxes = options.Checkbox;
  std::vector<std::u16string> targets;
  for (const auto& t : call_.targets) {
    targets.push_back(Absolute(t, env_.currentFolder));
    if (!env_.fs.Exists(targets.back())) return Fail("no such file or folder: " + Utf8(t));
  }
  const bool folderEdit = targets.size() == 1 && env_.fs.IsFolder(targets[0]);
  // The engine reads the list only for the checked scopes; the other scopes walk
  // the folder themselves, and a large folder need not be listed twice.
  const bool listUsed = !call_.checked.empty() || request.Scope == TargetScope::CheckedFiles ||
                        request.Scope == TargetScope::Folders;
  if (folderEdit && listUsed) {
    auto entries = env_.fs.ListFolder(targets[0], ListDetail::NamesAndKinds);
    if (!entries) return Fail("the folder '" + Utf8(targets[0]) + "' cannot be read");
    std::vector<CliList::Item> folders, files;
    for (const DirEntry& e : *entries) {
      if ((e.attributes & kAttrHidden) && !options.Showhiddenfile) continue;
      if ((e.attributes & kAttrSystem) && !options.Showsysfile) continue;
      (e.isFolder ? folders : files).push_back({e.name, true});
    }
    list.items = std::move(folders);
    list.items.insert(list.items.end(), files.begin(), files.end());
    if (!call_.checked.empty()) {
      for (auto& item : list.items) {
        item.checked = std::find(call_.checked.begin(), call_.checked.end(), item.text) != call_.checked.end();
      }
      for (const auto& name : call_.checked) {
        if (std::none_of(list.items.begin(), list.items.end(), [&](const auto& it) { return it.text == name; })) {
          return Fail("--checked " + Utf8(name) + ": no such item in the folder's list");
        }
      }
    }
  }
  if (folderEdit) {
    program.TargetFolder = WithTrailingSeparator(targets[0]);
    const bool someUnchecked =
        list.checkBoxes && std::any_of(list.items.begin(), list.items.end(), [](const auto& it) { return !it.checked; });
    if (request.Scope == TargetScope::AllFiles && someUnchecked) request.Scope = TargetScope::CheckedFiles;
  } else {
    if (!call_.checked.empty()) return Fail("--checked needs exactly one folder as target");
    for (const auto& t : targets) list.items.push_back({t, true});
    program.PickedPaths = targets;
    program.SamplePath = targets[0];
    if (request.Mode == EditMode::kSaveAll) program.CurrentMode = std::u16string(EditMode::kSaveSome);
  }
  program.ScopeIndex = request.Scope;

  // Everything the windows would do around the run.
  ConsolePrompter prompter(env_.err, call_.answers, env_.inIsTerminal, env_.readLine);
  ConsoleProgress progress(env_.err, env_.errIsTerminal);
  NoWindows host;
  UndoLog undo(env_.fs, env_.locale, folders_.dataFolder);
  undo.onRenameFailed = [&](std::u16string_view oldName, std::u16string_view newName, RenameStatus status) {
    const char* why = status == RenameStatus::TargetExists    ? "the new name is taken"
                      : status == RenameStatus::SourceMissing ? "it is no longer there"
                      : status == RenameStatus::LineBreak
                          ? "its name or the new name holds a line break, which the undo log cannot keep"
                      : status == RenameStatus::NameTooLong
                          ? "the new name is longer than 255 bytes, more than the file system takes"
                          : "the system refused it";
    env_.err << "renamora-cli: '" << Utf8(oldName) << "' was not renamed to '" << Utf8(newName) << "': " << why
             << "\n";
  };
  NewNameHistory history(env_.fs, env_.locale, folders_.dataFolder + u"Newname.txt", options.Listnum);
  history.Load();
  OutputChooser chooser(call_.output ? std::optional(Absolute(*call_.output, env_.currentFolder)) : std::nullopt);
  NoOpener opener;
  RunState run;
  PreviewRows preview;
  SequenceState sequences;
  sequences.RandomSeedBase = static_cast<std::uint32_t>(env_.clock.UnixSeconds());
  SpecialStringSettings& special = cli.special;
  NameListingSaver saver({env_.fs, env_.locale, env_.clock, texts, prompter, progress, host, chooser, opener},
                         {.Options1 = false, .Options2 = true, .DataFolder = folders_.dataFolder});
  std::optional<SaveOutcome> saved;
  RenameInputChecks checks(texts, prompter, runOptions, special,
                           [&](const EditRequest& r) { saved = saver.Save(r, program, run); });
  RecordingChecks recording(checks);
  RunServices services{env_.fs,  env_.locale, env_.clock, texts,   prompter,  progress, list,     undo,       host,
                       program,  run,         preview,    sequences, special, runOptions, &recording, &history};
  // The run's own journal and undo log live in the data folder: never a target.
  services.protectedFolder = folders_.dataFolder;

  if (call_.command == u"save" && (call_.output == std::nullopt)) return Fail("save needs --output FILE");
  if (program.CurrentMode == EditMode::kSaveSome) {
    saved = saver.Save(request, program, run);
  } else {
    if (folderEdit) {
      // The sample comes from the probe, as when the edit window opens; its
      // messages are the run's to show.
      SilentPrompter quiet;
      RunServices probeServices{env_.fs,  env_.locale, env_.clock, texts,   quiet,     progress, list,
                                undo,     host,        program,    run,     preview, sequences, special,
                                runOptions};
      probeServices.protectedFolder = folders_.dataFolder;
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
    env_.out << FormatPreview(preview.Rows(), call_.format);
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
    settingsFile.WriteInteger(u"Form", u"Totalfiles", static_cast<std::int64_t>(program.RenamedTotal));
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
  if (run.Counters.Failed > 0) return kExitSomeFailed;
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
      "\n"
      "Options:\n"
      "  --data-folder DIR     settings, undo log and history of this call (default: as the program)\n"
      "  --request FILE        INI file of request fields, one section per group\n"
      "  --set NAME=VALUE      one request field, after the file; repeatable\n"
      "  --checked NAME        with a folder TARGET, only these list items are checked; repeatable\n"
      "  --format table|tsv|json   output form (default table)\n"
      "  --all                 preview without the row limit\n"
      "  --yes | --no          answer every question OK/Yes or Cancel/No (default: ask on a terminal)\n"
      "  --output FILE         the listing file of save\n"
      "\n"
      "Short flags (each sets request fields):\n"
      "  --remove TEXT         remove TEXT from every name\n"
      "  --replace OLD NEW     replace OLD by the template NEW\n"
      "  --head TEMPLATE       insert TEMPLATE at the head;  --end TEMPLATE at the end\n"
      "  --new-name TEMPLATE   give every item the name TEMPLATE\n"
      "  --case lower|upper|words   convert the letter case of names\n"
      "  --extension OLD NEW   change extension OLD (or * for all) to NEW\n"
      "  --mode MODE           remove, replace, insert, change, extension\n"
      "  --subfolders          include subfolders\n"
      "\n"
      "Templates: $$$ sequence number, {a} sequence letter, %% folder name, %3% random text,\n"
      "@@ file date (yyyymmdd), ## file size, @$@ a literal $.\n"
      "\n"
      "Exit status: 0 done, 1 nothing to do, 2 usage error / bad field / refused input / declined\n"
      "question, 3 some items failed.\n"
      "\n"
      "Request fields (NAME is Group.Field):\n";
  for (const std::u16string& line : FieldHelpLines()) text += "  " + Utf8(line) + "\n";
  return text;
}

int RunCli(const std::vector<std::u16string>& args, CliEnvironment& env) {
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

}  // namespace renamora::cli
