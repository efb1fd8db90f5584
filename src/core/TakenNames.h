// What a run has learned about which numbered names are taken on the disk, so
// that numbering an item does not try again, one by one, every candidate that
// earlier items of the run found taken or took themselves.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace renamora {

// The numbers of one wanted name (folder, base, extension), whose candidates are
// base + extension (number 0) and base + "(n)" + extension. Known taken are the
// numbers below High that are not holes; nothing is known of the others.
struct NumberFamily {
  int High = 0;
  std::set<int> Holes;
  int FirstUnknown() const { return Holes.empty() ? High : *Holes.begin(); }
};

class TakenNames {
 public:
  // The family of a wanted name, nullptr while nothing is known of it.
  NumberFamily* Find(std::u16string_view folder, std::u16string_view base, std::u16string_view extension);
  NumberFamily& Get(std::u16string_view folder, std::u16string_view base, std::u16string_view extension);

  // The candidate name (with that number) of the family is taken.
  void Taken(NumberFamily& family, std::u16string_view folder, std::u16string_view name, int number);

  // This run renamed the item at path away: its name is free again. A folder
  // takes the names below it along, and what was known of them no longer holds.
  void Freed(std::u16string_view path, bool isFolder);

  bool Empty() const { return folders_.empty(); }

 private:
  struct FolderKnowledge {
    // Keyed by base, a zero unit and extension.
    std::unordered_map<std::u16string, NumberFamily> families;
    // Every name known taken, with the families (and numbers) that count it: one
    // name can be a number of several ("a(1).txt" is a(1) of "a" and a(0) of "a(1)").
    std::unordered_map<std::u16string, std::vector<std::pair<NumberFamily*, int>>> names;
  };
  FolderKnowledge* FolderOf(std::u16string_view folder, bool create);
  const std::u16string& FamilyKey(std::u16string_view base, std::u16string_view extension);

  // Keyed by the folder path with its separator, in the system's comparison, so
  // that the folders below one lie next to it.
  std::map<std::u16string, FolderKnowledge, std::less<>> folders_;
  std::u16string key_;  // reused for lookups
};

// The number n for which name is base + "(n)" + extension (0: base + extension),
// compared exactly; -1 when it is no candidate of that family.
int CandidateNumber(std::u16string_view name, std::u16string_view base, std::u16string_view extension);

}  // namespace renamora
