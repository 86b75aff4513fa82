// A variable that holds an image library, registered with it so that it reads null once the
// library is destroyed; whoever holds one never calls a library that is gone.
#pragma once

#include "image/VX8Library.h"

class TLibraryReference {
 public:
  TLibraryReference() = default;
  ~TLibraryReference() { Set(nullptr); }
  TLibraryReference(const TLibraryReference&) = delete;
  TLibraryReference& operator=(const TLibraryReference&) = delete;

  TVX8Library* Get() const { return Library; }
  // Lets go of the library held (unregistering from it), then holds and registers `library`.
  // A registration that fails (no memory) leaves none held: an unregistered variable would
  // outlive its library.
  void Set(TVX8Library* library) {
    if (library == Library) return;
    if (Library) Library->UnregisterReference(&Library);
    Library = library;
    if (!library) return;
    try {
      library->RegisterReference(&Library);
    } catch (...) {
      Library = nullptr;
      throw;
    }
  }

 private:
  TVX8Library* Library = nullptr;
};
