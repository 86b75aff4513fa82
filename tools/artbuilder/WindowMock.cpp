#include "tools/artbuilder/WindowMock.h"

#include <random>
#include <stdexcept>
#include <string>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/IndexCanvas.h"

namespace art {
namespace {

using Cells = uint8_t[6][6];  // [column][row], both from 1

const vx8::Picture& Find(const std::vector<vx8::Picture>& pictures, const std::string& name) {
  for (const vx8::Picture& p : pictures)
    if (p.Name == name) return p;
  throw std::runtime_error("no picture " + name);
}

// A connected pattern: neighbouring cells are linked at random, both ends alike.
void Deal(Cells& cells, int cols, int rows, uint32_t seed) {
  std::mt19937 random(seed);
  for (auto& column : cells)
    for (uint8_t& c : column) c = 0;
  auto link = [&](int c, int r, int bit, int c2, int r2) {
    if (c2 < 1 || c2 > cols || r2 < 1 || r2 > rows) return;
    if (random() % 100 >= 45) return;
    cells[c][r] |= uint8_t(1 << bit);
    cells[c2][r2] |= uint8_t(1 << ((bit + 4) % 8));
  };
  for (int c = 1; c <= cols; ++c) {
    for (int r = 1; r <= rows; ++r) {
      link(c, r, 2, c + 1, r);
      link(c, r, 3, c + 1, r + 1);
      link(c, r, 4, c, r + 1);
      link(c, r, 5, c - 1, r + 1);
    }
  }
}

class Game {
 public:
  Game(const std::vector<vx8::Picture>& pictures, const MockScene& scene)
      : P(pictures), S(scene), Left(105 - 16 * scene.Cols), Top(105 - 16 * scene.Rows) {
    Deal(Back, S.Cols, S.Rows, S.Seed);
    for (int c = 0; c < 6; ++c)
      for (int r = 0; r < 6; ++r) Board[c][r] = Back[c][r];
    if (S.State == MockState::Playing) {
      // A few turns away from the pattern.
      RotateColumn(1);
      RotateColumn(S.Cols);
      RotateRow(2);
    }
  }

  void DrawBoard(IndexCanvas& surface, bool player, int ox, int oy) const {
    const bool playing = S.State == MockState::Playing;
    surface.PaintTiles(Find(P, "tile"), ox, oy);
    if (playing || player) {
      surface.HorzLine(Left - 1, Top - 1, 32 * S.Cols, kGridLight);
      surface.VertLine(Left - 1, Top - 1, 32 * S.Rows, kGridLight);
    }
    const int style = playing ? (player ? 0 : 1) : (player ? 2 : 1);
    if (!playing && !player) {
      surface.Draw(Find(P, S.State == MockState::Won ? "welldone" : "clicksr"), 1, 1);
      return;
    }
    if (style != 0) {
      surface.HorzLine(Left, Top + 32 * S.Rows, 32 * S.Cols, kFrameDark);
      surface.VertLine(Left + 32 * S.Cols, Top, 32 * S.Rows, kFrameDark);
    }
    DrawCells(player ? Board : Back, surface, style);
    if (player && playing) DrawArrows(surface);
  }

 private:
  void RotateColumn(int c) {
    const uint8_t t = Board[c][1];
    for (int r = 2; r <= S.Rows; ++r) Board[c][r - 1] = Board[c][r];
    Board[c][S.Rows] = t;
  }
  void RotateRow(int r) {
    const uint8_t t = Board[1][r];
    for (int c = 2; c <= S.Cols; ++c) Board[c - 1][r] = Board[c][r];
    Board[S.Cols][r] = t;
  }

