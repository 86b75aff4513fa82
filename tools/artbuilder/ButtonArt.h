// The window's push buttons, drawn as green road signs: strips of three frames (up, down,
// disabled), opaque.
#pragma once

#include <QImage>
#include <QString>

namespace art {

constexpr int kButtonHeight = 28;

// 156 x 84 with the label written on the sign.
QImage DrawWideButton(const QString& label);

// 40 x 84 with a minus (plus = false) or plus sign.
QImage DrawSizeButton(bool plus);

}  // namespace art
