#include "tools/vx8tool/ColourMap.h"

#include <algorithm>
#include <cstdio>

namespace vx8tool {

namespace {

constexpr int kCacheBits = 16;

uint32_t Rgb(const vx8::PaletteColor& c) {
  return uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
}

uint32_t Rgb(const png::PngColor& c) {
  return uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
}

std::string At(size_t i, int width) {
  return "pixel (" + std::to_string(i % size_t(width)) + ", " + std::to_string(i / size_t(width)) +
         ")";
}

class Mapper {
 public:
  Mapper(const png::PngPicture& png, const vx8::Palette& palette,
         std::optional<uint8_t> transparent, bool exact)
      : png_(png),
        palette_(palette),
        transparent_(transparent),
        exact_(exact),
        nearest_(palette, transparent) {
    report_.Pixels = size_t(png.Width) * size_t(png.Height);
  }

  std::vector<uint8_t> Run() {
    std::vector<uint8_t> out(report_.Pixels);
    if (png_.Indexed)
      MapIndices(out);
    else
      MapColours(out);
    return out;
  }

  const MappingReport& Report() const { return report_; }

 private:
  using Match = NearestColour::Match;

  // The match for pixel i of colour argb; raises PixelError for what cannot be packed.
  Match Resolve(uint32_t argb, size_t i) {
    const uint32_t alpha = argb >> 24;
    if (alpha == 0) {
      if (!transparent_)
        throw PixelError(At(i, png_.Width) +
                         " is transparent, but the picture has no transparent index "
                         "(transparent=INDEX on its manifest line)");
      return {*transparent_, 0};
    }
    if (alpha != 255)
      throw PixelError(At(i, png_.Width) + " is partly transparent (alpha " +
                       std::to_string(alpha) + "); a pixel must be opaque or fully transparent");
    const uint32_t rgb = argb & 0xFFFFFFu;
    const Match match = nearest_.Find(rgb);
    if (exact_ && match.Distance != 0) {
      std::string why = "which is not in the palette";
      if (transparent_ && Rgb(palette_[*transparent_]) == rgb)
        why = "which the palette has only at the picture's transparent index " +
              std::to_string(*transparent_);
      throw PixelError(At(i, png_.Width) + " has colour " + HexColour(rgb) + ", " + why);
    }
    return match;
  }

  void Count(const Match& match, size_t i, uint32_t rgb) {
    if (match.Distance == 0) return;
    ++report_.Changed;
    if (match.Distance <= report_.LargestDistance) return;
    report_.LargestDistance = match.Distance;
    report_.X = int(i % size_t(png_.Width));
    report_.Y = int(i / size_t(png_.Width));
    report_.From = rgb;
    report_.To = Rgb(palette_[match.Index]);
    report_.Index = match.Index;
  }

  void MapColours(std::vector<uint8_t>& out) {
    const uint32_t* argb = png_.Argb.data();
    for (size_t i = 0; i < out.size(); ++i) {
      const Match match = Resolve(argb[i], i);
      out[i] = match.Index;
      Count(match, i, argb[i] & 0xFFFFFFu);
    }
  }

  // Each palette entry of the PNG is resolved once, at its first pixel, so that a fault names
  // the first pixel in row order.
  void MapIndices(std::vector<uint8_t>& out) {
    const uint8_t* indices = png_.Indices.data();
    std::array<bool, 256> used{};
    for (size_t i = 0; i < out.size(); ++i) used[indices[i]] = true;
    bool samePalette = true;
    for (int k = 0; k < 256 && samePalette; ++k)
      samePalette = !used[k] || (k < png_.PaletteSize && Rgb(png_.Palette[k]) == Rgb(palette_[k]));

    std::array<bool, 256> resolved{};
    std::array<Match, 256> matches{};
    for (size_t i = 0; i < out.size(); ++i) {
      const uint8_t k = indices[i];
      if (!resolved[k]) {
        if (k >= png_.PaletteSize)
          throw PixelError(At(i, png_.Width) + " has index " + std::to_string(k) +
                           ", but the PNG's palette has only " + std::to_string(png_.PaletteSize) +
                           " colours");
        const uint32_t argb = uint32_t(png_.Alpha[k]) << 24 | Rgb(png_.Palette[k]);
        // The library's own colours keep their indices, even where the palette repeats one.
        if (samePalette && png_.Alpha[k] == 255 && k != transparent_)
          matches[k] = {k, 0};
        else
          matches[k] = Resolve(argb, i);
        resolved[k] = true;
      }
      out[i] = matches[k].Index;
      Count(matches[k], i, Rgb(png_.Palette[k]));
    }
  }

