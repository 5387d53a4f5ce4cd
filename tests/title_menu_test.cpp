// Tests of the title screen: hover, latch and settings, and the drawn picture.
#include <SDL_ttf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/shell.h"
#include "render/text.h"
#include "rules/state.h"
#include "support/canvas.h"
#include "support/game_state.h"
#include "title/buttons.h"
#include "title/menu.h"

namespace {

constexpr Rgb kFirstBackground{0, 50, 25};  // red 0.1 and blue 25.15 truncated
constexpr int kTextRed = 90;  // text stays above this red even darkened; backgrounds stay below

// Bounding box of a set of pixels, inclusive; empty when x1 < x0.
struct Box {
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
  void Add(int x, int y) {
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x);
    y1 = std::max(y1, y);
  }
  bool Empty() const { return x1 < x0; }
  Box Shifted(int dx, int dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
  bool operator==(const Box& o) const { return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1; }
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "(" << b.x0 << ", " << b.y0 << ")..(" << b.x1 << ", " << b.y1 << ")";
}

// Where the glyphs of `text` fall when rendered on their own, with the surface size.
Box GlyphBox(int points, const std::string& text, int& tw, int& th) {
  Box box;
  SDL_Surface* s = TTF_RenderText_Solid(FontOfSize(points), text.c_str(), {255, 255, 255, 255});
  if (!s) return box;
  tw = s->w;
  th = s->h;
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x)
      if (static_cast<const uint8_t*>(s->pixels)[y * s->pitch + x] != 0) box.Add(x, y);
  SDL_FreeSurface(s);
  return box;
}

// The on-canvas glyph box of a Button's label, centred and then moved by (dx, dy).
Box ExpectedLabel(const Button& b, int points, int dx, int dy) {
  int tw = 0, th = 0;
  const Box glyphs = GlyphBox(points, b.label, tw, th);
  return glyphs.Shifted(b.x + (b.w - tw) / 2 + dx, b.y + (b.h - th) / 2 + dy);
}

int Darkened(int level) { return level * (255 - 150) / 255; }
int Lightened(int level) { return std::min(255, level + 20); }

void ExpectNear(Rgb got, int r, int g, int b, const std::string& what) {
  EXPECT_NEAR(got.r, r, 1) << what << " got " << got;
  EXPECT_NEAR(got.g, g, 1) << what << " got " << got;
  EXPECT_NEAR(got.b, b, 1) << what << " got " << got;
}

class MenuTest : public GameStateTest {
 protected:
  Button& Find(const std::string& label) {
    for (Button& b : menuButtons)
      if (b.label == label) return b;
    ADD_FAILURE() << "no Button " << label;
    return menuButtons.front();
  }

  // One title-screen frame's update with the pointer at (x, y).
  void PointAt(int32_t x, int32_t y, bool released = false) {
    frameInput.mouseX = x;
    frameInput.mouseY = y;
    frameInput.mouseReleased = released;
    UpdateMenu();
    frameInput.mouseReleased = false;
  }
  void ClickAt(int32_t x, int32_t y) { PointAt(x, y, true); }

  // A click in the middle of a Button, then the pointer moves off to an empty spot.
  void Click(const std::string& label) {
    const Button& b = Find(label);
    ClickAt(b.x + b.w / 2, b.y + b.h / 2);
    PointAt(5, 5);
  }

  // The following rand() after a "Play" click at (x, y) from generator state `seed`.
  int RandAfterPlayAt(unsigned seed, int32_t x, int32_t y) {
    std::srand(seed);
    currentScreen = Menu;
    ClickAt(x, y);
    PointAt(5, 5);
    return std::rand();
  }

  // Bounding box of the bright pixels strictly inside a Button's outline.
  static Box TextBoxIn(const Canvas& canvas, const Button& b) {
    return TextBoxInArea(canvas, {b.x + 1, b.y + 1, b.w - 1, b.h - 1});
  }
  static Box TextBoxInArea(const Canvas& canvas, SDL_Rect area) {
    Box box;
    for (int y = area.y; y < area.y + area.h; ++y)
      for (int x = area.x; x < area.x + area.w; ++x)
        if (canvas.Pixel(x, y).r > kTextRed) box.Add(x, y);
    return box;
  }

