// The sequence number, the sequence letter and the settings of the special strings.
#pragma once

#include <cstdint>

namespace renamora {

// The special-string dialog's choices; kept in memory only.
struct SpecialStringSettings {
  bool Enabled = true;
  int StartNumber = 1;  // 0 to 10000
  bool LetterUpper = false;
  bool RandomUpper = true;
  bool RandomLower = true;
  bool RandomDigits = true;
};

// One set for the whole program. The run resets it when it starts and every folder
// batch resets it again; every renamed or previewed item advances it, so the
// numbers of a run have no gaps among the renamed items.
struct SequenceState {
  std::int32_t SequenceCounter = 1;
  char16_t SequenceLetter = 0;  // unset until the first reset
  std::uint32_t RandomSeedBase = 0;

  void ResetNumber(const SpecialStringSettings& s) { SequenceCounter = s.StartNumber; }
  void ResetLetter(const SpecialStringSettings& s) { SequenceLetter = s.LetterUpper ? u'A' : u'a'; }
  void Reset(const SpecialStringSettings& s) {
    ResetNumber(s);
    ResetLetter(s);
  }
  // After "Z" (or "z") comes "A" (or "a") again: there is no "aa".
  void Advance(const SpecialStringSettings& s) {
    SequenceCounter = static_cast<std::int32_t>(static_cast<std::uint32_t>(SequenceCounter) + 1u);  // wraps, never UB
    const char16_t last = s.LetterUpper ? u'Z' : u'z';
    const char16_t first = s.LetterUpper ? u'A' : u'a';
    SequenceLetter = SequenceLetter < last ? char16_t(SequenceLetter + 1) : first;
  }
};

}  // namespace renamora
