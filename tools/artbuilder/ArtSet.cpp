#include "tools/artbuilder/ArtSet.h"

#include "tools/artbuilder/ArrowArt.h"
#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/ButtonArt.h"
#include "tools/artbuilder/CaptionArt.h"
#include "tools/artbuilder/PaletteMapper.h"
#include "tools/artbuilder/RoadArt.h"
#include "tools/artbuilder/SignArt.h"
#include "tools/artbuilder/TileArt.h"

namespace art {

std::vector<ArtPicture> DrawGameArt(const language::TLanguage& language) {
  CaptionWords words(language);
  const QColor bg = BackgroundMatte();
  const QColor ground = GroundMatte();
  std::vector<ArtPicture> art;
  art.push_back({"tile", DrawTile(), false, bg, {}});
  art.push_back({"empty", DrawEmptyCell(), true, ground, {}});
  art.push_back({"roads", DrawRoads(), true, ground, {}});
  art.push_back({"conndiag", DrawDiagonalConnectors(), true, ground, {}});
  const struct {
    const char* Name;
    ArrowSide Side;
    bool Pressed;
  } arrows[] = {{"arru_up", ArrowSide::Above, false}, {"arru_dn", ArrowSide::Above, true},
                {"arrd_up", ArrowSide::Below, false}, {"arrd_dn", ArrowSide::Below, true},
                {"arrl_up", ArrowSide::Left, false},  {"arrl_dn", ArrowSide::Left, true},
                {"arrr_up", ArrowSide::Right, false}, {"arrr_dn", ArrowSide::Right, true}};
  for (const auto& a : arrows)
    art.push_back({a.Name, DrawArrowStrip(a.Side, a.Pressed), true, bg, {}});
  art.push_back({"start", DrawWideButton(words, N_("Start")), false, bg, words.TakeFits()});
  art.push_back({"exit", DrawWideButton(words, N_("Exit")), false, bg, words.TakeFits()});
  art.push_back({"min_btn", DrawSizeButton(false), false, bg, {}});
  art.push_back({"plus_btn", DrawSizeButton(true), false, bg, {}});
  art.push_back({"clicksr", DrawClickStart(words), true, bg, words.TakeFits()});
  art.push_back({"welldone", DrawWellDone(words), true, bg, words.TakeFits()});
  art.push_back({"zelto", DrawTitle(), true, bg, {}});
  art.push_back({"colrow", DrawSizeCaption(words), true, bg, words.TakeFits()});
  return art;
}

std::vector<vx8::Picture> MapGameArt(const std::vector<ArtPicture>& art) {
  PaletteMapper mapper = GameMapper();
  std::vector<vx8::Picture> pictures;
  for (const ArtPicture& a : art) {
    vx8::Picture p;
    p.Name = a.Name;
    p.Width = uint16_t(a.Image.width());
    p.Height = uint16_t(a.Image.height());
    if (a.Transparent) {
      p.Pixels = mapper.MapTransparent(a.Image, a.Matte, kTransparent);
      p.TransparentIndex = kTransparent;
    } else {
      p.Pixels = mapper.MapOpaque(a.Image, a.Matte);
    }
    pictures.push_back(std::move(p));
  }
  return pictures;
}

QImage PictureImage(const vx8::Picture& picture, const vx8::Palette& palette) {
  QImage image(picture.Width, picture.Height, QImage::Format_ARGB32);
  for (int y = 0; y < picture.Height; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    const uint8_t* src = picture.Pixels.data() + size_t(y) * picture.Width;
    for (int x = 0; x < picture.Width; ++x) {
      const vx8::PaletteColor& c = palette[src[x]];
      const bool clear = picture.TransparentIndex && src[x] == *picture.TransparentIndex;
      row[x] = clear ? 0u : qRgb(c.Red, c.Green, c.Blue);
    }
  }
  return image;
}

}  // namespace art