  static int LabelPoints(const Button& b) {
    if (b.label == "Quit" || b.label == "Assist Mode") return 24;
    return b.difficultyValue > 0 ? 30 : 36;
  }
};

// ---- Hover and latch ----------------------------------------------------------

TEST_F(MenuTest, EveryEdgeHoversAndOnePixelBeyondDoesNot) {
  const auto hoveredCount = [] {
    return std::count_if(menuButtons.begin(), menuButtons.end(),
                         [](const Button& b) { return b.hovered; });
  };
  for (const Button& b : menuButtons) {
    const int32_t midX = b.x + b.w / 2, midY = b.y + b.h / 2;
    const std::pair<int32_t, int32_t> edges[] = {
        {b.x, midY}, {b.x + b.w, midY}, {midX, b.y}, {midX, b.y + b.h}, {b.x + b.w, b.y + b.h}};
    for (const auto& [x, y] : edges) {
      PointAt(x, y);
      EXPECT_TRUE(b.hovered) << b.label << " at " << x << ", " << y;
      EXPECT_EQ(hoveredCount(), 1) << b.label << " at " << x << ", " << y;
    }
    const std::pair<int32_t, int32_t> beyond[] = {
        {b.x - 1, midY}, {b.x + b.w + 1, midY}, {midX, b.y - 1}, {midX, b.y + b.h + 1}};
    for (const auto& [x, y] : beyond) {
      PointAt(x, y);
      EXPECT_EQ(hoveredCount(), 0) << b.label << " at " << x << ", " << y;
    }
  }
}

TEST_F(MenuTest, AClickFiresOnceUntilThePointerLeaves) {
  const Button& assist = Find("Assist Mode");
  const int32_t x = assist.x + 10, y = assist.y + 10;
  ClickAt(x, y);
  EXPECT_TRUE(assistMode);
  EXPECT_TRUE(assist.latched);
  ClickAt(x + 5, y);  // still on it: the latch holds
  EXPECT_TRUE(assistMode);

  PointAt(assist.x - 1, y);
  EXPECT_FALSE(assist.hovered);
  EXPECT_FALSE(assist.latched);
  ClickAt(x, y);
  EXPECT_FALSE(assistMode);
}

TEST_F(MenuTest, NoClickNoChange) {
  const Button& assist = Find("Assist Mode");
  PointAt(assist.x + 10, assist.y + 10);  // hovered without a release
  EXPECT_TRUE(assist.hovered);
  EXPECT_FALSE(assist.latched);
  EXPECT_FALSE(assistMode);
  ClickAt(20, 20);  // a release over no Button
  EXPECT_FALSE(assistMode);
  EXPECT_TRUE(running);
  EXPECT_EQ(currentScreen, Menu);
}

TEST_F(MenuTest, EveryButtonIsVisitedAfterOneFires) {
  // "Play" comes before "Assist Mode" and "Quit": their stale flags must still clear.
  Button& assist = Find("Assist Mode");
  Button& quit = Find("Quit");
  assist.hovered = assist.latched = true;
  quit.hovered = quit.latched = true;
  const Button& play = Find("Play");
  ClickAt(play.x + 20, play.y + 20);
  EXPECT_EQ(currentScreen, Game);
  EXPECT_FALSE(assist.hovered);
  EXPECT_FALSE(assist.latched);
  EXPECT_FALSE(quit.hovered);
  EXPECT_FALSE(quit.latched);
  EXPECT_TRUE(running);
}

// ---- Settings -------------------------------------------------------------------

