// A contact sheet of palette pictures: each at twice its size under its name, transparent
// pixels on a checkerboard, so the whole art can be judged at a glance.
#pragma once

#include <QImage>
#include <vector>

#include "image/VX8Writer.h"

namespace art {

QImage DrawContactSheet(const std::vector<vx8::Picture>& pictures, const vx8::Palette& palette);

}  // namespace art
