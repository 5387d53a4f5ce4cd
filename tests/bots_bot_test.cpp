// Tests of the bots: the line directions, every priority rule, and which random draws a move makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "bots/bot.h"
#include "support/game_state.h"

namespace {

constexpr unsigned kSeeds = 24;  // seeds tried per board and difficulty
const std::array<void (*)(), 4> kBotMoves = {BotMove2D, BotMove3D, BotMove4D, BotMove5D};

// The value of rand() call number i (from 0) after srand(seed).
int Draw(unsigned seed, int i) {
  std::srand(seed);
  for (; i > 0; --i) std::rand();
  return std::rand();
}

// How many rand() calls were made since srand(seed), read from the next value; 4 for more.
int DrawsSince(unsigned seed) {
  const int next = std::rand();
  int draws = 0;
  while (draws < 4 && Draw(seed, draws) != next) ++draws;
  return draws;
}

std::vector<int32_t> Cells(int n) {
  std::vector<int32_t> values;
  for (int cell = 0; cell < CellCount(n); ++cell) values.push_back(CellValue(n, cell));
  return values;
}

void SetCells(int n, const std::vector<int32_t>& values) {
  for (int cell = 0; cell < CellCount(n); ++cell) CellValue(n, cell) = values[size_t(cell)];
}

// Cell p of an m-dimensional pattern laid on the innermost axes, the outer indices 0.
int At(int n, int m, int p) {
  CellCoord coord = CoordOfCell(m, p);
  coord.insert(coord.begin(), size_t(n - m), 0);
  return CellOfCoord(coord);
}

// An expectation holds for the bots of its Who bits ("Easy" split by its coin). They take the
// only cell listed (none: no write) with no draw, or by one draw a cell listed, the centre, or
// any empty cell but those listed.
enum Who { kCoinFor = 1, kCoinAgainst = 2, kMeh = 4, kHard = 8, kEasy = 3, kMehHard = 12 };
constexpr int kBlocking = 13, kAll = 15;  // kBlocking: all but the "Easy" bot the coin stops
enum Kind { kOnly, kOneOf, kCentre, kRest };
struct Expect { int who; Kind kind; std::vector<int> cells; };

// Pattern: 9 or 27 cells, '.' empty, laid on lo..hi dimensions; "*": players 1..5 in turn.
struct Case { int lo, hi; int32_t players, bot; std::string pattern; std::vector<Expect> expects; };

std::vector<int> Candidates(const Expect& e, int n, int m) {
  if (e.kind == kCentre) return {CellOfCoord(CellCoord(size_t(n), 1))};
  std::vector<int> listed, empty;
  for (int p : e.cells) listed.push_back(At(n, m, p));
  for (int cell = 0; cell < CellCount(n); ++cell) {
    const bool excluded = std::find(listed.begin(), listed.end(), cell) != listed.end();
    if (CellValue(n, cell) == 0 && !excluded) empty.push_back(cell);
  }
  return e.kind == kRest ? empty : listed;
}

// One move of the bot `who` after srand(seed): the expected cell written, the coin and the
// choice drawn, the turn passed. The board is put back afterwards.
void ExpectMove(int n, int who, unsigned seed, int bot, const std::vector<int>& cells, bool draw) {
  difficulty = who < kMeh ? 1 : who == kMeh ? 2 : 3;  // "Easy", "Meh", "Hard"
  currentPlayer = bot;
  SCOPED_TRACE("difficulty " + std::to_string(difficulty) + ", seed " + std::to_string(seed));
  const std::vector<int32_t> before = Cells(n);
  std::vector<int32_t> expected = before;
  const size_t pick = draw ? size_t(Draw(seed, who < kMeh)) % cells.size() : 0;
  if (!cells.empty()) expected[size_t(cells[pick])] = bot;
  std::srand(seed);
  kBotMoves[size_t(n - 2)]();
  EXPECT_EQ(DrawsSince(seed), (who < kMeh) + draw);
  EXPECT_EQ(Cells(n), expected);
  EXPECT_EQ(currentPlayer, bot == playerCount ? 1 : bot + 1);
  SetCells(n, before);
}

class BotTest : public GameStateTest {};

}  // namespace


