// Checks of new names and of typed templates against what file names may hold.
#pragma once

#include <string>
#include <string_view>

#include "core/Messages.h"
#include "core/special/Sequences.h"

namespace renamora {

class Prompter;

struct MessageContext {
  const TextLookup& texts;
  Prompter& prompter;
  void Inform(std::u16string_view text) const;
};

// The characters Windows refuses in names, in the order message 126 lists them.
inline constexpr std::u16string_view kForbiddenNameChars = u"\\/:*?\"<>|";

// Message 126 with the forbidden characters appended, each after one blank.
std::u16string ForbiddenCharactersText(const TextLookup& texts);

// Why a new name (extension included) cannot be used, or 0 when it can: 127 for a
// reserved device name, 128 for 256 characters or more, 126 for a forbidden or
// control character (such a name would be a path or an invalid name, not a name).
MessageId NewNameRefusal(std::u16string_view newName);

// NewNameRefusal with its message (238 with 127 or 128, or 126); false when refused.
bool CheckNewName(std::u16string_view newName, const MessageContext& messages);

// The random-token check, then the forbidden characters, for a typed template.
// An empty text is accepted.
bool CheckTypedName(std::u16string_view text, const SpecialStringSettings& settings,
                    const MessageContext& messages);

// Whether the "%" tokens of a template are acceptable; shows message 235 or
// 236/237 and answers false when not.
bool CheckRandomSpecs(std::u16string_view text, const SpecialStringSettings& settings,
                      const MessageContext& messages);

}  // namespace renamora