TEST_F(MenuTest, DimensionButtonsSetTheCellSizeToo) {
  const struct {
    const char* label;
    int32_t dimensions, cells;
  } cases[] = {{"5 Dimensions", 5, 40}, {"2 Dimensions", 2, 80}, {"4 Dimensions", 4, 60},
               {"3 Dimensions", 3, 60}, {"2 Dimensions", 2, 80}};
  for (const auto& c : cases) {
    Click(c.label);
    EXPECT_EQ(dimensionCount, c.dimensions) << c.label;
    EXPECT_EQ(cellSize, c.cells) << c.label;
  }
  EXPECT_EQ(playerCount, 3);
  EXPECT_EQ(botCount, 0);
  EXPECT_EQ(difficulty, 1);
}

TEST_F(MenuTest, PlayerBotAndDifficultyButtons) {
  Click("5 Players");
  EXPECT_EQ(playerCount, 5);
  Click("4 Bots");
  EXPECT_EQ(botCount, 4);
  Click("1 Bots");
  EXPECT_EQ(botCount, 1);
  Click("0 Bots");
  EXPECT_EQ(botCount, 0);
  Click("Hard");
  EXPECT_EQ(difficulty, 3);
  Click("Meh");
  EXPECT_EQ(difficulty, 2);
  Click("Easy");
  EXPECT_EQ(difficulty, 1);
  Click("2 Players");
  EXPECT_EQ(playerCount, 2);
  EXPECT_EQ(dimensionCount, 3);
  EXPECT_EQ(cellSize, 60);
}

TEST_F(MenuTest, BotsNeverOutnumberPlayers) {
  Click("2 Players");
  Click("3 Bots");
  EXPECT_EQ(botCount, 0);
  Click("4 Bots");
  EXPECT_EQ(botCount, 0);
  Click("2 Bots");
  EXPECT_EQ(botCount, 2);  // every player a bot

  Click("5 Players");
  Click("4 Bots");
  ASSERT_EQ(botCount, 4);
  Click("3 Players");
  EXPECT_EQ(playerCount, 3);
  EXPECT_EQ(botCount, 3);

  Click("1 Bots");
  Click("2 Players");
  EXPECT_EQ(botCount, 1);  // fewer bots than players: left alone
}

// ---- Actions ----------------------------------------------------------------------

TEST_F(MenuTest, PlaySwitchesToTheGameWithACooldown) {
  board3[1][1][1] = 2;  // "Play" starts on the board as it is
  Click("Play");
  EXPECT_EQ(board3[1][1][1], 2);
  EXPECT_EQ(currentScreen, Game);
  EXPECT_EQ(frameInput.inputCooldown, 3);
  EXPECT_TRUE(running);
  EXPECT_EQ(dimensionCount, 3);
  EXPECT_EQ(playerCount, 3);
}

TEST_F(MenuTest, PlaySeedDependsOnWhereThePointerIs) {
  const unsigned state = 7;
  std::srand(state);
  ASSERT_NE(std::rand() % 100000, 0) << "pick another state: this one ignores the pointer";
  const Button& play = Find("Play");
  const int first = RandAfterPlayAt(state, play.x + 10, play.y + 10);
  const int again = RandAfterPlayAt(state, play.x + 10, play.y + 10);
  const int moved = RandAfterPlayAt(state, play.x + 11, play.y + 10);
  const int lower = RandAfterPlayAt(state, play.x + 10, play.y + 40);
  EXPECT_EQ(first, again);
  EXPECT_NE(first, moved);
  EXPECT_NE(first, lower);
}

TEST_F(MenuTest, PlaySeedIsTheWrappedUnsignedProduct) {
  const Button& play = Find("Play");
  const int32_t x = play.x + play.w - 1, y = play.y + play.h - 1;
  // A state whose first rand() makes the product run past 32 bits.
  unsigned state = 1;
  long long r = 0;
  for (;; ++state) {
    std::srand(state);
    r = std::rand() % 100000;
    if (r * x * y > 0xFFFFFFFFLL) break;
  }
  const auto seed = static_cast<uint32_t>(static_cast<uint64_t>(r * x * y) & 0xFFFFFFFFu);
  std::srand(seed);
  const int expected = std::rand();
  EXPECT_EQ(RandAfterPlayAt(state, x, y), expected);
}

