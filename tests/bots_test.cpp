// The bots' priorities on random boards of every size, against a scan of every line.
#include "support/support.h"

// Every empty cell of one move, filed by the best line through it in a scan of every line of the
// board, in cell order.
struct Candidates {
  std::vector<int> win;                                 // the bot completes a line there
  std::array<std::vector<int>, kMaxDimensions> threat;  // [k]: opponent k (k turns on) would
  std::vector<int> build;                               // a line holds one bot mark, nothing else
  std::vector<int> plain;                               // none of these
};

static Candidates FileByEveryLine(int d, int32_t bot) {
  Candidates candidates;
  for (int cell = 0; cell < CellCount(d); ++cell) {
    if (CellValue(d, cell) != 0) continue;
    bool win = false, build = false;
    int nearestThreat = kMaxDimensions;
    for (const Triple& line : AllLines(d)) {
      if (std::count(line.begin(), line.end(), cell) == 0) continue;
      std::vector<int32_t> others;
      for (int other : line)
        if (other != cell) others.push_back(CellValue(d, other));
      win |= others[0] == bot && others[1] == bot;
      build |= std::count(others.begin(), others.end(), bot) == 1 &&
               std::count(others.begin(), others.end(), 0) == 1;
      for (int k = 1, p = NextPlayer(bot); k < d && p != bot; ++k, p = NextPlayer(p))
        if (others[0] == p && others[1] == p) nearestThreat = std::min(nearestThreat, k);
    }
    if (win) {
      candidates.win.push_back(cell);
    } else if (nearestThreat < kMaxDimensions) {
      candidates.threat[size_t(nearestThreat)].push_back(cell);
    } else {
      (build ? candidates.build : candidates.plain).push_back(cell);
    }
  }
  return candidates;
}

// The cell of `pool` that draw `draw` picks uniformly among those `wanted` keeps; the first cell
// when it keeps none.
template <class Wanted>
static int Pick(const std::vector<int>& pool, int draw, Wanted wanted) {
  std::vector<int> picks;
  std::copy_if(pool.begin(), pool.end(), std::back_inserter(picks), wanted);
  return picks.empty() ? pool[0] : picks[size_t(draw) % picks.size()];
}
// How many of the cell's coordinates are the middle one.
static int Middles(int d, int cell) {
  const CellCoord c = CoordOfCell(d, cell);
  return int(std::count(c.begin(), c.end(), 1));
}
static int AnyCell(const std::vector<int>& pool, int draw) {
  return Pick(pool, draw, [](int) { return true; });
}
static int EdgeCell(const std::vector<int>& pool, int draw) {
  return Pick(pool, draw, [](int cell) { return Middles(2, cell) == 1; });
}
// The most central cell (at least 2 middle indices), else a corner, else the first.
static int CentralCell(int d, const std::vector<int>& pool, int draw) {
  int best = 0;
  for (int cell : pool) best = std::max(best, Middles(d, cell));
  return Pick(pool, draw, [&](int cell) { return Middles(d, cell) == (best >= 2 ? best : 0); });
}

// The next player holds a cell of the middle row or column of the 2D board.
static bool NextPlayerHoldsTheMiddle(int32_t bot) {
  for (int cell = 0; cell < CellCount(2); ++cell)
    if (Middles(2, cell) > 0 && CellValue(2, cell) == NextPlayer(bot)) return true;
  return false;
}

// The bot's cell by its priorities: win, then block the nearest opponent's threat ("Hard" and
// "Easy" block opponent k only once it has k threats, "Easy" only when its coin allows), then
// build, then the rest, else the nearest threat. "Meh" and "Hard" take the most central cell or a
// corner, and the 2D "Hard" bot builds on an edge unless the next player holds the middle.
static int PrioritiesPick(int d, int32_t bot, const Candidates& c, bool coinAllows, int draw) {
  if (!c.win.empty()) return c.win[0];
  for (size_t k = 1; k < size_t(d) && coinAllows; ++k)
    if (!c.threat[k].empty() && c.threat[k].size() >= (difficulty == Meh ? 1 : k))
      return c.threat[k][0];
  if (!c.build.empty() && difficulty != Hard) return AnyCell(c.build, draw);
  if (!c.build.empty() && d == 2 && !NextPlayerHoldsTheMiddle(bot)) return EdgeCell(c.build, draw);
  if (!c.build.empty()) return CentralCell(d, c.build, draw);
  if (!c.plain.empty() && difficulty == Easy) return AnyCell(c.plain, draw);
  if (!c.plain.empty()) return CentralCell(d, c.plain, draw);
  for (size_t k = 1; k < size_t(d); ++k)
    if (!c.threat[k].empty()) return c.threat[k][0];
  return kNoCell;
}

using BotTest = GameTest;

TEST_F(BotTest, PrioritiesMatchAScanOfEveryLine) {
  const Difficulty difficulties[] = {Easy, Meh, Hard};
  TestRandom random(3);
  ForEveryBoard(1000, [&](int d, int trial) {
    playerCount = 2 + trial % 4;
    difficulty = difficulties[trial / 4 % 3];
    currentPlayer = 1 + trial % playerCount;
    FillRandomBoard(d, playerCount, (trial % 10) / 10.0, random);
    const int32_t bot = currentPlayer;
    const auto seed = unsigned(random.engine());
    std::srand(seed);
    // The "Easy" coin is tossed first, then the pick makes at most one draw.
    const bool coinAllows = difficulty != Easy || std::rand() % 2 != 0;
    const int expected = PrioritiesPick(d, bot, FileByEveryLine(d, bot), coinAllows, std::rand());
    std::vector<int32_t> before;
    for (int cell = 0; cell < CellCount(d); ++cell) before.push_back(CellValue(d, cell));
    std::srand(seed);
    RulesOf(d)->botMove();
    ASSERT_EQ(currentPlayer, NextPlayer(bot)) << "the bot did not pass the turn on";
    for (int cell = 0; cell < CellCount(d); ++cell)
      ASSERT_EQ(CellValue(d, cell), cell == expected ? bot : before[size_t(cell)])
          << "cell " << cell << ", where the priorities pick " << expected;
  });
}
