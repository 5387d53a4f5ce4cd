// The line rule, win and draw detection and the hovered cell on the flat grids, against
// brute-force oracles.
#include "support/support.h"

static Triple Sorted(Triple t) {
  std::sort(t.begin(), t.end());
  return t;
}
static Triple CellsOf(const Line& l) {
  return Sorted({CellOfCoord(l[0]), CellOfCoord(l[1]), CellOfCoord(l[2])});
}

using RulesTest = GameTest;

// A game is won by a line of three and drawn on a full board without one; 3D-5D record the last
// line of the highest player by cell numbers (2D's own order of lines shows in the golden
// "2d-won-two-lines"). A finished game keeps its result.
TEST_F(RulesTest, WinAndDrawMatchAScanOfEveryLine) {
  TestRandom random(7);
  ForEveryBoard(300, [&](int d, int trial) {
    playerCount = 2 + trial % 4;
    FillRandomBoard(d, playerCount, trial % 3 == 0 ? 1.0 : 0.3, random);
    // The highest player with a line, and that player's last line (AllLines ascends).
    int32_t lineOwner = 0;
    Triple lastLine{};
    for (const Triple& t : AllLines(d))
      if (const int32_t p = CellValue(d, t[0]);
          p != 0 && p >= lineOwner && CellValue(d, t[1]) == p && CellValue(d, t[2]) == p) {
        lineOwner = p;
        lastLine = t;
      }
    bool full = true;
    for (int cell = 0; cell < CellCount(d); ++cell) full &= CellValue(d, cell) != 0;
    RulesOf(d)->checkWin();
    CheckFullBoard();
    ASSERT_EQ(gameOver, lineOwner != 0 || full) << (full ? "a full board" : "a line");
    ASSERT_EQ(winner != 0, lineOwner != 0) << "a winner without a line, or a line without one";
    if (lineOwner == 0) return;
    const Line line = WinLine(d);
    for (const CellCoord& c : line) ASSERT_EQ(CellValue(d, CellOfCoord(c)), winner);
    ASSERT_TRUE(IsLineTriple(line[0], line[1], line[2])) << "the winning line is no line";
    const int32_t won = winner;
    CellValue(d, 0) = CellValue(d, 1) = CellValue(d, 2) = playerCount + 1;
    RulesOf(d)->checkWin();
    ASSERT_EQ(winner, won) << "a finished game's winner changed";
    ASSERT_EQ(WinLine(d), line) << "a finished game's line changed";
    // 2D records its lines in an order of its own.
    if (d == 2) return;
    ASSERT_EQ(won, lineOwner) << "the winner is not the highest player with a line";
    ASSERT_EQ(CellsOf(line), lastLine) << "the line is not the winner's last";
  });
}

// The empty cell under the pointer, inside its edges, is recorded, hovered only in play; with
// assist on, every line through it that holds a mark of the mover and none of anyone else's, once
// per such mark, in the order end, middle, end.
TEST_F(RulesTest, HoverAndAssistMatchAScanOfEveryLine) {
  TestRandom random(11);
  assistMode = true;
  ForEveryBoard(200, [&](int d, int trial) {
    currentPlayer = 1 + trial % 3;
    gameOver = trial % 5 == 0;
    FillRandomBoard(d, 3, 0.4, random);
    const int cell = random.Below(CellCount(d));
    cellSize = CellSizeFor(d);
    const CellSquare q = CellSquareOf(d, cellSize, cell);
    // Anywhere on the cell's square, its edges included, which are grid lines of no cell.
    const int dx = random.Below(cellSize + 1), dy = random.Below(cellSize + 1);
    frameInput.mouseX = q.left + dx;
    frameInput.mouseY = q.top + dy;
    const bool onEdge = dx % cellSize == 0 || dy % cellSize == 0;
    const CellCoord before = HoveredCell(d);
    assistLines.clear();
    RulesOf(d)->updateHover();
    const bool empty = !onEdge && CellValue(d, cell) == 0;
    const char* under = onEdge ? "a cell's edge" : empty ? "an empty cell" : "a marked cell";
    ASSERT_EQ(cellHovered, empty && !gameOver) << under;
    ASSERT_EQ(HoveredCell(d), empty ? CoordOfCell(d, cell) : before) << "the recorded cell";
    std::vector<Triple> expected, collected;
    for (const Triple& t : AllLines(d)) {
      int own = 0, other = 0;
      for (int c : t) {
        const int32_t v = CellValue(d, c);
        own += v == currentPlayer;
        other += v != 0 && v != currentPlayer;
      }
      if (empty && std::count(t.begin(), t.end(), cell) && !other)
        expected.insert(expected.end(), size_t(own), t);
    }
    for (const Line& line : assistLines) {
      collected.push_back(CellsOf(line));
      ASSERT_TRUE(IsLineTriple(line[0], line[1], line[2])) << "end, middle, end";
    }
    std::sort(collected.begin(), collected.end());
    ASSERT_EQ(collected, expected);
  });
}
