// The game screen on pixels: tints, grids, marks, result and assist lines,
// hover highlights, the Buttons and the status line.
#include <SDL_ttf.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "app/shell.h"
#include "render/text.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "rules/state.h"
#include "rules/turn.h"
#include "screen/game_screen.h"
#include "support/canvas.h"
#include "support/game_state.h"
#include "title/buttons.h"

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{50, 50, 255};
constexpr Rgb kTints[] = {{70, 20, 20}, {20, 20, 70}, {15, 55, 15}, {70, 30, 70}, {30, 70, 70}};
constexpr Rgb kPlayer1Tint = kTints[0];

constexpr std::pair<int32_t, int32_t> kBoards[] = {{2, 80}, {3, 60}, {4, 60}, {5, 40}};

class GameScreenTest : public GameStateTest {
 protected:
  void UseBoard(int32_t dimensions, int32_t side) {
    dimensionCount = dimensions;
    cellSize = side;
  }

  int CountOf(Rgb colour, SDL_Rect area) const {
    return area.w * area.h - canvas.CountNot(colour, area);
  }

  std::vector<Rgb> Snapshot(SDL_Rect area) const {
    std::vector<Rgb> pixels;
    for (int y = area.y; y < area.y + area.h; ++y)
      for (int x = area.x; x < area.x + area.w; ++x) pixels.push_back(canvas.Pixel(x, y));
    return pixels;
  }

  static int Differences(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
    if (a.size() != b.size()) return -1;
    int differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i) differing += a[i] != b[i];
    return differing;
  }

  // Text drawn straight through the text module at (x, y), for comparison.
  void DrawReferenceText(TTF_Font* font, const std::string& text, int32_t x, int32_t y) {
    DrawText(font, text, [x, y](int, int) { return SDL_Point{x, y}; });
    SDL_RenderPresent(renderer);
  }

  Canvas canvas;
};

// ---- Background ------------------------------------------------------------

TEST_F(GameScreenTest, BackgroundTintFollowsTheTurnAndTurnsBlackAtTheEnd) {
  playerCount = 5;
  for (int32_t player = 1; player <= 5; ++player) {
    currentPlayer = player;
    DrawGame();
    EXPECT_EQ(canvas.Pixel(5, 5), kTints[player - 1]) << "player " << player;
    EXPECT_EQ(canvas.Pixel(1595, 600), kTints[player - 1]) << "player " << player;
  }
  gameOver = true;
  DrawGame();
  EXPECT_EQ(canvas.Pixel(5, 5), kBlack);
  gameOver = false;
  currentPlayer = 6;
  DrawGame();
  EXPECT_EQ(canvas.Pixel(5, 5), kBlack);
}

// ---- Grids -------------------------------------------------------------------

TEST_F(GameScreenTest, GridsHaveInnerLinesButNoOuterBorder) {
  UseBoard(2, 80);
  DrawGame();
  EXPECT_EQ(canvas.Pixel(760, 400), kWhite);
  EXPECT_EQ(canvas.Pixel(800, 490), kWhite);
  EXPECT_EQ(canvas.Pixel(680, 400), kPlayer1Tint);
  EXPECT_EQ(canvas.Pixel(800, 570), kPlayer1Tint);

  for (auto [dimensions, s] : kBoards) {
    UseBoard(dimensions, s);
    DrawGame();
    for (int cell = 0; cell < CellCount(dimensions); cell += 9) {
      const CellSquare corner = CellSquareOf(dimensions, s, cell);
      const int32_t gl = corner.left, gt = corner.top, half = s / 2;
      for (int k = 1; k <= 2; ++k) {
        EXPECT_EQ(canvas.Pixel(gl + k * s, gt + half), kWhite) << dimensions << "D cell " << cell;
        EXPECT_EQ(canvas.Pixel(gl + half, gt + k * s), kWhite) << dimensions << "D cell " << cell;
      }
      for (int k : {0, 3}) {
        EXPECT_EQ(canvas.Pixel(gl + k * s, gt + half), kPlayer1Tint)
            << dimensions << "D cell " << cell;
        EXPECT_EQ(canvas.Pixel(gl + half, gt + k * s), kPlayer1Tint)
            << dimensions << "D cell " << cell;
      }
    }
  }
}

