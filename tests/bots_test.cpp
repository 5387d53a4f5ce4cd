// The bots' priorities on random boards of every size, against a scan of every line.
#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>

#include "bots/bot.h"
#include "screens/game_screen.h"
#include "support/support.h"

namespace {

constexpr int kNone = 5;  // no opponent would complete a line through the cell

// The candidate lists of one move: every empty cell filed by its best line, in cell order.
struct Lists {
  std::vector<int> win, build, plain;
  std::array<std::vector<int>, 5> block;  // [k]: opponent k (k turns after the bot) completes a line there
};

Lists FileByEveryLine(int d, int32_t bot) {
  Lists lists;
  for (int cell = 0; cell < CellCount(d); ++cell) {
    if (CellValue(d, cell) != 0) continue;
    bool win = false, build = false;
    int block = kNone;
    for (const Triple& t : AllLines(d)) {
      if (std::count(t.begin(), t.end(), cell) == 0) continue;
      std::vector<int32_t> others;
      for (int c : t) if (c != cell) others.push_back(CellValue(d, c));
      win |= others[0] == bot && others[1] == bot;
      build |= std::count(others.begin(), others.end(), bot) == 1 && std::count(others.begin(), others.end(), 0) == 1;
      for (int k = 1, p = NextPlayer(bot); k < d && p != bot; ++k, p = NextPlayer(p))
        if (others[0] == p && others[1] == p) block = std::min(block, k);
    }
    auto& list = win ? lists.win : block < kNone ? lists.block[block] : build ? lists.build : lists.plain;
    list.push_back(cell);
  }
  return lists;
}

std::vector<int> Centralities(int d, const std::vector<int>& cells) {
  std::vector<int> out;
  for (int cell : cells) out.push_back(Centrality(d, cell));
  return out;
}

// Whether index `chosen` is a pick of "the most central (at least 2), else a corner, else the first".
bool IsCentralPick(const std::vector<int>& centralities, int chosen) {
  const int best = *std::max_element(centralities.begin(), centralities.end()), c = centralities[size_t(chosen)];
  const bool corners = std::count(centralities.begin(), centralities.end(), 0) > 0;
  return best >= 2 ? c == best : corners ? c == 0 : chosen == 0;
}

int IndexIn(const std::vector<int>& list, int cell) {
  const auto at = std::find(list.begin(), list.end(), cell);
  return at == list.end() ? -1 : int(at - list.begin());
}

using BotTest = GameTest;

// Win, then the nearest opponent's threat ("Hard" and "Easy" block opponent k only once it has k
// threats, "Easy" only when its coin allows), then build, then the rest; "Meh" and "Hard" take
// the most central cell or a corner, and the 2D "Hard" bot builds on an edge unless the next
// player holds the middle row or column.
TEST_F(BotTest, PrioritiesMatchAScanOfEveryLine) {
  std::mt19937 random(3);
  for (int d = 2; d <= 5; ++d)
    for (int trial = 0; trial < 400; ++trial) {
      StartNewGame();
      playerCount = 2 + trial % 4;
      difficulty = 1 + trial / 4 % 3;
      currentPlayer = 1 + trial % playerCount;
      FillRandomBoard(d, playerCount, (trial % 10) / 10.0, random);
      const int32_t bot = currentPlayer;
      const Lists lists = FileByEveryLine(d, bot);
      const auto seed = static_cast<unsigned>(random());
      std::srand(seed);
      const bool blocking = difficulty != 1 || std::rand() % 2 != 0;
      std::vector<int32_t> before;
      for (int cell = 0; cell < CellCount(d); ++cell) before.push_back(CellValue(d, cell));
      std::srand(seed);
      RulesOf(d)->botMove();
      ASSERT_EQ(currentPlayer, NextPlayer(bot));
      std::vector<int> moved;
      for (int cell = 0; cell < CellCount(d); ++cell)
        if (CellValue(d, cell) != before[size_t(cell)]) moved.push_back(cell);
      SCOPED_TRACE(testing::Message() << d << "D trial " << trial << " difficulty " << difficulty);
      ASSERT_EQ(moved.size(), size_t(std::count(before.begin(), before.end(), 0) > 0));
      if (moved.empty()) continue;
      const int chosen = moved[0];
      ASSERT_EQ(CellValue(d, chosen), bot);
      if (!lists.win.empty()) { ASSERT_EQ(chosen, lists.win.front()); continue; }
      int threat = 0;
      for (int k = 1; k < d && blocking && !threat; ++k)
        if (lists.block[k].size() >= (difficulty == 2 ? 1u : size_t(k))) threat = k;
      if (threat) { ASSERT_EQ(chosen, lists.block[threat].front()); continue; }
      const std::vector<int>& pool = !lists.build.empty() ? lists.build : lists.plain;
      if (pool.empty()) {
        const auto nearest = std::find_if(lists.block.begin(), lists.block.end(),
                                          [](const std::vector<int>& b) { return !b.empty(); });
        ASSERT_EQ(chosen, nearest->front());
        continue;
      }
      const int index = IndexIn(pool, chosen);
      ASSERT_GE(index, 0);
      const std::vector<int> central = Centralities(d, pool);
      const bool building = !lists.build.empty();
      if (difficulty == 1 && !building) continue;
      if (difficulty != 3 && building) continue;
      bool middleTaken = false;
      for (int cell : {1, 3, 4, 5, 7}) middleTaken |= CellValue(2, cell) == NextPlayer(bot);
      if (d == 2 && building && !middleTaken) {
        const bool edges = std::count(central.begin(), central.end(), 1) > 0;
        ASSERT_TRUE(edges ? central[index] == 1 : index == 0);
      } else {
        ASSERT_TRUE(IsCentralPick(central, index));
      }
    }
}

// The pickers over coordinate lists: the most central (at least 2), else a corner, else the
// first; an edge (exactly one middle index) unless central is preferred, else the first. Every
// index allowed is picked for some seed.
TEST_F(BotTest, CentralAndEdgePicks) {
  const struct { std::vector<CellCoord> cells; std::set<int> central, edge; } cases[] = {
      {{{0, 1}, {1, 1}, {2, 2}}, {1}, {0}},
      {{{0, 0, 1}, {0, 1, 0}, {2, 2, 2}}, {2}, {0, 1}},
      {{{1, 1, 0}, {0, 0, 0}, {1, 1, 1}}, {2}, {0}},
      {{{0, 1}, {1, 0}}, {0}, {0, 1}},
      {{{1, 1, 0}, {1, 0, 1}, {0, 0, 0}}, {0, 1}, {0}}};
  for (const auto& c : cases) {
    std::set<int> central, edge, preferred;
    for (unsigned seed = 1; seed <= 16; ++seed) {
      std::srand(seed);
      central.insert(PickCentralCell(c.cells));
      edge.insert(PickEdgeCell(c.cells, false));
      preferred.insert(PickEdgeCell(c.cells, true));
    }
    EXPECT_EQ(central, c.central);
    EXPECT_EQ(preferred, c.central);
    EXPECT_EQ(edge, c.edge);
  }
}

}  // namespace
