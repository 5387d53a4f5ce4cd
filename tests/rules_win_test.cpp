// Tests for win and draw detection: the line rule, the recorded line, draws.
#include <cstddef>
#include <random>
#include <set>
#include <vector>

#include "rules/state.h"
#include "rules/win.h"
#include "support/game_state.h"

namespace {

class WinTest : public GameStateTest {
 protected:
  static void Put(const CellCoord& coord, int32_t player) {
    CellValue(static_cast<int>(coord.size()), CellOfCoord(coord)) = player;
  }

  static void CheckWin(int dimensions) {
    switch (dimensions) {
      case 2: CheckWin2D(); break;
      case 3: CheckWin3D(); break;
      case 4: CheckWin4D(); break;
      default: CheckWin5D(); break;
    }
  }

  // Every ordered line (start, start + d, start + 2d) for each step d with
  // entries -1, 0 or 1, not all 0; each line appears once per direction.
  static std::set<std::vector<int>> OrderedLines(int n) {
    std::set<std::vector<int>> lines;
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
        if (inside && moves) lines.insert({start, CellOfCoord(mid), CellOfCoord(to)});
      }
    }
    return lines;
  }

  // The line count of an n-dimensional board: (5^n - 3^n) / 2.
  static int LineCount(int n) {
    int five = 1, three = 1;
    for (int t = 0; t < n; ++t) five *= 5, three *= 3;
    return (five - three) / 2;
  }

  // The plain scan every triple i < j < k of each player's sorted cells,
  // keeping the last line it meets.
  struct Outcome {
    bool over = false;
    int32_t winner = 0;
    Line line;
  };
  static Outcome ReferenceCheck(int n, Outcome outcome) {
    if (outcome.over) return outcome;
    for (int32_t p = 1; p <= playerCount; ++p) {
      std::vector<CellCoord> list;
      for (int cell = 0; cell < CellCount(n); ++cell) {
        if (CellValue(n, cell) == p) list.push_back(CoordOfCell(n, cell));
      }
      for (size_t i = 0; i < list.size(); ++i) {
        for (size_t j = i + 1; j < list.size(); ++j) {
          for (size_t k = j + 1; k < list.size(); ++k) {
            if (!IsLineTriple(list[i], list[j], list[k])) continue;
            outcome = {true, p, {list[i], list[j], list[k]}};
          }
        }
      }
    }
    return outcome;
  }

  // A full board with no line: the player is one more than the count of 0
  // coordinates (the middle of any line has fewer 0s than one of its ends).
  // Five dimensions would need six players that way; there the cells with
  // three or more 0s share players 4 and 5 by their count of 0s and 1s.
  static void FillWithoutLine(int n) {
    for (int cell = 0; cell < CellCount(n); ++cell) {
      const CellCoord c = CoordOfCell(n, cell);
      int zeros = 0, ones = 0;
      for (int32_t x : c) zeros += x == 0, ones += x == 1;
      int32_t player = zeros + 1;
      if (n == 5 && zeros >= 3) {
        const bool fourth = (zeros == 3 && ones != 1) || (zeros == 4 && ones == 1);
        player = fourth ? 4 : 5;
      }
      CellValue(n, cell) = player;
    }
  }

  static bool HasLine(int n) {
    for (const std::vector<int>& line : OrderedLines(n)) {
      const int32_t v = CellValue(n, line[0]);
      if (v != 0 && CellValue(n, line[1]) == v && CellValue(n, line[2]) == v) return true;
    }
    return false;
  }
};

TEST_F(WinTest, SortedLineTriplesNumberAsTheFormulaSays) {
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    dimensionCount = n;
    std::vector<CellCoord> coords;
    for (int cell = 0; cell < CellCount(n); ++cell) coords.push_back(CoordOfCell(n, cell));
    int accepted = 0;
    for (size_t i = 0; i < coords.size(); ++i) {
      for (size_t j = i + 1; j < coords.size(); ++j) {
        for (size_t k = j + 1; k < coords.size(); ++k) {
          accepted += IsLineTriple(coords[i], coords[j], coords[k]);
        }
      }
    }
    EXPECT_EQ(accepted, LineCount(n)) << n << " dimensions";
  }
}

// In any order, a triple of different cells is accepted exactly when it is
// start, start + d, start + 2d for some direction d.
TEST_F(WinTest, OrderedTriplesAreLinesExactlyAlongADirection) {
  for (int n : {2, 3}) {
    dimensionCount = n;
    const std::set<std::vector<int>> lines = OrderedLines(n);
    EXPECT_EQ(static_cast<int>(lines.size()), 2 * LineCount(n));
    const int count = CellCount(n);
    for (int a = 0; a < count; ++a) {
      for (int b = 0; b < count; ++b) {
        for (int c = 0; c < count; ++c) {
          if (a == b || b == c || a == c) continue;
          const bool expected = lines.count({a, b, c}) > 0;
          EXPECT_EQ(IsLineTriple(CoordOfCell(n, a), CoordOfCell(n, b), CoordOfCell(n, c)), expected)
              << a << " " << b << " " << c;
        }
      }
    }
  }
}