TEST_F(GameScreenTest, FiveDimensionsHaveTwoSeparatorBars) {
  UseBoard(5, 40);
  DrawGame();
  for (int32_t x : {560, 561, 1040, 1041}) {
    for (int32_t y = 230; y <= 670; y += 11) EXPECT_EQ(canvas.Pixel(x, y), kWhite) << x << "," << y;
    EXPECT_EQ(canvas.Pixel(x, 670), kWhite) << x;
    EXPECT_EQ(canvas.Pixel(x, 229), kPlayer1Tint) << x;
    EXPECT_EQ(canvas.Pixel(x, 671), kPlayer1Tint) << x;
  }
  for (int32_t x : {559, 562, 1039, 1042}) EXPECT_EQ(canvas.Pixel(x, 450), kPlayer1Tint) << x;

  UseBoard(4, 60);
  DrawGame();
  EXPECT_EQ(canvas.Pixel(560, 450), kPlayer1Tint);
}

// ---- Marks, result and assist lines ----------------------------------------------

TEST_F(GameScreenTest, MarkIsDrawnInTheSquareThatWasClicked) {
  for (auto [dimensions, s] : kBoards) {
    ResetGameGlobals();
    UseBoard(dimensions, s);
    const int cell = CellCount(dimensions) / 3 + 1;
    const CellSquare square = CellSquareOf(dimensions, s, cell);
    frameInput.mouseX = SquareCentreX(square);
    frameInput.mouseY = SquareCentreY(square);
    frameInput.mouseReleased = true;
    UpdateGame();
    ASSERT_EQ(CellValue(dimensions, cell), 1) << dimensions << "D";
    DrawGame();
    const SDL_Rect inside{square.left + 1, square.top + 1, s - 1, s - 1};
    EXPECT_EQ(canvas.Pixel(SquareCentreX(square), SquareCentreY(square)), kRed)
        << dimensions << "D";
    // The projected views draw the mark too, so only the flat-only boards
    // can be checked for red outside the square.
    if (dimensions == 2 || dimensions == 5) {
      EXPECT_EQ(CountOf(kRed, {0, 0, kCanvasWidth, kCanvasHeight}), CountOf(kRed, inside))
          << dimensions << "D";
    }
  }
}

TEST_F(GameScreenTest, WinningLineIsFiveStrokesInTheWinnersColour) {
  UseBoard(2, 80);
  playerCount = 2;
  gameOver = true;
  winner = 2;
  // The middle row: centres (720, 450) to (880, 450).
  winLine2 = {CellCoord{0, 1}, CellCoord{1, 1}, CellCoord{2, 1}};
  DrawGame();
  for (int32_t y : {449, 450, 451}) EXPECT_EQ(canvas.Pixel(800, y), kBlue) << y;
  EXPECT_EQ(canvas.Pixel(800, 448), kBlack);
  EXPECT_EQ(canvas.Pixel(800, 452), kBlack);
  EXPECT_EQ(canvas.Pixel(719, 450), kBlue);
  EXPECT_EQ(canvas.Pixel(881, 450), kBlue);
  EXPECT_EQ(canvas.Pixel(718, 450), kBlack);
  EXPECT_EQ(canvas.Pixel(882, 450), kBlack);

  winner = 0;  // a draw shows no line
  DrawGame();
  EXPECT_EQ(canvas.Pixel(800, 450), kBlack);
  gameOver = false;
  winner = 2;
  DrawGame();
  EXPECT_EQ(canvas.Pixel(800, 450), kPlayer1Tint);
}

