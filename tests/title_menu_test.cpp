// Tests of the title screen: hover, latch, settings and actions, and the drawn picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/shell.h"
#include "platform/platform.h"
#include "render/text.h"
#include "rules/state.h"
#include "support/canvas.h"
#include "support/game_state.h"
#include "screens/buttons.h"
#include "screens/title_screen.h"

constexpr Rgb kFirstBackground{0, 50, 25};  // red 0.1 and blue 25.15 truncated
constexpr Rgb kDarkened{0, 21, 10};    // black at alpha 150 over the background: c * 105 / 255
constexpr Rgb kLightened{20, 70, 45};  // white at alpha 20 added to the background
constexpr int kTextRed = 90;  // text stays above this red even darkened; backgrounds stay below

// Bounding box {x0, y0, x1, y1} of the text pixels strictly inside a Button's outline.
using Box = std::array<int, 4>;
constexpr Box kNoBox{1 << 20, 1 << 20, -1, -1};
static Box TextBoxIn(const Canvas& canvas, const Button& b) {
  Box box = kNoBox;
  for (int y = b.y + 1; y < b.y + b.h; ++y)
    for (int x = b.x + 1; x < b.x + b.w; ++x)
      if (canvas.Pixel(x, y).r > kTextRed)
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
  return box;
}

// The text box of a Button's label rendered alone, centred, then moved by (dx, dy).
static Box ExpectedLabel(const Button& b, int points, int dx, int dy) {
  Canvas blank;
  SDL_Surface* s = TTF_RenderText_Solid(FontOfSize(points), b.label.c_str(), {255, 255, 255, 255});
  if (!s) return {};  // matches no drawn label
  SDL_Rect at{b.x + (b.w - s->w) / 2 + dx, b.y + (b.h - s->h) / 2 + dy, s->w, s->h};
  SDL_BlitSurface(s, nullptr, blank.Surface(), &at);
  SDL_FreeSurface(s);
  return TextBoxIn(blank, b);
}

// Blending may round either way, so shades are compared to within one level.
static bool Near(Rgb got, Rgb want) {
  return std::abs(got.r - want.r) <= 1 && std::abs(got.g - want.g) <= 1 &&
         std::abs(got.b - want.b) <= 1;
}

class MenuTest : public GameStateTest {
 protected:
  static Button& Find(const std::string& label) {
    for (Button& b : menuButtons)
      if (b.label == label) return b;
    ADD_FAILURE() << "no Button " << label;
    return menuButtons.front();
  }
  static void PointAt(int32_t x, int32_t y, bool released = false) {
    frameInput.mouseX = x, frameInput.mouseY = y, frameInput.mouseReleased = released;
    UpdateMenu();
  }
};

TEST_F(MenuTest, EveryEdgeHoversAndOnePixelBeyondDoesNot) {
  for (const Button& b : menuButtons) {
    const int32_t mx = b.x + b.w / 2, my = b.y + b.h / 2, r = b.x + b.w, d = b.y + b.h;
    const std::array<int32_t, 3> cases[] = {{b.x, my, 1},   {r, my, 1},       {mx, b.y, 1},
                                            {mx, d, 1},     {r, d, 1},        {b.x - 1, my, 0},
                                            {r + 1, my, 0}, {mx, b.y - 1, 0}, {mx, d + 1, 0}};
    for (const auto& [x, y, inside] : cases) {
      PointAt(x, y);
      std::string hovered;  // every hovered Button: only b, and only when inside
      for (const Button& o : menuButtons) hovered += o.hovered ? o.label : "";
      EXPECT_EQ(hovered, inside ? b.label : "") << x << ", " << y;
    }
  }
}

TEST_F(MenuTest, SettingsAssistAndQuitFireOncePerVisit) {
  // After each Button: dimensions, cell size, players, bots, difficulty, assist, running, screen.
  const struct { const char* label; std::array<int32_t, 8> after; } steps[] = {
      {"5 Dimensions", {5, 40, 3, 0, 1, 0, 1, 0}}, {"2 Dimensions", {2, 80, 3, 0, 1, 0, 1, 0}},
      {"4 Dimensions", {4, 60, 3, 0, 1, 0, 1, 0}}, {"3 Dimensions", {3, 60, 3, 0, 1, 0, 1, 0}},
      {"2 Players", {3, 60, 2, 0, 1, 0, 1, 0}},  {"3 Bots", {3, 60, 2, 0, 1, 0, 1, 0}},  // too many
      {"2 Bots", {3, 60, 2, 2, 1, 0, 1, 0}},     {"5 Players", {3, 60, 5, 2, 1, 0, 1, 0}},
      {"4 Bots", {3, 60, 5, 4, 1, 0, 1, 0}}, {"3 Players", {3, 60, 3, 3, 1, 0, 1, 0}},  // bots cut
      {"0 Bots", {3, 60, 3, 0, 1, 0, 1, 0}},     {"Hard", {3, 60, 3, 0, 3, 0, 1, 0}},
      {"Easy", {3, 60, 3, 0, 1, 0, 1, 0}},       {"Assist Mode", {3, 60, 3, 0, 1, 1, 1, 0}},
      {"Assist Mode", {3, 60, 3, 0, 1, 0, 1, 0}}, {"Quit", {3, 60, 3, 0, 1, 0, 0, 0}}};
  for (const auto& step : steps) {
    // Two clicks without leaving fire once (the latch); leaving lets the next visit fire.
    const Button& b = Find(step.label);
    for (int dx : {0, 1}) PointAt(b.x + b.w / 2 + dx, b.y + b.h / 2, true);
    PointAt(5, 5);
    EXPECT_EQ((std::array<int32_t, 8>{dimensionCount, cellSize, playerCount, botCount,
                                      difficulty, assistMode, running, currentScreen}),
              step.after) << step.label;
  }
}

