// The system's functions that the game needs only later (a screen reader's first question, the
// about box's logo and link): each library is loaded when one of its functions is first
// called, so the window's start waits for none of them.
#pragma once

#include "platform/win32/WindowsApi.h"

namespace platform::win32 {

// `name` of `library`, loaded once; null when the system lacks it.
template <class Function>
Function* LateBound(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace platform::win32
