// Whole frames of both screens, drawn by the real update and draw on the software canvas and
// compared pixel for pixel with reviewed PNGs in tests/golden/. ZARNITH_REWRITE_GOLDENS=1 writes
// the frames drawn now over the goldens instead.
#include <SDL_image.h>
#include <unistd.h>

#include "support/support.h"

// A scene: the state right after start-up, then the state a player has left, set through the
// program's globals as each call says. Check runs its frames with that pointer, a release taken in
// the first one only.
struct Scene {
  explicit Scene(std::string sceneName, Screen screen = Game) : name(std::move(sceneName)) {
    SetStartValues();
    BuildMenuButtons();
    StartNewGame();
    currentScreen = screen;
    // The bots draw from rand().
    std::srand(1);
  }
  // The settings and player to move, `filled` of the cells holding random marks of every player,
  // and the marks of cells 0, 1, ... written over them ('.' keeps a cell as it is).
  Scene& Board(int32_t d, int32_t p, int32_t b, int32_t mover, double filled,
               std::string marks = "") {
    dimensionCount = d;
    playerCount = p;
    botCount = b;
    currentPlayer = mover;
    cellSize = CellSizeFor(d);
    std::mt19937 random(7);
    FillRandomBoard(d, p, filled, random);
    for (size_t cell = 0; cell < marks.size(); ++cell)
      if (marks[cell] != '.') CellValue(d, int(cell)) = marks[cell] - '0';
    return *this;
  }
  // The pointer on the centre of `cell`, emptied.
  Scene& Cell(int cell, bool click = false) {
    const CellSquare q = CellSquareOf(dimensionCount, cellSize, cell);
    CellValue(dimensionCount, cell) = 0;
    return At(SDL_Point{SquareCentreX(q), SquareCentreY(q)}, click);
  }
  Scene& At(const Button& b, bool click = false) {
    return At(SDL_Point{b.x + b.w / 2, b.y + b.h / 2}, click);
  }
  Scene& At(SDL_Point p, bool click) {
    frameInput.mouseX = frameInput.prevMouseX = p.x;
    frameInput.mouseY = frameInput.prevMouseY = p.y;
    frameInput.mouseReleased = click;
    return *this;
  }
  // Held, and moved by (dx, dy) since the previous frame.
  Scene& Drag(int32_t dx, int32_t dy) {
    frameInput.prevMouseX -= dx;
    frameInput.prevMouseY -= dy;
    frameInput.mouseHeld = true;
    return *this;
  }
  Scene& View(double yaw, double pitch) {
    viewYaw = yaw;
    viewPitch = pitch;
    return *this;
  }
  Scene& Assist() {
    assistMode = true;
    return *this;
  }
  Scene& NoFont() {
    font = false;
    return *this;
  }
  std::string name;
  bool font = true;
};

using Image = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

static Image Rgb24(SDL_Surface* from) {
  return Image(SDL_ConvertSurfaceFormat(from, SDL_PIXELFORMAT_RGB24, 0), SDL_FreeSurface);
}

// Empty when the frames are the same; else where they first differ, with both colours, after
// writing the frame drawn and a difference image (white where they differ) to the working folder.
static std::string Compare(const std::string& name, SDL_Surface* drawn, SDL_Surface* golden) {
  const auto* a = static_cast<const uint8_t*>(drawn->pixels);
  const auto* g = static_cast<const uint8_t*>(golden->pixels);
  const int bytes = drawn->pitch * drawn->h;
  const int first = int(std::mismatch(a, a + bytes, g).first - a) / 3 * 3;
  if (first == bytes) return "";
  Image diff = Rgb24(drawn);
  for (int i = 0; i < bytes; ++i) static_cast<uint8_t*>(diff->pixels)[i] = a[i] == g[i] ? 0 : 255;
  IMG_SavePNG(drawn, (name + "-drawn.png").c_str());
  IMG_SavePNG(diff.get(), (name + "-diff.png").c_str());
  char said[200];
  std::snprintf(said, sizeof said,
                "first difference at (%d, %d): drawn (%d, %d, %d), golden (%d, %d, %d)",
                first / 3 % kCanvasWidth, first / 3 / kCanvasWidth, a[first], a[first + 1],
                a[first + 2], g[first], g[first + 1], g[first + 2]);
  return said + ("; see " + name + "-drawn.png and -diff.png");
}

