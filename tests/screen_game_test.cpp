// The game screen on pixels: tints, grids, marks, lines, highlights, Buttons and the status line.
#include <string>
#include <tuple>

#include "app/shell.h"
#include "platform/platform.h"
#include "render/text.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "screens/game_screen.h"
#include "screens/game_screen.h"
#include "support/canvas.h"
#include "support/game_state.h"

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{50, 50, 255};
constexpr SDL_Rect kWhole{0, 0, 1600, 900};

struct GameScreenTest : GameStateTest {
  static void Play(int32_t dimensions) {  // with the cell size the title screen gives it
    dimensionCount = dimensions;
    cellSize = dimensions == 2 ? 80 : dimensions == 5 ? 40 : 60;
  }

  int CountOf(Rgb c, SDL_Rect a) const { return a.w * a.h - canvas.CountNot(c, a); }

  Canvas canvas;
};

// Per board: a clicked cell's mark lies in its square (the flat-only boards show no red elsewhere);
// grid lines s and 2s in from each grid's corner, no border; "Reset" in 3D and 4D, "W Rotation" in
// 4D. 5D adds bars at x = 560, 561, 1040 and 1041 from y = 230 to 670, and nothing beside them.
TEST_F(GameScreenTest, FlatBoardsAndTheirButtons) {
  const auto shown = [this](const Button& b) { return canvas.Pixel(b.x, b.y + b.h / 2) == kWhite; };
  for (int32_t d = 2; d <= 5; ++d) {
    ResetGameGlobals();
    Play(d);
    const int32_t s = cellSize, cell = CellCount(d) / 3 + 1;
    const CellSquare square = CellSquareOf(d, s, cell);
    frameInput = FrameInput{SquareCentreX(square), SquareCentreY(square), 0, 0, true};
    UpdateGame();
    DrawGame();
    const int inside = CountOf(kRed, {square.left + 1, square.top + 1, s - 1, s - 1});
    EXPECT_EQ(canvas.Pixel(SquareCentreX(square), SquareCentreY(square)), kRed) << d;
    EXPECT_TRUE((d != 2 && d != 5) || CountOf(kRed, kWhole) == inside) << d;
    for (int grid = 0; grid < CellCount(d); grid += 9) {
      const CellSquare corner = CellSquareOf(d, s, grid);
      for (int k = 0; k <= 3; ++k) {
        const Rgb expected = k == 1 || k == 2 ? kWhite : Rgb{20, 20, 70};  // player 2 to move
        EXPECT_EQ(canvas.Pixel(corner.left + k * s, corner.top + s / 2), expected) << d << grid;
        EXPECT_EQ(canvas.Pixel(corner.left + s / 2, corner.top + k * s), expected) << d << grid;
      }
    }
    EXPECT_EQ(shown(resetButton), d == 3 || d == 4) << d;
    EXPECT_EQ(shown(wRotationButton), d == 4) << d;
  }
  for (int32_t x : {560, 1040}) EXPECT_EQ(CountOf(kWhite, {x, 230, 2, 441}), 2 * 441) << x;
  for (int32_t x : {560, 1040}) EXPECT_EQ(CountOf(kWhite, {x - 1, 229, 4, 443}), 2 * 441) << x;
}

