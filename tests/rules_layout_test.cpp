// Tests for the flat layout: grid origins, cell squares, strict edges, centres.
#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "rules/layout.h"
#include "rules/state.h"
#include "support/game_state.h"

namespace {

class LayoutTest : public GameStateTest {
 protected:
  // The cell size the title screen sets for each dimension count.
  static int32_t TitleCellSize(int dimensions) {
    switch (dimensions) {
      case 2: return 80;
      case 5: return 40;
      default: return 60;
    }
  }

  static CellSquare SquareAt(const CellCoord& coord, int32_t s) {
    return CellSquareOf(static_cast<int>(coord.size()), s, CellOfCoord(coord));
  }

  // The extents [first, last] of the grids along one axis: runs of three
  // squares whose starts are s apart; a wider step starts a new grid.
  static std::vector<std::pair<int32_t, int32_t>> GridExtents(std::set<int32_t> starts, int32_t s) {
    std::vector<std::pair<int32_t, int32_t>> extents;
    for (int32_t start : starts) {
      if (!extents.empty() && extents.back().second == start) {
        extents.back().second = start + s;
      } else {
        extents.push_back({start, start + s});
      }
    }
    return extents;
  }

  static std::vector<std::pair<int32_t, int32_t>> HorizontalExtents(int dimensions, int32_t s) {
    std::set<int32_t> starts;
    for (int cell = 0; cell < CellCount(dimensions); ++cell) {
      starts.insert(CellSquareOf(dimensions, s, cell).left);
    }
    return GridExtents(starts, s);
  }

  static std::vector<std::pair<int32_t, int32_t>> VerticalExtents(int dimensions, int32_t s) {
    std::set<int32_t> starts;
    for (int cell = 0; cell < CellCount(dimensions); ++cell) {
      starts.insert(CellSquareOf(dimensions, s, cell).top);
    }
    return GridExtents(starts, s);
  }
};

using Extents = std::vector<std::pair<int32_t, int32_t>>;

TEST_F(LayoutTest, GridOriginCentresAThreeByThreeGrid) {
  EXPECT_EQ(GridOriginX(80), 680);
  EXPECT_EQ(GridOriginY(80), 330);
  EXPECT_EQ(GridOriginX(60), 710);
  EXPECT_EQ(GridOriginY(60), 360);
  EXPECT_EQ(GridOriginX(40), 740);
  EXPECT_EQ(GridOriginY(40), 390);
  // An odd size halves with truncation: 45 / 2 = 22.
  EXPECT_EQ(GridOriginX(45), 800 - 22 - 45);
  EXPECT_EQ(GridOriginY(45), 450 - 22 - 45);
}

TEST_F(LayoutTest, QuotedCellsStartWhereExpected) {
  const CellSquare corner2 = SquareAt({0, 0}, 80);
  EXPECT_EQ(corner2.left, 680);
  EXPECT_EQ(corner2.top, 330);
  EXPECT_EQ(corner2.left + corner2.side, 760);
  EXPECT_EQ(corner2.top + corner2.side, 410);

  EXPECT_EQ(SquareAt({1, 0, 0}, 60).left, 510);
  EXPECT_EQ(SquareAt({1, 0, 0}, 60).top, 360);
  EXPECT_EQ(SquareAt({0, 2, 2}, 60).left, 630);
  EXPECT_EQ(SquareAt({0, 2, 2}, 60).top, 240);

  EXPECT_EQ(SquareAt({1, 1, 0, 0}, 60).left, 410);
  EXPECT_EQ(SquareAt({1, 1, 0, 0}, 60).top, 360);
  EXPECT_EQ(SquareAt({0, 0, 0, 0}, 60).left, 170);
  EXPECT_EQ(SquareAt({0, 0, 0, 0}, 60).top, 120);

  EXPECT_EQ(SquareAt({1, 1, 1, 0, 0}, 40).left, 740);
  EXPECT_EQ(SquareAt({1, 1, 1, 0, 0}, 40).top, 390);
  EXPECT_EQ(SquareAt({0, 0, 0, 0, 0}, 40).left, 100);
  EXPECT_EQ(SquareAt({0, 0, 0, 0, 0}, 40).top, 230);
  const CellSquare last5 = SquareAt({2, 2, 2, 2, 2}, 40);
  EXPECT_EQ(last5.left + last5.side, 1500);
  EXPECT_EQ(last5.top + last5.side, 670);
}

TEST_F(LayoutTest, GridsSpanTheQuotedExtents) {
  EXPECT_EQ(HorizontalExtents(2, 80), (Extents{{680, 920}}));
  EXPECT_EQ(VerticalExtents(2, 80), (Extents{{330, 570}}));

  EXPECT_EQ(HorizontalExtents(3, 60), (Extents{{510, 690}}));
  EXPECT_EQ(VerticalExtents(3, 60), (Extents{{120, 300}, {360, 540}, {600, 780}}));

  EXPECT_EQ(HorizontalExtents(4, 60), (Extents{{170, 350}, {410, 590}, {650, 830}}));
  EXPECT_EQ(VerticalExtents(4, 60), (Extents{{120, 300}, {360, 540}, {600, 780}}));

  Extents nineColumns;
  for (int32_t g = 0; g < 9; ++g) nineColumns.push_back({100 + 160 * g, 220 + 160 * g});
  EXPECT_EQ(HorizontalExtents(5, 40), nineColumns);
  EXPECT_EQ(VerticalExtents(5, 40), (Extents{{230, 350}, {390, 510}, {550, 670}}));
}

// The table's rule written out index by index, at the start size 60 for
// every dimension count.
TEST_F(LayoutTest, SquaresFollowTheTableAtSixty) {
  const int32_t s = 60;
  const int32_t x0 = 710, y0 = 360;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(SquareAt({i, j}, s).left, x0 + i * s);
      EXPECT_EQ(SquareAt({i, j}, s).top, y0 + j * s);
      for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(SquareAt({i, j, k}, s).left, x0 - 200 + j * s);
        EXPECT_EQ(SquareAt({i, j, k}, s).top, y0 + (4 * i + k - 4) * s);
        for (int l = 0; l < 3; ++l) {
          EXPECT_EQ(SquareAt({i, j, k, l}, s).left, x0 - 300 + (4 * i + k - 4) * s);
          EXPECT_EQ(SquareAt({i, j, k, l}, s).top, y0 + (4 * j + l - 4) * s);
          for (int m = 0; m < 3; ++m) {
            const CellSquare square = SquareAt({i, j, k, l, m}, s);
            EXPECT_EQ(square.left, x0 + (12 * i + 4 * j + l - 16) * s);
            EXPECT_EQ(square.top, y0 + (4 * k + m - 4) * s);
            EXPECT_EQ(square.side, s);
          }
        }
      }
    }
  }
}

