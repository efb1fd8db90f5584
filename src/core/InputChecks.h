// The checks and confirmations that stand between a filled-in request and its run.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/EditRequest.h"
#include "core/Messages.h"
#include "core/ProgramState.h"
#include "core/RenameEngine.h"
#include "core/special/Sequences.h"
#include "platform/Prompter.h"

namespace renamora {

// The edit window's boxes that a refused input can send the focus to.
enum class FocusBox {
  RemoveString1,   // "Remove String 1: "
  LeftString,      // "Left:"
  RightString,     // "Right:"
  CleanKeepOther,  // the box of "Don't erase other symbols:"
  CleanErase,      // the box of "Also erase string:"
  KeepString1,     // "String 1:" of the Keep group
  KeepString2,     // "String 2:" of the Keep group
  OldString,       // "Old string:" of the Replace panel
  NewString,       // "New String:" of the Replace panel
  HeadTemplate,    // the box of "HEAD"
  EndTemplate,     // the box of "END"
  CursorTemplate,  // the box of "CURSOR"
  ExistingString,  // "The existing string: "
  SecondString,    // "The second string: "
  InsertTemplate,  // "String to insert: "
  NewName,         // "New name:" of the Change panel
  NewExtension,    // "New extention part : "
  OtherTypes,      // the "Other" types box of the Save panel
};

// Starts the name listing of the Save panel for the request.
using StartListing = std::function<void(const EditRequest&)>;

class RenameInputChecks : public InputChecks {
 public:
  RenameInputChecks(const TextLookup& texts, Prompter& prompter, const RunOptions& options,
                    const SpecialStringSettings& special, StartListing startListing);

  // Runs the block of the request's mode. True when the rename run goes ahead; the
  // Save block starts its listing itself and always answers false.
  bool CheckAndConfirm(EditRequest& request, RunState& run, const ProgramState& program) override;

  // Where the last command sent the focus; nothing when no box was named.
  std::optional<FocusBox> LastFocus() const { return lastFocus_; }

 private:
  class Pass;

  const TextLookup& texts_;
  Prompter& prompter_;
  const RunOptions& options_;
  const SpecialStringSettings& special_;
  StartListing startListing_;
  std::optional<FocusBox> lastFocus_;
};

// The tail most confirmation texts end with, e.g. "and changes will affect: All
// files names(oen layer), continue?"; for chosen files (no target folder) it is
// "continue?" alone.
std::u16string ScopeClause(const EditRequest& request, const ProgramState& program, bool previewMode,
                           const TextLookup& texts);

// The New extension box as typed, rid of leading ".." pairs and trailing dots, as
// the box shows it after the check: "..jpg" and "jpg.." give "jpg".
std::u16string NormaliseNewExtension(std::u16string_view typed);

// Whether a normalised New extension box asks for extensions to be removed.
bool MeansNoExtension(std::u16string_view normalised);

// A box text as the run reads it: an extension that is not empty begins with ".".
std::u16string PrepareOldExtension(std::u16string_view box);

// The New extension box as typed, all the way to what the run reads: normalised,
// emptied when it means no extension, then given its dot.
std::u16string PrepareNewExtension(std::u16string_view typed);

}  // namespace renamora
