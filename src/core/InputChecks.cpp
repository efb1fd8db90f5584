// The input checks, questions and confirmations of every edit, and the run decision.
#include "core/InputChecks.h"

#include <algorithm>
#include <utility>

#include "base/text/AsciiCase.h"
#include "core/NameChecks.h"

namespace renamora {
namespace {

// Translations may hold any script; only ASCII letters are lowered, as everywhere
// else in the program's texts.
std::u16string AsciiLower(const std::u16string& text) { return ToAsciiCase(text, false); }

// Substrings by counts the edit window reports; a stale count never reaches past
// the sample name.
std::u16string Middle(const std::u16string& text, int start, int length) {
  const std::size_t from = std::min<std::size_t>(static_cast<std::size_t>(std::max(start, 0)), text.size());
  return text.substr(from, static_cast<std::size_t>(std::max(length, 0)));
}

std::u16string SelectedText(const SampleSelection& sample) {
  return Middle(sample.SampleText, sample.SelectionStart, sample.SelectionLength);
}

int ClampedIndex(int value, int last) { return std::clamp(value, 0, last); }

}  // namespace

std::u16string ScopeClause(const EditRequest& request, const ProgramState& program, bool previewMode,
                           const TextLookup& texts) {
  const bool folder = !program.TargetFolder.empty();
  std::u16string clause;
  if (folder) clause = texts.Lookup(363) + u" " + texts.Lookup(68 + ClampedIndex(static_cast<int>(request.Scope), 3));
  if (request.IncludeSubfolders) clause += u"(" + texts.Lookup(386) + u")";
  if (folder) clause += u", ";
  clause += texts.Lookup(240);
  if (previewMode) clause += u" " + texts.Lookup(35);
  clause += u"?";
  return clause;
}

std::u16string NormaliseNewExtension(std::u16string_view typed) {
  std::u16string_view text = typed;
  while (text.size() >= 3 && text.substr(0, 2) == u"..") text.remove_prefix(2);
  while (text.size() >= 2 && text.back() == u'.') text.remove_suffix(1);
  return std::u16string(text);
}

bool MeansNoExtension(std::u16string_view normalised) {
  return normalised.empty() || normalised == u"." || normalised == u"..";
}

std::u16string PrepareOldExtension(std::u16string_view box) {
  if (box.empty() || box.front() == u'.') return std::u16string(box);
  return u"." + std::u16string(box);
}

std::u16string PrepareNewExtension(std::u16string_view typed) {
  const std::u16string normalised = NormaliseNewExtension(typed);
  if (MeansNoExtension(normalised)) return {};
  return PrepareOldExtension(normalised);
}

// One command's checks: the remembered answer and the abandon flag live here, so
// nothing of an earlier command can leak into the next one.
class RenameInputChecks::Pass {
 public:
  Pass(RenameInputChecks& owner, EditRequest& request, RunState& run, const ProgramState& program)
      : owner_(owner),
        request_(request),
        run_(run),
        program_(program),
        scope_(ScopeClause(request, program, run.PreviewMode, owner.texts_)) {}

  bool Decide() {
    const std::u16string& mode = request_.Mode;
    if (mode == EditMode::kRemove) {
      Remove();
    } else if (mode == EditMode::kReplace) {
      Replace();
    } else if (mode == EditMode::kInsert) {
      Insert();
    } else if (mode == EditMode::kChange) {
      Change();
    } else if (mode == EditMode::kExtension) {
      Extension();
    } else if (mode == EditMode::kSaveAll) {
      Save();
      return false;
    } else {
      return false;  // no edit of its own: nothing to run
    }
    return RunDecision();
  }

 private:
  std::u16string T(MessageId id) const { return owner_.texts_.Lookup(id); }
  MessageContext Messages() const { return {owner_.texts_, owner_.prompter_}; }

  void Focus(FocusBox box) { owner_.lastFocus_ = box; }
  void Abandon() { abandoned_ = true; }
  // A failed check: its message, the box it concerns, and nothing runs.
  void Refuse(MessageId id, std::optional<FocusBox> box = std::nullopt) {
    Messages().Inform(T(id));
    if (box) Focus(*box);
    Abandon();
  }

