// Whole frames of both screens, drawn by the real update and draw on the software canvas and
// compared pixel for pixel with reviewed PNGs in tests/golden/. ZARNITH_REWRITE_GOLDENS=1 writes
// the frames drawn now over the goldens instead.
#include <SDL_image.h>
#include <unistd.h>

#include <functional>

#include "support/support.h"

// One setting of a scene, made on the globals the game reads when the test applies it. A scene
// starts from the state right after start-up and applies its settings in the order listed.
using Setting = std::function<void()>;

static bool sceneHasFont;  // false: the game cannot find Text.ttf

// One of the game's globals set to `value`.
template <class Global, class Value>
static Setting Set(Global& global, Value value) {
  return [&global, value] { global = Global(value); };
}
static Setting Title() { return Set(currentScreen, Menu); }
// The board of d dimensions and its cell size.
static Setting Board(int32_t d) {
  return [=] {
    dimensionCount = d;
    cellSize = CellSizeFor(d);
  };
}
static Setting Players(int32_t count) { return Set(playerCount, count); }
static Setting Bots(int32_t count) { return Set(botCount, count); }
static Setting ToMove(int32_t player) { return Set(currentPlayer, player); }
// `share` of the cells holding random marks of every player.
static Setting Filled(double share) {
  return [=] {
    TestRandom random(7);
    FillRandomBoard(dimensionCount, playerCount, share, random);
  };
}
// The marks of cells 0, 1, ... ('.' keeps a cell as it is).
static Setting Marks(std::string marks) {
  return [=] {
    for (size_t cell = 0; cell < marks.size(); ++cell)
      if (marks[cell] != '.') CellValue(dimensionCount, int(cell)) = marks[cell] - '0';
  };
}
// The pointer on the centre of `cell`, emptied.
static Setting OnCell(int cell, bool click = false) {
  return [=] {
    const CellSquare q = CellSquareOf(dimensionCount, cellSize, cell);
    CellValue(dimensionCount, cell) = 0;
    PointAt({SquareCentreX(q), SquareCentreY(q)}, click);
  };
}
static Setting ClickCell(int cell) { return OnCell(cell, true); }
static Setting On(const Button& b, bool click = false) {
  return [&b, click] { PointAt(CentreOf(b), click); };
}
static Setting ClickOn(const Button& b) { return On(b, true); }
// The title Button of that label.
static Setting On(std::string label, bool click = false) {
  return [=] { PointAt(CentreOf(Labelled(label)), click); };
}
static Setting ClickOn(std::string label) { return On(label, true); }
// A click on the title Button of that label, in frames of its own.
static Setting Clicked(std::string label) {
  return [=] { Click(Labelled(label)); };
}
// Held, and moved by (dx, dy) since the previous frame.
static Setting Drag(int32_t dx, int32_t dy) {
  return [=] {
    frameInput.prevMouseX -= dx;
    frameInput.prevMouseY -= dy;
    frameInput.mouseHeld = true;
  };
}
static Setting View(double yaw, double pitch) {
  return [=] {
    viewYaw = yaw;
    viewPitch = pitch;
  };
}
static Setting Assist() { return Set(assistMode, true); }
static Setting NoFont() { return Set(sceneHasFont, false); }

// A golden scene: its name (the golden's file name, and the test's with '_' for '-'), its settings
// and how many frames it runs.
struct GoldenScene {
  const char* name;
  std::vector<Setting> settings;
  int frames = 1;
};

void PrintTo(const GoldenScene& scene, std::ostream* out) { *out << scene.name; }

using Image = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

static Image Rgb24(SDL_Surface* from) {
  return Image(SDL_ConvertSurfaceFormat(from, SDL_PIXELFORMAT_RGB24, 0), SDL_FreeSurface);
}

// Empty when the frames are the same; else where they first differ, with both colours, after
// writing the frame drawn to the working folder.
static std::string Compare(const std::string& name, SDL_Surface* drawn, SDL_Surface* golden) {
  const auto* a = static_cast<const uint8_t*>(drawn->pixels);
  const auto* g = static_cast<const uint8_t*>(golden->pixels);
  const int bytes = drawn->pitch * drawn->h;
  const int first = int(std::mismatch(a, a + bytes, g).first - a) / 3 * 3;
  if (first == bytes) return "";
  IMG_SavePNG(drawn, (name + "-drawn.png").c_str());
  char said[200];
  std::snprintf(said, sizeof said,
                "first difference at (%d, %d): drawn (%d, %d, %d), golden (%d, %d, %d)",
                first / 3 % kCanvasWidth, first / 3 / kCanvasWidth, a[first], a[first + 1],
                a[first + 2], g[first], g[first + 1], g[first + 2]);
  return said + ("; see " + name + "-drawn.png");
}