struct GoldenTest : GameTest {
  // Runs `frames` frames of the scene and compares the last with its golden, or rewrites the
  // golden.
  void Check(const Scene& scene, int frames = 1) {
    char folder[4096];
    ASSERT_TRUE(getcwd(folder, sizeof folder));
    // Text.ttf is beside the tests only.
    ASSERT_EQ(chdir(scene.font ? folder : "/"), 0);
    for (int frame = 0; frame < frames; ++frame) {
      RunCurrentScreen();
      frameInput.mouseReleased = false;
    }
    ASSERT_EQ(chdir(folder), 0);
    CloseFonts();
    const std::string path = ZARNITH_GOLDEN_DIR "/" + scene.name + ".png";
    const Image drawn = Rgb24(canvas.surface);
    if (std::getenv("ZARNITH_REWRITE_GOLDENS")) {
      EXPECT_EQ(IMG_SavePNG(drawn.get(), path.c_str()), 0) << IMG_GetError();
      return;
    }
    const Image golden = Rgb24(Image(IMG_Load(path.c_str()), SDL_FreeSurface).get());
    ASSERT_TRUE(golden) << "cannot read " << path;
    ASSERT_EQ(std::pair(golden->w, golden->h), std::pair(kCanvasWidth, kCanvasHeight));
    EXPECT_EQ(Compare(scene.name, drawn.get(), golden.get()), "") << scene.name;
  }
  const Canvas canvas;
};

// Every screen, Button state, board size, mark, tint, status line and view the player meets. Each
// scene starts with the view reset, as start-up leaves it, so one after a turned view shows that
// the reset reaches every angle.
TEST_F(GoldenTest, EveryFrameMatchesItsGolden) {
  // The goldens hold for the SDL that drew them; another may rasterise some edges otherwise.
  SDL_version sdl;
  SDL_GetVersion(&sdl);
  ASSERT_EQ(std::pair(int(sdl.major), int(sdl.minor)), std::pair(2, 26))
      << "the goldens are SDL 2.26's drawing, not this SDL's";
  Check(Scene("title-start", Menu));
  Check(Scene("title-hover-frame-700", Menu).At(Labelled("Play")), 700);
  Check(Scene("title-chosen", Menu).Board(5, 5, 4, 1, 0).At(Labelled("Assist Mode"), true), 2);
  Check(Scene("title-play-bot-moves", Menu).Board(2, 2, 2, 1, 0).At(Labelled("Play"), true), 506);
  Check(Scene("title-hard", Menu).Board(2, 2, 2, 1, 0).At(Labelled("Hard"), true));
  Check(Scene("2d-assist").Board(2, 5, 0, 3, 0.5).Cell(4).Assist());
  Check(Scene("3d-assist").Board(3, 5, 0, 3, 0.4).Cell(13).Assist().View(30, -20).Drag(-100, 50));
  Check(Scene("4d-w-rotation").Board(4, 3, 0, 1, 0.2).At(wRotationButton, true), 91);
  Check(Scene("4d-assist").Board(4, 5, 0, 4, 0.4).Cell(40).Assist().View(-25, 15).Drag(50, 0));
  Check(Scene("5d-assist").Board(5, 5, 0, 5, 0.4).Cell(121).Assist());
  Check(Scene("2d-won").Board(2, 3, 1, 1, 0, "12..1.3").Cell(8, true));
  Check(Scene("3d-won").Board(3, 4, 0, 2, 0.3, "2...2").Cell(8, true).View(10, 5).Assist());
  Check(Scene("4d-won").Board(4, 5, 4, 1, 0.3, "1...1").Cell(8, true));
  Check(Scene("5d-won").Board(5, 2, 0, 2, 0.5, "....2...2").Cell(0, true));
  Check(Scene("3d-draw").Board(3, 3, 0, 1, 0, "122131311223232123112221133").At(backButton));
  Check(Scene("3d-bot-waits").Board(3, 3, 2, 2, 0.1, "2...2...0").At(resetButton).View(40, 10),
        100);
  Check(Scene("3d-bot-moved").Board(3, 3, 2, 2, 0.1, "2...2...0").At(resetButton).View(40, 10),
        101);
  Check(Scene("3d-reset").Board(3, 4, 0, 1, 0, "1..2..3").At(resetButton, true).View(5.5, -5 / 0.9),
        2);
  Check(Scene("3d-reset-5").Board(3, 2, 0, 2, 0.2).At(resetButton, true).View(5 / 0.9, 10), 2);
  // "Reset" ends once both angles are 0, and a drag turns the view again.
  Check(Scene("3d-reset-ends").Board(3, 2, 0, 1, 0.2).At(resetButton, true).View(4, 4).Drag(-10, 0),
        3);
  Check(Scene("title-no-font", Menu).Board(4, 2, 1, 1, 0).At(Labelled("Quit")).NoFont());
  Check(Scene("5d-no-font").Board(5, 4, 2, 3, 0.3).Cell(0).NoFont());
  // Every turn tint with a bot to move; the scenes above show each with a human to move.
  for (int32_t p = 1; p <= 5; ++p)
    Check(Scene("2d-turn-" + std::to_string(p) + "-bot").Board(2, p == 1 ? 4 : 5, 4, p, 0.3));
}
