// The window's push buttons, drawn as green road signs: strips of three frames (up, down,
// disabled), opaque.
#pragma once

#include <QImage>
#include <string_view>

#include "tools/artbuilder/CaptionWords.h"

namespace art {

constexpr int kButtonHeight = 28;

// 156 x 84 with the label `english` written on the sign in the words' language.
QImage DrawWideButton(CaptionWords& words, std::string_view english);

// 40 x 84 with a minus (plus = false) or plus sign.
QImage DrawSizeButton(bool plus);

}  // namespace art
