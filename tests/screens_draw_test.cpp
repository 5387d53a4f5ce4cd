// Both screens on pixels: tints, grids, bars, lines, highlights, Buttons, labels, title and status line.
#include <array>
#include <string>

#include "platform/platform.h"
#include "render/colours.h"
#include "render/text.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "screens/game_screen.h"
#include "screens/title_screen.h"
#include "support/fixture.h"

namespace {

const Rgb kW = ToRgb(kWhite);

struct DrawTest : GameTest {
  void Play(int32_t d) {
    for (const Button& b : menuButtons)
      if (b.dimensionValue == d) dimensionCount = d, cellSize = b.cellSizeValue;
  }
  // The bounding box of the text-grey pixels (r = g = b, bright) inside `area`.
  static std::array<int, 4> TextBox(const Canvas& canvas, SDL_Rect area) {
    int x0 = 9999, y0 = 9999, x1 = -1, y1 = -1;
    for (int y = area.y; y < area.y + area.h; ++y)
      for (int x = area.x; x < area.x + area.w; ++x) {
        const Rgb c = canvas.Pixel(x, y);
        if (c.r != c.g || c.g != c.b || c.r < 60) continue;
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
    return {x0, y0, x1, y1};
  }
  // Where `text` in `points` lands when its surface's corner is at `place(tw, th)`, on a blank canvas.
  template <class Place>
  static std::array<int, 4> Expected(int points, const std::string& text, SDL_Rect area, Place place) {
    const Canvas blank;
    DrawText(FontOfSize(points), text, place);
    const std::array<int, 4> box = TextBox(blank, area);
    EXPECT_GE(box[2], box[0]) << "no text drawn: " << text;
    return box;
  }
  Canvas canvas;
};

// Per board, s and 2s in from each grid's corner, no border; "Reset" shown in 3D and 4D, "W
// Rotation" in 4D; 5D bars two pixels wide at x = 560 and 1040 from y = 230 to 670.
TEST_F(DrawTest, GridsBarsAndViewButtons) {
  const auto shown = [this](const Button& b) { return canvas.Pixel(b.x, b.y + b.h / 2) == kW; };
  for (int32_t d = 2; d <= 5; ++d) {
    Play(d);
    currentPlayer = d - 1;
    DrawGame();
    const Rgb tint = ToRgb(kTurnBackgrounds[d - 1]);
    for (int grid = 0; grid < CellCount(d); grid += 9) {
      const CellSquare corner = CellSquareOf(d, cellSize, grid);
      for (int k = 0; k <= 3; ++k) {
        const Rgb expected = k == 1 || k == 2 ? kW : tint;
        ASSERT_EQ(canvas.Pixel(corner.left + k * cellSize, corner.top + cellSize / 2), expected) << d << " " << grid;
        ASSERT_EQ(canvas.Pixel(corner.left + cellSize / 2, corner.top + k * cellSize), expected) << d << " " << grid;
      }
    }
    EXPECT_EQ(shown(resetButton), d == 3 || d == 4) << d;
    EXPECT_EQ(shown(wRotationButton), d == 4) << d;
  }
  for (int32_t x : {560, 1040}) {
    EXPECT_EQ(canvas.Count(kW, {x, 230, 2, 441}), 2 * 441) << x;
    EXPECT_EQ(canvas.Count(kW, {x - 1, 229, 4, 443}), 2 * 441) << x;
  }
}

// s = 80: middle row centres (720, 450) and (880, 450). A won line is five strokes in the winner's
// colour; assist lines one pixel in the mover's, gone once the game is over; the background goes
// black; marks sit in their cells.
TEST_F(DrawTest, MarksWinningAndAssistLines) {
  Play(2);
  currentPlayer = 3;
  assistMode = true;
  board2[0][0] = 1;
  assistLines = {Line{CellCoord{0, 1}, CellCoord{1, 1}, CellCoord{2, 1}},
                 Line{CellCoord{1, 0}, CellCoord{1, 1}, CellCoord{1, 2}}};
  winLine2 = assistLines[0];
  const Rgb blue = ToRgb(kMarkColours[2]), green = ToRgb(kMarkColours[3]);
  for (const auto& [over, won] : {std::pair{true, 2}, std::pair{true, 0}, std::pair{false, 2}}) {
    gameOver = over, winner = won;
    DrawGame();
    EXPECT_EQ(canvas.Pixel(720, 370), ToRgb(kMarkColours[1]));
    EXPECT_EQ(canvas.Count(blue), over && won ? 163 + 2 * 161 : 0) << over << won;
    EXPECT_EQ(canvas.Count(blue, {719, 449, 163, 3}), over && won ? 163 + 2 * 161 : 0) << over << won;
    EXPECT_EQ(canvas.Count(green), over ? 0 : 2 * 161 - 1) << over;
    EXPECT_EQ(canvas.Count(green, {720, 450, 161, 1}) + canvas.Count(green, {800, 370, 1, 161}), over ? 0 : 2 * 161);
    EXPECT_EQ(canvas.Pixel(5, 5), over ? ToRgb(kBlack) : ToRgb(kTurnBackgrounds[3])) << over;
  }
}

// White adds over player 1's tint: at 20 on the hovered cell inside its grid lines, at 40 on a
// hovered Button's whole rectangle; the blend mode is left at none.
TEST_F(DrawTest, HoverHighlightsAddWhite) {
  Play(2);
  cellHovered = backButton.hovered = true;
  hoveredCell2 = {1, 1};
  DrawGame();
  const Rgb tint = ToRgb(kTurnBackgrounds[1]);
  const auto add = [tint](int a) { return Rgb{uint8_t(tint.r + a), uint8_t(tint.g + a), uint8_t(tint.b + a)}; };
  EXPECT_EQ(canvas.Count(add(kCellHoverAlpha), {761, 411, 79, 79}), 79 * 79);
  EXPECT_EQ(canvas.Count(add(kCellHoverAlpha)), 79 * 79);
  const Button& b = backButton;
  EXPECT_EQ(canvas.Pixel(b.x + 2, b.y + 2), add(kButtonHoverAlpha));
  EXPECT_EQ(canvas.Pixel(b.x + b.w - 1, b.y + b.h - 1), add(kButtonHoverAlpha));
  EXPECT_EQ(canvas.Pixel(b.x + b.w, b.y + b.h - 1), tint);
  SDL_BlendMode mode = SDL_BLENDMODE_ADD;
  SDL_GetRenderDrawBlendMode(renderer, &mode);
  EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
}

// The status line's corner is (65, 825); "Back"'s label is centred in its Button.
TEST_F(DrawTest, StatusLineAndGameButtonLabels) {
  playerCount = 3, botCount = 1, currentPlayer = 3;
  DrawGame();
  const SDL_Rect line{0, 790, 1300, 110};
  EXPECT_EQ(TextBox(canvas, line), Expected(36, "Computer 1's Turn", line, [](int, int) { return SDL_Point{65, 825}; }));
  const Button& b = backButton;
  const SDL_Rect inside{b.x + 1, b.y + 1, b.w - 1, b.h - 1};
  EXPECT_EQ(TextBox(canvas, inside), Expected(36, "Back", inside, [&b](int tw, int th) { return LabelCorner(b, tw, th); }));
}

// The title: the cycle's colour fills the screen; outlines open 10 pixels at each corner; a
// selected Button is shaded and its label sinks down-left, a hovered one is lightened and its
// label rises up-right; "Zarnith" centred with its middle on y = 150.
TEST_F(DrawTest, TitleScreen) {
  canvas.Clear({200, 200, 200});
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD);  // as earlier drawing might leave it
  DrawMenu();
  const Rgb background{0, 50, 25};
  EXPECT_EQ(canvas.Pixel(5, 5), background);
  EXPECT_EQ(canvas.Pixel(1599, 899), background);
  const SDL_Rect top{0, 0, 1600, 300};
  EXPECT_EQ(TextBox(canvas, top), Expected(72, "Zarnith", top, [](int tw, int th) { return SDL_Point{(1600 - tw) / 2, 150 - th / 2}; }));
  for (const Button& b : std::vector<Button>(menuButtons)) {
    frameInput.mouseX = b.x + b.w, frameInput.mouseY = b.y;
    UpdateMenu();
    ResetTitleBackground();
    DrawMenu();
    const bool selected = b.label == "3 Dimensions" || b.label == "3 Players" || b.label == "0 Bots" || b.label == "Easy";
    const int shift = selected ? -2 : 2, points = b.difficultyValue ? 30 : b.label == "Quit" || b.label == "Assist Mode" ? 24 : 36;
    const SDL_Rect inside{b.x + 1, b.y + 1, b.w - 1, b.h - 1};
    EXPECT_EQ(TextBox(canvas, inside), Expected(points, b.label, inside, [&](int tw, int th) {
                  const SDL_Point at = LabelCorner(b, tw, th);
                  return SDL_Point{at.x + shift, at.y - shift};
                })) << b.label;
    const Rgb fill = canvas.Pixel(b.x + 3, b.y + 3);
    EXPECT_EQ(fill.g, selected ? 50 * 105 / 255 : 50 + 20) << b.label;
    for (int k = 0; k <= 10; ++k) {
      EXPECT_EQ(canvas.Pixel(b.x + k, b.y + b.h) == kW, k == 10) << b.label << " " << k;
      EXPECT_EQ(canvas.Pixel(b.x + b.w, b.y + b.h - k) == kW, k == 10) << b.label << " " << k;
    }
  }
}

}  // namespace
