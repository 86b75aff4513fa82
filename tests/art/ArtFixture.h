// The game's art drawn and mapped once for all tests of a binary.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/artbuilder/ArtSet.h"

namespace art_test {

class ArtTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!Pictures) Pictures = new std::vector<vx8::Picture>(art::MapGameArt(art::DrawGameArt()));
  }

  static const vx8::Picture& Get(const std::string& name) {
    for (const vx8::Picture& p : *Pictures)
      if (p.Name == name) return p;
    ADD_FAILURE() << "no picture " << name;
    static const vx8::Picture none{};
    return none;
  }

  static uint8_t At(const vx8::Picture& p, int x, int y) {
    return p.Pixels[size_t(y) * p.Width + x];
  }
  static bool Clear(const vx8::Picture& p, int x, int y) {
    return p.TransparentIndex && At(p, x, y) == *p.TransparentIndex;
  }

  static inline std::vector<vx8::Picture>* Pictures = nullptr;
};

}  // namespace art_test
