// The image library of a kind of control: each control holds one, and takes the one set for
// its whole class when it has none of its own. Both are registered with the library, so that
// they read null once it is destroyed.
#pragma once

#include "image/LibraryReference.h"

template <class Control>
class TLibraryHookup {
 public:
  // Controls that already hold a library go on using it.
  static void SetGlobalImageLibrary(TVX8Library* library) { Global().Set(library); }
  static TVX8Library* GlobalImageLibrary() { return Global().Get(); }

  // The control's library, taking the class's one first when it has none.
  TVX8Library* GetImageLibrary() {
    if (!ImageLibrary.Get()) static_cast<Control*>(this)->SetImageLibrary(GlobalImageLibrary());
    return ImageLibrary.Get();
  }

 protected:
  TLibraryReference ImageLibrary;

 private:
  static TLibraryReference& Global() {
    static TLibraryReference global;
    return global;
  }
};
