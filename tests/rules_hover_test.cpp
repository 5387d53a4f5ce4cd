// Tests for the hovered cell, the assist lines and the line through two cells.
#include <random>
#include <vector>

#include "app/shell.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "rules/state.h"
#include "support/game_state.h"

namespace {

class HoverTest : public GameStateTest {
 protected:
  // A game of `n` dimensions at the title screen's cell size, assist on,
  // player 1 to move.
  static void Begin(int n) {
    StartNewGame();
    dimensionCount = n;
    cellSize = n == 2 ? 80 : n == 5 ? 40 : 60;
    assistMode = true;
    assistLines.clear();
  }

  static void Put(const CellCoord& coord, int32_t player) {
    CellValue(static_cast<int>(coord.size()), CellOfCoord(coord)) = player;
  }

  static void PointAt(const CellCoord& coord) {
    const CellSquare square =
        CellSquareOf(static_cast<int>(coord.size()), cellSize, CellOfCoord(coord));
    frameInput.mouseX = SquareCentreX(square);
    frameInput.mouseY = SquareCentreY(square);
  }

  static void UpdateHover(int n) {
    switch (n) {
      case 2: UpdateHover2D(); break;
      case 3: UpdateHover3D(); break;
      case 4: UpdateHover4D(); break;
      default: UpdateHover5D(); break;
    }
  }

  // Every line of an n-dimensional board in both directions, as
  // (start, start + d, start + 2d) for each step d of -1, 0, 1 entries.
  static std::vector<Line> AllOrientedLines(int n) {
    std::vector<Line> lines;
    for (int start = 0; start < CellCount(n); ++start) {
      for (int step = 0; step < CellCount(n); ++step) {
        const CellCoord from = CoordOfCell(n, start), d = CoordOfCell(n, step);
        CellCoord mid(n), to(n);
        bool inside = true, moves = false;
        for (int t = 0; t < n; ++t) {
          mid[t] = from[t] + d[t] - 1;
          to[t] = from[t] + 2 * (d[t] - 1);
          moves = moves || d[t] != 1;
          inside = inside && to[t] >= 0 && to[t] <= 2;
        }
        if (inside && moves) lines.push_back({from, mid, to});
      }
    }
    return lines;
  }

