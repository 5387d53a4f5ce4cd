// The bots' priorities on random boards of every size, against a scan of every line.
#include "support/support.h"

// The candidate lists of one move, every empty cell filed by its best line, in cell order:
// [0] the bot completes a line, [k] opponent k (k turns after the bot) would, [5] build, [6] the
// rest.
using Lists = std::array<std::vector<int>, 7>;
constexpr size_t kBuild = 5, kPlain = 6;

static Lists FileByEveryLine(int d, int32_t bot) {
  Lists lists;
  for (int cell = 0; cell < CellCount(d); ++cell) {
    if (CellValue(d, cell) != 0) continue;
    size_t best = kPlain;
    for (const Triple& t : AllLines(d)) {
      if (std::count(t.begin(), t.end(), cell) == 0) continue;
      const int32_t a = CellValue(d, t[t[0] == cell]);
      const int32_t b = CellValue(d, t[t[2] == cell ? 1 : 2]);
      if (a == b && a == bot) best = 0;
      for (int k = 1, p = NextPlayer(bot); k < d && p != bot; ++k, p = NextPlayer(p))
        if (a == p && b == p) best = std::min(best, size_t(k));
      if ((a == bot && b == 0) || (a == 0 && b == bot)) best = std::min(best, kBuild);
    }
    lists[best].push_back(cell);
  }
  return lists;
}

// The cell of `pool` that draw `draw` picks uniformly among those `wanted` keeps; the first cell
// when it keeps none.
template <class Wanted>
static int Pick(const std::vector<int>& pool, int draw, Wanted wanted) {
  std::vector<int> picks;
  std::copy_if(pool.begin(), pool.end(), std::back_inserter(picks), wanted);
  return picks.empty() ? pool[0] : picks[size_t(draw) % picks.size()];
}

// "The most central (at least 2), else a corner, else the first".
static int CentralPick(int d, const std::vector<int>& pool, int draw) {
  int best = 0;
  for (int c : pool) best = std::max(best, Centrality(d, c));
  return Pick(pool, draw, [&](int c) { return Centrality(d, c) == (best >= 2 ? best : 0); });
}

using BotTest = GameTest;

// Win, then the nearest opponent's threat ("Hard" and "Easy" block opponent k only once it has k
// threats, "Easy" only when its coin allows), then build, then the rest, else the nearest threat;
// "Meh" and "Hard" take the most central cell or a corner, and the 2D "Hard" bot builds on an
// edge unless the next player holds a cell of the middle row or column.
TEST_F(BotTest, PrioritiesMatchAScanOfEveryLine) {
  TestRandom random(3);
  ForEveryBoard(400, [&](int d, int trial) {
    playerCount = 2 + trial % 4;
    difficulty = Difficulty(1 + trial / 4 % 3);
    currentPlayer = 1 + trial % playerCount;
    FillRandomBoard(d, playerCount, (trial % 10) / 10.0, random);
    const int32_t bot = currentPlayer;
    const Lists lists = FileByEveryLine(d, bot);
    const auto seed = unsigned(random.engine());
    std::srand(seed);
    const bool blocking = difficulty != 1 || std::rand() % 2 != 0;
    const int draw = std::rand();
    std::vector<int> before, moved;
    for (int cell = 0; cell < CellCount(d); ++cell) before.push_back(CellValue(d, cell));
    std::srand(seed);
    RulesOf(d)->botMove();
    for (int cell = 0; cell < CellCount(d); ++cell)
      if (CellValue(d, cell) != before[size_t(cell)]) moved.push_back(cell);
    ASSERT_EQ(currentPlayer, NextPlayer(bot));
    ASSERT_EQ(moved.size(), size_t(std::count(before.begin(), before.end(), 0) > 0));
    if (moved.empty()) return;
    ASSERT_EQ(CellValue(d, moved[0]), bot);
    size_t rule = lists[0].empty() ? kPlain + 1 : 0;
    for (size_t k = 1; k < size_t(d) && blocking && rule > kPlain; ++k)
      if (lists[k].size() >= (difficulty == 2 ? 1u : k)) rule = k;
    for (size_t r = kBuild; r <= kPlain && rule > kPlain; ++r) rule = lists[r].empty() ? rule : r;
    for (size_t k = 1; k < size_t(d) && rule > kPlain; ++k) rule = lists[k].empty() ? rule : k;
    const std::vector<int>& pool = lists[rule];
    bool middleTaken = false;
    for (int cell : {1, 3, 4, 5, 7}) middleTaken |= d == 2 && CellValue(2, cell) == NextPlayer(bot);
    int expected = Pick(pool, draw, [](int) { return true; });
    if (rule < kBuild) {
      expected = pool[0];
    } else if (d == 2 && rule == kBuild && difficulty == 3 && !middleTaken) {
      expected = Pick(pool, draw, [](int c) { return Centrality(2, c) == 1; });
    } else if (difficulty == (rule == kBuild ? 3 : 2) || (rule == kPlain && difficulty == 3)) {
      expected = CentralPick(d, pool, draw);
    }
    ASSERT_EQ(moved[0], expected) << "rule " << rule;
  });
}
