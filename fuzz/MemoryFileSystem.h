// A file system in memory, so the readers under fuzzing see files the fuzzer chose and no input outlives its run.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Paths.h"
#include "base/text/NameOrder.h"
#include "platform/FileSystem.h"

namespace renamora::fuzz {

// Paths are absolute POSIX paths ("/" separators); a relative path names nothing.
// Read-only files can be neither replaced nor deleted, as on Windows, so that code
// which must clear the mark first is held to it.
class MemoryFileSystem final : public FileSystem {
 public:
  struct Node {
    bool folder = false;
    std::string bytes;
    std::uint32_t attributes = 0;
    FileTime lastWrite = 0;
    // What Stat and listings report instead of the byte count: sizes far beyond
    // what a fuzzer could hold in memory.
    std::optional<std::uint64_t> reportedSize;
  };

  MemoryFileSystem() { nodes_[u"/"] = Node{.folder = true}; }

  // Creates the missing folders on the way as well.
  void AddFolder(std::u16string_view path) {
    const std::u16string key = Key(path);
    if (key.empty()) return;
    AddParents(key);
    nodes_.try_emplace(key, Node{.folder = true});
  }
  void AddFile(std::u16string_view path, std::string bytes, std::uint32_t attributes = 0, FileTime lastWrite = 0) {
    const std::u16string key = Key(path);
    if (key.empty() || key == u"/") return;
    AddParents(key);
    Node& node = nodes_[key];
    if (node.folder) return;
    node.bytes = std::move(bytes);
    node.attributes = attributes;
    node.lastWrite = lastWrite;
  }
  void ReportSize(std::u16string_view path, std::uint64_t size) {
    if (const auto it = nodes_.find(Key(path)); it != nodes_.end()) it->second.reportedSize = size;
  }
  const Node* Find(std::u16string_view path) const {
    const auto it = nodes_.find(Key(path));
    return it == nodes_.end() ? nullptr : &it->second;
  }

  std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder, ListDetail) override {
    const std::u16string key = Key(folder);
    const auto it = nodes_.find(key);
    if (it == nodes_.end() || !it->second.folder) return std::nullopt;
    const std::u16string prefix = key == u"/" ? key : key + u"/";
    std::vector<DirEntry> entries;
    for (auto child = nodes_.lower_bound(prefix); child != nodes_.end() && child->first.starts_with(prefix); ++child) {
      const std::u16string_view rest = std::u16string_view(child->first).substr(prefix.size());
      if (rest.empty() || rest.find(u'/') != std::u16string_view::npos) continue;
      entries.push_back(Entry(rest, child->second));
    }
    SortNtfsOrder(entries, [](const DirEntry& e) -> const std::u16string& { return e.name; });
    return entries;
  }

  std::optional<std::vector<DirEntry>> SomeFiles(std::u16string_view folder, std::size_t maxFiles) override {
    auto entries = ListFolder(folder, ListDetail::NamesAndKinds);
    if (!entries) return std::nullopt;
    std::vector<DirEntry> files;
    for (DirEntry& e : *entries) {
      if (files.size() == maxFiles) break;
      if (!e.isFolder) files.push_back(std::move(e));
    }
    return files;
  }

  std::optional<DirEntry> Stat(std::u16string_view path) override {
    ++stats;
    const std::u16string key = Key(path);
    const auto it = nodes_.find(key);
    if (it == nodes_.end()) return std::nullopt;
    return Entry(NameView(key), it->second);
  }