TEST_F(GameScreenTest, AssistLinesAreOnePixelInTheMoversColourUntilTheEnd) {
  UseBoard(2, 80);
  assistMode = true;
  assistLines = {Line{CellCoord{0, 1}, CellCoord{1, 1}, CellCoord{2, 1}},
                 Line{CellCoord{1, 0}, CellCoord{1, 1}, CellCoord{1, 2}}};
  DrawGame();
  EXPECT_EQ(canvas.Pixel(760 - 20, 450), kRed);
  EXPECT_EQ(canvas.Pixel(760 - 20, 449), kPlayer1Tint);
  EXPECT_EQ(canvas.Pixel(760 - 20, 451), kPlayer1Tint);
  EXPECT_EQ(canvas.Pixel(800, 370), kRed);
  EXPECT_EQ(canvas.Pixel(799, 370), kPlayer1Tint);
  EXPECT_EQ(canvas.Pixel(801, 370), kPlayer1Tint);

  gameOver = true;
  DrawGame();
  EXPECT_EQ(CountOf(kRed, {0, 0, kCanvasWidth, kCanvasHeight}), 0);
  gameOver = false;
  assistMode = false;
  DrawGame();
  EXPECT_EQ(CountOf(kRed, {0, 0, kCanvasWidth, kCanvasHeight}), 0);
}

// ---- Highlights and Buttons ------------------------------------------------------

TEST_F(GameScreenTest, HoveredCellIsBrightenedAdditively) {
  UseBoard(2, 80);
  cellHovered = true;
  hoveredCell2 = {1, 1};  // the square (760, 410) to (840, 490)
  DrawGame();
  EXPECT_EQ(canvas.Pixel(800, 450), (Rgb{90, 40, 40}));
  EXPECT_EQ(canvas.Pixel(839, 489), (Rgb{90, 40, 40}));
  EXPECT_EQ(canvas.Pixel(720, 450), kPlayer1Tint);
  EXPECT_EQ(canvas.Pixel(841, 450), kPlayer1Tint);
  SDL_BlendMode mode = SDL_BLENDMODE_ADD;
  SDL_GetRenderDrawBlendMode(renderer, &mode);
  EXPECT_EQ(mode, SDL_BLENDMODE_NONE);

  cellHovered = false;
  DrawGame();
  EXPECT_EQ(canvas.Pixel(800, 450), kPlayer1Tint);
}

TEST_F(GameScreenTest, HoveredButtonIsBrightenedOverItsWholeRectangle) {
  Button button = resetButton;
  const Rgb base{10, 20, 30};
  canvas.Clear(base);
  DrawButton(button, FontOfSize(24));
  SDL_RenderPresent(renderer);
  EXPECT_EQ(canvas.Pixel(button.x + 2, button.y + 2), base);
  EXPECT_EQ(canvas.Pixel(button.x, button.y + button.h / 2), kWhite);

  button.hovered = true;
  canvas.Clear(base);
  DrawButton(button, FontOfSize(24));
  SDL_RenderPresent(renderer);
  EXPECT_EQ(canvas.Pixel(button.x + 2, button.y + 2), (Rgb{50, 60, 70}));
  EXPECT_EQ(canvas.Pixel(button.x + button.w - 1, button.y + button.h - 1), (Rgb{50, 60, 70}));
  EXPECT_EQ(canvas.Pixel(button.x + button.w, button.y + button.h - 1), base);
  SDL_BlendMode mode = SDL_BLENDMODE_ADD;
  SDL_GetRenderDrawBlendMode(renderer, &mode);
  EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
}

