// Turn flow: clicks on cells, turn order, bot pacing, "Back" and the view controls.
#include <cmath>
#include <utility>

#include "app/shell.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "rules/state.h"
#include "rules/turn.h"
#include "support/game_state.h"
#include "title/buttons.h"

namespace {

// Dimension counts with the cell sizes the title screen gives them.
constexpr std::pair<int32_t, int32_t> kBoards[] = {{2, 80}, {3, 60}, {4, 60}, {5, 40}};

class TurnTest : public GameStateTest {
 protected:
  void UseBoard(int32_t dimensions, int32_t side) {
    dimensionCount = dimensions;
    cellSize = side;
  }

  void PointAt(int32_t x, int32_t y) {
    frameInput.mouseX = x;
    frameInput.mouseY = y;
  }

  // One frame with a left release at (x, y).
  void ReleaseAt(int32_t x, int32_t y) {
    PointAt(x, y);
    frameInput.mouseReleased = true;
    UpdateGame();
    frameInput.mouseReleased = false;
  }

  CellSquare Square(int cell) const { return CellSquareOf(dimensionCount, cellSize, cell); }

  void ReleaseOnCell(int cell) {
    const CellSquare square = Square(cell);
    ReleaseAt(SquareCentreX(square), SquareCentreY(square));
  }

  void Frames(int count) {
    for (int i = 0; i < count; ++i) UpdateGame();
  }

  int MarkedCells() const {
    int marked = 0;
    for (int cell = 0; cell < CellCount(dimensionCount); ++cell)
      marked += CellValue(dimensionCount, cell) != 0;
    return marked;
  }

