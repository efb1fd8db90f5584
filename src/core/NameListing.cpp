// Name listings: the tree walk, the parts of a file line, the save dialog's loop and
// the write with its fallback.
#include "core/NameListing.h"

#include <array>
#include <string>

#include "base/Paths.h"
#include "base/text/LetterCase.h"
#include "base/text/NumberText.h"
#include "base/text/Utf.h"
#include "core/NameChecks.h"
#include "core/NameParts.h"
#include "core/RenameEngine.h"
#include "core/TargetCollection.h"
#include "core/TextFile.h"

namespace renamora {
namespace {

constexpr std::u16string_view kMusicTypes = u"mp3,wma,wav,swf";
constexpr std::u16string_view kDocumentTypes = u"doc,txt,ppt,pdf,xls,htm,mht";
constexpr std::u16string_view kFilmTypes = u"avi,wmv,rm,rmvb,mpg,mpeg,mp4";
constexpr std::u16string_view kPictureTypes = u"bmp,jpg,jpeg,gif,tif,tiff,png,psd";
constexpr std::u16string_view kProgramTypes = u"exe,rar,zip,iso,chm";

constexpr std::u16string_view kFallbackBase = u"filenames";
constexpr std::u16string_view kFallbackExtension = u".txt";
// Enough for any data folder a person keeps; past it the folder is not worth filling.
constexpr int kFallbackNumbers = 9999;

constexpr std::array<std::u16string_view, 7> kDayNames = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                          u"Thursday", u"Friday", u"Saturday"};
constexpr std::array<std::u16string_view, 12> kMonthNames = {u"January",   u"February", u"March",    u"April",
                                                             u"May",       u"June",     u"July",     u"August",
                                                             u"September", u"October",  u"November", u"December"};

std::u16string Number(long long value) { return U16(std::to_string(value)); }

std::u16string Padded(long long value, std::size_t digits) { return NumberText(value, static_cast<int>(digits)); }

// Sunday = 0, by the days since 1970-01-01 (a Thursday) of the proleptic Gregorian date.
int WeekDay(int year, int month, int day) {
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long long days = static_cast<long long>(era) * 146097 + dayOfEra - 719468;
  const long long weekDay = (days + 4) % 7;
  return static_cast<int>(weekDay < 0 ? weekDay + 7 : weekDay);
}

std::u16string Lowered(std::u16string_view text) { return ToLetterCase(text, false); }

std::u16string CommaFramed(std::u16string_view list) { return u"," + std::u16string(list) + u","; }

// A junction or a link to a folder is shown as a folder, but it is never entered:
// following it could list another tree, or the same one for ever.
bool ShowsAsFolder(const DirEntry& entry) {
  return entry.isFolder || (entry.isLink && (entry.attributes & kAttrDirectory) != 0);
}

// Walks a folder tree with a stack of its own rather than by recursion, so that a
// tree as deep as the longest path allows cannot exhaust the call stack.
class FolderLister {
 public:
  FolderLister(const SaveOptions& options, const ListingServices& services, StopRequest& stop,
               std::vector<std::u16string>& lines)
      : options_(options), s_(services), stop_(stop), lines_(lines) {}

  // False when the listing ended early at the user's request.
  bool List(const std::u16string& root) {
    std::vector<Frame> stack;
    stack.push_back(Open(root));
    while (!stack.empty()) {
      const std::u16string indent(2 * stack.size(), u' ');
      Frame& top = stack.back();
      if (top.next < top.entries.size()) {
        const DirEntry& entry = top.entries[top.next++];
        if (EntryRead()) return false;
        if (!ShowsAsFolder(entry)) continue;
        if (!ListingShowsFolder(options_, entry.name, s_.locale)) continue;
        lines_.push_back(indent + u"<" + entry.name + u">");
        if (options_.Content != SaveContent::OneLayer && entry.isFolder) {
          std::u16string subfolder = top.path + entry.name + kPathSeparator;
          stack.push_back(Open(std::move(subfolder)));
        }
        continue;
      }
      if (options_.Content != SaveContent::NamesOnly) {
        for (const DirEntry& entry : top.entries) {
          if (EntryRead()) return false;
          if (ShowsAsFolder(entry) || !ListingTypePasses(options_, entry.name)) continue;
          lines_.push_back(indent + entry.name + SizePart(entry) + DatePart(entry));
        }
      }
      stack.pop_back();
    }
    return true;
  }

 private:
  struct Frame {
    std::u16string path;  // ends with the separator
    std::vector<DirEntry> entries;
    std::size_t next = 0;  // the folder pass's position
  };

