#include "image/ImageList.h"

std::string LowerImageName(const std::string& name) {
  std::string lower = name;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return lower;
}

TImageNode::~TImageNode() {
  if (ImageData && Image) Image->ReleaseImageData(std::move(ImageData));
}

TImageNode* TImageList::FindImage(const std::string& name) const {
  const std::string lower = LowerImageName(name);
  for (TVexoNode* n = First; n; n = n->Next) {
    auto* node = static_cast<TImageNode*>(n);
    if (node->Name == lower) return node;
  }
  return nullptr;
}
