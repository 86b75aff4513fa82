// The library's loaded pictures: one entry per picture handed out, shared by use counts,
// owning its image record and its drawing surface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/VexoList.h"
#include "image/VX8Image.h"
#include "image/VX8ImageData.h"

// Image names are compared in lower case (ASCII letters only).
std::string LowerImageName(const std::string& name);

class TImageNode : public TVexoNode {
 public:
  TImageNode() = default;
  // Hands the surface back to the image, then frees the image.
  ~TImageNode() override;

  std::string Name;  // lower case
  int32_t UseCount = 0;
  int64_t DecodedBytes = 0;  // what the library counts against its decode limit for it
  std::unique_ptr<TVX8ImageData> ImageData;
  std::unique_ptr<TVX8Image> Image;
};

class TImageList : public TVexoList {
 public:
  // The first entry, from the front, whose name is `name` in lower case; null when none is.
  TImageNode* FindImage(const std::string& name) const;
};
