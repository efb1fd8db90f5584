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

// Reserved device names and the 255-character limit of a new name (extension
// included). Shows message 238 with 127 or 128 and answers false when refused.
bool CheckNewName(std::u16string_view newName, const MessageContext& messages);

// A new name holding a forbidden character or a control character would be a path
// or an invalid name, not a name: shows message 126 and answers false.
bool CheckNewNameCharacters(std::u16string_view newName, const MessageContext& messages);

// The random-token check, then the forbidden characters, for a typed template.
// An empty text is accepted.
bool CheckTypedName(std::u16string_view text, const SpecialStringSettings& settings,
                    const MessageContext& messages);

// Whether the "%" tokens of a template are acceptable; shows message 235 or
// 236/237 and answers false when not.
bool CheckRandomSpecs(std::u16string_view text, const SpecialStringSettings& settings,
                      const MessageContext& messages);

}  // namespace renamora
