// The cursors, logo and window icons compiled into the game as Qt resources (library
// zeltoria_resources): their resource paths and the cursors' hot spots.
#pragma once

namespace art {

struct CursorResource {
  const char* Path;
  int HotX;  // the pixel that points, in the 32 x 32 picture
  int HotY;
};

// Cursor 1 (resource 3000): the hand over everything clickable in the main window.
inline constexpr CursorResource kHandCursor{":/zeltoria/cursors/hand.png", 6, 1};

// Cursor 2 (resource 3001): the about dialog's link cursor, the hand with a globe.
inline constexpr CursorResource kLinkCursor{":/zeltoria/cursors/link.png", 6, 1};

inline constexpr int kCursorSize = 32;

// The about dialog's logo, 98 x 98 with transparency.
inline constexpr const char* kLogo = ":/zeltoria/logo.png";
inline constexpr int kLogoSize = 98;

// The window and desktop icon at each size it is drawn in.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
inline constexpr const char* kIconPaths[] = {":/zeltoria/icon-16.png", ":/zeltoria/icon-24.png",
                                             ":/zeltoria/icon-32.png", ":/zeltoria/icon-48.png",
                                             ":/zeltoria/icon-64.png", ":/zeltoria/icon-128.png",
                                             ":/zeltoria/icon-256.png"};

}  // namespace art