  const png::PngPicture& png_;
  const vx8::Palette& palette_;
  std::optional<uint8_t> transparent_;
  bool exact_;
  NearestColour nearest_;
  MappingReport report_;
};

}  // namespace

uint32_t ColourDistance(uint32_t a, uint32_t b) {
  const int dr = int(a >> 16 & 0xFF) - int(b >> 16 & 0xFF);
  const int dg = int(a >> 8 & 0xFF) - int(b >> 8 & 0xFF);
  const int db = int(a & 0xFF) - int(b & 0xFF);
  return uint32_t(dr * dr + dg * dg + db * db);
}

std::string HexColour(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", rgb & 0xFFFFFFu);
  return text;
}

NearestColour::NearestColour(const vx8::Palette& palette, std::optional<uint8_t> excluded) {
  for (int i = 0; i < 256; ++i)
    if (i != excluded)
      byGreen_.push_back({palette[i].Green, palette[i].Red, palette[i].Blue, uint8_t(i)});
  std::sort(byGreen_.begin(), byGreen_.end(), [](const Entry& a, const Entry& b) {
    return a.Green != b.Green ? a.Green < b.Green : a.Index < b.Index;
  });
}

NearestColour::Match NearestColour::Find(uint32_t rgb) {
  // Made at the first search: a palette picture that keeps its indices needs none.
  if (cache_.empty()) cache_.assign(size_t(1) << kCacheBits, kEmpty);
  uint64_t& slot = cache_[(rgb * 2654435761u) >> (32 - kCacheBits)];
  if (slot >> 32 == rgb) return {uint8_t(slot), uint32_t(slot >> 8) & 0xFFFFFFu};
  const Match match = Search(rgb);
  slot = uint64_t(rgb) << 32 | uint64_t(match.Distance) << 8 | match.Index;
  return match;
}

NearestColour::Match NearestColour::Search(uint32_t rgb) const {
  const int32_t r = int32_t(rgb >> 16 & 0xFF), g = int32_t(rgb >> 8 & 0xFF),
                b = int32_t(rgb & 0xFF);
  Match best{0, ~uint32_t(0)};
  auto consider = [&](const Entry& e) {
    const int32_t dr = r - e.Red, dg = g - e.Green, db = b - e.Blue;
    const uint32_t d = uint32_t(dr * dr + dg * dg + db * db);
    if (d < best.Distance || (d == best.Distance && e.Index < best.Index)) best = {e.Index, d};
  };
  // Outwards from the colour's green, each way until green alone is too far even for a tie.
  const auto start =
      std::lower_bound(byGreen_.begin(), byGreen_.end(), g,
                       [](const Entry& e, int32_t green) { return e.Green < green; });
  for (auto e = start; e != byGreen_.end(); ++e) {
    const int32_t dg = e->Green - g;
    if (uint32_t(dg * dg) > best.Distance) break;
    consider(*e);
  }
  for (auto e = start; e != byGreen_.begin();) {
    --e;
    const int32_t dg = g - e->Green;
    if (uint32_t(dg * dg) > best.Distance) break;
    consider(*e);
  }
  return best;
}

std::vector<uint8_t> MapPicture(const png::PngPicture& png, const vx8::Palette& palette,
                                std::optional<uint8_t> transparent, bool exact,
                                MappingReport* report) {
  Mapper mapper(png, palette, transparent, exact);
  std::vector<uint8_t> pixels = mapper.Run();
  if (report) *report = mapper.Report();
  return pixels;
}

}  // namespace vx8tool
