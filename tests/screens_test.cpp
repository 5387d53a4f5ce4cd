// What the screens do that a frame does not show: the bots' limit, "Play", "Quit", a Button's visit
// and "Back".
#include "support/support.h"

struct ScreensTest : GameTest {
  const Canvas canvas;
};

// Bots never outnumber the players: a bots Button above the player count is ignored, one equal
// to it is taken, and fewer players pull the bots down.
TEST_F(ScreensTest, BotsNeverOutnumberThePlayers) {
  Click(Labelled("2 Bots"));
  Click(Labelled("4 Bots"));
  EXPECT_EQ(botCount, 2) << "4 bots were taken with 3 players";
  Click(Labelled("3 Bots"));
  EXPECT_EQ(botCount, 3) << "3 bots were refused with 3 players";
  Click(Labelled("2 Players"));
  EXPECT_EQ(botCount, 2) << "3 bots stayed with 2 players";
}

// What the setting Buttons do shows in the goldens: "title-play-bot-moves" clicks a board, a player
// count and a bot count, "title-hard" a difficulty and "title-chosen" "Assist Mode".

// "Play" opens the game screen behind the cooldown of a screen switch.
TEST_F(ScreensTest, PlayOpensTheGameBehindACooldown) {
  Click(Labelled("Play"));
  EXPECT_EQ(currentScreen, Game);
  EXPECT_EQ(frameInput.inputCooldown, kScreenSwitchCooldownFrames);
}

// "Quit" ends the frame loop.
TEST_F(ScreensTest, QuitEndsTheGame) {
  Click(Labelled("Quit"));
  EXPECT_FALSE(running);
}

// A Button acts once per pointer visit, all four edges included: releases on its far corner and
// back on its near one, before the pointer leaves, do nothing.
TEST_F(ScreensTest, TitleButtonsActOncePerVisit) {
  const Button& assist = Labelled("Assist Mode");
  for (int32_t corner : {0, 1, 0}) {
    FrameAt({assist.x + corner * assist.w, assist.y + corner * assist.h}, true);
    EXPECT_TRUE(assistMode) << corner;
  }
}

// "Back" counts its edges as inside and starts a new game, every board empty, on the title
// screen, behind a cooldown.
TEST_F(ScreensTest, BackOnItsEdgeStartsANewGameOnTheTitle) {
  dimensionCount = 4;
  currentScreen = Game;
  board4[1][1][1][1] = board5[2][2][2][2][2] = 2;
  FrameAt({backButton.x, backButton.y + backButton.h}, true);
  EXPECT_EQ(currentScreen, Menu);
  EXPECT_EQ(board4[1][1][1][1], 0) << "the 4D board kept its mark";
  EXPECT_EQ(board5[2][2][2][2][2], 0) << "the 5D board kept its mark";
  EXPECT_EQ(frameInput.inputCooldown, kScreenSwitchCooldownFrames);
}
