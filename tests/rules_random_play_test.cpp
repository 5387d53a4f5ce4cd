// Complete games played through UpdateGame frame by frame with random pointer input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/shell.h"
#include "platform/platform.h"
#include "rules/layout.h"
#include "screens/game_screen.h"
#include "support/game_state.h"
#include "screens/buttons.h"

namespace {

constexpr int kNormalGames = 4000;      // over all dimension counts; ZARNITH_RANDOM_GAMES overrides
constexpr int kBackGameEvery = 37;      // one game in this many presses "Back" mid-game
constexpr int kRealWaitGameEvery = 23;  // one game in this many lets every bot wait its 101 frames
constexpr int kFramesAfterEnd = 6;      // frames from the ending one on; later ones change nothing
constexpr int32_t kCellSides[] = {80, 60, 60, 40};  // cellSize of 2..5 dimensions, pixels

// Every line once, as the cell numbers first, middle, third with first < third and, on every
// axis, first + third == 2 * middle (which makes the middle's number their mean too).
std::vector<int> LinesOf(int n) {
  std::vector<int> lines;
  for (int first = 0; first < CellCount(n); ++first) {
    for (int third = first + 2, middle = first + 1; third < CellCount(n); third += 2, ++middle) {
      bool line = true;
      for (int f = first, m = middle, t = third, d = 0; d < n; ++d, f /= 3, m /= 3, t /= 3)
        line = line && f % 3 + t % 3 == 2 * (m % 3);
      if (line) lines.insert(lines.end(), {first, middle, third});
    }
  }
  return lines;
}

// The cells, turn, result and bot wait a frame starts from, to judge what the frame did.
struct Before { std::vector<int32_t> cells; int32_t mover, winner, delay; bool over; };

// A pointer over a random cell's square: mostly strictly inside, sometimes on its left, right
// or top grid line, sometimes anywhere left of "Back"; or anywhere on "Back" when asked.
void MovePointer(std::mt19937& rng, int n, bool onBack) {
  const auto upTo = [&rng](int32_t limit) { return int32_t(rng() % unsigned(limit + 1)); };
  const CellSquare q = CellSquareOf(n, cellSize, upTo(CellCount(n) - 1));
  frameInput.prevMouseX = frameInput.mouseX, frameInput.prevMouseY = frameInput.mouseY;
  int32_t &x = frameInput.mouseX, &y = frameInput.mouseY;
  switch (onBack ? -1 : int(rng() % 8)) {
    case -1: x = backButton.x + upTo(backButton.w), y = backButton.y + upTo(backButton.h); break;
    case 0: x = q.left + q.side * upTo(1), y = q.top + upTo(q.side); break;
    case 1: x = q.left + upTo(q.side), y = q.top; break;
    case 2: x = upTo(backButton.x - 1), y = upTo(kCanvasHeight - 1); break;
    default: x = q.left + 1 + upTo(q.side - 2), y = q.top + 1 + upTo(q.side - 2);  // inside
  }
}

// One mark at most, the mover's, where a bot's ended wait or a release strictly inside an empty
// cell puts it; the turn passes with it; a line or a full board ends the game, which then stays.
void CheckFrame(int n, const Before& b, const std::vector<int>& lines) {
  const int32_t x = frameInput.mouseX, y = frameInput.mouseY;
  int placed = -1, hit = -1, empty = 0;
  for (int cell = 0; cell < CellCount(n); ++cell) {
    const int32_t v = CellValue(n, cell), was = b.cells[size_t(cell)];
    const CellSquare q = CellSquareOf(n, cellSize, cell);
    if (q.left < x && x < q.left + q.side && q.top < y && y < q.top + q.side) hit = cell;
    empty += v == 0;
    const bool newMark = placed < 0 && was == 0 && v == b.mover;
    ASSERT_TRUE(v >= 0 && v <= playerCount && (v == was || newMark))
        << "cell " << cell << ": " << was << " -> " << v;
    if (v != was) placed = cell;
  }
  ASSERT_TRUE(currentPlayer >= 1 && currentPlayer <= playerCount) << currentPlayer;
  const bool botTurn = b.mover + botCount > playerCount;
  const bool botMoves = !b.over && botTurn && b.delay >= kBotDelayFrames;
  const bool released = !b.over && !botTurn && frameInput.mouseReleased;
  const bool humanHits = released && hit >= 0 && b.cells[size_t(hit)] == 0;
  ASSERT_EQ(placed >= 0, botMoves || humanHits) << "release over " << hit << ", wait " << b.delay;
  if (humanHits) { ASSERT_EQ(placed, hit); }
  ASSERT_EQ(botDelayFrames, b.over || !botTurn ? b.delay : botMoves ? 0 : b.delay + 1);
  ASSERT_EQ(currentPlayer, placed >= 0 ? b.mover % playerCount + 1 : b.mover);
  int32_t owner = b.winner;
  for (size_t k = 0; placed >= 0 && k < lines.size(); k += 3) {
    const int32_t v = CellValue(n, lines[k]);
    if (v != 0 && CellValue(n, lines[k + 1]) == v && CellValue(n, lines[k + 2]) == v) owner = v;
  }
  ASSERT_EQ(gameOver, b.over || owner != 0 || empty == 0);
  ASSERT_EQ(winner, owner);
}

// Games of every player count, bot count, difficulty and assist mode in turn; bots mostly skip to
// the end of their wait. "Back" starts a fresh game that the same update plays on, as after "Play".
void PlayGames(int n) {
  const char* env = std::getenv("ZARNITH_RANDOM_GAMES");
  const int games = (env ? std::atoi(env) : kNormalGames) / (kMaxDimensions - kMinDimensions + 1);
  const std::vector<int> lines = LinesOf(n);
  std::mt19937 rng{static_cast<unsigned>(n)};
  for (int game = 0; game < games; ++game) {
    StartNewGame();
    currentScreen = Game, dimensionCount = n, cellSize = kCellSides[n - kMinDimensions];
    difficulty = 1 + game % 3, playerCount = 2 + game / 3 % 4, assistMode = rng() % 2;
    botCount = game / 12 % (playerCount + 1);  // 0..playerCount for every pair above
    std::srand(unsigned(rng()));
    int backAfterMoves = game % kBackGameEvery == 5 ? 1 + int(rng() % 6) : -1, moves = 0;
    SCOPED_TRACE("game " + std::to_string(game));
    for (int after = 0; after < kFramesAfterEnd; after += gameOver) {
      const bool back = moves == backAfterMoves && !gameOver;
      MovePointer(rng, n, back);
      frameInput.mouseReleased = back || rng() % 3 == 0;
      frameInput.mouseHeld = rng() % 4 == 0;
      const bool botTurn = !gameOver && currentPlayer + botCount > playerCount;
      if (botTurn && game % kRealWaitGameEvery != 3 && rng() % 4) botDelayFrames = kBotDelayFrames;
      // a "Back" frame is judged against the empty game that "Back" starts
      Before b{{}, currentPlayer, winner, botDelayFrames, gameOver};
      for (int cell = 0; cell < CellCount(n); ++cell) b.cells.push_back(CellValue(n, cell) * !back);
      if (back) b.mover = 1, b.winner = 0, b.over = false, backAfterMoves = -1;
      UpdateGame();
      if (back) {  // the title screen is up, input paused; "Play" brings the new game back
        ASSERT_EQ(std::exchange(currentScreen, Game), Menu);
        ASSERT_EQ(std::exchange(frameInput.inputCooldown, 0), kScreenSwitchCooldownFrames);
      }
      ASSERT_NO_FATAL_FAILURE(CheckFrame(n, b, lines));
      moves += currentPlayer != b.mover;
    }
  }
}

class RandomPlayTest : public GameStateTest {};

}  // namespace

TEST_F(RandomPlayTest, TwoDimensions) { PlayGames(2); }
TEST_F(RandomPlayTest, ThreeDimensions) { PlayGames(3); }
TEST_F(RandomPlayTest, FourDimensions) { PlayGames(4); }
TEST_F(RandomPlayTest, FiveDimensions) { PlayGames(5); }
