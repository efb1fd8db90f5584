// COM for the shell's dialogs and file operations: the apartment for one call, and
// an owning interface pointer.
#pragma once

#include "platform/win32/IncludeWindows.h"

#include <objbase.h>

namespace renamora::ui::win {

// The program's thread has COM already; a test or another caller may not. A call
// that needs it holds one of these; it undoes only what it did itself.
struct ComInit {
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ComInit() = default;
  ComInit(const ComInit&) = delete;
  ComInit& operator=(const ComInit&) = delete;
  ~ComInit() {
    if (SUCCEEDED(hr)) CoUninitialize();
  }
};

template <typename T>
struct ComPtr {
  T* p = nullptr;
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p) p->Release();
  }
  T** Out() { return &p; }
  T* operator->() const { return p; }
};

}  // namespace renamora::ui::win