  bool AllLayers() const { return options_.Content == SaveContent::AllLayers; }

  bool NeedsDetails() const {
    return options_.Content != SaveContent::NamesOnly && (options_.FileSize || options_.FileTime);
  }

  Frame Open(std::u16string path) {
    Frame frame;
    if (auto entries = s_.fs.ListFolder(path, NeedsDetails() ? ListDetail::Full : ListDetail::NamesAndKinds)) {
      frame.entries = *std::move(entries);
    }
    if (!NeedsDetails()) {
      // The short listing does not promise a link's folder bit; links are few,
      // so each is looked up on its own.
      for (DirEntry& entry : frame.entries) {
        if (!entry.isLink) continue;
        if (auto own = s_.fs.Stat(path + entry.name)) entry.attributes = own->attributes;
      }
    }
    frame.path = std::move(path);
    return frame;
  }

  // Called for every entry either pass reads; true when the listing must end.
  bool EntryRead() {
    if (AllLayers() && s_.searchPanel) {
      if (++barPosition_ >= kListingBarMaximum) barPosition_ = 0;
      s_.searchPanel->SetBarPosition(barPosition_);
    }
    s_.observer.PumpEvents();
    // Only the ALL layers listing has a progress window whose Cancel can set it.
    return AllLayers() && stop_.IsSet();
  }

  std::u16string SizePart(const DirEntry& entry) const {
    return options_.FileSize ? u"  " + ListingSizeText(entry.size, s_.locale.DecimalSeparator()) : std::u16string();
  }

  std::u16string DatePart(const DirEntry& entry) const {
    return options_.FileTime ? u"  " + ListingDateText(s_.clock.ToLocalTime(entry.lastWrite)) : std::u16string();
  }

  const SaveOptions& options_;
  const ListingServices& s_;
  StopRequest& stop_;
  std::vector<std::u16string>& lines_;
  int barPosition_ = 0;
};

}  // namespace

std::u16string FormatTimePicture(std::u16string_view picture, const LocalTime& time) {
  const bool validMonth = time.month >= 1 && time.month <= 12;
  const bool validDay = validMonth && time.day >= 1 && time.day <= 31;
  const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  std::u16string out;
  std::size_t i = 0;
  while (i < picture.size()) {
    const char16_t c = picture[i];
    if (c == u'\'') {
      ++i;
      while (i < picture.size()) {
        if (picture[i] != u'\'') {
          out += picture[i++];
        } else if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
          out += u'\'';
          i += 2;
        } else {
          ++i;
          break;
        }
      }
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    i += run;
    switch (c) {
      case u'd':
        if (run <= 2) {
          out += Padded(time.day, run);
        } else if (validDay) {
          const std::u16string_view name = kDayNames[WeekDay(time.year, time.month, time.day)];
          out += run == 3 ? name.substr(0, 3) : name;
        }
        break;
      case u'M':
        if (run <= 2) {
          out += Padded(time.month, run);
        } else if (validMonth) {
          const std::u16string_view name = kMonthNames[time.month - 1];
          out += run == 3 ? name.substr(0, 3) : name;
        }
        break;
      case u'y':
        out += run <= 2 ? Padded(time.year % 100, run) : Padded(time.year, 4);
        break;
      case u'g':
        out += u"A.D.";
        break;
      case u'h':
        out += Padded(hour12, run >= 2 ? 2 : 1);
        break;
      case u'H':
        out += Padded(time.hour, run >= 2 ? 2 : 1);
        break;
      case u'm':
        out += Padded(time.minute, run >= 2 ? 2 : 1);
        break;
      case u's':
        out += Padded(time.second, run >= 2 ? 2 : 1);
        break;
      case u't':
        out += time.hour < 12 ? (run == 1 ? u"A" : u"AM") : (run == 1 ? u"P" : u"PM");
        break;
      default:
        out.append(run, c);
        break;
    }
  }
  return out;
}

std::u16string ListingDateLine(const Locale& locale, const Clock& clock) {
  const LocalTime now = clock.ToLocalTime(clock.Now());
  return u"[" + FormatTimePicture(locale.ShortDateFormat(), now) + u" " +
         FormatTimePicture(locale.LongTimeFormat(), now) + u"]";
}

std::u16string ListingSizeText(std::uint64_t bytes, std::u16string_view decimalSeparator) {
  return SizeText(bytes, decimalSeparator, u"Byte");
}