  // The line through a and b oriented as the hover draws it: a first when a
  // is an end, otherwise b first. False when no line holds both.
  static bool ExpectedLine(const std::vector<Line>& lines, const CellCoord& a, const CellCoord& b,
                           Line& found) {
    for (const Line& line : lines) {
      const bool hasA = line[0] == a || line[1] == a || line[2] == a;
      const bool hasB = line[0] == b || line[1] == b || line[2] == b;
      const bool aIsEnd = line[1] != a;
      if (hasA && hasB && line[0] == (aIsEnd ? a : b)) {
        found = line;
        return true;
      }
    }
    return false;
  }
};

TEST_F(HoverTest, LineThroughCellsAgreesWithEveryLineOfTheBoard) {
  for (int n : {2, 3, 4}) {
    dimensionCount = n;
    const std::vector<Line> lines = AllOrientedLines(n);
    int common = 0;
    for (int a = 0; a < CellCount(n); ++a) {
      for (int b = 0; b < CellCount(n); ++b) {
        if (a == b) continue;
        const CellCoord ca = CoordOfCell(n, a), cb = CoordOfCell(n, b);
        Line expected;
        const bool shared = ExpectedLine(lines, ca, cb, expected);
        const CellCoord zeros(n, 0);
        Line line{zeros, zeros, zeros};
        bool ok = true;
        LineThroughCells(ca, cb, line, ok);
        ASSERT_EQ(ok, shared) << n << "D cells " << a << " and " << b;
        if (shared) {
          EXPECT_EQ(line, expected) << n << "D cells " << a << " and " << b;
        }
        common += shared;
      }
    }
    // Each line joins three ordered pairs in each direction: 6 per line.
    EXPECT_EQ(common, static_cast<int>(lines.size()) * 3);
  }
}

TEST_F(HoverTest, LineThroughCellsNeverSetsOkBackToTrue) {
  dimensionCount = 3;
  Line line{CellCoord(3, 0), CellCoord(3, 0), CellCoord(3, 0)};
  bool ok = false;
  LineThroughCells({0, 0, 0}, {1, 1, 1}, line, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(line, (Line{{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}}));
}

TEST_F(HoverTest, MarkAtCornerPointerAtCentre) {
  Begin(2);
  Put({0, 0}, 1);
  PointAt({1, 1});
  UpdateHover2D();
  EXPECT_TRUE(cellHovered);
  EXPECT_EQ(hoveredCell2, (CellCoord{1, 1}));
  EXPECT_EQ(assistLines, (std::vector<Line>{{{{0, 0}, {1, 1}, {2, 2}}}}));

  assistLines.clear();
  Put({2, 2}, 2);
  UpdateHover2D();
  EXPECT_TRUE(assistLines.empty());
}

TEST_F(HoverTest, MarkAtCentrePointerAtCornerPutsTheHoveredCellFirst) {
  Begin(2);
  Put({1, 1}, 1);
  PointAt({0, 0});
  UpdateHover2D();
  EXPECT_EQ(assistLines, (std::vector<Line>{{{{0, 0}, {1, 1}, {2, 2}}}}));
}

TEST_F(HoverTest, EndToEndLineIsRejectedByAnotherMarkBetween) {
  Begin(2);
  Put({0, 0}, 1);
  PointAt({0, 2});
  UpdateHover2D();
  EXPECT_EQ(assistLines, (std::vector<Line>{{{{0, 0}, {0, 1}, {0, 2}}}}));

  assistLines.clear();
  Put({0, 1}, 3);
  UpdateHover2D();
  EXPECT_TRUE(assistLines.empty());
}

TEST_F(HoverTest, CellsOffEveryCommonLineAddNothing) {
  Begin(2);
  Put({0, 0}, 1);
  PointAt({1, 2});
  UpdateHover2D();
  EXPECT_TRUE(cellHovered);
  EXPECT_TRUE(assistLines.empty());

  Begin(2);
  Put({0, 1}, 1);
  PointAt({1, 0});
  UpdateHover2D();
  EXPECT_TRUE(assistLines.empty());
}

TEST_F(HoverTest, ALineWithTwoOwnMarksIsAddedOncePerMark) {
  Begin(2);
  Put({0, 0}, 1);
  Put({2, 2}, 1);
  PointAt({1, 1});
  UpdateHover2D();
  EXPECT_EQ(assistLines, (std::vector<Line>{{{{0, 0}, {1, 1}, {2, 2}}}, {{{2, 2}, {1, 1}, {0, 0}}}}));
}

// The same cases in three to five dimensions: the space diagonal through
// the centre, from either end and with an opponent on it.
TEST_F(HoverTest, DiagonalThroughTheCentreInEveryDimension) {
  for (int n = 3; n <= kMaxDimensions; ++n) {
    const CellCoord low(n, 0), centre(n, 1), high(n, 2);
    Begin(n);
    Put(low, 1);
    PointAt(centre);
    UpdateHover(n);
    EXPECT_TRUE(cellHovered);
    EXPECT_EQ(HoveredCell(n), centre);
    EXPECT_EQ(assistLines, (std::vector<Line>{{low, centre, high}})) << n << " dimensions";

    assistLines.clear();
    Put(high, 1);
    UpdateHover(n);
    EXPECT_EQ(assistLines, (std::vector<Line>{{low, centre, high}, {high, centre, low}}));

    Begin(n);
    Put(centre, 1);
    Put(high, 2);
    PointAt(low);
    UpdateHover(n);
    EXPECT_EQ(HoveredCell(n), low);
    EXPECT_TRUE(assistLines.empty()) << n << " dimensions";
  }
}

// Random boards against a brute-force list: every own mark, in index order,
// that shares a line with the hovered cell free of other players' marks.
TEST_F(HoverTest, AssistLinesMatchABruteForceListOnRandomBoards) {
  std::mt19937 random(7);
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    const std::vector<Line> lines = AllOrientedLines(n);
    for (int round = 0; round < 30; ++round) {
      Begin(n);
      playerCount = 3;
      currentPlayer = 1 + round % 3;
      for (int cell = 0; cell < CellCount(n); ++cell) {
        CellValue(n, cell) = static_cast<int32_t>(random() % 4);
      }
      const int hovered = static_cast<int>(random() % static_cast<unsigned>(CellCount(n)));
      CellValue(n, hovered) = 0;
      const CellCoord target = CoordOfCell(n, hovered);

      std::vector<Line> expected;
      for (int cell = 0; cell < CellCount(n); ++cell) {
        Line line;
        if (CellValue(n, cell) != currentPlayer) continue;
        if (!ExpectedLine(lines, CoordOfCell(n, cell), target, line)) continue;
        bool clean = true;
        for (const CellCoord& c : line) {
          const int32_t v = CellValue(n, CellOfCoord(c));
          clean = clean && (v == 0 || v == currentPlayer);
        }
        if (clean) expected.push_back(line);
      }
      PointAt(target);
      UpdateHover(n);
      EXPECT_EQ(assistLines, expected) << n << "D round " << round;
    }
  }
}

TEST_F(HoverTest, AssistOffStillTracksTheCellButLeavesTheLinesAlone) {
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    Begin(n);
    assistMode = false;
    const Line kept{CellCoord(n, 2), CellCoord(n, 2), CellCoord(n, 2)};
    assistLines = {kept};
    const CellCoord low(n, 0), centre(n, 1);
    Put(low, 1);
    PointAt(centre);
    UpdateHover(n);
    EXPECT_TRUE(cellHovered);
    EXPECT_EQ(HoveredCell(n), centre);
    EXPECT_EQ(assistLines, (std::vector<Line>{kept})) << n << " dimensions";
  }
}