TEST_F(MenuTest, PlayStartsTheGameSeededFromRandAndThePointer) {
  // A spot in "Play" where (rand() mod 100000) * y * x runs past 32 bits and wraps.
  const int32_t x = 1399, y = 409;
  std::srand(11);
  const uint64_t product = uint64_t(std::rand() % 100000) * uint64_t(y) * uint64_t(x);
  ASSERT_GT(product, 0xFFFFFFFFu) << "pick another generator state";
  std::srand(static_cast<unsigned>(product & 0xFFFFFFFFu));
  const int expected = std::rand();
  board3[1][1][1] = 2;
  Find("Quit").latched = true;  // stale: cleared only if the Buttons after "Play" are visited
  std::srand(11);
  PointAt(x, y, true);
  EXPECT_EQ(std::rand(), expected);
  // The game screen from the next frame, three frames without input, the board as it was.
  EXPECT_EQ((std::array{int32_t{currentScreen}, frameInput.inputCooldown, board3[1][1][1]}),
            (std::array{1, 3, 2}));
  EXPECT_FALSE(Find("Quit").latched);
}

TEST_F(MenuTest, BackgroundCycleTurnsAtFiftyAndAtZero) {
  // Levels and steps before; colour after one frame; levels after two.
  const struct { double red, blue; int32_t redStep, blueStep; Rgb first; double red2, blue2; }
      cases[] = {{49.95, 0.15, 1, -1, {50, 0, 0}, 49.9, 0.15},   // red past 50, blue onto 0
                 {0.1, 49.85, -1, 1, {0, 50, 50}, 0.1, 49.85},   // red onto 0, blue onto 50
                 {49.9, 0.1, 1, -1, {50, 0, 0}, 49.9, 0.15}};    // red onto 50, blue past 0
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "red " << c.red << ", blue " << c.blue);
    backgroundRed = c.red, backgroundRedStep = c.redStep;
    backgroundBlue = c.blue, backgroundBlueStep = c.blueStep;
    Canvas canvas;
    canvas.Clear({200, 200, 200});
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD);  // left over from earlier drawing
    DrawMenu();
    EXPECT_EQ(canvas.Pixel(5, 5), c.first);
    EXPECT_EQ(canvas.Pixel(1599, 899), c.first);
    DrawMenu();
    EXPECT_NEAR(backgroundRed, c.red2, 1e-9);
    EXPECT_NEAR(backgroundBlue, c.blue2, 1e-9);
  }
}

TEST_F(MenuTest, SelectedDarkensAndSinksHoveredLightensAndRaises) {
  const struct { const char* label; bool assist, hover; Rgb shade; int points, dx, dy; } cases[] = {
      {"3 Players", false, false, kDarkened, 36, -2, 2},   // selected
      {"3 Players", false, true, kDarkened, 36, -2, 2},    // hovering it changes nothing
      {"Play", false, true, kLightened, 36, 2, -2},        // hovered
      {"Assist Mode", true, false, kDarkened, 24, -2, 2},
      {"Assist Mode", true, true, kLightened, 24, -2, 2},  // lightened, yet sunk while on
      {"Assist Mode", false, true, kLightened, 24, 2, -2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.label << " assist " << c.assist << " hovered " << c.hover);
    ResetGameGlobals();
    assistMode = c.assist;
    const Button& b = Find(c.label);
    PointAt(c.hover ? b.x + 3 : 5, c.hover ? b.y + 3 : 5);
    Canvas canvas;
    DrawMenu();
    EXPECT_PRED2(Near, canvas.Pixel(b.x + 3, b.y + 3), c.shade);
    EXPECT_PRED2(Near, canvas.Pixel(b.x + b.w - 1, b.y + b.h - 1), c.shade);
    EXPECT_EQ(canvas.Pixel(b.x + b.w + 1, b.y + 3), kFirstBackground) << "only the Button";
    EXPECT_EQ(TextBoxIn(canvas, b), ExpectedLabel(b, c.points, c.dx, c.dy));
  }
}

TEST_F(MenuTest, WithoutTheFontTheScreenStillDrawsAndClicks) {
  // "Text.ttf" is missing away from the build folder; check only after going back.
  const auto home = std::filesystem::current_path();
  Canvas canvas;
  CloseFonts();
  std::filesystem::current_path("/");
  DrawMenu();
  PointAt(1205, 355, true);  // inside "Play"
  std::filesystem::current_path(home);
  CloseFonts();
  EXPECT_EQ(currentScreen, Game);
  const Button& b = Find("Play");
  EXPECT_EQ(TextBoxIn(canvas, b), kNoBox) << "no text without a font";
  std::string dark;  // the selected Buttons at the start values
  for (const Button& o : menuButtons)  // darkened green is about 21, the background's 50
    dark += canvas.Pixel(o.x + 3, o.y + 3).g < 30 ? o.label + ";" : "";
  EXPECT_EQ(dark, "3 Dimensions;3 Players;0 Bots;Easy;");
  // Each side of an outline stops 10 pixels short of the corner.
  const int r = b.x + b.w, d = b.y + b.h;
  for (const auto& [cx, cy, sx, sy] : {std::array{b.x, b.y, 1, 1}, std::array{r, b.y, -1, 1},
                                       std::array{b.x, d, 1, -1}, std::array{r, d, -1, -1}})
    for (int k = 0; k <= 10; ++k) {
      const Rgb want = k == 10 ? Rgb{255, 255, 255} : kFirstBackground;
      EXPECT_EQ(canvas.Pixel(cx + sx * k, cy), want) << cx << "," << cy << " across " << k;
      EXPECT_EQ(canvas.Pixel(cx, cy + sy * k), want) << cx << "," << cy << " down " << k;
    }
}