std::u16string ListingDateText(const LocalTime& time) {
  return Number(time.year) + Padded(time.month, 2) + Padded(time.day, 2) + u" " + Number(time.hour) + u":" +
         Padded(time.minute, 2);
}

bool ListingShowsFolder(const SaveOptions& options, std::u16string_view folderName, const Locale& locale) {
  return !IsWebpageCompanion(folderName, locale) ||
         (options.Content == SaveContent::AllLayers && options.IncludeWebpageFolders);
}

bool ListingTypePasses(const SaveOptions& options, std::u16string_view fileName) {
  if (!options.SpecialTypes) return true;
  const std::u16string dotted = ExtensionOf(NameView(fileName));
  const std::u16string framed = CommaFramed(Lowered(dotted.empty() ? dotted : dotted.substr(1)));
  const std::pair<bool, std::u16string_view> groups[] = {{options.Music, kMusicTypes},
                                                         {options.Document, kDocumentTypes},
                                                         {options.Film, kFilmTypes},
                                                         {options.Picture, kPictureTypes},
                                                         {options.Program, kProgramTypes}};
  for (const auto& [ticked, list] : groups) {
    if (ticked && CommaFramed(list).find(framed) != std::u16string::npos) return true;
  }
  if (!options.Other) return false;
  const std::u16string other = TrimBlanksAndControls(options.OtherTypes);
  if (other.empty()) return false;
  if (CommaFramed(other).find(framed) != std::u16string::npos) return true;
  // An entry written with its dot is compared in its own letter case; a file
  // without extension has no dotted form that could match.
  return !dotted.empty() && other.find(dotted) != std::u16string::npos;
}

std::u16string ListingFilePath(std::u16string_view chosen) {
  std::u16string path(chosen);
  if (Lowered(ExtensionOf(NameView(path))) != kFallbackExtension) path += kFallbackExtension;
  return path;
}

bool NeedsReplaceQuestion(std::u16string_view chosen, FileSystem& fs) {
  if (chosen.empty()) return false;
  return fs.IsFile(chosen) || fs.IsFile(std::u16string(chosen) + std::u16string(kFallbackExtension));
}

std::vector<std::u16string> ChosenFilesLines(FileSystem& fs, const std::vector<std::u16string>& paths) {
  std::vector<std::u16string> lines;
  std::u16string previousFolder;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::u16string path = WithoutTrailingSeparators(paths[i]);
    const std::size_t end = LastFolderEnd(path);
    const std::u16string folder = end == std::u16string::npos ? std::u16string() : path.substr(0, end + 1);
    const std::u16string name = end == std::u16string::npos ? path : path.substr(end + 1);
    if (i == 0 || folder != previousFolder) lines.push_back(u"In folder, <" + folder + u">");
    previousFolder = folder;
    const auto entry = fs.Stat(path);
    lines.push_back(entry && ShowsAsFolder(*entry) ? u"  <" + name + u">" : u"  " + name);
  }
  return lines;
}

SaveOutcome NameListingSaver::Save(const EditRequest& request, const ProgramState& program, RunState& run) {
  if (program.TargetFolder.empty()) return SaveChosenFiles(program.PickedPaths, run);
  return SaveFolderList(request.Save, program.TargetFolder, run);
}

SaveOutcome NameListingSaver::SaveFolderList(const SaveOptions& options, std::u16string_view folder, RunState& run) {
  const auto target = ChooseTarget();
  if (!target) return {};
  bool stopped = false;
  const std::vector<std::u16string> lines = FolderListing(options, folder, run, &stopped);
  SaveOutcome outcome = WriteAndFinish(*target, lines, run);
  outcome.Stopped = stopped;
  return outcome;
}

SaveOutcome NameListingSaver::SaveChosenFiles(const std::vector<std::u16string>& paths, RunState& run) {
  if (paths.empty()) {
    // Nothing ticked: a file holding only a date would tell the user less than this.
    MessageContext{s_.texts, s_.prompter}.Inform(s_.texts.Lookup(ListingMsg::kNoFileToList));
    SaveOutcome outcome;
    outcome.Status = SaveStatus::NothingToList;
    return outcome;
  }
  const auto target = ChooseTarget();
  if (!target) return {};
  std::vector<std::u16string> lines{ListingDateLine(s_.locale, s_.clock),
                                    s_.texts.Lookup(ListingMsg::kHeadChosenFiles)};
  for (auto& line : ChosenFilesLines(s_.fs, paths)) lines.push_back(std::move(line));
  return WriteAndFinish(*target, lines, run);
}