TEST_F(HoverTest, AssistOnAppendsToLinesAlreadyThere) {
  Begin(3);
  const Line earlier{CellCoord(3, 2), CellCoord(3, 2), CellCoord(3, 2)};
  assistLines = {earlier};
  Put({0, 0, 0}, 1);
  PointAt({0, 0, 1});
  UpdateHover3D();
  EXPECT_EQ(assistLines, (std::vector<Line>{earlier, {{{0, 0, 0}, {0, 0, 1}, {0, 0, 2}}}}));
}

TEST_F(HoverTest, AfterTheEndTheRecordFollowsButNothingIsHovered) {
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    Begin(n);
    gameOver = true;
    winner = 1;
    CellCoord far(n, 0);
    far[0] = 2;
    Put(CellCoord(n, 0), 1);
    PointAt(far);
    UpdateHover(n);
    EXPECT_FALSE(cellHovered);
    EXPECT_EQ(HoveredCell(n), far) << n << " dimensions";
    EXPECT_EQ(assistLines.size(), 1u);
  }
}

TEST_F(HoverTest, BoundariesAndOccupiedCellsHoverNothing) {
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    Begin(n);
    const CellCoord first(n, 0);
    PointAt(first);
    UpdateHover(n);
    ASSERT_TRUE(cellHovered);

    // The shared edge of the first cell and its right-hand neighbour.
    const CellSquare square = CellSquareOf(n, cellSize, 0);
    frameInput.mouseX = square.left + square.side;
    UpdateHover(n);
    EXPECT_FALSE(cellHovered) << n << " dimensions";
    EXPECT_EQ(HoveredCell(n), first);

    CellCoord occupied(n, 1);
    Put(occupied, 2);
    PointAt(occupied);
    UpdateHover(n);
    EXPECT_FALSE(cellHovered);
    EXPECT_EQ(HoveredCell(n), first);
    EXPECT_TRUE(assistLines.empty());
  }
}

}  // namespace
