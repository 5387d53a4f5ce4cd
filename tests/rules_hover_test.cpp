// Tests for the hovered cell, the assist lines and the line through two cells.
#include <cstddef>
#include <utility>
#include <vector>

#include "app/shell.h"
#include "platform/platform.h"
#include "rules/lines.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "rules/state.h"
#include "support/game_state.h"

namespace {

void (*const kUpdateHover[])() = {UpdateHover2D, UpdateHover3D, UpdateHover4D, UpdateHover5D};

using Marks = std::vector<std::pair<CellCoord, int32_t>>;

// Three different cells in line in this order: u + w = 2v in every coordinate.
bool InLine(const Line& l) {
  for (std::size_t t = 0; t < l[0].size(); ++t)
    if (l[0][t] + l[2][t] != 2 * l[1][t]) return false;
  return true;
}

void Begin(int n, const Marks& marks) {
  StartNewGame();
  dimensionCount = n;
  cellSize = n == 2 ? 80 : n == 5 ? 40 : 60;
  for (const auto& [coord, player] : marks) CellValue(n, CellOfCoord(coord)) = player;
  assistLines.clear();
}

// The pointer at the centre of `cell`, moved right by dx, then the hover update.
void HoverAt(const CellCoord& cell, int32_t dx = 0) {
  const CellSquare q = CellSquareOf(dimensionCount, cellSize, CellOfCoord(cell));
  frameInput.mouseX = q.left + q.side / 2 + dx;
  frameInput.mouseY = q.top + q.side / 2;
  kUpdateHover[dimensionCount - 2]();
}

class HoverTest : public GameStateTest {};

// Against a search for a cell in line with a and b: ok iff one exists, a first if an end.
TEST_F(HoverTest, LineThroughCellsAgreesWithABruteForceSearch) {
  for (int n = 2; n <= 4; ++n) {
    dimensionCount = n;
    for (int e = 0; e < CellCount(n); ++e)
      for (int f = 0; f < CellCount(n); ++f) {
        if (e == f) continue;
        const CellCoord a = CoordOfCell(n, e), b = CoordOfCell(n, f);
        Line expected{}, line{CellCoord(n, 0), CellCoord(n, 0), CellCoord(n, 0)};
        for (int g = 0; g < CellCount(n); ++g) {
          const CellCoord c = CoordOfCell(n, g);
          for (const Line& l : {Line{a, b, c}, Line{a, c, b}, Line{b, a, c}})
            if (g != e && g != f && InLine(l)) expected = l;
        }
        bool ok = true;
        LineThroughCells(a, b, line, ok);
        EXPECT_EQ(ok ? line : Line{}, expected) << n << "D cells " << e << ", " << f;
      }
  }
}

TEST_F(HoverTest, AssistListsEachOwnMarksLineFreeOfOthers) {
  const struct { Marks marks; CellCoord pointer; std::vector<Line> lines; } cases[] = {
      {{{{0, 0}, 1}}, {1, 1}, {Line{{{0, 0}, {1, 1}, {2, 2}}}}},
      {{{{0, 0}, 1}, {{2, 2}, 2}}, {1, 1}, {}},
      {{{{1, 1}, 1}}, {0, 0}, {Line{{{0, 0}, {1, 1}, {2, 2}}}}},
      {{{{0, 0}, 1}}, {0, 2}, {Line{{{0, 0}, {0, 1}, {0, 2}}}}},
      {{{{0, 0}, 1}, {{0, 1}, 3}}, {0, 2}, {}},
      {{{{0, 0}, 1}}, {1, 2}, {}},
      {{{{0, 1}, 1}}, {1, 0}, {}},
      {{{{0, 0}, 1}, {{2, 2}, 1}}, {1, 1},
       {Line{{{0, 0}, {1, 1}, {2, 2}}}, Line{{{2, 2}, {1, 1}, {0, 0}}}}},
      {{{{0, 0, 0}, 1}}, {1, 1, 1}, {Line{{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}}}},
      {{{{0, 1, 2, 1}, 1}, {{2, 2, 2, 2}, 2}}, {1, 1, 1, 1},
       {Line{{{0, 1, 2, 1}, {1, 1, 1, 1}, {2, 1, 0, 1}}}}},
      {{{{0, 0, 0, 0, 0}, 1}, {{2, 0, 1, 0, 2}, 1}}, {2, 2, 1, 0, 0},
       {Line{{{2, 0, 1, 0, 2}, {2, 1, 1, 0, 1}, {2, 2, 1, 0, 0}}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.marks) + " pointer " + testing::PrintToString(c.pointer));
    Begin(static_cast<int>(c.pointer.size()), c.marks);
    assistMode = true;
    HoverAt(c.pointer);
    EXPECT_TRUE(cellHovered);
    EXPECT_EQ(HoveredCell(dimensionCount), c.pointer);
    EXPECT_EQ(assistLines, c.lines);
  }
}

TEST_F(HoverTest, RecordFollowsThePointerOutsideAssistAndAfterTheEnd) {
  for (int n = 2; n <= 5; ++n) {
    SCOPED_TRACE(n);
    const CellCoord low(n, 0), centre(n, 1), high(n, 2);
    Begin(n, {{low, 1}});  // assist off: the record follows, the lines stay
    assistLines = {{low, low, low}};
    HoverAt(centre);
    EXPECT_EQ(HoveredCell(n), centre);
    EXPECT_EQ(assistLines, (std::vector<Line>{{low, low, low}}));
    gameOver = true;  // the record still follows, but no cell counts as hovered
    HoverAt(high);
    EXPECT_FALSE(cellHovered);
    EXPECT_EQ(HoveredCell(n), high);
    gameOver = false;
    HoverAt(centre, cellSize / 2);  // the edge shared with the right-hand neighbour
    EXPECT_FALSE(cellHovered);
    EXPECT_EQ(HoveredCell(n), high);
  }
}

}  // namespace
