#include "ui/Bevel.h"

namespace ui {

// Lowered: the highlight along the outer bottom and right edges and the inner top and left,
// then the shadow's outline one pixel up and to the left over it.
void TBevel::Paint(platform::Device& canvas) {
  const int w = Width();
  const int h = Height();
  for (const TRect& line :
       {TRect{1, 1, w, 2}, TRect{1, 1, 2, h}, TRect{0, h - 1, w, h}, TRect{w - 1, 0, w, h}})
    canvas.FillRect(line, Highlight);
  for (const TRect& line : {TRect{0, 0, w - 1, 1}, TRect{0, h - 2, w - 1, h - 1},
                            TRect{0, 0, 1, h - 1}, TRect{w - 2, 0, w - 1, h - 1}})
    canvas.FillRect(line, Shadow);
}

}  // namespace ui