// What a game leaves behind for start-up's values to undo: every setting changed, a cell hovered
// with assist lines, the view turned, held, easing back and turning about w, a bot half way through
// its wait, and the title's colours moved on by a frame.
static void PlayAGame() {
  for (const Setting& setting : {Board(4), Players(5), Bots(4), Filled(0.5), Assist(), OnCell(40),
                                 View(30, 20), Drag(10, 10)})
    setting();
  difficulty = Hard;
  wAngleTarget = wAngle = 45;
  botDelayFrames = kBotDelayFrames / 2;
  currentScreen = Game;
  RunCurrentScreen();
  viewResetting = true;
  currentScreen = Menu;
  RunCurrentScreen();
}

struct GoldenTest : GameTest, testing::WithParamInterface<GoldenScene> {
  void DrawAndCompare();
  const Canvas canvas;
};

// The scene's last frame, drawn by the real update and draw, matches its golden; or the golden is
// rewritten.
TEST_P(GoldenTest, LastFrameMatchesTheGolden) { DrawAndCompare(); }

// After a game, the start values bring back the state each scene starts from.
TEST_P(GoldenTest, AfterAGameTheStartValuesDrawTheSameFrame) {
  PlayAGame();
  // The fonts are no start value: a scene without Text.ttf finds none open only after they close.
  CloseFonts();
  SetStartValues();
  BuildMenuButtons();
  StartNewGame();
  DrawAndCompare();
}

void GoldenTest::DrawAndCompare() {
  const GoldenScene& scene = GetParam();
  // The bots draw from rand().
  std::srand(1);
  sceneHasFont = true;
  // The game screen, unless the scene opens on the title.
  currentScreen = Game;
  for (const Setting& setting : scene.settings) setting();
  char folder[4096];
  ASSERT_TRUE(getcwd(folder, sizeof folder));
  // Text.ttf is beside the tests only.
  ASSERT_EQ(chdir(sceneHasFont ? folder : "/"), 0);
  for (int frame = 0; frame < scene.frames; ++frame) {
    RunCurrentScreen();
    frameInput.mouseReleased = false;
  }
  ASSERT_EQ(chdir(folder), 0);
  CloseFonts();
  const std::string path = ZARNITH_GOLDEN_DIR "/" + std::string(scene.name) + ".png";
  const Image drawn = Rgb24(canvas.surface);
  if (std::getenv("ZARNITH_REWRITE_GOLDENS")) {
    EXPECT_EQ(IMG_SavePNG(drawn.get(), path.c_str()), 0) << IMG_GetError();
    return;
  }
  const Image golden = Rgb24(Image(IMG_Load(path.c_str()), SDL_FreeSurface).get());
  ASSERT_TRUE(golden) << "cannot read " << path;
  ASSERT_EQ(golden->w, kCanvasWidth) << path << " is not as wide as the canvas";
  ASSERT_EQ(golden->h, kCanvasHeight) << path << " is not as high as the canvas";
  EXPECT_EQ(Compare(scene.name, drawn.get(), golden.get()), "");
}

// Frames that turn both title background levels round at their limits: red turns after 500,
// blue after 333 and 667.
constexpr int kBothLevelsTurnedFrames = 700;
// Frames that take the turn about w half way, at half a degree a frame.
constexpr int kWTurnHalfDoneFrames = 91;

// The first of two bots to move, holding two cells of a line whose third cell is empty.
const std::vector<Setting> kBotCanWin = {Board(3),        Players(3),  Bots(2),
                                         ToMove(2),       Filled(0.1), Marks("2...2...0"),
                                         On(resetButton), View(40, 10)};