  static void ExpectNear(double expected, double actual) {
    EXPECT_NEAR(expected, actual, 1e-9 * std::fabs(expected) + 1e-12);
  }
};

// ---- Picking cells -----------------------------------------------------------

TEST_F(TurnTest, ReleaseOnGridLineOrSquareEdgePlacesNothing) {
  UseBoard(2, 80);
  ReleaseAt(760, 350);  // the line between board2[0][0] and board2[1][0]
  ReleaseAt(680, 350);  // the left edge of board2[0][0]
  EXPECT_EQ(MarkedCells(), 0);
  EXPECT_EQ(currentPlayer, 1);
  ReleaseAt(700, 350);
  EXPECT_EQ(board2[0][0], 1);

  for (auto [dimensions, side] : kBoards) {
    StartNewGame();
    UseBoard(dimensions, side);
    const CellSquare square = Square(CellCount(dimensions) / 2);
    const int32_t midX = square.left + side / 2, midY = square.top + side / 2;
    ReleaseAt(square.left, midY);
    ReleaseAt(square.left + side, midY);
    ReleaseAt(midX, square.top);
    ReleaseAt(midX, square.top + side);
    EXPECT_EQ(MarkedCells(), 0) << dimensions << "D";
    EXPECT_EQ(currentPlayer, 1) << dimensions << "D";
  }
}

TEST_F(TurnTest, ReleaseMarksTheCellUnderThePointerOnEveryBoard) {
  for (auto [dimensions, side] : kBoards) {
    StartNewGame();
    UseBoard(dimensions, side);
    const int cell = CellCount(dimensions) - 4;
    ReleaseOnCell(cell);
    EXPECT_EQ(CellValue(dimensions, cell), 1) << dimensions << "D";
    EXPECT_EQ(MarkedCells(), 1) << dimensions << "D";
  }
}

TEST_F(TurnTest, ReleaseOnOccupiedCellKeepsTheTurn) {
  board3[1][1][1] = 2;
  ReleaseOnCell(13);
  EXPECT_EQ(board3[1][1][1], 2);
  EXPECT_EQ(MarkedCells(), 1);
  EXPECT_EQ(currentPlayer, 1);
}

TEST_F(TurnTest, TwoPlayersPassTheTurnBothWays) {
  playerCount = 2;
  ReleaseOnCell(0);
  EXPECT_EQ(board3[0][0][0], 1);
  EXPECT_EQ(currentPlayer, 2);
  ReleaseOnCell(5);
  EXPECT_EQ(board3[0][1][2], 2);
  EXPECT_EQ(currentPlayer, 1);
}

TEST_F(TurnTest, CompletingMoveAdvancesTheTurnAndRecordsTheMover) {
  playerCount = 2;
  UseBoard(2, 80);
  board2[0][0] = 1;
  board2[1][0] = 1;
  board2[0][1] = 2;
  board2[1][1] = 2;
  ReleaseOnCell(6);  // board2[2][0]
  EXPECT_TRUE(gameOver);
  EXPECT_EQ(winner, 1);
  EXPECT_EQ(currentPlayer, 2);
}

TEST_F(TurnTest, HoverAndAssistFollowThePointerExceptWhileABotWaits) {
  assistMode = true;
  board3[0][0][0] = 1;
  PointAt(SquareCentreX(Square(1)), SquareCentreY(Square(1)));  // board3[0][0][1]
  Frames(2);
  EXPECT_TRUE(cellHovered);
  EXPECT_EQ(hoveredCell3, (CellCoord{0, 0, 1}));
  EXPECT_EQ(assistLines.size(), 1u);  // collected afresh, not piled up

  botCount = 3;
  PointAt(SquareCentreX(Square(2)), SquareCentreY(Square(2)));
  UpdateGame();
  EXPECT_EQ(hoveredCell3, (CellCoord{0, 0, 1}));
  EXPECT_TRUE(assistLines.empty());

  gameOver = true;
  UpdateGame();
  EXPECT_EQ(hoveredCell3, (CellCoord{0, 0, 2}));
  EXPECT_FALSE(cellHovered);
}

// ---- Bots ----------------------------------------------------------------------

TEST_F(TurnTest, BotWaitsAHundredFramesIgnoringClicksThenMoves) {
  botCount = 1;  // player 3 of 3
  currentPlayer = 2;
  ReleaseOnCell(0);
  ASSERT_EQ(currentPlayer, 3);
  for (int frame = 1; frame <= kBotDelayFrames; ++frame) {
    ReleaseOnCell(frame % CellCount(3));
    ASSERT_EQ(MarkedCells(), 1) << "frame " << frame;
    ASSERT_EQ(currentPlayer, 3) << "frame " << frame;
  }
  EXPECT_EQ(botDelayFrames, kBotDelayFrames);

  UpdateGame();
  EXPECT_EQ(MarkedCells(), 2);
  EXPECT_EQ(currentPlayer, 1);
  EXPECT_EQ(botDelayFrames, 0);
}

TEST_F(TurnTest, AllBotGameEndsWithoutInput) {
  for (auto [dimensions, side] : {std::pair{2, 80}, std::pair{3, 60}}) {
    ResetGameGlobals();
    UseBoard(dimensions, side);
    playerCount = 2;
    botCount = 2;
    const int frameBound = (kBotDelayFrames + 1) * CellCount(dimensions) + 1;
    for (int frame = 0; frame < frameBound && !gameOver; ++frame) UpdateGame();
    EXPECT_TRUE(gameOver) << dimensions << "D";
    EXPECT_GE(MarkedCells(), 5) << dimensions << "D";
  }
}

TEST_F(TurnTest, NothingIsPlacedOnceTheGameIsOver) {
  gameOver = true;
  ReleaseOnCell(4);
  botCount = 3;
  Frames(3 * kBotDelayFrames);
  EXPECT_EQ(MarkedCells(), 0);
  EXPECT_EQ(currentPlayer, 1);
  EXPECT_EQ(botDelayFrames, 0);
}

// ---- "Back" ----------------------------------------------------------------

TEST_F(TurnTest, BackIncludesItsEdgesAndStartsANewGame) {
  const int32_t right = backButton.x + backButton.w, bottom = backButton.y + backButton.h;
  currentScreen = Game;
  ReleaseAt(right + 1, bottom);
  EXPECT_FALSE(backButton.hovered);
  EXPECT_EQ(currentScreen, Game);
  EXPECT_EQ(frameInput.inputCooldown, 0);

  const std::pair<int32_t, int32_t> inside[] = {
      {right, bottom}, {backButton.x, backButton.y}, {right, backButton.y + 1}};
  for (auto [dimensions, side] : kBoards) {
    for (auto [x, y] : inside) {
      ResetGameGlobals();
      UseBoard(dimensions, side);
      currentScreen = Game;
      ReleaseOnCell(1);
      ASSERT_EQ(currentPlayer, 2);
      ReleaseAt(x, y);
      EXPECT_EQ(currentScreen, Menu) << dimensions << "D at " << x << "," << y;
      EXPECT_EQ(frameInput.inputCooldown, kScreenSwitchCooldownFrames);
      EXPECT_EQ(MarkedCells(), 0);
      EXPECT_EQ(currentPlayer, 1);
    }
  }
}

TEST_F(TurnTest, BackFinishesTheFrameAndKeepsTheBotCount) {
  botCount = 1;
  currentPlayer = 3;
  Frames(50);
  viewYaw = 100.0;
  viewResetting = true;
  ReleaseAt(backButton.x + 1, backButton.y + 1);
  EXPECT_EQ(currentPlayer, 1);
  EXPECT_EQ(botDelayFrames, 50);
  ExpectNear(90.0, viewYaw);
}

// ---- View controls -------------------------------------------------------------

TEST_F(TurnTest, ViewButtonsExcludeTheirEdges) {
  UseBoard(4, 60);
  for (const Button* b : {&resetButton, &wRotationButton}) {
    ReleaseAt(b->x, b->y + b->h / 2);
    ReleaseAt(b->x + b->w, b->y + b->h / 2);
    ReleaseAt(b->x + b->w / 2, b->y);
    ReleaseAt(b->x + b->w / 2, b->y + b->h);
    EXPECT_FALSE(b->hovered) << b->label;
  }
  EXPECT_FALSE(viewResetting);
  EXPECT_EQ(wAngleTarget, 0.0);

  ReleaseAt(resetButton.x + 1, resetButton.y + 1);
  EXPECT_TRUE(resetButton.hovered);
  EXPECT_TRUE(viewResetting);
  ReleaseAt(wRotationButton.x + wRotationButton.w - 1, wRotationButton.y + wRotationButton.h - 1);
  EXPECT_TRUE(wRotationButton.hovered);
  EXPECT_EQ(wAngleTarget, 90.0);
}

TEST_F(TurnTest, ResetEasesTheViewBackAndStops) {
  viewYaw = 100.0;
  ReleaseAt(resetButton.x + 10, resetButton.y + 10);
  ASSERT_TRUE(viewResetting);
  EXPECT_EQ(viewYaw, 100.0);  // easing starts in the next frame
  PointAt(0, 0);
  for (int k = 1; k <= 28; ++k) {
    UpdateGame();
    ExpectNear(100.0 * std::pow(0.9, k), viewYaw);
    ASSERT_TRUE(viewResetting) << "frame " << k;
  }
  UpdateGame();
  EXPECT_EQ(viewYaw, 0.0);
  EXPECT_EQ(viewPitch, 0.0);
  EXPECT_FALSE(viewResetting);

  // Resetting lasts until both angles are 0.
  viewYaw = 6.0;
  viewPitch = -100.0;
  viewResetting = true;
  Frames(2);
  EXPECT_EQ(viewYaw, 0.0);
  EXPECT_TRUE(viewResetting);
  ExpectNear(-81.0, viewPitch);
}

TEST_F(TurnTest, DraggingTurnsTheViewByAFifthOfThePointerTravel) {
  frameInput.mouseHeld = true;
  frameInput.prevMouseX = 300;
  frameInput.prevMouseY = 200;
  PointAt(312, 193);
  UpdateGame();
  ExpectNear(12 / 5.0, viewYaw);
  ExpectNear(-7 / 5.0, viewPitch);

  viewResetting = true;
  viewYaw = 50.0;
  UpdateGame();
  ExpectNear(45.0, viewYaw);  // eased, not dragged
}

TEST_F(TurnTest, FlatOnlyBoardsIgnoreTheViewControls) {
  for (auto [dimensions, side] : {std::pair{2, 80}, std::pair{5, 40}}) {
    ResetGameGlobals();
    UseBoard(dimensions, side);
    frameInput.mouseHeld = true;
    frameInput.prevMouseX = 0;
    frameInput.prevMouseY = 0;
    resetButton.hovered = true;
    wAngleTarget = 90.0;
    ReleaseAt(resetButton.x + 5, resetButton.y + 5);
    ReleaseAt(wRotationButton.x + 5, wRotationButton.y + 5);
    EXPECT_EQ(viewYaw, 0.0) << dimensions << "D";
    EXPECT_EQ(viewPitch, 0.0) << dimensions << "D";
    EXPECT_FALSE(viewResetting) << dimensions << "D";
    EXPECT_TRUE(resetButton.hovered) << dimensions << "D";
    EXPECT_FALSE(wRotationButton.hovered) << dimensions << "D";
    EXPECT_EQ(wAngle, 0.0) << dimensions << "D";
    EXPECT_EQ(wAngleTarget, 90.0) << dimensions << "D";
  }
}

TEST_F(TurnTest, OneWRotationClickTakes180FramesAndAnOvershootDrops) {
  UseBoard(4, 60);
  ReleaseAt(wRotationButton.x + 5, wRotationButton.y + 5);
  EXPECT_EQ(wAngleTarget, 90.0);
  PointAt(0, 0);
  Frames(178);
  EXPECT_EQ(wAngle, 89.5);
  UpdateGame();
  EXPECT_EQ(wAngle, 90.0);
  Frames(5);
  EXPECT_EQ(wAngle, 90.0);

  wAngle = 135.25;  // above the target: drops straight onto it
  UpdateGame();
  EXPECT_EQ(wAngle, 90.0);
}

TEST_F(TurnTest, WRotationDoesNothingOnThreeDimensions) {
  wAngleTarget = 45.0;
  ReleaseAt(wRotationButton.x + 5, wRotationButton.y + 5);
  Frames(10);
  EXPECT_EQ(wAngleTarget, 45.0);
  EXPECT_EQ(wAngle, 0.0);
  EXPECT_FALSE(wRotationButton.hovered);
}

}  // namespace