// s = 80: middle row centres (720, 450) and (880, 450), middle column (800, 370) and (800, 530).
// A won line is five strokes in the winner's colour: row 450 from 719 to 881, rows 449 and 451
// from 720 to 880. Assist lines are one pixel in the mover's colour, and gone once it is over.
TEST_F(GameScreenTest, WinningAndAssistLines) {
  Play(2);
  currentPlayer = 3;
  assistMode = true;
  assistLines = {Line{CellCoord{0, 1}, CellCoord{1, 1}, CellCoord{2, 1}},
                 Line{CellCoord{1, 0}, CellCoord{1, 1}, CellCoord{1, 2}}};
  winLine2 = assistLines[0];
  const Rgb green{0, 255, 0};
  for (const auto& [over, won] : {std::pair{true, 2}, std::pair{true, 0}, std::pair{false, 2}}) {
    gameOver = over;
    winner = won;
    DrawGame();
    EXPECT_EQ(CountOf(kBlue, kWhole), over && won ? 163 + 2 * 161 : 0) << over << won;
    EXPECT_EQ(CountOf(kBlue, {720, 449, 161, 3}), over && won ? 3 * 161 : 0) << over << won;
    EXPECT_EQ(CountOf(kBlue, {719, 450, 163, 1}), over && won ? 163 : 0) << over << won;
    EXPECT_EQ(CountOf(green, {720, 450, 161, 1}) + CountOf(green, {800, 370, 1, 161}),
              over ? 0 : 2 * 161) << over;
    EXPECT_EQ(CountOf(green, kWhole), over ? 0 : 2 * 161 - 1) << over;
    EXPECT_EQ(canvas.Pixel(5, 5), (over ? kBlack : Rgb{15, 55, 15})) << over;
  }
}

// White adds over player 1's (70, 20, 20): at alpha 20 on the hovered cell's square (760, 410) to
// (840, 490), inside its grid lines, and at alpha 40 on the whole rectangle of a hovered Button.
TEST_F(GameScreenTest, HoverHighlightsAddWhite) {
  Play(2);
  cellHovered = backButton.hovered = true;
  hoveredCell2 = {1, 1};
  DrawGame();
  EXPECT_EQ(CountOf({90, 40, 40}, {761, 411, 79, 79}), 79 * 79);
  EXPECT_EQ(CountOf({90, 40, 40}, kWhole), 79 * 79);
  const Button& b = backButton;
  EXPECT_EQ(canvas.Pixel(b.x + 2, b.y + 2), (Rgb{110, 60, 60}));
  EXPECT_EQ(canvas.Pixel(b.x + b.w - 1, b.y + b.h - 1), (Rgb{110, 60, 60}));
  EXPECT_EQ(canvas.Pixel(b.x + b.w, b.y + b.h - 1), (Rgb{70, 20, 20}));
}

// Background and status line by the first row that applies, bots numbered among themselves. The
// same text in the same font at (65, 825) adds nothing to the frame and alone lights as much.
TEST_F(GameScreenTest, BackgroundAndStatusLineFollowTheTurn) {
  ASSERT_NE(FontOfSize(36), nullptr);
  const std::tuple<int32_t, int32_t, int32_t, bool, int32_t, Rgb, std::string> rows[] = {
      {3, 1, 3, false, 0, {15, 55, 15}, "Computer 1's Turn"},
      {5, 4, 5, false, 0, {30, 70, 70}, "Computer 4's Turn"},
      {5, 0, 4, false, 0, {70, 30, 70}, "Player 4's Turn"},
      {5, 0, 6, false, 0, kBlack, "Computer 1's Turn"},
      {5, 4, 5, true, 0, kBlack, "Game has ended in a draw"},
      {5, 4, 1, true, 3, kBlack, "Computer 2 wins!"},
      {2, 0, 1, true, 2, kBlack, "Player 2 wins!"}};
  const SDL_Rect line{0, 790, 1300, 110};
  for (const auto& row : rows) {
    std::tie(playerCount, botCount, currentPlayer, gameOver, winner, std::ignore, std::ignore) =
        row;
    const auto& [players, bots, current, over, won, background, text] = row;
    EXPECT_EQ(StatusText(), text);
    DrawGame();
    EXPECT_EQ(canvas.Pixel(5, 5), background) << text;
    const int lit = CountOf(kWhite, line);
    for (bool alone : {false, true}) {
      if (alone) canvas.Clear(background);
      DrawText(FontOfSize(36), text, [](int, int) { return SDL_Point{65, 825}; });
      EXPECT_EQ(CountOf(kWhite, line), lit) << text;
    }
  }
}