// Boards for one rule each; "1..22...." is player 1 at (0,0), player 2 at (1,0) and (1,1).
TEST_F(BotTest, EachPriorityRuleAtEveryDifficulty) {
  const std::string declined = ".33112232" "112131211" "23221122";  // + the last cell
  const std::vector<Case> cases = {
      // First move; the first of two wins; a win after a block in scan order.
      {2, 5, 3, 3, ".........", {{kMehHard, kCentre, {}}, {kEasy, kRest, {}}}},
      {2, 5, 2, 1, "11..221..", {{kAll, kOnly, {2}}}},
      {2, 5, 2, 1, "....2211.", {{kAll, kOnly, {8}}}},
      // Opponent 1 before four threats of 2, also on one cell; one, then two threats of 2.
      {3, 5, 3, 1, ".33....33" "........." ".......22",
       {{kBlocking, kOnly, {24}}, {kCoinAgainst, kRest, {24, 0, 4, 5, 6}}}},
      {3, 5, 3, 1, ".223..3..", {{kBlocking, kOnly, {0}}, {kCoinAgainst, kRest, {0}}}},
      {3, 5, 3, 2, ".11......", {{kMeh, kOnly, {0}}, {kHard, kCentre, {}}, {kEasy, kRest, {0}}}},
      {3, 5, 3, 2, ".11......" "........." ".1.......",
       {{kBlocking, kOnly, {0}}, {kCoinAgainst, kRest, {0, 10}}}},
      // Two players: opponent 2 is the bot itself. The coin against blocking: the build list.
      {3, 5, 2, 2, "11.......", {{kBlocking, kOnly, {2}}, {kCoinAgainst, kRest, {2}}}},
      {2, 2, 2, 1, "1..22....", {{kBlocking, kOnly, {5}}, {kCoinAgainst, kOneOf, {1, 2}}}},
      // 2D "Hard" build: edges unless opponent 1 (only) holds a middle-row or -column cell.
      {2, 2, 2, 1, "1.......2", {{kHard, kOneOf, {1, 3}}, {kMeh, kOneOf, {1, 2, 3, 6}}}},
      {3, 5, 2, 1, "1.......2", {{kHard, kCentre, {}}}},  // 3D and up: the most central
      {2, 2, 2, 1, "1...2....", {{kHard, kOneOf, {2, 6}}}},
      {2, 2, 2, 1, "1..2.....", {{kHard, kOneOf, {4}}}},
      {2, 2, 2, 1, ".2......1", {{kHard, kOneOf, {4}}}},
      {2, 2, 2, 1, ".1......2", {{kHard, kOneOf, {7}}}},
      {2, 2, 3, 1, "1...3...2", {{kHard, kOneOf, {1, 3}}}},
      {2, 2, 3, 1, "..3...2.1", {{kHard, kOnly, {0}}}},  // no edge: the first entry
      // A plain list of edges only; a full board.
      {2, 2, 3, 1, "1.3.2.3.2", {{kMehHard, kOnly, {1}}, {kEasy, kOneOf, {1, 3, 5, 7}}}},
      {2, 5, 5, 5, "*", {{kAll, kOnly, {}}}},
      // Every empty cell a declined threat: the nearest opponent's first one is taken.
      {2, 2, 2, 1, ".2.212212", {{kAll, kOnly, {0}}}},
      {3, 3, 3, 1, declined + "2", {{kAll, kOnly, {0}}}},
      {3, 3, 3, 1, declined + ".", {{kAll, kOnly, {26}}}},
  };
  ASSERT_NE(Draw(1, 0) % 2, Draw(2, 0) % 2);  // seeds 1 and 2 toss both sides of the coin
  for (const Case& c : cases) {
    const int m = c.pattern.size() == 27 ? 3 : 2;
    for (int n = c.lo; n <= c.hi; ++n) {
      SCOPED_TRACE(c.pattern + " on " + std::to_string(n) + "D, bot " + std::to_string(c.bot));
      StartNewGame();
      playerCount = c.players;
      for (int p = 0; p < CellCount(n) && c.pattern == "*"; ++p) CellValue(n, p) = p % 5 + 1;
      for (size_t p = 0; p < c.pattern.size() && c.pattern != "*"; ++p) {
        if (c.pattern[p] != '.') CellValue(n, At(n, m, int(p))) = c.pattern[p] - '0';
      }
      for (const Expect& e : c.expects) {
        const std::vector<int> cells = Candidates(e, n, m);
        for (unsigned seed = 1; seed <= kSeeds; ++seed) {
          for (const int who : {Draw(seed, 0) % 2 != 0 ? kCoinFor : kCoinAgainst, kMeh, kHard}) {
            if ((e.who & who) != 0) ExpectMove(n, who, seed, c.bot, cells, e.kind != kOnly);
          }
        }
      }
    }
  }
}


// Each pick draws once; the expected index is the draw modulo the number of choices.
TEST_F(BotTest, PickCentralCellAndPickEdgeCell) {
  const std::vector<CellCoord> mixed = {{0, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}};
  for (unsigned seed = 1; seed <= kSeeds; ++seed) {
    const auto expect = [seed](int index, const std::vector<int>& choices) {
      EXPECT_EQ(DrawsSince(seed), 1) << "seed " << seed;
      EXPECT_EQ(index, choices[size_t(Draw(seed, 0)) % choices.size()]) << "seed " << seed;
    };
    std::srand(seed);
    expect(PickCentralCell({{0, 0}, {0, 1}, {0, 2}, {2, 2}}), {0, 2, 3});  // corners, an edge
    std::srand(seed);
    // Centrality 2 drops the corners before it and keeps out those after it.
    expect(PickCentralCell({{0, 0, 0}, {0, 1, 1}, {2, 2, 2}, {1, 1, 0}, {0, 0, 1}}), {1, 3});
    std::srand(seed);
    expect(PickEdgeCell(mixed, false), {1, 3});
    std::srand(seed);
    expect(PickEdgeCell(mixed, true), {2});
  }
}
