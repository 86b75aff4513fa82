#include "game/BoardRenderer.h"

#include <bit>

#include "game/ImageUse.h"

namespace {

constexpr int32_t RoadTile = 32;
constexpr int32_t CapRow = 8;  // the tile row of the cap under a lone road
constexpr int32_t ConnectorSize = 7;

// The "conndiag" pieces: one joins a north-east/south-west diagonal, the other a
// north-west/south-east one.
constexpr int32_t RisingConnector = 0;
constexpr int32_t FallingConnector = 1;

TRect RoadTileRect(int pass, int32_t row) {
  return {RoadTile * pass, RoadTile * row, RoadTile * pass + RoadTile, RoadTile * row + RoadTile};
}

TRect ConnectorRect(int pass, int32_t kind) {
  return {ConnectorSize * pass, ConnectorSize * kind, ConnectorSize * pass + ConnectorSize,
          ConnectorSize * kind + ConnectorSize};
}

}  // namespace

TBoardRenderer::TBoardRenderer(const TBoardModel& model, TBoardPictures& pictures)
    : Model(model), Pictures(pictures) {}

void TBoardRenderer::DrawBoard(bool player, TPoint origin) {
  const TCells cells = player ? Model.Board : Model.BackBoard;
  TVX8ImageData* surface = player ? Pictures.BoardData : Pictures.BackBoardData;
  if (!surface) return;
  if (Background) Background(*surface, origin);

  const int32_t left = Model.BoardLeft;
  const int32_t top = Model.BoardTop;
  const int32_t width = CellPitch * Model.Cols;
  const int32_t height = CellPitch * Model.Rows;
  if (Model.Playing || player) {
    surface->HorzLine({left - 1, top - 1}, width, GridColor);
    surface->VertLine({left - 1, top - 1}, height, GridColor);
  }

  TCellStyle style = TCellStyle::Framed;
  if (Model.Playing && player) style = TCellStyle::Playing;
  if (!Model.Playing && player) style = TCellStyle::Idle;

  // Between games the back board shows only the background and one picture.
  if (!Model.Playing && !player) {
    DrawBetweenGamesPicture(*surface);
    return;
  }

  if (style != TCellStyle::Playing) {
    surface->HorzLine({left, top + height}, width, ShadowColor);
    surface->VertLine({left + width, top}, height, ShadowColor);
  }
  DrawCells(cells, surface, 1, 1, Model.Cols, Model.Rows, style);
  if (player && Model.Playing) DrawArrows();
}

void TBoardRenderer::DrawBetweenGamesPicture(TVX8ImageData& surface) {
  if (!Pictures.Library) return;
  TVX8Library& library = *Pictures.Library;
  TImageUse picture(library, library.GetImage(Model.Solved ? "welldone" : "clicksr"));
  if (TVX8ImageData* data = library.GetImageData(picture.Get()))
    surface.Draw({1, 1}, *data, data->GetBounds());
}

void TBoardRenderer::DrawCells(const TCells& cells, TVX8ImageData* surface, int32_t c0, int32_t r0,
                               int32_t c1, int32_t r1, TCellStyle style) {
  if (!surface || !Pictures.RoadsData || !Pictures.ConnDiagData) return;

  if (TVX8ImageData* empty = Pictures.EmptyData) {
    for (int32_t c = c0; c <= c1; ++c) {
      for (int32_t r = r0; r <= r1; ++r) {
        const TPoint at{Model.BoardLeft + CellPitch * (c - 1),
                        Model.BoardTop + CellPitch * (r - 1)};
        surface->Draw(at, *empty, empty->GetBounds());
      }
    }
  }

  if (style == TCellStyle::Idle) {
    for (int pass = 2; pass >= 0; --pass) DrawCellPass(cells, *surface, c0, r0, c1, r1, pass, true);
  } else {
    DrawCellPass(cells, *surface, c0, r0, c1, r1, 0, style != TCellStyle::Playing);
  }

  if (style == TCellStyle::Playing) {
    for (int32_t c = c0; c <= c1; ++c) {
      surface->VertLine(
          {Model.BoardLeft + CellPitch * c - 1, Model.BoardTop + CellPitch * (r0 - 1)},
          CellPitch * (r1 - r0 + 1), GridColor);
    }
    for (int32_t r = r0; r <= r1; ++r) {
      surface->HorzLine(
          {Model.BoardLeft + CellPitch * (c0 - 1), Model.BoardTop + CellPitch * r - 1},
          CellPitch * (c1 - c0 + 1), GridColor);
    }
  }
}

// Pass 1 is drawn one pixel to the right and pass 2 one pixel lower than pass 0.
void TBoardRenderer::DrawCellPass(const TCells& cells, TVX8ImageData& surface, int32_t c0,
                                  int32_t r0, int32_t c1, int32_t r1, int pass, bool connectors) {
  TVX8ImageData& roads = *Pictures.RoadsData;
  TVX8ImageData& pieces = *Pictures.ConnDiagData;
  auto cellAt = [&](int32_t c, int32_t r) {
    return TPoint{Model.BoardLeft + CellPitch * (c - 1) + (pass == 1 ? 1 : 0),
                  Model.BoardTop + CellPitch * (r - 1) + (pass == 2 ? 1 : 0)};
  };

  for (int32_t c = c0; c <= c1; ++c) {
    for (int32_t r = r0; r <= r1; ++r) {
      const TPoint at = cellAt(c, r);
      const uint8_t roadsOut = cells(c, r);
      if (std::popcount(roadsOut) == 1) surface.Draw(at, roads, RoadTileRect(pass, CapRow));
      for (int32_t k = 0; k < 8; ++k) {
        if (roadsOut & (1u << k)) surface.Draw(at, roads, RoadTileRect(pass, k));
      }
    }
  }
  if (!connectors) return;

  // Each piece sits on the corner shared by four cells where a diagonal road crosses it.
  for (int32_t c = c0; c <= c1; ++c) {
    for (int32_t r = r0; r <= r1; ++r) {
      const TPoint at = cellAt(c, r);
      if (r > 1) {
        const uint8_t above = cells(c, r - 1);
        if (above & Road::SouthEast)
          surface.Draw({at.X + 28, at.Y - 4}, pieces, ConnectorRect(pass, FallingConnector));
        if (above & Road::SouthWest)
          surface.Draw({at.X - 4, at.Y - 4}, pieces, ConnectorRect(pass, RisingConnector));
      } else if (Model.Rows > 1) {
        const uint8_t below = cells(c, 2);
        if (below & Road::NorthWest)
          surface.Draw({at.X - 4, at.Y + 28}, pieces, ConnectorRect(pass, FallingConnector));
        if (below & Road::NorthEast)
          surface.Draw({at.X + 28, at.Y + 28}, pieces, ConnectorRect(pass, RisingConnector));
      }
    }
  }
}
