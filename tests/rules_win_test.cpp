// Tests for win and draw detection: the line rule, the recorded line, draws.
#include <cstddef>
#include <random>
#include <tuple>
#include <vector>

#include "rules/lines.h"
#include "rules/state.h"
#include "rules/win.h"
#include "support/game_state.h"

namespace {

void (*const kCheckWin[])() = {CheckWin2D, CheckWin3D, CheckWin4D, CheckWin5D};

// The line rule put another way: on 0..2, only x,x,x and 0,1,2 and 2,1,0 have u + w = 2v.
bool Collinear(const CellCoord& u, const CellCoord& v, const CellCoord& w) {
  for (std::size_t t = 0; t < u.size(); ++t)
    if (u[t] + w[t] != 2 * v[t]) return false;
  return true;
}

// Every triple i < j < k of each player's sorted cells; the last line met stays.
std::tuple<bool, int32_t, Line> ReferenceScan(int n) {
  std::tuple<bool, int32_t, Line> outcome{false, 0, WinLine(n)};
  for (int32_t p = 1; p <= playerCount; ++p) {
    std::vector<CellCoord> own;
    for (int cell = 0; cell < CellCount(n); ++cell)
      if (CellValue(n, cell) == p) own.push_back(CoordOfCell(n, cell));
    for (std::size_t i = 0; i < own.size(); ++i)
      for (std::size_t j = i + 1; j < own.size(); ++j)
        for (std::size_t k = j + 1; k < own.size(); ++k)
          if (Collinear(own[i], own[j], own[k])) outcome = {true, p, {own[i], own[j], own[k]}};
  }
  return outcome;
}

// No line: player 1 + count of 0s (a line's middle has fewer 0s than an end);
// in 5D the cells with three or more 0s share players 4 and 5 by their 1s.
void FillWithoutLine(int n) {
  for (int cell = 0; cell < CellCount(n); ++cell) {
    int zeros = 0, ones = 0;
    for (int32_t x : CoordOfCell(n, cell)) zeros += x == 0, ones += x == 1;
    CellValue(n, cell) = zeros < 3 ? zeros + 1 : (zeros == 3) == (ones != 1) ? 4 : 5;
  }
}

class WinTest : public GameStateTest {};

TEST_F(WinTest, SortedLineTriplesNumberAsTheLineCount) {
  const int expected[] = {8, 49, 272, 1441};  // (5^n - 3^n) / 2 for n = 2..5
  for (int n = 2; n <= 5; ++n) {
    std::vector<CellCoord> c;
    for (int cell = 0; cell < CellCount(n); ++cell) c.push_back(CoordOfCell(n, cell));
    int accepted = 0;
    for (std::size_t i = 0; i < c.size(); ++i)
      for (std::size_t j = i + 1; j < c.size(); ++j)
        for (std::size_t k = j + 1; k < c.size(); ++k) accepted += IsLineTriple(c[i], c[j], c[k]);
    EXPECT_EQ(accepted, expected[n - 2]) << n << " dimensions";
  }
}

// Player 2's marks; the later line wins a double, an empty Line means none.
TEST_F(WinTest, RecordsTheLaterLineEndMiddleEnd) {
  const struct { std::vector<CellCoord> marks; Line line; } cases[] = {
      {{{1, 0}, {1, 1}, {1, 2}, {0, 0}, {2, 2}}, {{{0, 0}, {1, 1}, {2, 2}}}},
      {{{0, 2}, {1, 1}, {2, 0}}, {{{2, 0}, {1, 1}, {0, 2}}}},
      {{{2, 2}, {0, 2}, {1, 2}}, {{{0, 2}, {1, 2}, {2, 2}}}},
      {{{0, 0, 0}, {0, 1, 1}, {1, 1, 1}, {2, 1, 1}, {2, 2, 2}},
       {{{0, 1, 1}, {1, 1, 1}, {2, 1, 1}}}},
      {{{2, 2, 0}, {1, 1, 1}, {0, 0, 2}}, {{{0, 0, 2}, {1, 1, 1}, {2, 2, 0}}}},
      {{{0, 0, 0}, {1, 1, 1}, {2, 2, 1}}, {}},
      {{{0, 0, 0}, {0, 1, 1}, {0, 2, 0}}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.marks));
    StartNewGame();
    const int n = dimensionCount = static_cast<int32_t>(c.marks[0].size());
    for (const CellCoord& mark : c.marks) CellValue(n, CellOfCoord(mark)) = 2;
    kCheckWin[n - 2]();
    const bool wins = !c.line[0].empty();
    const CellCoord o(n, 0);
    EXPECT_EQ(std::make_tuple(gameOver, winner, WinLine(n)),
              std::make_tuple(wins, wins ? 2 : 0, wins ? c.line : Line{o, o, o}));
  }
}

// Cell 3^n - 3, (2,..,2,0), left empty: no draw; 2: a draw; 1: a line of 1s.
TEST_F(WinTest, GameEndsByWinOrDrawAndStaysEnded) {
  for (int n = 2; n <= 5; ++n) {
    StartNewGame();
    dimensionCount = n;
    playerCount = 5;
    FillWithoutLine(n);
    CellValue(n, CellCount(n) - 3) = 0;
    CheckFullBoard();
    EXPECT_FALSE(gameOver) << n << " dimensions";
    FillWithoutLine(n);
    kCheckWin[n - 2]();
    CheckFullBoard();
    EXPECT_TRUE(gameOver) << n << " dimensions";
    EXPECT_EQ(winner, 0);
    CellValue(n, CellCount(n) - 3) = 1;  // once over, a new line changes nothing
    kCheckWin[n - 2]();
    EXPECT_EQ(winner, 0);
    EXPECT_EQ(WinLine(n), (Line{CellCoord(n, 0), CellCoord(n, 0), CellCoord(n, 0)}));
    gameOver = false;  // the move that fills the board and completes a line wins
    kCheckWin[n - 2]();
    CheckFullBoard();
    EXPECT_EQ(winner, 1) << n << " dimensions";
  }
}

TEST_F(WinTest, TripleScanAgreesWithTheReferenceScanOnRandomBoards) {
  std::mt19937 random(20240611);
  for (int n = 3; n <= 5; ++n) {
    for (unsigned players = 2; players <= 5; ++players) {
      for (unsigned fillPercent = 0; fillPercent <= 100; fillPercent += 10) {  // both outcomes
        StartNewGame();
        dimensionCount = n;
        playerCount = static_cast<int32_t>(players);
        for (int cell = 0; cell < CellCount(n); ++cell)
          if (random() % 100 < fillPercent) CellValue(n, cell) = int32_t(1 + random() % players);
        const std::tuple<bool, int32_t, Line> expected = ReferenceScan(n);
        kCheckWin[n - 2]();
        EXPECT_EQ(std::make_tuple(gameOver, winner, WinLine(n)), expected)
            << n << "D, " << players << " players, " << fillPercent << "% filled";
      }
    }
  }
}

}  // namespace