TEST_F(WinTest, EachTwoDimensionalLineIsRecordedInItsListedOrder) {
  const Line lines[8] = {
      {{{0, 0}, {0, 1}, {0, 2}}}, {{{1, 0}, {1, 1}, {1, 2}}}, {{{2, 0}, {2, 1}, {2, 2}}},
      {{{0, 0}, {1, 0}, {2, 0}}}, {{{0, 1}, {1, 1}, {2, 1}}}, {{{0, 2}, {1, 2}, {2, 2}}},
      {{{0, 0}, {1, 1}, {2, 2}}}, {{{2, 0}, {1, 1}, {0, 2}}},
  };
  for (const Line& line : lines) {
    StartNewGame();
    for (const CellCoord& c : line) Put(c, 4);
    CheckWin2D();
    EXPECT_TRUE(gameOver);
    EXPECT_EQ(winner, 4);
    EXPECT_EQ(winLine2, line);
  }
}

TEST_F(WinTest, TwoDimensionalDoubleRecordsTheLaterLine) {
  for (const CellCoord& c : {CellCoord{1, 0}, CellCoord{1, 1}, CellCoord{1, 2}, CellCoord{0, 0},
                             CellCoord{2, 2}}) {
    Put(c, 2);
  }
  CheckWin2D();
  EXPECT_EQ(winner, 2);
  EXPECT_EQ(winLine2, (Line{{{0, 0}, {1, 1}, {2, 2}}}));

  // A column and a row through (0, 0): the column (second index fixed) is later.
  StartNewGame();
  for (const CellCoord& c : {CellCoord{0, 0}, CellCoord{0, 1}, CellCoord{0, 2}, CellCoord{1, 0},
                             CellCoord{2, 0}}) {
    Put(c, 1);
  }
  CheckWin2D();
  EXPECT_EQ(winLine2, (Line{{{0, 0}, {1, 0}, {2, 0}}}));
}

TEST_F(WinTest, TwoDimensionalMixedOrIncompleteLinesDoNotWin) {
  Put({0, 0}, 1);
  Put({0, 1}, 1);
  Put({0, 2}, 2);
  Put({1, 1}, 2);
  CheckWin2D();
  EXPECT_FALSE(gameOver);
  EXPECT_EQ(winner, 0);
}

TEST_F(WinTest, ThreeDimensionalLinesAreRecordedEndMiddleEnd) {
  const Line rising{{{0, 0, 2}, {1, 1, 1}, {2, 2, 0}}};
  const Line crossing{{{0, 1, 2}, {1, 1, 1}, {2, 1, 0}}};
  for (const Line& line : {rising, crossing}) {
    StartNewGame();
    for (int k = 2; k >= 0; --k) Put(line[k], 1);
    CheckWin3D();
    EXPECT_TRUE(gameOver);
    EXPECT_EQ(winner, 1);
    EXPECT_EQ(winLine3, line);
  }
}

TEST_F(WinTest, ThreeDimensionalNearLinesDoNotWin) {
  const Line bent{{{0, 0, 0}, {1, 1, 1}, {2, 2, 1}}};
  const Line folded{{{0, 0, 0}, {0, 1, 1}, {0, 2, 0}}};
  for (const Line& cells : {bent, folded}) {
    StartNewGame();
    for (const CellCoord& c : cells) Put(c, 2);
    CheckWin3D();
    EXPECT_FALSE(gameOver);
    EXPECT_EQ(winner, 0);
  }
}

TEST_F(WinTest, ThreeDimensionalDoubleRecordsTheLaterTriple) {
  for (const CellCoord& c : {CellCoord{0, 0, 0}, CellCoord{0, 1, 1}, CellCoord{1, 1, 1},
                             CellCoord{2, 1, 1}, CellCoord{2, 2, 2}}) {
    Put(c, 1);
  }
  CheckWin3D();
  EXPECT_EQ(winner, 1);
  EXPECT_EQ(winLine3, (Line{{{0, 1, 1}, {1, 1, 1}, {2, 1, 1}}}));
}

// Two players with a line each (not reachable in play, but it pins the
// order): the higher player number is the one left recorded.
TEST_F(WinTest, HigherPlayerLineIsRecordedLast) {
  for (int n = 3; n <= kMaxDimensions; ++n) {
    StartNewGame();
    playerCount = 3;
    CellCoord lowEnd(n, 0), lowMid(n, 0), lowFar(n, 0);
    lowMid[n - 1] = 1;
    lowFar[n - 1] = 2;
    CellCoord highEnd(n, 2), highMid(n, 2), highFar(n, 2);
    highMid[0] = 1;
    highFar[0] = 0;
    for (const CellCoord& c : {lowEnd, lowMid, lowFar}) Put(c, 3);
    for (const CellCoord& c : {highEnd, highMid, highFar}) Put(c, 2);
    CheckWin(n);
    EXPECT_EQ(winner, 3);
    EXPECT_EQ(WinLine(n), (Line{lowEnd, lowMid, lowFar}));
  }
}