std::vector<std::u16string> NameListingSaver::FolderListing(const SaveOptions& options, std::u16string_view folder,
                                                            RunState& run, bool* stopped) {
  const std::u16string root = WithTrailingSeparator(folder);
  const MessageId head = options.Content == SaveContent::AllLayers  ? ListingMsg::kHeadAllLayers
                         : options.Content == SaveContent::OneLayer ? ListingMsg::kHeadOneLayer
                                                                    : ListingMsg::kHeadNamesOnly;
  std::vector<std::u16string> lines{s_.texts.Lookup(head) + u" " + root, ListingDateLine(s_.locale, s_.clock)};
  // A stop left over from an earlier command must not cut this listing short.
  run.Stop.Clear();
  FolderLister lister(options, s_, run.Stop, lines);
  bool complete = true;
  if (options.Content == SaveContent::AllLayers) {
    s_.observer.RunProgressJob([&] {
      if (s_.searchPanel) s_.searchPanel->ShowSearching(s_.texts.Lookup(ListingMsg::kSearching), kListingBarMaximum);
      complete = lister.List(root);
    });
  } else {
    s_.observer.SetBusyCursor(true);
    complete = lister.List(root);
    s_.observer.SetBusyCursor(false);
  }
  run.Stop.Clear();
  if (stopped) *stopped = !complete;
  return lines;
}

std::optional<std::u16string> NameListingSaver::ChooseTarget() {
  std::u16string suggested = lastChosen_;
  for (;;) {
    const auto chosen = s_.chooser.ChooseSaveFile(suggested);
    if (!chosen || chosen->empty()) return std::nullopt;
    // The question is about the file that will really be replaced, which is the
    // name with ".txt" appended when the user typed another extension.
    const std::u16string target = ListingFilePath(*chosen);
    if (!s_.chooser.AsksBeforeReplacing() && s_.fs.Exists(target) &&
        s_.prompter.Show(PromptIcon::Question, PromptButtons::OkCancel, s_.texts.Lookup(Msg::kConfirmation),
                         s_.texts.Lookup(ListingMsg::kReplaceExistingFile)) != PromptAnswer::Ok) {
      suggested = *chosen;
      continue;
    }
    lastChosen_ = *chosen;
    return target;
  }
}

std::optional<std::u16string> NameListingSaver::WriteFallback(const std::vector<std::u16string>& lines,
                                                              std::u16string* tried) {
  if (settings_.DataFolder.empty()) return std::nullopt;
  const std::u16string folder = WithTrailingSeparator(settings_.DataFolder);
  std::u16string candidate = folder + std::u16string(kFallbackBase) + std::u16string(kFallbackExtension);
  for (int n = 1; s_.fs.Exists(candidate); ++n) {
    if (n > kFallbackNumbers) return std::nullopt;
    candidate = folder + std::u16string(kFallbackBase) + u"(" + Number(n) + u")" + std::u16string(kFallbackExtension);
  }
  *tried = candidate;
  if (!WriteTextLines(s_.fs, candidate, lines, s_.locale)) return std::nullopt;
  return candidate;
}

SaveOutcome NameListingSaver::WriteAndFinish(const std::u16string& target, const std::vector<std::u16string>& lines,
                                             RunState& run) {
  SaveOutcome outcome;
  outcome.LineCount = lines.size();
  const MessageContext messages{s_.texts, s_.prompter};
  if (WriteTextLines(s_.fs, target, lines, s_.locale)) {
    outcome.Status = SaveStatus::Saved;
    outcome.WrittenPath = target;
  } else {
    std::u16string tried;
    const auto fallback = WriteFallback(lines, &tried);
    if (!fallback) {
      // Nothing on disk holds the list, so the edit is not done and its window stays.
      std::u16string text = std::u16string(kListingNotSavedText) + u":" + target;
      if (!tried.empty()) text += u"\n" + tried;
      s_.prompter.Show(PromptIcon::Error, PromptButtons::Ok, s_.texts.Lookup(ListingMsg::kError), text);
      outcome.Status = SaveStatus::NotWritten;
      return outcome;
    }
    outcome.Status = SaveStatus::SavedToFallback;
    outcome.WrittenPath = *fallback;
    messages.Inform(s_.texts.Lookup(ListingMsg::kSavedTo) + u":" + outcome.WrittenPath);
  }
  if (!settings_.Options2) s_.opener.OpenFile(outcome.WrittenPath);
  if (settings_.Options1) {
    s_.host.CloseMainWindow();
  } else {
    run.EditDone = true;
    s_.host.CloseEditWindow();
  }
  return outcome;
}

}  // namespace renamora
