// The rectangles of a drawing surface that changed since it was last shown.
#pragma once

#include "foundation/Geometry.h"
#include "foundation/VexoList.h"

class TDamageNode : public TVexoNode {
 public:
  explicit TDamageNode(const TRect& area) : Area(area) {}
  TRect Area;
};

// Holds TDamageNodes only; frees them when cleared.
class TDamageList : public TVexoList {};