  using FileSystem::Rename;

  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* /*steps*/) override {
    renames.emplace_back(from, to);
    const std::u16string source = Key(from);
    const std::u16string target = Key(to);
    if (!nodes_.contains(source)) return RenameStatus::SourceMissing;
    if (source == u"/" || target.empty()) return RenameStatus::Failed;
    if (source == target) return RenameStatus::Ok;
    if (nodes_.contains(target)) return RenameStatus::TargetExists;
    if (!IsFolderKey(ParentKey(target)) || target.starts_with(source + u"/")) return RenameStatus::Failed;
    std::vector<std::pair<std::u16string, Node>> moved;
    const std::u16string prefix = source + u"/";
    for (auto it = nodes_.begin(); it != nodes_.end();) {
      if (it->first == source || it->first.starts_with(prefix)) {
        moved.emplace_back(target + it->first.substr(source.size()), std::move(it->second));
        it = nodes_.erase(it);
      } else {
        ++it;
      }
    }
    for (auto& [key, node] : moved) nodes_[key] = std::move(node);
    return RenameStatus::Ok;
  }

  bool CreateFolder(std::u16string_view path) override {
    const std::u16string key = Key(path);
    if (key.empty() || nodes_.contains(key) || !IsFolderKey(ParentKey(key))) return false;
    nodes_[key] = Node{.folder = true};
    return true;
  }
  bool DeleteFolder(std::u16string_view path) override {
    const std::u16string key = Key(path);
    const auto it = nodes_.find(key);
    if (it == nodes_.end() || !it->second.folder || key == u"/") return false;
    const std::u16string prefix = key + u"/";
    const auto child = nodes_.lower_bound(prefix);
    if (child != nodes_.end() && child->first.starts_with(prefix)) return false;
    nodes_.erase(it);
    return true;
  }
  bool DeleteFile(std::u16string_view path) override {
    const auto it = nodes_.find(Key(path));
    if (it == nodes_.end() || it->second.folder || (it->second.attributes & kAttrReadOnly)) return false;
    nodes_.erase(it);
    return true;
  }
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override {
    const auto it = nodes_.find(Key(path));
    if (it == nodes_.end()) return false;
    it->second.attributes = attributes;
    return true;
  }
  std::optional<std::string> ReadFile(std::u16string_view path) override {
    const auto it = nodes_.find(Key(path));
    if (it == nodes_.end() || it->second.folder) return std::nullopt;
    return it->second.bytes;
  }
  bool WriteFile(std::u16string_view path, std::string_view bytes) override {
    const std::u16string key = Key(path);
    if (key.empty() || !IsFolderKey(ParentKey(key))) return false;
    const auto it = nodes_.find(key);
    if (it != nodes_.end() && (it->second.folder || (it->second.attributes & kAttrReadOnly))) return false;
    nodes_[key].bytes = std::string(bytes);
    ++writes;
    return true;
  }

  // Writes through a mapped file land in the file at once, as the system keeps
  // them; each is logged, so that a fuzzer can replay any beginning of them as
  // what a killed process would have left behind.
  std::unique_ptr<MappedFile> CreateMappedFile(std::u16string_view path) override {
    const std::u16string key = Key(path);
    if (key.empty() || !IsFolderKey(ParentKey(key))) return nullptr;
    const auto it = nodes_.find(key);
    if (it != nodes_.end() && (it->second.folder || (it->second.attributes & kAttrReadOnly))) return nullptr;
    nodes_[key].bytes.clear();
    return std::make_unique<Mapped>(*this, key);
  }

  struct MappedWrite {
    std::u16string path;
    std::uint64_t offset = 0;
    std::string bytes;
  };

  int stats = 0;
  int writes = 0;
  std::vector<std::pair<std::u16string, std::u16string>> renames;
  std::vector<MappedWrite> mappedWrites;

 private:
  // The map key of a path: absolute, without trailing separators; "" for a path
  // that names nothing here.
  static std::u16string Key(std::u16string_view path) {
    if (!path.starts_with(u"/")) return {};
    std::u16string key(path);
    while (key.size() > 1 && key.back() == u'/') key.pop_back();
    return key;
  }
  static std::u16string ParentKey(std::u16string_view key) {
    const std::size_t end = key.rfind(u'/');
    if (end == std::u16string_view::npos || key == u"/") return {};
    return end == 0 ? std::u16string(u"/") : std::u16string(key.substr(0, end));
  }
  bool IsFolderKey(const std::u16string& key) const {
    const auto it = nodes_.find(key);
    return it != nodes_.end() && it->second.folder;
  }
  void AddParents(const std::u16string& key) {
    for (std::u16string parent = ParentKey(key); !parent.empty() && !nodes_.contains(parent);
         parent = ParentKey(parent)) {
      nodes_[parent] = Node{.folder = true};
    }
  }
  static DirEntry Entry(std::u16string_view name, const Node& node) {
    DirEntry e;
    e.name = std::u16string(name);
    e.isFolder = node.folder;
    e.attributes = node.attributes | (node.folder ? kAttrDirectory : 0);
    if (name.starts_with(u".")) e.attributes |= kAttrHidden;
    e.size = node.folder ? 0 : node.reportedSize.value_or(node.bytes.size());
    e.lastWrite = node.lastWrite;
    return e;
  }

  class Mapped final : public MappedFile {
   public:
    Mapped(MemoryFileSystem& fs, std::u16string key) : fs_(fs), key_(std::move(key)) {}
    bool WriteAt(std::uint64_t offset, std::string_view bytes) override {
      // Far beyond any journal a fuzz input can make: the disk is full.
      if (offset + bytes.size() > (std::uint64_t(1) << 24)) return false;
      fs_.mappedWrites.push_back({key_, offset, std::string(bytes)});
      // A file deleted while mapped takes the write and shows it to no one.
      const auto it = fs_.nodes_.find(key_);
      if (it == fs_.nodes_.end() || it->second.folder) return true;
      std::string& content = it->second.bytes;
      if (content.size() < offset + bytes.size()) content.resize(offset + bytes.size(), '\0');
      content.replace(offset, bytes.size(), bytes);
      return true;
    }

   private:
    MemoryFileSystem& fs_;
    std::u16string key_;
  };

  std::map<std::u16string, Node> nodes_;
};

}  // namespace renamora::fuzz