TEST_F(MenuTest, QuitEndsTheRunAndNothingElse) {
  Click("Quit");
  EXPECT_FALSE(running);
  EXPECT_EQ(currentScreen, Menu);
  EXPECT_EQ(frameInput.inputCooldown, 0);
  EXPECT_FALSE(assistMode);
}

TEST_F(MenuTest, LatchOutlivesTheScreenChange) {
  const Button& play = Find("Play");
  ClickAt(play.x + 5, play.y + 5);
  ASSERT_EQ(currentScreen, Game);
  currentScreen = Menu;  // as after "Back", with the pointer never having moved
  frameInput.inputCooldown = 0;
  ClickAt(play.x + 5, play.y + 5);
  EXPECT_EQ(currentScreen, Menu);
  EXPECT_EQ(frameInput.inputCooldown, 0);
}

// ---- Drawing: background ----------------------------------------------------------

TEST_F(MenuTest, FirstFrameBackground) {
  Canvas canvas;
  canvas.Clear({200, 200, 200});
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD);  // left by some earlier drawing
  DrawMenu();
  EXPECT_EQ(canvas.Pixel(5, 5), kFirstBackground);
  EXPECT_EQ(canvas.Pixel(1599, 899), kFirstBackground);
  EXPECT_DOUBLE_EQ(backgroundRed, 0.1);
  EXPECT_DOUBLE_EQ(backgroundBlue, 25.15);
  SDL_BlendMode mode = SDL_BLENDMODE_ADD;
  SDL_GetRenderDrawBlendMode(renderer, &mode);
  EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
}

TEST_F(MenuTest, RedTurnsAtFiftyAndAtZero) {
  Canvas canvas;
  backgroundRed = 49.9;  // lands on 50 exactly: the limit itself turns it
  DrawMenu();
  EXPECT_EQ(backgroundRed, 50.0);
  EXPECT_EQ(backgroundRedStep, -1);
  EXPECT_EQ(canvas.Pixel(5, 5), (Rgb{50, 0, 25}));
  DrawMenu();
  EXPECT_EQ(canvas.Pixel(5, 5), (Rgb{49, 1, 25}));

  backgroundRed = 0.1;
  DrawMenu();
  EXPECT_EQ(backgroundRed, 0.0);
  EXPECT_EQ(backgroundRedStep, 1);
  EXPECT_EQ(canvas.Pixel(5, 5).r, 0);
  EXPECT_EQ(canvas.Pixel(5, 5).g, 50);

  backgroundRed = 49.95;  // overshoots and is held at the limit
  DrawMenu();
  EXPECT_EQ(backgroundRed, 50.0);
  EXPECT_EQ(backgroundRedStep, -1);
  backgroundRed = 0.05;
  DrawMenu();
  EXPECT_EQ(backgroundRed, 0.0);
  EXPECT_EQ(backgroundRedStep, 1);
  DrawMenu();
  EXPECT_NEAR(backgroundRed, 0.1, 1e-12);
}

TEST_F(MenuTest, BlueTurnsAtFiftyAndAtZero) {
  Canvas canvas;
  backgroundBlue = 49.85;
  DrawMenu();
  EXPECT_EQ(backgroundBlue, 50.0);
  EXPECT_EQ(backgroundBlueStep, -1);
  EXPECT_EQ(canvas.Pixel(5, 5).b, 50);
  DrawMenu();
  EXPECT_EQ(canvas.Pixel(5, 5).b, 49);  // 49.85

  backgroundBlue = 0.15;
  DrawMenu();
  EXPECT_EQ(backgroundBlue, 0.0);
  EXPECT_EQ(backgroundBlueStep, 1);
  backgroundBlue = 0.1;
  backgroundBlueStep = -1;
  DrawMenu();
  EXPECT_EQ(backgroundBlue, 0.0);
  EXPECT_EQ(backgroundBlueStep, 1);
  EXPECT_EQ(canvas.Pixel(5, 5).b, 0);
  EXPECT_EQ(backgroundRedStep, 1);  // the two levels turn independently
}

