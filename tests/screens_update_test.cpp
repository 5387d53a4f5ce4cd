// The two screens' updates: title clicks and settings, turns, bot pacing, "Back" and the view controls.
#include <cstdlib>

#include "platform/platform.h"
#include "render/projection.h"
#include "rules/layout.h"
#include "screens/game_screen.h"
#include "screens/title_screen.h"
#include "support/fixture.h"

namespace {

struct UpdateTest : GameTest {
  static const Button& Labelled(const std::string& label) {
    for (const Button& b : menuButtons)
      if (b.label == label) return b;
    return backButton;
  }
  // One title frame with the pointer at (x, y), releasing the button there when `release`.
  static void TitleFrame(int32_t x, int32_t y, bool release = true) {
    frameInput.mouseX = x, frameInput.mouseY = y, frameInput.mouseReleased = release;
    UpdateMenu();
  }
  static void Click(const std::string& label) {
    const Button& b = Labelled(label);
    TitleFrame(b.x + b.w / 2, b.y + b.h / 2);
    TitleFrame(0, 0, false);  // off every Button, which releases the latch
  }
  static void ClickCell(int cell) {
    const CellSquare q = CellSquareOf(dimensionCount, cellSize, cell);
    frameInput.mouseX = SquareCentreX(q), frameInput.mouseY = SquareCentreY(q), frameInput.mouseReleased = true;
    UpdateGame();
  }
};

// Each setting Button sets its value (a board also its cell size); fewer players pull the bots
// down and a bots Button above the player count does nothing; a Button fires once per visit,
// its edges included.
TEST_F(UpdateTest, TitleButtonsApplyTheirSettings) {
  for (const Button& b : std::vector<Button>(menuButtons)) {
    if (b.dimensionValue == 0) continue;
    Click(b.label);
    EXPECT_EQ(std::pair(dimensionCount, cellSize), std::pair(b.dimensionValue, b.cellSizeValue));
  }
  const struct { const char* label; int32_t players, bots, difficulty; } steps[] = {
      {"5 Players", 5, 0, 1}, {"4 Bots", 5, 4, 1}, {"3 Players", 3, 3, 1}, {"4 Bots", 3, 3, 1},
      {"1 Bots", 3, 1, 1},    {"Hard", 3, 1, 3},   {"Meh", 3, 1, 2},       {"2 Players", 2, 1, 2}};
  for (const auto& s : steps) {
    Click(s.label);
    EXPECT_EQ((std::array{playerCount, botCount, difficulty}), (std::array{s.players, s.bots, s.difficulty})) << s.label;
  }
  const Button& assist = Labelled("Assist Mode");
  for (int frame = 0; frame < 3; ++frame) TitleFrame(assist.x + assist.w, assist.y + assist.h);
  EXPECT_TRUE(assistMode);
  TitleFrame(assist.x + assist.w + 1, assist.y, true);
  Click("Assist Mode");
  EXPECT_FALSE(assistMode);
  Click("Quit");
  EXPECT_FALSE(running);
}

// "Play" opens the game after the input cooldown, reseeded from rand() and the pointer.
TEST_F(UpdateTest, PlaySeedsFromTheClick) {
  std::srand(5);
  const auto r = static_cast<unsigned>(std::rand());
  std::srand(5);
  Click("Play");
  const int next = std::rand();
  const Button& play = Labelled("Play");
  std::srand((r % 100000) * unsigned(play.y + play.h / 2) * unsigned(play.x + play.w / 2));
  EXPECT_EQ(next, std::rand());
  EXPECT_EQ(currentScreen, Game);
  EXPECT_EQ(frameInput.inputCooldown, kScreenSwitchCooldownFrames);
}

// A human's click marks an empty cell and passes the turn; the win check follows every release;
// a bot waits 100 frames and moves on the 101st; the full board is a draw in the same frame.
TEST_F(UpdateTest, TurnsClicksAndBots) {
  for (int32_t d = 2; d <= 5; ++d) {
    StartNewGame();
    Click(std::to_string(d) + " Dimensions");
    playerCount = 2;
    for (int cell : {0, 1, 0}) ClickCell(cell * (CellCount(d) - 1));
    EXPECT_EQ(std::pair(CellValue(d, 0), CellValue(d, CellCount(d) - 1)), std::pair(1, 2)) << d;
    EXPECT_EQ(currentPlayer, 1) << "a taken cell takes no click";
    CellValue(d, 1) = 1;
    ClickCell(2);
    EXPECT_TRUE(gameOver);
    EXPECT_EQ(winner, 1) << d;
  }
  StartNewGame();
  dimensionCount = 2, playerCount = 2, botCount = 1, currentPlayer = 2;
  for (int frame = 0; frame < kBotDelayFrames; ++frame) UpdateGame();
  EXPECT_EQ(currentPlayer, 2);
  UpdateGame();
  EXPECT_EQ(currentPlayer, 1);
  EXPECT_EQ(botDelayFrames, 0);
  board2 = {{1, 2, 1}, {1, 2, 2}, {2, 1, 1}};
  frameInput.mouseReleased = false;
  UpdateGame();
  EXPECT_TRUE(gameOver && winner == 0) << "a full board without a line is a draw";
}

// The setting columns: one column per setting, the smallest value on top at y = 350, 100 pixels
// a step; the difficulties 60 pixels a step; no two Buttons overlap.
TEST_F(UpdateTest, TitleLayout) {
  for (const Button& b : menuButtons) {
    const Button& top = Labelled(b.dimensionValue ? "2 Dimensions" : b.playerValue ? "2 Players" : b.botValue >= 0 ? "0 Bots" : "Easy");
    const int steps = b.dimensionValue ? b.dimensionValue - 2 : b.playerValue ? b.playerValue - 2 : b.botValue >= 0 ? b.botValue : b.difficultyValue - 1;
    const std::array expected{top.x, top.y + (b.difficultyValue ? 60 : 100) * steps, top.w, top.h};
    const std::array actual{b.x, b.y, b.w, b.h};
    EXPECT_TRUE(IsActionButton(b) || actual == expected) << b.label;
    EXPECT_TRUE(b.difficultyValue || IsActionButton(b) || top.y == 350) << b.label;
    for (const Button& o : menuButtons)
      EXPECT_TRUE(&o == &b || o.x > b.x + b.w || b.x > o.x + o.w || o.y > b.y + b.h || b.y > o.y + o.h) << b.label << " / " << o.label;
  }
}

// Title Buttons and "Back" count their edges as inside, "Reset" and "W Rotation" do not.
TEST_F(UpdateTest, ButtonEdges) {
  std::vector<Button> all = menuButtons;
  all.insert(all.end(), {backButton, resetButton, wRotationButton});
  for (const Button& b : all) {
    const int cx = b.x + b.w / 2, cy = b.y + b.h / 2, r = b.x + b.w, d = b.y + b.h;
    const int edges[][2] = {{b.x, cy}, {r, cy}, {cx, b.y}, {cx, d}}, outside[][2] = {{b.x - 1, cy}, {r + 1, cy}, {cx, b.y - 1}, {cx, d + 1}};
    EXPECT_TRUE(PointInButton(b, cx, cy) && PointStrictlyInButton(b, cx, cy)) << b.label;
    for (const auto& [x, y] : edges) EXPECT_TRUE(PointInButton(b, x, y) && !PointStrictlyInButton(b, x, y)) << b.label;
    for (const auto& [x, y] : outside) EXPECT_FALSE(PointInButton(b, x, y) || PointStrictlyInButton(b, x, y)) << b.label;
  }
}

// "Back" counts its edges; it starts a new game on the title screen behind a cooldown.
TEST_F(UpdateTest, BackLeavesTheGame) {
  currentScreen = Game;
  board3[1][1][1] = 2;
  frameInput.mouseX = backButton.x, frameInput.mouseY = backButton.y + backButton.h, frameInput.mouseReleased = true;
  UpdateGame();
  EXPECT_EQ(currentScreen, Menu);
  EXPECT_EQ(board3[1][1][1], 0);
  EXPECT_EQ(frameInput.inputCooldown, kScreenSwitchCooldownFrames);
}

// Dragging turns 1 degree per 5 pixels; "Reset" (edges excluded) eases by 0.9 a frame and snaps
// inside 5 degrees; each "W Rotation" click adds 90 degrees, reached at 0.5 a frame; 2D turns nothing.
TEST_F(UpdateTest, ViewControls) {
  for (int32_t d : {2, 3, 4}) {
    ResetView();
    dimensionCount = d;
    frameInput = FrameInput{110, 250, 100, 200, false, 0, true, 0};
    UpdateGame();
    EXPECT_EQ(std::pair(viewYaw, viewPitch), d == 2 ? std::pair(0.0, 0.0) : std::pair(2.0, 10.0)) << d;
    frameInput = FrameInput{wRotationButton.x + 1, wRotationButton.y + 1, 0, 0, true, 1, false, 0};
    UpdateGame();
    EXPECT_EQ(std::pair(wAngleTarget, wAngle), d == 4 ? std::pair(90.0, 0.5) : std::pair(0.0, 0.0)) << d;
  }
  viewYaw = 5.5, viewPitch = -60.0;
  frameInput = FrameInput{resetButton.x, resetButton.y + 1, 0, 0, true, 1, false, 0};
  UpdateGame();
  EXPECT_FALSE(viewResetting) << "on its edge";
  frameInput.mouseX += 1;
  UpdateGame();
  EXPECT_TRUE(viewResetting);
  UpdateGame();
  EXPECT_EQ(std::pair(viewYaw, viewPitch), std::pair(0.0, -54.0)) << "5.5 * 0.9 is inside 5";
}

TEST_F(UpdateTest, StatusLine) {
  const struct { int32_t players, bots, current, winner; bool over; const char* text; } cases[] = {
      {3, 1, 2, 0, false, "Player 2's Turn"}, {3, 1, 3, 0, false, "Computer 1's Turn"},
      {4, 2, 1, 4, true, "Computer 2 wins!"}, {4, 2, 1, 2, true, "Player 2 wins!"},
      {2, 0, 1, 0, true, "Game has ended in a draw"}};
  for (const auto& c : cases) {
    playerCount = c.players, botCount = c.bots, currentPlayer = c.current, winner = c.winner, gameOver = c.over;
    EXPECT_EQ(StatusText(), c.text);
  }
}

}  // namespace