TEST_F(GameScreenTest, ButtonLabelIsCentredAndStaysPutWhenHovered) {
  TTF_Font* font = FontOfSize(36);
  ASSERT_NE(font, nullptr);
  Button button = backButton;
  const SDL_Rect area{button.x - 2, button.y - 2, button.w + 4, button.h + 4};
  int tw = 0, th = 0;
  ASSERT_EQ(TTF_SizeText(font, button.label.c_str(), &tw, &th), 0);

  canvas.Clear(kBlack);
  DrawButtonOutline(button);
  DrawReferenceText(font, button.label, button.x + (button.w - tw) / 2,
                    button.y + (button.h - th) / 2);
  const std::vector<Rgb> expected = Snapshot(area);
  const SDL_Rect interior{button.x + 1, button.y + 1, button.w - 1, button.h - 1};
  ASSERT_GT(CountOf(kWhite, interior), 0) << "label pixels expected";

  canvas.Clear(kBlack);
  DrawButton(button, font);
  SDL_RenderPresent(renderer);
  EXPECT_EQ(Differences(Snapshot(area), expected), 0);

  // The overlay lifts black to 40 and leaves the white label where it was.
  button.hovered = true;
  canvas.Clear(kBlack);
  DrawButton(button, font);
  SDL_RenderPresent(renderer);
  const std::vector<Rgb> hovered = Snapshot(area);
  int labelMoved = 0;
  for (std::size_t i = 0; i < expected.size(); ++i)
    labelMoved += expected[i] == kWhite && hovered[i] != kWhite;
  EXPECT_EQ(labelMoved, 0);
}

TEST_F(GameScreenTest, ViewButtonsAppearOnlyWithTheirViews) {
  const auto outlinePixel = [](const Button& b) { return std::pair{b.x, b.y + b.h / 2}; };
  for (auto [dimensions, s] : kBoards) {
    UseBoard(dimensions, s);
    DrawGame();
    const auto [rx, ry] = outlinePixel(resetButton);
    const auto [wx, wy] = outlinePixel(wRotationButton);
    const auto [bx, by] = outlinePixel(backButton);
    EXPECT_EQ(canvas.Pixel(rx, ry) == kWhite, dimensions == 3 || dimensions == 4)
        << dimensions << "D";
    EXPECT_EQ(canvas.Pixel(wx, wy) == kWhite, dimensions == 4) << dimensions << "D";
    EXPECT_EQ(canvas.Pixel(bx, by), kWhite) << dimensions << "D";
  }
}

// ---- Status line ---------------------------------------------------------------

TEST_F(GameScreenTest, StatusTextTakesTheFirstRowThatApplies) {
  playerCount = 3;
  botCount = 1;
  currentPlayer = 3;
  EXPECT_EQ(StatusText(), "Computer 1's Turn");
  currentPlayer = 2;
  EXPECT_EQ(StatusText(), "Player 2's Turn");
  playerCount = 5;
  botCount = 4;
  currentPlayer = 5;
  EXPECT_EQ(StatusText(), "Computer 4's Turn");

  gameOver = true;
  winner = 0;
  EXPECT_EQ(StatusText(), "Game has ended in a draw");
  winner = 3;
  EXPECT_EQ(StatusText(), "Computer 2 wins!");
  winner = 1;
  EXPECT_EQ(StatusText(), "Player 1 wins!");
  playerCount = 2;
  botCount = 0;
  winner = 2;
  EXPECT_EQ(StatusText(), "Player 2 wins!");
}

TEST_F(GameScreenTest, StatusLineIsTheTextAtItsPlace) {
  TTF_Font* font = FontOfSize(36);
  ASSERT_NE(font, nullptr);
  UseBoard(2, 80);
  botCount = 1;
  currentPlayer = 3;
  const SDL_Rect area{0, 790, 1300, 110};
  DrawGame();
  const std::vector<Rgb> drawn = Snapshot(area);

  canvas.Clear(kTints[2]);
  DrawReferenceText(font, "Computer 1's Turn", 65, 825);
  ASSERT_GT(CountOf(kWhite, area), 100) << "status text pixels expected";
  EXPECT_EQ(Differences(drawn, Snapshot(area)), 0);
}

}  // namespace
