// The line rule, win and draw detection, the flat layout and the hovered cell, against brute-force oracles.
#include <algorithm>
#include <map>
#include <tuple>
#include <random>

#include "platform/platform.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "rules/lines.h"
#include "rules/win.h"
#include "screens/game_screen.h"
#include "support/fixture.h"
#include "support/oracle.h"

namespace {

int CellSizeOf(int d) {  // the cell size the title screen plays board d with
  for (const Button& b : menuButtons)
    if (b.dimensionValue == d) return b.cellSizeValue;
  return 0;
}

Triple Sorted(Triple t) { return std::sort(t.begin(), t.end()), t; }

Triple CellsOf(const Line& line) {
  return Sorted({CellOfCoord(line[0]), CellOfCoord(line[1]), CellOfCoord(line[2])});
}

using RulesTest = GameTest;

TEST_F(RulesTest, EveryLineRuleAgreesWithTheTripleTest) {
  for (int d = 2; d <= 5; ++d) {
    const std::vector<Triple>& lines = AllLines(d);
    int fives = 1;
    for (int k = 0; k < d; ++k) fives *= 5;
    EXPECT_EQ(lines.size(), size_t(fives - CellCount(d)) / 2) << d;
    std::map<std::pair<int, int>, int> third;
    std::map<int, std::vector<Triple>> through;
    for (const Triple& t : lines) {
      third[{t[0], t[1]}] = t[2];
      for (int c : t) through[c].push_back(t);
    }
    for (int a = 0; a < CellCount(d); ++a) {
      std::vector<Triple> walked;
      ForEachLineThrough(d, a, [&](int u, int v) { walked.push_back(Sorted({a, u, v})); });
      std::sort(walked.begin(), walked.end());
      ASSERT_EQ(walked, through[a]) << d << ": cell " << a;
      for (int b = a + 1; b < CellCount(d); ++b) {
        const auto found = third.find({a, b});
        ASSERT_EQ(ThirdCellOfLine(d, a, b), found == third.end() ? -1 : found->second) << a << " " << b;
        const CellCoord ca = CoordOfCell(d, a), cb = CoordOfCell(d, b);
        Line line;
        bool ok = true;
        LineThroughCells(ca, cb, line, ok);
        const auto shared = std::find_if(through[a].begin(), through[a].end(), [b](const Triple& t) {
          return std::count(t.begin(), t.end(), b) > 0;
        });
        ASSERT_EQ(ok, shared != through[a].end()) << a << " " << b;
        if (!ok) continue;
        ASSERT_EQ(CellsOf(line), *shared);
        ASSERT_TRUE(IsLineTriple(line[0], line[1], line[2]));
        const bool aIsMiddle = line[1] == ca, bIsMiddle = line[1] == cb;
        ASSERT_EQ(line[0], aIsMiddle ? cb : ca) << "the end comes first, a before b when both are ends";
        ASSERT_TRUE(aIsMiddle || bIsMiddle || line[2] == cb);
      }
    }
  }
}

// The recorded line is the last of the largest player: by player, then cell numbers (2D: by
// kind, the order the eight lines are examined in, see below). A full board without one is a draw.
TEST_F(RulesTest, WinAndDrawMatchAScanOfEveryLine) {
  std::mt19937 random(7);
  for (int d = 2; d <= 5; ++d)
    for (int trial = 0; trial < 300; ++trial) {
      StartNewGame();
      dimensionCount = d;
      playerCount = 2 + trial % 4;
      FillRandomBoard(d, playerCount, trial % 3 == 0 ? 1.0 : 0.3, random);
      std::pair<int, Triple> best{0, {}};
      bool full = true;
      for (int cell = 0; cell < CellCount(d); ++cell) full &= CellValue(d, cell) != 0;
      for (const Triple& t : AllLines(d)) {
        const int32_t p = CellValue(d, t[0]);
        if (p != 0 && CellValue(d, t[1]) == p && CellValue(d, t[2]) == p) best = std::max(best, {p, t});
      }
      RulesOf(d)->checkWin();
      CheckFullBoard();
      ASSERT_EQ(gameOver, best.first != 0 || full) << d << " trial " << trial;
      ASSERT_EQ(winner != 0, best.first != 0);
      if (best.first == 0) continue;
      const Line& line = WinLine(d);
      ASSERT_TRUE(IsLineTriple(line[0], line[1], line[2]));
      for (const CellCoord& c : line) ASSERT_EQ(CellValue(d, CellOfCoord(c)), winner);
      ASSERT_TRUE(d == 2 || (winner == best.first && CellsOf(line) == best.second)) << d;
      const auto before = std::pair{winner, line};
      CellValue(d, 0) = CellValue(d, 1) = CellValue(d, 2) = playerCount + 1;
      RulesOf(d)->checkWin();  // a finished game keeps its result
      ASSERT_EQ(std::pair(winner, WinLine(d)), before);
    }
}

// Rows, columns, the diagonal, then the other diagonal from (2, 0): the later line is recorded.
TEST_F(RulesTest, TwoDimensionsRecordTheLaterOfTheEightLines) {
  const struct { std::vector<int> cells; Line line; } cases[] = {
      {{3, 4, 5, 0, 8}, Line{CellCoord{0, 0}, CellCoord{1, 1}, CellCoord{2, 2}}},
      {{6, 4, 2}, Line{CellCoord{2, 0}, CellCoord{1, 1}, CellCoord{0, 2}}},
      {{0, 3, 6, 1, 2}, Line{CellCoord{0, 0}, CellCoord{1, 0}, CellCoord{2, 0}}}};
  for (const auto& c : cases) {
    StartNewGame();
    for (int cell : c.cells) CellValue(2, cell) = 4;
    CheckWin2D();
    EXPECT_EQ(winLine2, c.line);
    EXPECT_EQ(winner, 4);
  }
}

// Spec figures: s = 80, board2[0][0] at (680, 330); s = 60, board3[1][0][0] at (510, 360),
// board4[1][1][0][0] at (410, 360); s = 40, board5[0][0][0][0][0] at (100, 230) and
// board5[1][1][1][0][0] at (740, 390). Every square holds its own centre and corners, not its edges.
TEST_F(RulesTest, FlatLayout) {
  const struct { int d, cell, left, top; } pinned[] = {
      {2, 0, 680, 330}, {3, 9, 510, 360}, {4, 36, 410, 360}, {5, 0, 100, 230}, {5, 117, 740, 390}};
  for (const auto& p : pinned) {
    const CellSquare square = CellSquareOf(p.d, CellSizeOf(p.d), p.cell);
    EXPECT_EQ((std::array{square.left, square.top, square.side}),
              (std::array{p.left, p.top, CellSizeOf(p.d)})) << p.d << " cell " << p.cell;
  }
  for (int d = 2; d <= 5; ++d) {
    const int s = CellSizeOf(d);
    for (int cell = 0; cell < CellCount(d); ++cell) {
      const CellSquare q = CellSquareOf(d, s, cell);
      ASSERT_EQ(SquareCentreX(q), q.left + s / 2);
      ASSERT_EQ(SquareCentreY(q), q.top + s / 2);
      const std::tuple<int, int, bool> probes[] = {{q.left + 1, q.top + 1, true},
                                                   {q.left + s - 1, q.top + s - 1, true},
                                                   {q.left, q.top + s / 2, false},
                                                   {q.left + s / 2, q.top + s, false}};
      for (const auto& [x, y, inside] : probes)
        ASSERT_EQ(CellAtPoint(d, s, x, y), inside ? cell : -1) << d << " cell " << cell << " at " << x << "," << y;
    }
  }
}

// The empty cell under the pointer is recorded; with assist on, every line through it that holds
// a mark of the mover and none of anyone else's, once per such mark.
TEST_F(RulesTest, HoverAndAssistMatchAScanOfEveryLine) {
  std::mt19937 random(11);
  assistMode = true;
  for (int d = 2; d <= 5; ++d)
    for (int trial = 0; trial < 200; ++trial) {
      StartNewGame();
      dimensionCount = d;
      FillRandomBoard(d, 3, 0.4, random);
      currentPlayer = 1 + trial % 3;
      gameOver = trial % 5 == 0;
      const int cell = static_cast<int>(random() % CellCount(d));
      const CellSquare q = CellSquareOf(d, cellSize = CellSizeOf(d), cell);
      frameInput.mouseX = SquareCentreX(q) + static_cast<int>(random() % 3) - 1;
      frameInput.mouseY = SquareCentreY(q);
      const CellCoord before = HoveredCell(d);
      assistLines.clear();
      RulesOf(d)->updateHover();
      const bool empty = CellValue(d, cell) == 0;
      ASSERT_EQ(cellHovered, empty && !gameOver);
      ASSERT_EQ(HoveredCell(d), empty ? CoordOfCell(d, cell) : before);
      std::vector<Triple> expected, collected;
      for (const Triple& t : AllLines(d)) {
        int own = 0, other = 0;
        for (int c : t) own += CellValue(d, c) == currentPlayer, other += CellValue(d, c) != 0 && CellValue(d, c) != currentPlayer;
        if (empty && std::count(t.begin(), t.end(), cell) && other == 0) expected.insert(expected.end(), own, t);
      }
      for (const Line& line : assistLines) collected.push_back(CellsOf(line));
      std::sort(collected.begin(), collected.end());
      ASSERT_EQ(collected, expected) << d << " trial " << trial;
    }
}

}  // namespace