// ---- Drawing: Buttons ---------------------------------------------------------------

TEST_F(MenuTest, OutlineLeavesTheCornersOpen) {
  Canvas canvas;
  DrawMenu();
  const Button& b = Find("Play");  // neither selected nor hovered
  const Rgb white{255, 255, 255};
  const int right = b.x + b.w, bottom = b.y + b.h;
  EXPECT_EQ(canvas.Pixel(b.x, b.y + b.h / 2), white);
  EXPECT_EQ(canvas.Pixel(right, b.y + b.h / 2), white);
  EXPECT_EQ(canvas.Pixel(b.x + b.w / 2, b.y), white);
  EXPECT_EQ(canvas.Pixel(b.x + b.w / 2, bottom), white);
  // Each side runs from 10 in to 10 short of the far corner.
  EXPECT_EQ(canvas.Pixel(b.x, b.y + 10), white);
  EXPECT_EQ(canvas.Pixel(b.x, bottom - 10), white);
  EXPECT_EQ(canvas.Pixel(b.x + 10, b.y), white);
  EXPECT_EQ(canvas.Pixel(right - 10, bottom), white);
  for (int d : {0, 3, 9}) {
    EXPECT_EQ(canvas.Pixel(b.x, b.y + d), kFirstBackground) << d;
    EXPECT_EQ(canvas.Pixel(b.x + d, b.y), kFirstBackground) << d;
    EXPECT_EQ(canvas.Pixel(right, bottom - d), kFirstBackground) << d;
    EXPECT_EQ(canvas.Pixel(right - d, bottom), kFirstBackground) << d;
    EXPECT_EQ(canvas.Pixel(right, b.y + d), kFirstBackground) << d;
    EXPECT_EQ(canvas.Pixel(b.x + d, bottom), kFirstBackground) << d;
  }
}

TEST_F(MenuTest, SelectedButtonsFollowTheSettings) {
  const auto darkenedButtons = [this]() {
    Canvas canvas;
    DrawMenu();
    std::string names;
    for (const Button& b : menuButtons) {
      const Rgb corner = canvas.Pixel(b.x + 3, b.y + 3);
      if (corner == kFirstBackground) continue;
      ExpectNear(corner, 0, Darkened(50), Darkened(25), b.label);
      names += b.label + ";";
    }
    backgroundRed = 0.0;
    backgroundBlue = 25.0;
    return names;
  };
  EXPECT_EQ(darkenedButtons(), "3 Dimensions;3 Players;0 Bots;Easy;");

  dimensionCount = 5;
  playerCount = 2;
  botCount = 2;
  difficulty = 3;
  assistMode = true;
  EXPECT_EQ(darkenedButtons(), "5 Dimensions;2 Players;2 Bots;Hard;Assist Mode;");
}

TEST_F(MenuTest, LabelsAreCentredAndSelectedOnesSink) {
  Canvas canvas;
  DrawMenu();
  for (const Button& b : menuButtons) {
    const bool selected = b.label == "3 Dimensions" || b.label == "3 Players" ||
                          b.label == "0 Bots" || b.label == "Easy";
    const int shift = selected ? 2 : 0;
    EXPECT_EQ(TextBoxIn(canvas, b), ExpectedLabel(b, LabelPoints(b), -shift, shift)) << b.label;
  }
}

TEST_F(MenuTest, HoveredButtonIsLightenedAndItsTextRises) {
  Canvas canvas;
  const Button& play = Find("Play");
  PointAt(play.x + 3, play.y + 3);
  DrawMenu();
  ExpectNear(canvas.Pixel(play.x + 3, play.y + 3), Lightened(0), Lightened(50), Lightened(25), "Play");
  ExpectNear(canvas.Pixel(play.x + play.w - 1, play.y + play.h - 1), 20, 70, 45, "Play corner");
  EXPECT_EQ(canvas.Pixel(play.x + play.w + 1, play.y + 3), kFirstBackground);  // only the Button
  EXPECT_EQ(TextBoxIn(canvas, play), ExpectedLabel(play, 36, 2, -2));
}

