// Every user-visible text is looked up by its three-digit message number.
#pragma once

#include <string>

namespace renamora {

using MessageId = int;

class TextLookup {
 public:
  virtual ~TextLookup() = default;
  // Never fails: a number that no table holds gives a placeholder text.
  virtual std::u16string Lookup(MessageId id) const = 0;
};

// Message numbers the engine uses by name.
namespace Msg {
inline constexpr MessageId kInformation = 295;
inline constexpr MessageId kConfirmation = 299;
}  // namespace Msg

}  // namespace renamora
