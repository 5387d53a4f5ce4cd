// Turn flow: clicks on cells, turn order, bot pacing, "Back" and the view controls.
#include <cmath>
#include <utility>

#include "app/shell.h"
#include "platform/platform.h"
#include "rules/layout.h"
#include "rules/state.h"
#include "render/projection.h"
#include "screens/game_screen.h"
#include "support/game_state.h"
#include "screens/buttons.h"

namespace {

// One frame with the pointer at (x, y) and, by default, a left release.
void FrameAt(int32_t x, int32_t y, bool release = true) {
  frameInput.mouseX = x;
  frameInput.mouseY = y;
  frameInput.mouseReleased = release;
  UpdateGame();
  frameInput.mouseReleased = false;
}

void ReleaseOnCell(int cell) {
  const CellSquare q = CellSquareOf(dimensionCount, cellSize, cell);
  FrameAt(q.left + q.side / 2, q.top + q.side / 2);
}

int MarkedCells() {
  int marked = 0;
  for (int cell = 0; cell < CellCount(dimensionCount); ++cell)
    marked += CellValue(dimensionCount, cell) != 0;
  return marked;
}

void UseBoard(int32_t dimensions, int32_t side) {
  StartNewGame();
  dimensionCount = dimensions;
  cellSize = side;
}

class TurnTest : public GameStateTest {};

// A two-player game on the 3x3 board at s = 80, origin (680, 330).
TEST_F(TurnTest, ClicksPlaceMarksAndPassTheTurn) {
  UseBoard(2, 80);
  playerCount = 2;
  FrameAt(760, 350);  // the grid line between board2[0][0] and board2[1][0]
  FrameAt(700, 350);  // board2[0][0]
  FrameAt(750, 400);  // board2[0][0] again: taken, so player 2 is still to move
  FrameAt(850, 500);  // board2[2][2]
  FrameAt(780, 350);  // board2[1][0]
  FrameAt(850, 420);  // board2[2][1]
  FrameAt(850, 350);  // board2[2][0] completes player 1's (0,0), (1,0), (2,0)
  FrameAt(700, 430);  // board2[0][1], after the end: nothing
  EXPECT_EQ(board2, (Board2{{1, 0, 0}, {1, 0, 0}, {1, 2, 2}}));
  EXPECT_EQ(winner, 1);
  EXPECT_EQ(currentPlayer, 2);
}

TEST_F(TurnTest, BotWaitsAHundredFramesIgnoringClicksThenMoves) {
  botCount = 1;  // player 3 of 3
  currentPlayer = 3;
  for (int frame = 1; frame <= 100; ++frame) {
    ReleaseOnCell(frame % 27);
    ASSERT_EQ(MarkedCells(), 0) << "frame " << frame;
  }
  UpdateGame();
  EXPECT_EQ(MarkedCells(), 1);
  EXPECT_EQ(currentPlayer, 1);
}

TEST_F(TurnTest, AllBotGameRunsToItsEndWithoutInput) {
  playerCount = botCount = 2;
  for (int frame = 0; frame < 101 * 27 && !gameOver; ++frame) UpdateGame();  // 27 moves at most
  EXPECT_GT(winner, 0);  // two players cannot fill the 27 cells without a line
  const int marked = MarkedCells();
  for (int frame = 0; frame < 202; ++frame) UpdateGame();
  EXPECT_EQ(MarkedCells(), marked);  // the game is over: no more moves
}

// "Back" counts its right and bottom edges, at every board's cell size.
TEST_F(TurnTest, BackStartsANewGameOnTheTitleScreen) {
  const int32_t right = backButton.x + backButton.w, bottom = backButton.y + backButton.h;
  FrameAt(right + 1, bottom);
  EXPECT_FALSE(backButton.hovered);
  for (auto [dimensions, side] : {std::pair{2, 80}, {3, 60}, {4, 60}, {5, 40}}) {
    UseBoard(dimensions, side);
    currentScreen = Game;
    ReleaseOnCell(1);
    ASSERT_EQ(MarkedCells(), 1);
    FrameAt(right, bottom);
    EXPECT_EQ(currentScreen, Menu) << dimensions << "D";
    EXPECT_EQ(std::exchange(frameInput.inputCooldown, 0), 3);
    EXPECT_EQ(MarkedCells(), 0);
    EXPECT_EQ(currentPlayer, 1);
  }
}

// 4D: releases on the edges do nothing; the yaw eases as 100 * 0.9^k until below 5 (frame
// 29), and a quarter turn about w takes 180 frames at half a degree, the click's included.
TEST_F(TurnTest, ResetAndWRotationEaseTheView) {
  UseBoard(4, 60);
  for (const Button* b : {&resetButton, &wRotationButton}) {
    const int32_t mx = b->x + b->w / 2, my = b->y + b->h / 2;
    for (auto [x, y] : {std::pair{b->x, my}, {b->x + b->w, my}, {mx, b->y}, {mx, b->y + b->h}})
      FrameAt(x, y);
    EXPECT_FALSE(b->hovered) << b->label;
  }
  viewYaw = 100.0;
  FrameAt(resetButton.x + 1, resetButton.y + 1);  // easing starts in the next frame
  for (int k = 1; k <= 28; ++k) {
    UpdateGame();
    EXPECT_NEAR(viewYaw, 100.0 * std::pow(0.9, k), 1e-9) << "frame " << k;
    ASSERT_TRUE(viewResetting);
  }
  UpdateGame();
  EXPECT_EQ(viewYaw, 0.0);
  EXPECT_FALSE(viewResetting);

  FrameAt(wRotationButton.x + wRotationButton.w - 1, wRotationButton.y + wRotationButton.h - 1);
  EXPECT_EQ(wAngleTarget, 90.0);
  for (int frame = 2; frame < 180; ++frame) UpdateGame();
  EXPECT_EQ(wAngle, 89.5);
  UpdateGame();
  EXPECT_EQ(wAngle, 90.0);
}

// Dragging turns the 3D and 4D views by a fifth of the pointer travel; only 4D turns about w.
TEST_F(TurnTest, ViewControlsWorkOnlyOnTheProjectedViews) {
  for (auto [dimensions, drags] : {std::pair{2, false}, {3, true}, {4, true}, {5, false}}) {
    UseBoard(dimensions, 60);
    viewYaw = viewPitch = wAngle = 0.0;
    wAngleTarget = 45.0;
    frameInput.mouseHeld = true;
    frameInput.prevMouseX = frameInput.prevMouseY = 300;
    FrameAt(312, 293, false);
    EXPECT_DOUBLE_EQ(viewYaw, drags ? 2.4 : 0.0) << dimensions << "D";
    EXPECT_DOUBLE_EQ(viewPitch, drags ? -1.4 : 0.0) << dimensions << "D";
    FrameAt(wRotationButton.x + 5, wRotationButton.y + 5);
    EXPECT_EQ(wAngleTarget, dimensions == 4 ? 135.0 : 45.0) << dimensions << "D";
    EXPECT_EQ(wAngle, dimensions == 4 ? 1.0 : 0.0) << dimensions << "D";
  }
}

}  // namespace
