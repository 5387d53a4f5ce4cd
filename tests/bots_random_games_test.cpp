// Whole games with random human moves and bots of every strength, checked after every move.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bots/bot.h"
#include "rules/win.h"
#include "support/game_state.h"

namespace {

constexpr int kGames = 2000;  // games per dimension count
const std::array<void (*)(), 4> kBotMoves = {BotMove2D, BotMove3D, BotMove4D, BotMove5D};
const std::array<void (*)(), 4> kWinChecks = {CheckWin2D, CheckWin3D, CheckWin4D, CheckWin5D};
std::vector<std::array<int, 3>> lines;  // every line of the board being played

// The owner of a completed line (0: none); the first cell completing one of `player` (-1: none).
std::pair<int32_t, int> ScanLines(int n, int32_t player) {
  std::pair<int32_t, int> found{0, -1};
  for (const std::array<int, 3>& line : lines) {
    const int32_t a = CellValue(n, line[0]), b = CellValue(n, line[1]), c = CellValue(n, line[2]);
    if (a != 0 && a == b && b == c) found.first = a;
    const int own = (a == player) + (b == player) + (c == player);
    const int empty = a == 0 ? line[0] : b == 0 ? line[1] : c == 0 ? line[2] : -1;
    if (own == 2 && empty >= 0 && (found.second < 0 || empty < found.second)) found.second = empty;
  }
  return found;
}

// Every line by brute force (ends whose indices agree or are 0 and 2 on each axis), then the
// games, settings cycling with the game number; humans draw from `rng`, bots from rand().
void PlayGames(int n) {
  lines.clear();
  for (int first = 0; first < CellCount(n); ++first) {
    for (int last = first + 1; last < CellCount(n); ++last) {
      const CellCoord u = CoordOfCell(n, first), w = CoordOfCell(n, last);
      bool ends = true;
      for (int d = 0; d < n; ++d) ends = ends && (u[d] == w[d] || u[d] + w[d] == 2);
      if (ends) lines.push_back({first, (first + last) / 2, last});
    }
  }
  ASSERT_EQ(lines.size(), (std::array<size_t, 4>{8, 49, 272, 1441}[size_t(n - 2)]));
  std::mt19937 rng(static_cast<unsigned>(n));
  for (int game = 0; game < kGames; ++game) {
    StartNewGame();
    dimensionCount = n;
    playerCount = 2 + game % 4;
    difficulty = 1 + game / 4 % 3;
    botCount = 1 + game / 12 % playerCount;
    std::srand(static_cast<unsigned>(rng()));
    SCOPED_TRACE(std::to_string(n) + "D game " + std::to_string(game));
    while (!gameOver) {
      std::vector<int32_t> before;
      std::vector<int> empty;
      for (int cell = 0; cell < CellCount(n); ++cell) {
        before.push_back(CellValue(n, cell));
        if (before.back() == 0) empty.push_back(cell);
      }
      const int32_t mover = currentPlayer;
      const int winningCell = ScanLines(n, mover).second;
      if (IsBot(mover)) {
        kBotMoves[size_t(n - 2)]();
      } else {
        CellValue(n, empty[rng() % empty.size()]) = mover;
        currentPlayer = mover == playerCount ? 1 : mover + 1;
      }
      kWinChecks[size_t(n - 2)]();
      CheckFullBoard();
      // Exactly one new mark, the mover's, on an empty cell; none only on a full board.
      int written = -1;
      for (int cell = 0; cell < CellCount(n); ++cell) {
        const int32_t v = CellValue(n, cell);
        ASSERT_TRUE(v >= 0 && v <= playerCount) << "cell " << cell << " holds " << v;
        if (v == before[size_t(cell)]) continue;
        ASSERT_TRUE(written == -1 && before[size_t(cell)] == 0 && v == mover) << "cell " << cell;
        written = cell;
      }
      ASSERT_EQ(written == -1, empty.empty());
      ASSERT_TRUE(!IsBot(mover) || winningCell < 0 || written == winningCell) << "win missed";
      ASSERT_EQ(currentPlayer, mover == playerCount ? 1 : mover + 1);
      ASSERT_EQ(winner, ScanLines(n, mover).first);
      ASSERT_EQ(gameOver, winner != 0 || empty.size() == 1);
    }
  }
}

class BotGamesTest : public GameStateTest {};

}  // namespace

TEST_F(BotGamesTest, TwoDimensions) { PlayGames(2); }
TEST_F(BotGamesTest, ThreeDimensions) { PlayGames(3); }
TEST_F(BotGamesTest, FourDimensions) { PlayGames(4); }
TEST_F(BotGamesTest, FiveDimensions) { PlayGames(5); }
