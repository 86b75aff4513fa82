#include "tools/artbuilder/ArtPalette.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace art {
namespace {

struct Stop {
  double At;  // 0 = first entry of the ramp, 1 = last
  uint32_t Rgb;
};

vx8::PaletteColor FromRgb(uint32_t rgb) {
  return {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
}

// Fills a ramp by interpolating between stops; the stops are listed dark to light.
void FillRamp(vx8::Palette& palette, Ramp ramp, std::initializer_list<Stop> stops) {
  const Stop* s = stops.begin();
  for (int i = 0; i < ramp.Count; ++i) {
    const double t = ramp.Count == 1 ? 0.0 : double(i) / (ramp.Count - 1);
    const Stop* lo = s;
    const Stop* hi = s;
    for (const Stop* p = stops.begin(); p != stops.end(); ++p) {
      if (p->At <= t) lo = p;
      if (p->At >= t) {
        hi = p;
        break;
      }
    }
    const double span = hi->At - lo->At;
    const double f = span > 0 ? (t - lo->At) / span : 0.0;
    auto mix = [&](int shift) {
      const double a = (lo->Rgb >> shift) & 0xFF;
      const double b = (hi->Rgb >> shift) & 0xFF;
      return uint8_t(std::lround(a + (b - a) * f));
    };
    palette[ramp.First + i] = {mix(16), mix(8), mix(0)};
  }
}

vx8::Palette Design() {
  vx8::Palette p{};
  for (int i = 0; i < kSystemColoursAtEachEnd; ++i) {
    p[size_t(i)] = FromRgb(kSystemColours[i]);
    p[size_t(256 - kSystemColoursAtEachEnd + i)] =
        FromRgb(kSystemColours[kSystemColoursAtEachEnd + i]);
  }
  FillRamp(p, kGreys, {{0, 0x161616}, {1, 0xF0F0F0}});
  // Night blue of the window background; most entries sit in the narrow band the tile uses.
  FillRamp(p, kBackground,
           {{0, 0x060B10},
            {0.2, 0x0F1C28},
            {0.3, 0x142536},
            {0.7, 0x233C52},
            {0.85, 0x31506A},
            {1, 0x6A88A4}});
  // Fields under the roads, from the roads' own shadow up to sunlit grass.
  FillRamp(p, kGround,
           {{0, 0x0A170C},
            {0.2, 0x15301B},
            {0.35, 0x1F4225},
            {0.65, 0x32603A},
            {0.8, 0x44774A},
            {1, 0x9CC08A}});
  // Sand roads with their darker earth.
  FillRamp(p, kRoad,
           {{0, 0x3A2814},
            {0.25, 0x75552E},
            {0.5, 0xB08E58},
            {0.7, 0xD8BE86},
            {0.85, 0xEEDCB0},
            {1, 0xFCF6E4}});
  // Dark blacks of frames and outlines; kFrameDark is step 4.
  FillRamp(p, kFrame, {{0, 0x04070A}, {0.27, 0x101A22}, {1, 0x3E4E5C}});
  // Yellow road-sign arrows.
  FillRamp(p, kArrow,
           {{0, 0x241800},
            {0.2, 0x5E4200},
            {0.4, 0xA07400},
            {0.6, 0xDCA818},
            {0.75, 0xF4C636},
            {0.9, 0xFFE27A},
            {1, 0xFFF8DC}});
  // Orange of an arrow held down.
  FillRamp(p, kArrowPressed,
           {{0, 0x361200}, {0.3, 0x8A3800}, {0.6, 0xDC6A18}, {0.8, 0xFF9444}, {1, 0xFFD8B0}});
  // Green highway-sign buttons.
  FillRamp(p, kButton,
           {{0, 0x02170C},
            {0.2, 0x07301B},
            {0.4, 0x0E4D2C},
            {0.6, 0x17683D},
            {0.75, 0x238050},
            {0.88, 0x4AA872},
            {1, 0xDDF2E4}});
  // Buttons that cannot be pressed.
  FillRamp(p, kButtonDisabled, {{0, 0x1C242A}, {0.5, 0x5A6872}, {1, 0xC8D0D6}});
  // Gold of the title.
  FillRamp(p, kCaption,
           {{0, 0x2A1A00},
            {0.25, 0x6E4600},
            {0.5, 0xB07A12},
            {0.7, 0xDCAA2A},
            {0.85, 0xF6D060},
            {1, 0xFFF6D0}});
  // Creams and sign whites; kGridLight is the first.
  FillRamp(p, kLight, {{0, 0xEADFBD}, {0.5, 0xF3EBD2}, {1, 0xFAFAF6}});
  return p;
}

}  // namespace

PaletteMapper GameMapper() {
  std::bitset<256> avoided;
  for (int i = 1; i < 256 - 1; ++i)
    avoided[size_t(i)] = i < kSystemColoursAtEachEnd || i >= 256 - kSystemColoursAtEachEnd;
  return PaletteMapper(GamePalette(), avoided);
}

const vx8::Palette& GamePalette() {
  static const vx8::Palette palette = Design();
  return palette;
}

QColor PaletteColor(uint8_t index) {
  const vx8::PaletteColor& c = GamePalette()[index];
  return QColor(c.Red, c.Green, c.Blue);
}

QColor RampColor(Ramp ramp, int step) {
  return PaletteColor(uint8_t(ramp.First + std::clamp(step, 0, ramp.Count - 1)));
}

}  // namespace art
