// The numbered names a run knows to be taken.
#include "core/TakenNames.h"


#include "base/Paths.h"
#include "core/PathCompare.h"

namespace renamora {
namespace {

void Forget(NumberFamily& family, int number) {
  if (number < family.High) family.Holes.insert(number);
}

void Learn(NumberFamily& family, int number) {
  if (number < family.High) {
    family.Holes.erase(number);
    return;
  }
  // Numbering only ever learns the first unknown number; were it a later one, the
  // numbers between stay unknown.
  for (int n = family.High; n < number; ++n) family.Holes.insert(n);
  family.High = number + 1;
}

}  // namespace

int CandidateNumber(std::u16string_view name, std::u16string_view base, std::u16string_view extension) {
  if (name.size() < base.size() + extension.size() || !name.starts_with(base) || !name.ends_with(extension)) {
    return -1;
  }
  std::u16string_view middle = name.substr(base.size(), name.size() - base.size() - extension.size());
  if (middle.empty()) return 0;
  if (middle.size() < 3 || middle.front() != u'(' || middle.back() != u')') return -1;
  middle = middle.substr(1, middle.size() - 2);
  // Numbering writes no leading zeros: "(01)" is no candidate.
  if (middle[0] == u'0' || middle.size() > 9) return -1;
  int number = 0;
  for (char16_t c : middle) {
    if (c < u'0' || c > u'9') return -1;
    number = number * 10 + (c - u'0');
  }
  return number;
}

const std::u16string& TakenNames::FamilyKey(std::u16string_view base, std::u16string_view extension) {
  key_.clear();
  AppendPathKey(base, key_);
  key_ += u'\0';
  AppendPathKey(extension, key_);
  return key_;
}

TakenNames::FolderKnowledge* TakenNames::FolderOf(std::u16string_view folder, bool create) {
  std::u16string key;
  AppendPathKey(folder, key);
  auto it = folders_.find(key);
  if (it != folders_.end()) return &it->second;
  if (!create) return nullptr;
  return &folders_[std::move(key)];
}

NumberFamily* TakenNames::Find(std::u16string_view folder, std::u16string_view base, std::u16string_view extension) {
  if (folders_.empty()) return nullptr;
  FolderKnowledge* known = FolderOf(folder, false);
  if (!known) return nullptr;
  auto it = known->families.find(FamilyKey(base, extension));
  return it == known->families.end() ? nullptr : &it->second;
}

NumberFamily& TakenNames::Get(std::u16string_view folder, std::u16string_view base, std::u16string_view extension) {
  FolderKnowledge& known = *FolderOf(folder, true);
  return known.families[FamilyKey(base, extension)];
}

void TakenNames::Taken(NumberFamily& family, std::u16string_view folder, std::u16string_view name, int number) {
  Learn(family, number);
  FolderKnowledge& known = *FolderOf(folder, true);
  key_.clear();
  AppendPathKey(name, key_);
  auto& counted = known.names[key_];
  for (const auto& [f, n] : counted) {
    if (f == &family && n == number) return;
  }
  counted.emplace_back(&family, number);
}

void TakenNames::Freed(std::u16string_view path, bool isFolder) {
  if (folders_.empty()) return;
  const std::size_t end = LastFolderEnd(path);
  if (end == std::u16string_view::npos) return;
  if (FolderKnowledge* known = FolderOf(path.substr(0, end + 1), false)) {
    key_.clear();
    AppendPathKey(path.substr(end + 1), key_);
    auto it = known->names.find(key_);
    if (it != known->names.end()) {
      for (const auto& [family, number] : it->second) Forget(*family, number);
      known->names.erase(it);
    }
  }
  if (!isFolder) return;
  std::u16string below;
  AppendPathKey(path, below);
  below += kPathSeparator;
  auto first = folders_.lower_bound(below);
  auto last = first;
  while (last != folders_.end() && last->first.starts_with(below)) ++last;
  folders_.erase(first, last);
}

}  // namespace renamora