  bool Ask(std::u16string_view text) {
    const PromptAnswer answer =
        owner_.prompter_.Show(PromptIcon::Question, PromptButtons::OkCancel, T(Msg::kConfirmation), text);
    const bool ok = answer == PromptAnswer::Ok;
    if (ok) answeredOk_ = true;
    return ok;
  }

  bool ConfirmationApplies() const { return !abandoned_ && !run_.PreviewMode && owner_.options_.Confirm; }

  // False only when the question was asked and not answered OK; a declined
  // confirmation stops the command whatever an earlier question said.
  bool Confirm(std::u16string_view text) {
    if (!ConfirmationApplies()) return true;
    if (Ask(text)) return true;
    Abandon();
    return false;
  }

  bool NameAccepted(std::u16string_view text) { return CheckTypedName(text, owner_.special_, Messages()); }

  bool RunDecision() const { return !abandoned_ && (answeredOk_ || run_.PreviewMode || !owner_.options_.Confirm); }

  std::u16string Direction(bool fromEnd) const { return T(fromEnd ? 86 : 85); }

  void Remove() {
    const RemoveOptions& o = request_.Remove;
    switch (o.RemoveKind) {
      case RemoveChoice::RemoveStrings:
        return RemoveStrings(o);
      case RemoveChoice::RemoveAnything:
        return RemoveAnything(o);
      case RemoveChoice::KeepSomething:
        return Keep(o);
      case RemoveChoice::CleanSymbols:
        return Clean(o);
    }
  }

  void RemoveStrings(const RemoveOptions& o) {
    std::u16string strings;
    bool first = true;
    for (const std::u16string& s : o.Strings) {
      if (s.empty()) continue;
      if (!first) strings += u"' " + T(313) + u" '";
      strings += s;
      first = false;
    }
    if (first) return Refuse(139, FocusBox::RemoveString1);
    const std::u16string caseText = o.CaseSensitive ? AsciiLower(T(106)) : T(241);
    Confirm(T(137) + u" '" + strings + u"'(" + caseText + u"), " + scope_);
  }

  void RemoveAnything(const RemoveOptions& o) {
    switch (o.AnythingKind) {
      case AnythingChoice::SelectedPart:
        if (request_.Sample.SelectionLength < 1) return Refuse(141);
        Confirm(T(140) + u"(" + Direction(o.SelectionFromEnd) + u") - '" + SelectedText(request_.Sample) + u"' " +
                scope_);
        return;
      case AnythingChoice::BetweenStrings:
        if (o.LeftString.empty() || o.RightString.empty()) {
          return Refuse(142, o.LeftString.empty() ? FocusBox::LeftString : FocusBox::RightString);
        }
        Confirm(T(137) + u" " + T(314) + u" '" + o.LeftString + u"' " + T(313) + u" '" + o.RightString + u"' " +
                scope_);
        return;
      case AnythingChoice::AllNumbers:
        Confirm(T(360) + u", " + scope_);
        return;
    }
  }

  void Keep(const RemoveOptions& o) {
    if (o.KeepKind == KeepChoice::SelectedPart) {
      if (request_.Sample.SelectionLength < 1) return Refuse(145);
      Confirm(T(144) + u"(" + Direction(o.KeepFromEnd) + u") - '" + SelectedText(request_.Sample) + u"' " + scope_);
      return;
    }
    const std::u16string& one = o.KeepStrings[0];
    const std::u16string& two = o.KeepStrings[1];
    // Refused only when both are empty, so the first box is always the one to fill.
    if (one.empty() && two.empty()) return Refuse(142, FocusBox::KeepString1);
    const std::u16string strings = !one.empty() && !two.empty() ? one + u"' " + T(313) + u" '" + two
                                   : one.empty()                 ? two
                                                                 : one;
    Confirm(T(146) + u" '" + strings + u"' " + scope_);
  }