// Every screen, Button state, board size, mark, tint, status line and view the player meets.
const GoldenScene kScenes[] = {
    // The title as start-up shows it, the start settings selected: the browser's first frame too.
    {"title-start", {Title()}},
    // A hovered Button's tint, over the background once both its levels have turned round; the
    // start settings selected.
    {"title-hover-background-turned", {Title(), On("Play")}, kBothLevelsTurnedFrames},
    // The largest of every setting selected, and Assist Mode on under the pointer after its click.
    {"title-chosen", {Title(), Board(5), Players(5), Bots(4), ClickOn("Assist Mode")}, 2},
    // Clicks choose a 2D board of two bots, "Play" starts it, and each bot makes its move after
    // its wait: five moves.
    {"title-play-bot-moves",
     {Title(), Clicked("2 Dimensions"), Clicked("2 Players"), Clicked("2 Bots"), ClickOn("Play")},
     1 + 5 * (kBotDelayFrames + 1)},
    // "Play" with the start settings opens their game: 3D, three players, no bots.
    {"title-play-start-settings", {Title(), ClickOn("Play")}, 2},
    // A difficulty is selected in the frame of its click.
    {"title-hard", {Title(), Board(2), Players(2), Bots(2), ClickOn("Hard")}},
    // The cube lattice turned by a drag, with its hovered cube and assist lines.
    {"3d-assist",
     {Board(3), Players(5), ToMove(3), Filled(0.4), OnCell(13), Assist(), View(30, -20),
      Drag(-100, 50)}},
    // The tesseracts half way through a turn about w.
    {"4d-w-rotation",
     {Board(4), Players(3), Filled(0.2), ClickOn(wRotationButton)},
     kWTurnHalfDoneFrames},
    // The tesseract lattice turned by a drag, with its hovered tesseract and assist lines.
    {"4d-assist",
     {Board(4), Players(5), ToMove(4), Filled(0.4), OnCell(40), Assist(), View(-25, 15),
      Drag(50, 0)}},
    // The five-dimensional grids with the middle cell hovered and its assist lines.
    {"5d-assist", {Board(5), Players(5), ToMove(5), Filled(0.4), OnCell(121), Assist()}},
    // A click completes a 2D line: the winning line and the status line.
    {"2d-won", {Board(2), Players(3), Bots(1), Marks("12..1.3"), ClickCell(8)}},
    // A click completes two lines at once: only the later in 2D's order of lines is drawn.
    {"2d-won-two-lines", {Board(2), Players(2), Marks(".111..1.."), ClickCell(0)}},
    // A 3D win seen in the turned lattice, its marks brightened, with assist on.
    {"3d-won",
     {Board(3), Players(4), ToMove(2), Filled(0.3), Marks("2...2"), ClickCell(8), View(10, 5),
      Assist()}},
    // A 4D win by a human among four bots.
    {"4d-won", {Board(4), Players(5), Bots(4), Filled(0.3), Marks("1...1"), ClickCell(8)}},
    // A 5D win on cell 0, the first cell of the first grid.
    {"5d-won", {Board(5), Players(2), ToMove(2), Filled(0.5), Marks("....2...2"), ClickCell(0)}},
    // A full board without a line is a draw, with "Back" hovered.
    {"3d-draw", {Board(3), Players(3), Marks("122131311223232123112221133"), On(backButton)}},
    // A bot that could win still waits out its delay...
    {"3d-bot-waits", kBotCanWin, kBotDelayFrames},
    // ... and wins on the frame after it.
    {"3d-bot-moved", kBotCanWin, kBotDelayFrames + 1},
    // "Reset" eases both angles back, each to 0 once strictly within 5 degrees.
    {"3d-reset",
     {Board(3), Players(4), Marks("1..2..3"), ClickOn(resetButton), View(5.5, -5 / 0.9)},
     2},
    // An angle that eases to 5 degrees is not yet 0.
    {"3d-reset-5",
     {Board(3), Players(2), ToMove(2), Filled(0.2), ClickOn(resetButton), View(5 / 0.9, 10)},
     2},
    // "Reset" ends once both angles are 0, and a drag turns the view again.
    {"3d-reset-ends",
     {Board(3), Players(2), Filled(0.2), ClickOn(resetButton), View(4, 4), Drag(-10, 0)},
     3},
    // Without the font the title draws everything but its text.
    {"title-no-font", {Title(), Board(4), Players(2), Bots(1), On("Quit"), NoFont()}},
};

INSTANTIATE_TEST_SUITE_P(Scenes, GoldenTest, testing::ValuesIn(kScenes), [](const auto& scene) {
  std::string name = scene.param.name;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
});
