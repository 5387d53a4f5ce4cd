// What the screens do that a frame does not show: the title Buttons' effects, "Back", and the
// view controls.
#include "support/support.h"

struct ScreensTest : GameTest {
  // One frame of the current screen with the pointer at (x, y), released there or not.
  static void Frame(int32_t x, int32_t y, bool release) {
    frameInput.mouseX = x;
    frameInput.mouseY = y;
    frameInput.mouseReleased = release;
    RunCurrentScreen();
  }
  // A release on the Button's centre, then the pointer off every Button, which ends the visit.
  static void Click(const Button& b) {
    Frame(b.x + b.w / 2, b.y + b.h / 2, true);
    Frame(0, 0, false);
  }
  const Canvas canvas;
};

// Clicks from the start settings, and the settings, screen and run state they leave: a board sets
// its cell size too, fewer players pull the bots down, and bots above the players are ignored.
TEST_F(ScreensTest, TitleButtonsHaveTheirEffects) {
  // dimensions, cell size, players, bots, difficulty, assist, screen, input cooldown, running
  using Settings = std::array<int32_t, 9>;
  const std::pair<std::vector<std::string>, Settings> rows[] = {
      {{"2 Dimensions"}, {2, 80, 3, 0, 1, 0, Menu, 0, 1}},
      {{"5 Dimensions", "3 Dimensions"}, {3, 60, 3, 0, 1, 0, Menu, 0, 1}},
      {{"4 Dimensions"}, {4, 60, 3, 0, 1, 0, Menu, 0, 1}},
      {{"5 Dimensions"}, {5, 40, 3, 0, 1, 0, Menu, 0, 1}},
      {{"2 Players"}, {3, 60, 2, 0, 1, 0, Menu, 0, 1}},
      {{"5 Players", "3 Players"}, {3, 60, 3, 0, 1, 0, Menu, 0, 1}},
      {{"4 Players"}, {3, 60, 4, 0, 1, 0, Menu, 0, 1}},
      {{"5 Players"}, {3, 60, 5, 0, 1, 0, Menu, 0, 1}},
      {{"3 Bots", "0 Bots"}, {3, 60, 3, 0, 1, 0, Menu, 0, 1}},
      {{"1 Bots"}, {3, 60, 3, 1, 1, 0, Menu, 0, 1}},
      {{"2 Bots"}, {3, 60, 3, 2, 1, 0, Menu, 0, 1}},
      {{"3 Bots", "2 Players"}, {3, 60, 2, 2, 1, 0, Menu, 0, 1}},
      {{"4 Bots"}, {3, 60, 3, 0, 1, 0, Menu, 0, 1}},
      {{"Hard", "Easy"}, {3, 60, 3, 0, 1, 0, Menu, 0, 1}},
      {{"Meh"}, {3, 60, 3, 0, 2, 0, Menu, 0, 1}},
      {{"Hard"}, {3, 60, 3, 0, 3, 0, Menu, 0, 1}},
      {{"Assist Mode"}, {3, 60, 3, 0, 1, 1, Menu, 0, 1}},
      {{"Play"}, {3, 60, 3, 0, 1, 0, Game, 3, 1}},
      {{"Quit"}, {3, 60, 3, 0, 1, 0, Menu, 0, 0}},
  };
  for (const auto& [clicks, expected] : rows) {
    SetStartValues();
    for (const std::string& label : clicks) Click(Labelled(label));
    const Settings settings{dimensionCount, cellSize,   playerCount,   botCount,
                            difficulty,     assistMode, currentScreen, frameInput.inputCooldown,
                            running};
    EXPECT_EQ(settings, expected) << clicks.back();
  }
}

// A Button acts once per pointer visit, all four edges included: releases on its far corner and
// back on its near one, before the pointer leaves, do nothing.
TEST_F(ScreensTest, TitleButtonsActOncePerVisit) {
  const Button& assist = Labelled("Assist Mode");
  for (int32_t corner : {0, 1, 0}) {
    Frame(assist.x + corner * assist.w, assist.y + corner * assist.h, true);
    EXPECT_TRUE(assistMode) << corner;
  }
}

// "Back" counts its edges as inside and starts a new game, every board empty, on the title screen,
// behind a cooldown; "Reset" and "W Rotation" do not count theirs.
TEST_F(ScreensTest, BackAndTheViewButtonsEdges) {
  dimensionCount = 4;
  currentScreen = Game;
  board4[1][1][1][1] = board5[2][2][2][2][2] = 2;
  Frame(resetButton.x, resetButton.y + 1, true);
  Frame(wRotationButton.x, wRotationButton.y + 1, true);
  EXPECT_EQ(std::pair(viewResetting, wAngleTarget), std::pair(false, 0.0));
  Frame(backButton.x, backButton.y + backButton.h, true);
  EXPECT_EQ(std::tuple(currentScreen, board4[1][1][1][1] + board5[2][2][2][2][2],
                       frameInput.inputCooldown),
            std::tuple(Menu, 0, kScreenSwitchCooldownFrames));
}