TEST_F(WinTest, MarksOfPlayersBeyondThePlayerCountAreIgnored) {
  playerCount = 2;
  for (const CellCoord& c : {CellCoord{0, 0, 0}, CellCoord{0, 0, 1}, CellCoord{0, 0, 2}}) Put(c, 3);
  CheckWin3D();
  EXPECT_FALSE(gameOver);
}

// The fast routine against the plain triple scan, over boards from sparse to
// full, for every dimension count and player count.
TEST_F(WinTest, AgreesWithThePlainTripleScanOnRandomBoards) {
  std::mt19937 random(20240611);
  int wins = 0, quiet = 0;
  for (int n = 3; n <= kMaxDimensions; ++n) {
    for (int32_t players = 2; players <= kMaxPlayers; ++players) {
      for (int round = 0; round < 24; ++round) {
        StartNewGame();
        playerCount = players;
        dimensionCount = n;
        const int fillPercent = round * 100 / 23;
        for (int cell = 0; cell < CellCount(n); ++cell) {
          if (static_cast<int>(random() % 100) >= fillPercent) continue;
          CellValue(n, cell) = static_cast<int32_t>(1 + random() % static_cast<unsigned>(players));
        }
        const Outcome expected = ReferenceCheck(n, Outcome{false, 0, WinLine(n)});
        CheckWin(n);
        EXPECT_EQ(gameOver, expected.over) << n << "D, " << players << " players, round " << round;
        EXPECT_EQ(winner, expected.winner);
        EXPECT_EQ(WinLine(n), expected.line);
        (expected.over ? wins : quiet) += 1;
      }
    }
  }
  // Both outcomes must have been exercised for the comparison to mean much.
  EXPECT_GT(wins, 100);
  EXPECT_GT(quiet, 20);
}

TEST_F(WinTest, ACheckAfterTheEndChangesNothing) {
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    StartNewGame();
    gameOver = true;
    winner = 0;
    for (int cell = 0; cell < CellCount(n); ++cell) CellValue(n, cell) = 1;
    const Line before = WinLine(n);
    CheckWin(n);
    EXPECT_TRUE(gameOver);
    EXPECT_EQ(winner, 0) << n << " dimensions";
    EXPECT_EQ(WinLine(n), before);
  }
}

TEST_F(WinTest, TheMoveThatFillsTheBoardAndCompletesALineWins) {
  dimensionCount = 2;
  playerCount = 2;
  // Rows by first index: 1 2 1 / 2 1 2 / 2 1 _, then 1 takes (2, 2), the
  // last empty cell, completing the diagonal.
  const int32_t marks[3][3] = {{1, 2, 1}, {2, 1, 2}, {2, 1, 0}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) board2[i][j] = marks[i][j];
  }
  CheckWin2D();
  CheckFullBoard();
  EXPECT_FALSE(gameOver);
  board2[2][2] = 1;
  CheckWin2D();
  CheckFullBoard();
  EXPECT_TRUE(gameOver);
  EXPECT_EQ(winner, 1);
  EXPECT_EQ(winLine2, (Line{{{0, 0}, {1, 1}, {2, 2}}}));
}

TEST_F(WinTest, AFullBoardWithoutALineIsADraw) {
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    StartNewGame();
    dimensionCount = n;
    playerCount = kMaxPlayers;
    FillWithoutLine(n);
    ASSERT_FALSE(HasLine(n)) << n << " dimensions";
    CheckWin(n);
    EXPECT_FALSE(gameOver);
    CheckFullBoard();
    EXPECT_TRUE(gameOver) << n << " dimensions";
    EXPECT_EQ(winner, 0);
  }
}

TEST_F(WinTest, OneEmptyCellIsNoDraw) {
  for (int n = kMinDimensions; n <= kMaxDimensions; ++n) {
    StartNewGame();
    dimensionCount = n;
    for (int cell = 0; cell < CellCount(n); ++cell) CellValue(n, cell) = 1;
    CellValue(n, CellCount(n) - 1) = 0;
    CheckFullBoard();
    EXPECT_FALSE(gameOver) << n << " dimensions";
  }
}

TEST_F(WinTest, FullBoardCheckKeepsAWinFoundEarlier) {
  dimensionCount = 3;
  for (int cell = 0; cell < CellCount(3); ++cell) CellValue(3, cell) = 2;
  CheckWin3D();
  ASSERT_EQ(winner, 2);
  CheckFullBoard();
  EXPECT_TRUE(gameOver);
  EXPECT_EQ(winner, 2);
}

}  // namespace