TEST_F(LayoutTest, PointsOnEdgesBelongToNoCell) {
  EXPECT_EQ(CellAtPoint(2, 80, 680, 350), -1);
  EXPECT_EQ(CellAtPoint(2, 80, 760, 350), -1);
  EXPECT_EQ(CellAtPoint(2, 80, 700, 350), CellOfCoord({0, 0}));
  EXPECT_EQ(CellAtPoint(2, 80, 700, 330), -1);
  EXPECT_EQ(CellAtPoint(2, 80, 700, 410), -1);
  EXPECT_EQ(CellAtPoint(2, 80, 761, 350), CellOfCoord({1, 0}));

  const CellSquare square{100, 200, 40};
  EXPECT_FALSE(InsideSquare(square, 100, 220));
  EXPECT_FALSE(InsideSquare(square, 140, 220));
  EXPECT_FALSE(InsideSquare(square, 120, 200));
  EXPECT_FALSE(InsideSquare(square, 120, 240));
  EXPECT_TRUE(InsideSquare(square, 101, 201));
  EXPECT_TRUE(InsideSquare(square, 139, 239));
}

// Every cell is found from just inside its corners and from its centre, and
// its four edges belong to no cell, at the title sizes and at 60.
TEST_F(LayoutTest, EveryCellIsHitOnlyStrictlyInside) {
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    for (int32_t s : {TitleCellSize(n), 60}) {
      for (int cell = 0; cell < CellCount(n); ++cell) {
        const CellSquare q = CellSquareOf(n, s, cell);
        const int32_t cx = SquareCentreX(q), cy = SquareCentreY(q);
        EXPECT_EQ(CellAtPoint(n, s, cx, cy), cell);
        EXPECT_EQ(CellAtPoint(n, s, q.left + 1, q.top + 1), cell);
        EXPECT_EQ(CellAtPoint(n, s, q.left + s - 1, q.top + s - 1), cell);
        EXPECT_EQ(CellAtPoint(n, s, q.left, cy), -1) << n << "D cell " << cell;
        EXPECT_EQ(CellAtPoint(n, s, q.left + s, cy), -1);
        EXPECT_EQ(CellAtPoint(n, s, cx, q.top), -1);
        EXPECT_EQ(CellAtPoint(n, s, cx, q.top + s), -1);
      }
    }
  }
}

TEST_F(LayoutTest, PointsOffTheBoardHitNothing) {
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    const int32_t s = TitleCellSize(n);
    EXPECT_EQ(CellAtPoint(n, s, 0, 0), -1);
    EXPECT_EQ(CellAtPoint(n, s, 1599, 899), -1);
  }
  // The empty cell's width between neighbouring 3D grids: y = 330 lies
  // between the grids ending at 300 and starting at 360.
  EXPECT_EQ(CellAtPoint(3, 60, 540, 330), -1);
}

TEST_F(LayoutTest, CentreHalvesTheSideWithTruncation) {
  const CellSquare corner2 = SquareAt({0, 0}, 80);
  EXPECT_EQ(SquareCentreX(corner2), 720);
  EXPECT_EQ(SquareCentreY(corner2), 370);
  const CellSquare odd{10, 20, 45};
  EXPECT_EQ(SquareCentreX(odd), 32);
  EXPECT_EQ(SquareCentreY(odd), 42);
}

}  // namespace
