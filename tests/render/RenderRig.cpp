#include "tests/render/RenderRig.h"

namespace rendertest {

using vx8test::Coding;
using vx8test::MakeRecord;
using vx8test::Pixels;

namespace {

Pixels Filled(uint16_t w, uint16_t h, uint8_t value) {
  return Pixels(w, h, value);
}

Pixels RoadTiles() {
  Pixels roads(96, 288, 0);
  for (int pass = 0; pass < 3; ++pass) {
    for (int row = 0; row < 9; ++row) {
      const int x0 = 32 * pass;
      const int y0 = 32 * row;
      const TPoint mark = RoadMark(pass, row);
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
          roads.At(x0 + mark.X + dx, y0 + mark.Y + dy) = RoadValue(pass, row);
      roads.At(x0 + RoadTop.X, y0 + RoadTop.Y) = RoadValue(pass, row);
    }
  }
  return roads;
}

Pixels Connectors() {
  Pixels pieces(21, 14);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 21; ++x) pieces.At(x, y) = ConnectorValue(x / 7, y / 7);
  return pieces;
}

Pixels ArrowStrip(int picture) {
  Pixels strip(20, 140);
  for (int y = 0; y < 140; ++y)
    for (int x = 0; x < 20; ++x) strip.At(x, y) = ArrowValue(picture, y / 20);
  return strip;
}

// A framed block of `value` on transparent 0.
Pixels Caption(uint16_t w, uint16_t h, uint8_t value) {
  Pixels p(w, h, 0);
  for (int y = 3; y < h - 3; ++y)
    for (int x = 3; x < w - 3; ++x) p.At(x, y) = value;
  return p;
}

}  // namespace

std::vector<vx8test::Record> TestRecords(const std::string& leaveOut) {
  std::vector<vx8test::Record> records;
  auto add = [&](const std::string& name, const Pixels& p, std::optional<uint8_t> transparent) {
    if (name != leaveOut) records.push_back(MakeRecord(name, p, Coding::LineCode, transparent));
  };
  add("zelto", Caption(40, 16, TitleValue), 0);
  add("colrow", Caption(30, 12, SizeLabelValue), 0);
  add("roads", RoadTiles(), 0);
  add("conndiag", Connectors(), std::nullopt);
  add("empty", Filled(32, 32, EmptyValue), std::nullopt);
  add("clicksr", Filled(30, 20, ClickStartValue), std::nullopt);
  add("welldone", Filled(30, 20, WellDoneValue), std::nullopt);
  for (int i = 0; i < ArrowPictureCount; ++i)
    add(std::string(ArrowPictureNames[size_t(i)]), ArrowStrip(i), std::nullopt);
  return records;
}

uint8_t PixelAt(TVX8ImageData& surface, int x, int y) {
  const uint8_t value = *surface.StartLine(x, y);
  surface.UnlockSegment(x, y);
  return value;
}

void FillWith(TVX8ImageData& surface, uint8_t (*value)(int x, int y)) {
  for (int y = 0; y < surface.Height(); ++y) {
    uint8_t* line = surface.StartLine(0, y);
    for (int x = 0; x < surface.Width(); ++x) line[x] = value(x, y);
    surface.UnlockSegment(0, y);
  }
}

TRenderRig::TRenderRig(const std::string& leaveOut) {
  vx8test::WriteBytes(File.Path(), vx8test::LibraryBytes(TestRecords(leaveOut)));
  Library.OpenLibrary(File.Path());
  Pictures.Take(Library);
}

void TRenderRig::SetBoard(uint8_t cols, uint8_t rows, uint8_t value) {
  State.Cols = cols;
  State.Rows = rows;
  State.BoardLeft = TBoardLayout::GridStart(cols);
  State.BoardTop = TBoardLayout::GridStart(rows);
  for (int c = 1; c <= cols; ++c)
    for (int r = 1; r <= rows; ++r) State.Board(c, r) = State.BackBoard(c, r) = value;
}

TBackgroundPainter TRenderRig::Background() {
  return [this](TVX8ImageData& surface, TPoint origin) {
    BackgroundOrigins.push_back(origin);
    for (int y = 0; y < surface.Height(); ++y) {
      uint8_t* line = surface.StartLine(0, y);
      for (int x = 0; x < surface.Width(); ++x)
        line[x] = BackgroundValue(origin.X + x, origin.Y + y);
      surface.UnlockSegment(0, y);
    }
    surface.AddDamage(surface.GetBounds());
  };
}

}  // namespace rendertest
