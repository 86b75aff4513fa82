#include "game/BoardRenderer.h"

#include <bit>

#include "image/ImageUse.h"

namespace {

constexpr int32_t RoadTile = 32;
constexpr int32_t CapRow = 8;  // the tile row of the cap under a lone road
constexpr int32_t ConnectorSize = 7;
// A piece is centred on the corner pixel that four cells share: the last pixel before a cell's
// origin, or the last pixel of the cell.
constexpr int32_t ConnectorNear = -1 - ConnectorSize / 2;
constexpr int32_t ConnectorFar = TBoardLayout::CellPitch + ConnectorNear;

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

TBoardRenderer::TBoardRenderer(TBoardPictures& pictures, TBoardScreen* screen,
                               TBackgroundPainter background)
    : Pictures(pictures), Screen(screen), Background(std::move(background)) {}

void TBoardRenderer::DrawCells(const TBoardState& state, int32_t firstCol, int32_t firstRow,
                               int32_t lastCol, int32_t lastRow) {
  DrawCells(state.Layout(), state.Board, Pictures.BoardData, firstCol, firstRow, lastCol, lastRow,
            TCellStyle::Playing);
}

void TBoardRenderer::DrawBoard(const TBoardState& state, bool player) {
  DrawBoard(state, player, Screen ? Screen->BoardOrigin(player) : TPoint{});
}

void TBoardRenderer::ShowSurface(bool player) {
  TVX8ImageData* surface = player ? Pictures.BoardData : Pictures.BackBoardData;
  if (Screen && surface) Screen->ShowPicture(player, *surface);
}

// A frame that cannot be made (no memory for its scratch picture) is left out: the line still
// comes to rest at the fourth tick, and the game goes on.
void TBoardRenderer::DrawMoveFrame(const TBoardState& state) {
  try {
    ComposeMoveFrame(state, [this](TVX8ImageData& frame) {
      if (Screen) Screen->ShowPicture(true, frame);
    });
  } catch (const std::exception&) {
  }
}

void TBoardRenderer::DrawBoard(const TBoardState& state, bool player, TPoint origin) {
  const TCells& cells = player ? state.Board : state.BackBoard;
  TVX8ImageData* surface = player ? Pictures.BoardData : Pictures.BackBoardData;
  if (!surface) return;
  if (Background) Background(*surface, origin);

  const TBoardLayout layout = state.Layout();
  const TRect grid = layout.Grid();
  const int32_t left = grid.Left;
  const int32_t top = grid.Top;
  const int32_t width = grid.Width();
  const int32_t height = grid.Height();
  if (state.Playing || player) {
    surface->HorzLine({left - 1, top - 1}, width, GridColor);
    surface->VertLine({left - 1, top - 1}, height, GridColor);
  }

  TCellStyle style = TCellStyle::Framed;
  if (state.Playing && player) style = TCellStyle::Playing;
  if (!state.Playing && player) style = TCellStyle::Idle;

  // Between games the back board shows only the background and one picture.
  if (!state.Playing && !player) {
    DrawBetweenGamesPicture(*surface, state.Solved);
    return;
  }

  if (style != TCellStyle::Playing) {
    surface->HorzLine({left, top + height}, width, ShadowColor);
    surface->VertLine({left + width, top}, height, ShadowColor);
  }
  DrawCells(layout, cells, surface, 1, 1, state.Cols, state.Rows, style);
  if (player && state.Playing) DrawArrows(state);
}

void TBoardRenderer::DrawBetweenGamesPicture(TVX8ImageData& surface, bool solved) {
  if (!Pictures.Library) return;
  TVX8Library& library = *Pictures.Library;
  TImageUse picture(library, library.GetImage(solved ? "welldone" : "clicksr"));
  if (TVX8ImageData* data = library.GetImageData(picture.Get()))
    surface.Draw({1, 1}, *data, data->GetBounds());
}

void TBoardRenderer::DrawCells(const TBoardLayout& layout, const TCells& cells,
                               TVX8ImageData* surface, int32_t c0, int32_t r0, int32_t c1,
                               int32_t r1, TCellStyle style) {
  if (!surface || !Pictures.RoadsData || !Pictures.ConnDiagData) return;

  if (TVX8ImageData* empty = Pictures.EmptyData) {
    for (int32_t c = c0; c <= c1; ++c) {
      for (int32_t r = r0; r <= r1; ++r)
        surface->Draw(layout.CellOrigin(c, r), *empty, empty->GetBounds());
    }
  }

  if (style == TCellStyle::Idle) {
    for (int pass = 2; pass >= 0; --pass)
      DrawCellPass(layout, cells, *surface, c0, r0, c1, r1, pass, true);
  } else {
    DrawCellPass(layout, cells, *surface, c0, r0, c1, r1, 0, style != TCellStyle::Playing);
  }

  // Each cell's grid lines run along its right-most pixel column and its bottom pixel row.
  if (style == TCellStyle::Playing) {
    constexpr int32_t pitch = TBoardLayout::CellPitch;
    for (int32_t c = c0; c <= c1; ++c) {
      const TPoint first = layout.CellOrigin(c, r0);
      surface->VertLine({first.X + pitch - 1, first.Y}, pitch * (r1 - r0 + 1), GridColor);
    }
    for (int32_t r = r0; r <= r1; ++r) {
      const TPoint first = layout.CellOrigin(c0, r);
      surface->HorzLine({first.X, first.Y + pitch - 1}, pitch * (c1 - c0 + 1), GridColor);
    }
  }
}

// Pass 1 is drawn one pixel to the right and pass 2 one pixel lower than pass 0.
void TBoardRenderer::DrawCellPass(const TBoardLayout& layout, const TCells& cells,
                                  TVX8ImageData& surface, int32_t c0, int32_t r0, int32_t c1,
                                  int32_t r1, int pass, bool connectors) {
  TVX8ImageData& roads = *Pictures.RoadsData;
  TVX8ImageData& pieces = *Pictures.ConnDiagData;
  auto cellAt = [&](int32_t c, int32_t r) {
    const TPoint origin = layout.CellOrigin(c, r);
    return TPoint{origin.X + (pass == 1 ? 1 : 0), origin.Y + (pass == 2 ? 1 : 0)};
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
  auto piece = [&](TPoint at, int32_t dx, int32_t dy, int32_t kind) {
    surface.Draw({at.X + dx, at.Y + dy}, pieces, ConnectorRect(pass, kind));
  };
  for (int32_t c = c0; c <= c1; ++c) {
    for (int32_t r = r0; r <= r1; ++r) {
      const TPoint at = cellAt(c, r);
      if (r > 1) {
        const uint8_t above = cells(c, r - 1);
        if (above & Road::SouthEast) piece(at, ConnectorFar, ConnectorNear, FallingConnector);
        if (above & Road::SouthWest) piece(at, ConnectorNear, ConnectorNear, RisingConnector);
      } else if (layout.Rows > 1) {
        const uint8_t below = cells(c, 2);
        if (below & Road::NorthWest) piece(at, ConnectorNear, ConnectorFar, FallingConnector);
        if (below & Road::NorthEast) piece(at, ConnectorFar, ConnectorFar, RisingConnector);
      }
    }
  }
}