TEST_F(MenuTest, HoveredSelectedButtonLooksAsIfNotHovered) {
  const Button& three = Find("3 Players");
  Box plain, hovered;
  Rgb plainCorner, hoveredCorner;
  {
    Canvas canvas;
    DrawMenu();
    plain = TextBoxIn(canvas, three);
    plainCorner = canvas.Pixel(three.x + 3, three.y + 3);
  }
  backgroundRed = 0.0;
  backgroundBlue = 25.0;
  {
    Canvas canvas;
    PointAt(three.x + 3, three.y + 3);
    ASSERT_TRUE(three.hovered);
    DrawMenu();
    hovered = TextBoxIn(canvas, three);
    hoveredCorner = canvas.Pixel(three.x + 3, three.y + 3);
  }
  EXPECT_EQ(hovered, plain);
  EXPECT_EQ(hovered, ExpectedLabel(three, 36, -2, 2));
  EXPECT_EQ(hoveredCorner, plainCorner);
  ExpectNear(hoveredCorner, 0, Darkened(50), Darkened(25), "3 Players");
}

TEST_F(MenuTest, HoveredAssistModeIsLightenedOnOrOff) {
  const Button& assist = Find("Assist Mode");
  for (bool on : {false, true}) {
    SCOPED_TRACE(on ? "assist on" : "assist off");
    backgroundRed = 0.0;
    backgroundBlue = 25.0;
    assistMode = on;
    Canvas canvas;
    PointAt(assist.x + 3, assist.y + 3);
    DrawMenu();
    ExpectNear(canvas.Pixel(assist.x + 3, assist.y + 3), 20, 70, 45, "overlay");
    const int shift = on ? -2 : 2;  // sinks when on, rises when off
    EXPECT_EQ(TextBoxIn(canvas, assist), ExpectedLabel(assist, 24, shift, -shift));
  }
}

TEST_F(MenuTest, TitleIsCentredAboveTheButtons) {
  Canvas canvas;
  DrawMenu();
  int tw = 0, th = 0;
  const Box glyphs = GlyphBox(72, "Zarnith", tw, th);
  ASSERT_FALSE(glyphs.Empty());
  const Box expected = glyphs.Shifted((1600 - tw) / 2, 150 - th / 2);
  EXPECT_EQ(TextBoxInArea(canvas, {0, 0, 1600, 340}), expected);
}

TEST_F(MenuTest, WithoutTheFontTheScreenStillDraws) {
  // Away from the build folder "Text.ttf" cannot be found; the folder and the
  // font cache are put back whatever happens.
  struct ElsewhereWithoutFonts {
    char home[4096] = {};
    bool moved = false;
    ElsewhereWithoutFonts() {
      CloseFonts();
      moved = getcwd(home, sizeof home) != nullptr && chdir("/") == 0;
    }
    ~ElsewhereWithoutFonts() {
      if (moved && chdir(home) != 0) ADD_FAILURE() << "cannot return to " << home;
      CloseFonts();
    }
  };
  Canvas canvas;
  {
    ElsewhereWithoutFonts elsewhere;
    ASSERT_TRUE(elsewhere.moved);
    ASSERT_EQ(FontOfSize(36), nullptr);
    DrawMenu();
  }
  EXPECT_EQ(canvas.Pixel(5, 5), kFirstBackground);
  const Button& play = Find("Play");
  EXPECT_EQ(canvas.Pixel(play.x, play.y + 30), (Rgb{255, 255, 255}));
  EXPECT_TRUE(TextBoxIn(canvas, play).Empty());
  EXPECT_TRUE(TextBoxInArea(canvas, {0, 0, 1600, 340}).Empty());

  PointAt(play.x + 5, play.y + 5, true);  // and the Buttons still work
  EXPECT_EQ(currentScreen, Game);
}

}  // namespace