  void Clean(const RemoveOptions& o) {
    const bool keepBoxEmpty = o.CleanKeepOther && o.CleanKeepOtherText.empty();
    const bool eraseBoxEmpty = o.CleanAlsoErase && o.CleanEraseText.empty();
    if (keepBoxEmpty || eraseBoxEmpty) {
      // The message names the box that gets the focus, so that with both boxes on
      // the user is not sent to fill the one that already holds symbols.
      Messages().Inform(T(143) + u" " + T(keepBoxEmpty ? 317 : 316));
      Focus(keepBoxEmpty ? FocusBox::CleanKeepOther : FocusBox::CleanErase);
      return Abandon();
    }
    Confirm(T(315) + u", " + T(240) + u"?");
  }

  void Replace() {
    const ReplaceOptions& o = request_.Replace;
    if (o.ReplaceKind == ReplaceChoice::ReplaceString) {
      if (o.OldString.empty()) return Refuse(149, FocusBox::OldString);
      const std::u16string caseText = T(o.CaseSensitive ? 106 : 241);
      if (o.NewTemplate.empty()) {
        const std::u16string tail = o.CaseSensitive ? T(240) + u"?" : scope_;
        if (!Ask(T(147) + u" '" + o.OldString + u"'(" + caseText + u"), " + tail)) {
          Focus(FocusBox::NewString);
          return Abandon();
        }
      }
      if (!NameAccepted(o.NewTemplate)) return Abandon();
      if (!o.NewTemplate.empty()) {
        Confirm(T(148) + u" '" + o.OldString + u"'(" + caseText + u") " + T(318) + u" '" + o.NewTemplate + u"' " +
                scope_);
      }
      return;
    }
    if (request_.Sample.SelectionLength < 1) return Refuse(151);
    const std::u16string selected = SelectedText(request_.Sample);
    if (o.NewTemplate.empty()) {
      if (!Ask(T(147) + u" '" + selected + u"', " + T(240) + u"?")) {
        Focus(FocusBox::NewString);
        Abandon();
      }
      return;
    }
    // Checked like every other typed template: a forbidden character would
    // otherwise be refused once per item, each time with its own message box.
    if (!NameAccepted(o.NewTemplate)) return Abandon();
    Confirm(T(o.SelectionFromEnd ? 242 : 150) + u" '" + selected + u"' " + scope_);
  }

  void Insert() {
    const InsertOptions& o = request_.Insert;
    if (o.InsertKind == InsertChoice::ToString) return InsertToString(o);
    const SampleSelection& sample = request_.Sample;
    if (o.AtCursor && sample.CursorPosition <= 0) return Refuse(153);
    if (!o.AtHead && !o.AtEnd && !o.AtCursor) return Refuse(154);
    struct Box {
      bool on;
      const std::u16string& text;
      MessageId whenEmpty;
      FocusBox focus;
    };
    const Box boxes[] = {{o.AtHead, o.HeadTemplate, 155, FocusBox::HeadTemplate},
                         {o.AtEnd, o.EndTemplate, 156, FocusBox::EndTemplate},
                         {o.AtCursor, o.CursorTemplate, 157, FocusBox::CursorTemplate}};
    for (const Box& box : boxes) {
      if (box.on && box.text.empty()) Refuse(box.whenEmpty, box.focus);
    }
    if (abandoned_) return;
    for (const Box& box : boxes) {
      if (box.on && !NameAccepted(box.text)) return Abandon();
    }
    std::u16string text = T(244);
    if (o.AtHead) text += u" '" + o.HeadTemplate + u"' " + T(158) + u",\n";
    if (o.AtEnd) text += u" '" + o.EndTemplate + u"' " + T(159) + u",\n";
    if (o.AtCursor) {
      const int position = sample.CursorPosition;
      const int length = static_cast<int>(sample.SampleText.size());
      text += u" '" + o.CursorTemplate + u"' ";
      // Counted from the end, the place after the last character is the end of
      // every name, even of an empty sample.
      if (!o.CursorFromEnd && position == 1) {
        text += T(158) + u",\n";
      } else if (o.CursorFromEnd && position == length + 1) {
        text += T(159) + u",\n";
      } else if (!o.CursorFromEnd) {
        text += T(243) + u" " + T(160) + u" '" + Middle(sample.SampleText, 0, position - 1) + u"'\n";
      } else {
        text += T(243) + u" " + T(161) + u" '" + Middle(sample.SampleText, position - 1, length) + u"'\n";
      }
    }
    Confirm(text + scope_);
  }

