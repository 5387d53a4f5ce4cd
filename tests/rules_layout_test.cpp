// Tests for the flat layout: where the cell squares lie and their strict edges.
#include <string>

#include "rules/layout.h"
#include "rules/state.h"
#include "support/game_state.h"

namespace {

class LayoutTest : public GameStateTest {};

// Corners worked out by hand from the origin (800 - s/2 - s, 450 - s/2 - s).
TEST_F(LayoutTest, CellsStartAtTheirWorkedOutCorners) {
  const struct { CellCoord cell; int32_t s, left, top; } cases[] = {
      {{0, 0}, 80, 680, 330},
      {{1, 0, 0}, 60, 510, 360},
      {{0, 2, 2}, 60, 630, 240},
      {{1, 1, 0, 0}, 60, 410, 360},
      {{0, 0, 0, 0}, 60, 170, 120},
      {{1, 1, 1, 0, 0}, 40, 740, 390},
      {{0, 0, 0, 0, 0}, 40, 100, 230},
      {{2, 2, 2, 2, 2}, 40, 1460, 630},  // ends at (1500, 670)
      {{2, 1, 0}, 60, 570, 600},         // cells whose indices tell the axes apart
      {{2, 0, 1, 2}, 60, 710, 240},
      {{2, 1}, 60, 830, 420},  // the start size 60 on the 2D and 5D boards
      {{2, 1, 0, 2, 1}, 60, 1550, 180},
      {{0, 0}, 45, 733, 383},  // s/2 truncates: 45 / 2 = 22
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.cell) + " at s = " + std::to_string(c.s));
    const CellSquare q = CellSquareOf(static_cast<int>(c.cell.size()), c.s, CellOfCoord(c.cell));
    EXPECT_EQ(q.left, c.left);
    EXPECT_EQ(q.top, c.top);
    EXPECT_EQ(q.side, c.s);
    EXPECT_EQ(SquareCentreX(q), c.left + c.s / 2);
    EXPECT_EQ(SquareCentreY(q), c.top + c.s / 2);
  }
}

// A point on any edge of a square belongs to no cell; just inside, to that cell.
TEST_F(LayoutTest, EveryCellIsHitOnlyStrictlyInside) {
  EXPECT_EQ(CellAtPoint(2, 80, 680, 350), -1);  // left edge of board2[0][0]
  EXPECT_EQ(CellAtPoint(2, 80, 760, 350), -1);  // between board2[0][0] and board2[1][0]
  EXPECT_EQ(CellAtPoint(2, 80, 700, 350), 0);
  for (int n = 2; n <= 5; ++n) {
    for (int32_t s : {40, 60, 80}) {
      for (int cell = 0; cell < CellCount(n); ++cell) {
        const CellSquare q = CellSquareOf(n, s, cell);
        const int32_t x = q.left, y = q.top, mx = x + s / 2, my = y + s / 2;
        EXPECT_EQ(CellAtPoint(n, s, mx, my), cell) << n << "D cell " << cell << ", s = " << s;
        EXPECT_EQ(CellAtPoint(n, s, x + 1, y + 1), cell);
        EXPECT_EQ(CellAtPoint(n, s, x + s - 1, y + s - 1), cell);
        EXPECT_EQ(CellAtPoint(n, s, x, my), -1) << n << "D cell " << cell << ", s = " << s;
        EXPECT_EQ(CellAtPoint(n, s, x + s, my), -1);
        EXPECT_EQ(CellAtPoint(n, s, mx, y), -1);
        EXPECT_EQ(CellAtPoint(n, s, mx, y + s), -1);
      }
    }
  }
}

}  // namespace
