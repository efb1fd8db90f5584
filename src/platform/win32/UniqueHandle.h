// Move-only ownership of Win32 handles, one traits type per kind of handle.
#pragma once

#include "platform/win32/IncludeWindows.h"

namespace renamora {

// Traits supply Handle, Invalid() and Close(h). Each kind of handle has its own
// "no handle" value (INVALID_HANDLE_VALUE for files and searches, nullptr for most
// others), so the traits carry it rather than the wrapper guessing.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { Reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

  Handle Release() noexcept {
    Handle released = handle_;
    handle_ = Traits::Invalid();
    return released;
  }

  void Reset(Handle replacement = Traits::Invalid()) noexcept {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = replacement;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

// Handles from CreateFileW and the like.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

// Searches from FindFirstFileExW, which must be ended with FindClose.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { ::FindClose(handle); }
};

// File mapping objects from CreateFileMappingW: no handle is nullptr.
struct MappingHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;
using MappingHandle = UniqueHandle<MappingHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;

}  // namespace renamora
