// The about box without a toolkit: its texts, the version, the link, the title line that cycles
// through the maker's other titles in a colour from the game's generator, the link's highlight
// and the "What is a..." panel. The desktop dialog and the browser's page both show this state.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "game/Random.h"
#include "language/Language.h"

namespace about {

inline constexpr int ClientWidth = 427;
inline constexpr int ClientHeight = 286;
inline constexpr int FlashInterval = 4000;  // ms between title lines

inline constexpr std::string_view GameName = "Zeltoria";
// TRANSLATORS: the about box's caption: {0} is the game's name.
inline constexpr std::string_view CaptionPattern = N_("{0}: About");
// TRANSLATORS: the about box's button that opens the panel explaining the game's name.
inline constexpr std::string_view WhatIsButton = N_("What is a...");
// TRANSLATORS: the button that closes the panel explaining the game's name.
inline constexpr std::string_view IKnowButton = N_("Now I know");
inline constexpr std::string_view OkButton = N_("OK");
// TRANSLATORS: VEXO! is the maker's name and stays as it is.
inline constexpr std::string_view FamilyLine = N_("A VEXO! Puzzle Classic");
// TRANSLATORS: written in a small yellow box left of the maker's address.
inline constexpr std::string_view VisitNote = N_("Come by for a visit!");
// TRANSLATORS: written in a small yellow box right of the maker's address.
inline constexpr std::string_view SeeNote = N_("Lots to see and do!");
inline constexpr std::string_view Link = "www.example.com/vexo";
inline constexpr std::string_view NoticeLine =
    N_("Zeltoria is freeware from VEXO! Software. Share it with your friends!");
inline constexpr std::string_view CreditLine = N_("Puzzle and art by VEXO! Software");
inline constexpr std::string_view NameMeaning =
    // TRANSLATORS: the panel that explains the game's name. A zeltoria is the game's own word.
    N_("A zeltoria is a garden paved with square stones, each one carved with paths. Its keepers "
       "slide whole rows and columns of stones, one place at a time, until every path meets its "
       "neighbour again and the garden is whole.");

inline constexpr std::array<std::string_view, 3> HomeOfLines = {
    // TRANSLATORS: the maker's other titles, one at a time: the names are the games' names.
    N_("Home of Quillmoor and Brassfern Lanes"),
    N_("Home of Tessellon, the sliding mosaic"),
    N_("Home of Nimbulo and Pebblewick Park"),
};

// 0xRRGGBB: black, maroon, navy, red, blue, green.
inline constexpr std::array<uint32_t, 6> HomeOfColors = {0x000000, 0x800000, 0x000080,
                                                         0xFF0000, 0x0000FF, 0x008000};
inline constexpr uint32_t LinkColor = 0x000000;
inline constexpr uint32_t HotLinkColor = 0x0000FF;

// The link as the desktop's opener takes it: at most 79 characters.
std::string_view LinkToOpen(std::string_view shown);

class TAboutBox {
 public:
  // The generator outlives the box.
  explicit TAboutBox(TRandom& random) : Random(random) {}

  // The dialog's creation: the generator is seeded again with `seed` (the clock, as at
  // start-up) and the first title line is shown: the second of the three.
  void Create(uint32_t seed);
  // Each showing starts with the panel hidden, its button enabled and the title line cycling.
  void Show();
  void WhatIsClick();
  void IKnowClick();
  // One tick of the title-line timer: the next line, in a colour drawn from the generator.
  void ShowNextHomeOf();
  // Returns whether the look changed (the link must be restyled).
  bool SetLinkHot(bool hot);

  int FlashTag() const { return FlashTag_; }  // the index of the title line shown
  std::string_view HomeOfLine() const { return HomeOfLines[size_t(FlashTag_)]; }
  uint32_t HomeOfColor() const { return HomeOfColor_; }
  bool LinkHot() const { return LinkHot_; }
  uint32_t LinkTextColor() const { return LinkHot_ ? HotLinkColor : LinkColor; }
  bool PanelShown() const { return PanelShown_; }
  // "What is a..." is there to open the panel: enabled while the panel is hidden.
  bool WhatIsEnabled() const { return !PanelShown_; }

 private:
  TRandom& Random;
  int FlashTag_ = 0;
  uint32_t HomeOfColor_ = HomeOfColors[0];
  bool LinkHot_ = false;
  bool PanelShown_ = false;
};

}  // namespace about
