// One use of a library picture held for a scope: given back when the scope ends, however it
// ends, unless it is handed on with Release().
#pragma once

#include "image/VX8Library.h"

class TImageUse {
 public:
  TImageUse(TVX8Library& library, TImageNode* entry) : Library(library), Entry(entry) {}
  ~TImageUse() { Library.ReleaseImage(Entry); }
  TImageUse(const TImageUse&) = delete;
  TImageUse& operator=(const TImageUse&) = delete;

  TImageNode* Get() const { return Entry; }
  // Keeps the use: the caller gives it back later.
  TImageNode* Release() {
    TImageNode* kept = Entry;
    Entry = nullptr;
    return kept;
  }

 private:
  TVX8Library& Library;
  TImageNode* Entry;
};