  void InsertToString(const InsertOptions& o) {
    if (o.ExistingString.empty()) return Refuse(164, FocusBox::ExistingString);
    if (o.Where == InsertPosition::BETWEEN && o.SecondString.empty()) return Refuse(162, FocusBox::SecondString);
    if (o.InsertTemplate.empty()) return Refuse(163, FocusBox::InsertTemplate);
    if (!NameAccepted(o.InsertTemplate)) return Abandon();
    const std::u16string where = T(118 + ClampedIndex(static_cast<int>(o.Where), 2));
    Confirm(T(244) + u" '" + o.InsertTemplate + u"' " + T(243) + u" \n" + where + u" " + T(359) + u" '" +
            o.ExistingString + u"',\n" + scope_);
  }

  void Change() {
    const ChangeOptions& o = request_.Change;
    if (o.ChangeKind == ChangeChoice::NewName) {
      if (o.NewNameTemplate.empty()) return Refuse(166, FocusBox::NewName);
      if (!NameAccepted(o.NewNameTemplate)) return Abandon();
      Confirm(T(165) + u" '" + o.NewNameTemplate + u"' " + scope_);
      return;
    }
    const MessageId caption = o.CaseKind == CaseChoice::Upper ? 44 : o.CaseKind == CaseChoice::Lower ? 43 : 47;
    Confirm(T(167) + u" " + T(caption) + u", " + scope_);
  }

  void Extension() {
    if (!program_.TargetFolder.empty() &&
        (request_.Scope == TargetScope::Folders || request_.Scope == TargetScope::ThisFolder)) {
      return Refuse(168);
    }
    ExtensionOptions& o = request_.Extension;
    if (o.ExtensionKind == ExtensionChoice::ConvertExtensionCase) {
      Confirm(T(171) + u" '" + T(o.ExtensionUpper ? 44 : 43) + u"',\n" + scope_);
      return;
    }
    o.NewExtension = NormaliseNewExtension(o.NewExtension);
    if (MeansNoExtension(o.NewExtension)) {
      o.NewExtension.clear();
      if (!Ask(T(169) + u",\n" + scope_)) {
        Focus(FocusBox::NewExtension);
        return Abandon();
      }
    }
    if (!o.NewExtension.empty()) {
      if (!NameAccepted(o.NewExtension)) return Abandon();
      const std::u16string text = o.ReplaceAllTypes
                                      ? T(319) + u" '" + o.NewExtension + u"',\n" + scope_
                                      : T(170) + u" '" + o.OldExtension + u"' to '" + o.NewExtension + u"',\n" + scope_;
      if (!Confirm(text)) Focus(FocusBox::NewExtension);
    }
    // The run compares and writes extensions with their dot.
    if (RunDecision()) {
      o.OldExtension = PrepareOldExtension(o.OldExtension);
      o.NewExtension = PrepareOldExtension(o.NewExtension);
    }
  }

  void Save() {
    run_.PreviewMode = false;  // a listing has no preview: Preview on this panel saves
    const SaveOptions& s = request_.Save;
    if (s.Content != SaveContent::NamesOnly && s.SpecialTypes) {
      if (!(s.Music || s.Document || s.Film || s.Picture || s.Program || s.Other)) return Refuse(172);
      if (s.Other && s.OtherTypes.empty()) return Refuse(173, FocusBox::OtherTypes);
    }
    if (owner_.startListing_) owner_.startListing_(request_);
  }

  RenameInputChecks& owner_;
  EditRequest& request_;
  RunState& run_;
  const ProgramState& program_;
  const std::u16string scope_;
  bool abandoned_ = false;
  bool answeredOk_ = false;
};

RenameInputChecks::RenameInputChecks(const TextLookup& texts, Prompter& prompter, const RunOptions& options,
                                     const SpecialStringSettings& special, StartListing startListing)
    : texts_(texts), prompter_(prompter), options_(options), special_(special), startListing_(std::move(startListing)) {}

bool RenameInputChecks::CheckAndConfirm(EditRequest& request, RunState& run, const ProgramState& program) {
  lastFocus_.reset();
  return Pass(*this, request, run, program).Decide();
}

}  // namespace renamora