  void DrawCells(const Cells& cells, IndexCanvas& s, int style) const {
    const vx8::Picture& roads = Find(P, "roads");
    const vx8::Picture& conn = Find(P, "conndiag");
    for (int c = 1; c <= S.Cols; ++c)
      for (int r = 1; r <= S.Rows; ++r) s.Draw(Find(P, "empty"), X(c), Y(r));
    for (int pass = style == 2 ? 2 : 0; pass >= 0; --pass) {
      for (int c = 1; c <= S.Cols; ++c) {
        for (int r = 1; r <= S.Rows; ++r) {
          const int xp = X(c) + (pass == 1), yp = Y(r) + (pass == 2);
          const uint8_t v = cells[c][r];
          if (v != 0 && (v & (v - 1)) == 0) s.Draw(roads, 32 * pass, 256, 32, 32, xp, yp);
          for (int k = 0; k < 8; ++k)
            if (v & (1 << k)) s.Draw(roads, 32 * pass, 32 * k, 32, 32, xp, yp);
        }
      }
      if (style == 0) continue;
      for (int c = 1; c <= S.Cols; ++c) {
        for (int r = 1; r <= S.Rows; ++r) {
          const int xp = X(c) + (pass == 1), yp = Y(r) + (pass == 2);
          if (r > 1) {
            const uint8_t a = cells[c][r - 1];
            if (a & 0x08) s.Draw(conn, 7 * pass, 7, 7, 7, xp + 28, yp - 4);
            if (a & 0x20) s.Draw(conn, 7 * pass, 0, 7, 7, xp - 4, yp - 4);
          } else if (S.Rows > 1) {
            const uint8_t b = cells[c][2];
            if (b & 0x80) s.Draw(conn, 7 * pass, 7, 7, 7, xp - 4, yp + 28);
            if (b & 0x02) s.Draw(conn, 7 * pass, 0, 7, 7, xp + 28, yp + 28);
          }
        }
      }
    }
    if (style == 0) {
      for (int c = 1; c <= S.Cols; ++c) s.VertLine(Left + 32 * c - 1, Top, 32 * S.Rows, kGridLight);
      for (int r = 1; r <= S.Rows; ++r) s.HorzLine(Left, Top + 32 * r - 1, 32 * S.Cols, kGridLight);
    }
  }

  void DrawArrows(IndexCanvas& s) const {
    for (int i = 1; i <= 2 * S.Cols; ++i) DrawArrow(s, true, i);
    for (int i = 1; i <= 2 * S.Rows; ++i) DrawArrow(s, false, i);
  }

  void DrawArrow(IndexCanvas& s, bool column, int index) const {
    const int n = column ? S.Cols : S.Rows;
    const bool first = index <= n;
    const bool pressed = column == S.PressedColumn && index == S.PressedIndex;
    int left, top;
    if (column) {
      left = Left + 6 + 32 * ((index - 1) % S.Cols);
      top = first ? 16 * (5 - S.Rows) : 109 + 16 * S.Rows;
    } else {
      top = Top + 6 + 32 * ((index - 1) % S.Rows);
      left = first ? 16 * (5 - S.Cols) : 109 + 16 * S.Cols;
    }
    std::string name = column ? (first ? "arru" : "arrd") : (first ? "arrl" : "arrr");
    name += pressed ? "_dn" : "_up";
    s.Draw(Find(P, name), 0, 20 * (first ? index - 1 : index - 4), 20, 20, left, top);
  }

  int X(int c) const { return Left + 32 * (c - 1); }
  int Y(int r) const { return Top + 32 * (r - 1); }

  const std::vector<vx8::Picture>& P;
  MockScene S;
  int Left, Top;
  Cells Board{}, Back{};
};

// A button face: frame 0 up, 1 down, 2 disabled.
void DrawButton(IndexCanvas& window, const vx8::Picture& strip, int frame, int x, int y) {
  const int h = strip.Height / 3;
  window.Draw(strip, 0, h * frame, strip.Width, h, x, y);
}

}  // namespace

QImage DrawWindowMock(const std::vector<vx8::Picture>& pictures, const vx8::Palette& palette,
                      const MockScene& scene) {
  IndexCanvas window(517, 403);
  window.PaintTiles(Find(pictures, "tile"), 0, 0);
  const Game game(pictures, scene);
  IndexCanvas board(208, 208), back(208, 208);
  game.DrawBoard(board, true, 37, 104);
  game.DrawBoard(back, false, 273, 104);
  window.Draw(board, 0, 0, 208, 208, 37, 104);
  window.Draw(back, 0, 0, 208, 208, 273, 104);

  const bool idle = scene.State != MockState::Playing;
  DrawButton(window, Find(pictures, "start"), idle ? 0 : 2, 299, 329);
  DrawButton(window, Find(pictures, "exit"), idle ? 2 : 0, 299, 359);
  auto size = [&](const char* name, bool enabled, int x, int y) {
    DrawButton(window, Find(pictures, name), enabled ? 0 : 2, x, y);
  };
  size("min_btn", idle && scene.Cols > 3, 43, 329);
  size("plus_btn", idle && scene.Cols < 5, 199, 329);
  size("min_btn", idle && scene.Rows > 3, 43, 359);
  size("plus_btn", idle && scene.Rows < 5, 199, 359);
  window.Draw(Find(pictures, "zelto"), 71, 9);
  window.Draw(Find(pictures, "colrow"), 87, 329);
  return window.ToImage(palette);
}

}  // namespace art
