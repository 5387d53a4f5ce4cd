// Whole frames of both screens, drawn by the real update and draw on the software canvas and
// compared pixel for pixel with reviewed PNGs in tests/golden/. ZARNITH_REWRITE_GOLDENS=1 writes
// the frames drawn now over the goldens instead.
#include <SDL_image.h>
#include <unistd.h>

#include "support/support.h"

// The goldens hold for the SDL that drew them; another version may rasterise some edges otherwise.
constexpr SDL_version kGoldenSdl{2, 26, 5};

// A frame's starting state, set through the program's globals before `frames` frames run with
// the same pointer; a release is taken in the first frame only.
struct Scene {
  explicit Scene(std::string sceneName, Screen shown = Game) : name(sceneName), screen(shown) {}
  std::string name;
  Screen screen;
  int32_t dimensions = 3, players = 3, bots = 0, mover = 1;
  double filled = 0.0;   // share of the cells holding random marks of every player
  std::string marks;     // marks of cells 0, 1, ... written over the random ones; '.' keeps one
  int pointerCell = -1;  // the cell, emptied, that the pointer rests on; or -1 for the input's
  FrameInput input;      // the pointer, its release and a drag from the previous point
  bool assist = false, font = true;
  double yaw = 0.0, pitch = 0.0, w = 0.0;  // view angles, degrees
  int frames = 1;

  Scene& Board(int32_t d, int32_t p, int32_t b, int32_t m, double f, std::string m0 = "") {
    std::tie(dimensions, players, bots, mover, filled, marks) = std::tuple(d, p, b, m, f, m0);
    return *this;
  }
  Scene& Cell(int c, bool click = false) {
    std::tie(pointerCell, input.mouseReleased) = std::pair(c, click);
    return *this;
  }
  Scene& At(const Button& b, bool click = false) {
    input.mouseX = input.prevMouseX = b.x + b.w / 2;
    input.mouseY = input.prevMouseY = b.y + b.h / 2;
    input.mouseReleased = click;
    return *this;
  }
  Scene& Drag(int32_t dx, int32_t dy) {
    std::tie(input.prevMouseX, input.prevMouseY, input.mouseHeld) =
        std::tuple(input.mouseX - dx, input.mouseY - dy, true);
    return *this;
  }
  Scene& View(double y, double p, double wNow) {
    std::tie(yaw, pitch, w) = std::tuple(y, p, wNow);
    return *this;
  }
  Scene& Assist() {
    assist = true;
    return *this;
  }
  Scene& NoFont() {
    font = false;
    return *this;
  }
  Scene& Frames(int n) {
    frames = n;
    return *this;
  }
};

// Every screen, Button state, board size, mark, tint, status line and view the player meets. The
// views' turns reset at every scene's start, as at start-up; a scene after a turned one shows it.
static std::vector<Scene> Scenes() {
  BuildMenuButtons();
  std::vector<Scene> scenes = {
      Scene("title-start", Menu),
      Scene("title-hover-frame-700", Menu).At(Labelled("Play")).Frames(700),
      Scene("title-chosen", Menu).Board(5, 5, 4, 1, 0).At(Labelled("Assist Mode"), true).Frames(2),
      Scene("title-hard", Menu).Board(2, 2, 2, 1, 0).At(Labelled("Hard"), true),
      Scene("2d-assist").Board(2, 5, 0, 3, 0.5).Cell(4).Assist(),
      Scene("3d-assist").Board(3, 5, 0, 3, 0.4).Cell(13).Assist().View(30, -20, 0),
      Scene("4d-w-rotation").Board(4, 3, 0, 1, 0.2).At(wRotationButton, true).Frames(91),
      Scene("4d-assist").Board(4, 5, 0, 4, 0.4).Cell(40).Assist().View(-25, 15, 0),
      Scene("5d-assist").Board(5, 5, 0, 5, 0.4).Cell(121).Assist(),
      Scene("2d-won").Board(2, 3, 1, 1, 0, "12..1.3").Cell(8, true),
      Scene("3d-won").Board(3, 4, 0, 2, 0.3, "2...2").Cell(8, true).View(10, 5, 0).Assist(),
      Scene("4d-won").Board(4, 5, 4, 1, 0.3, "1...1").Cell(8, true),
      Scene("5d-won").Board(5, 2, 0, 2, 0.5, "2...2").Cell(8, true),
      Scene("3d-draw").Board(3, 3, 0, 1, 0, "122131311223232123112221133").At(backButton),
      Scene("3d-bot-waits").Board(3, 3, 2, 2, 0.1).At(resetButton).View(40, 10, 0).Frames(100),
      Scene("3d-bot-moved").Board(3, 3, 2, 2, 0.1).At(resetButton).View(40, 10, 0).Frames(101),
      Scene("3d-reset")
          .Board(3, 4, 0, 1, 0, "1..2..3")
          .At(resetButton, true)
          .View(5.5, -5 / 0.9, 0)
          .Frames(2),
      Scene("3d-reset-5")
          .Board(3, 2, 0, 2, 0.2)
          .At(resetButton, true)
          .View(5 / 0.9, 10, 0)
          .Frames(2),
      Scene("3d-dragged").Board(3, 2, 0, 2, 0.3).At(resetButton).Drag(-100, 50).View(10, 10, 0),
      Scene("title-no-font", Menu).Board(4, 2, 1, 1, 0).At(Labelled("Quit")).NoFont(),
      Scene("5d-no-font").Board(5, 4, 2, 3, 0.3).Cell(0).NoFont(),
  };
  for (int32_t p = 1; p <= 5; ++p)  // every turn tint, with a human and with a bot to move
    for (const int32_t bots : {0, 4}) {
      const std::string name = "2d-turn-" + std::to_string(p) + (bots ? "-bot" : "");
      scenes.push_back(Scene(name).Board(2, p == 1 && bots ? 4 : 5, bots, p, 0.3));
    }
  return scenes;
}

// Sets the scene's state as a player would have left it; the cell under the pointer is emptied.
static void SetUpScene(const Scene& s) {
  currentScreen = s.screen;
  dimensionCount = s.dimensions;
  playerCount = s.players;
  botCount = s.bots;
  currentPlayer = s.mover;
  assistMode = s.assist;
  cellSize = CellSizeFor(s.dimensions);
  std::srand(1);  // the bots draw from rand()
  std::mt19937 random(7);
  FillRandomBoard(s.dimensions, s.players, s.filled, random);
  for (size_t cell = 0; cell < s.marks.size(); ++cell) {
    if (s.marks[cell] != '.') CellValue(s.dimensions, int(cell)) = s.marks[cell] - '0';
  }
  frameInput = s.input;
  if (s.pointerCell >= 0) {
    const CellSquare q = CellSquareOf(s.dimensions, cellSize, s.pointerCell);
    CellValue(s.dimensions, s.pointerCell) = 0;
    frameInput.mouseX = SquareCentreX(q);
    frameInput.mouseY = SquareCentreY(q);
  }
  viewYaw = s.yaw;
  viewPitch = s.pitch;
  wAngle = s.w;
}

using Image = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

static Image Rgb24(SDL_Surface* from) {
  return Image(SDL_ConvertSurfaceFormat(from, SDL_PIXELFORMAT_RGB24, 0), SDL_FreeSurface);
}

static std::string Colour(const uint8_t* p) {
  return "(" + std::to_string(p[0]) + ", " + std::to_string(p[1]) + ", " + std::to_string(p[2]) +
         ")";
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
  return "first difference at (" + std::to_string(first / 3 % kCanvasWidth) + ", " +
         std::to_string(first / 3 / kCanvasWidth) + "): drawn " + Colour(a + first) + ", golden " +
         Colour(g + first) + "; see " + name + "-drawn.png and -diff.png";
}

// A frame of every scene, or the goldens rewritten from them with ZARNITH_REWRITE_GOLDENS set.
TEST_F(GameTest, EveryFrameMatchesItsGolden) {
  SDL_version sdl;
  SDL_GetVersion(&sdl);
  ASSERT_TRUE(sdl.major == kGoldenSdl.major && sdl.minor == kGoldenSdl.minor)
      << "the goldens were drawn by SDL 2.26, and this is SDL " << int(sdl.major) << "."
      << int(sdl.minor) << "." << int(sdl.patch) << ", whose drawing may differ";
  const Canvas canvas;
  char folder[4096];
  ASSERT_TRUE(getcwd(folder, sizeof folder));
  for (const Scene& scene : Scenes()) {
    SetStartValues();
    BuildMenuButtons();
    StartNewGame();
    SetUpScene(scene);
    ASSERT_EQ(chdir(scene.font ? folder : "/"), 0);  // Text.ttf is beside the tests only
    for (int frame = 0; frame < scene.frames; ++frame) {
      RunCurrentScreen();
      frameInput.mouseReleased = false;
    }
    ASSERT_EQ(chdir(folder), 0);
    CloseFonts();
    const std::string path = ZARNITH_GOLDEN_DIR "/" + scene.name + ".png";
    const Image drawn = Rgb24(canvas.surface);
    if (std::getenv("ZARNITH_REWRITE_GOLDENS")) {
      EXPECT_EQ(IMG_SavePNG(drawn.get(), path.c_str()), 0) << IMG_GetError();
      continue;
    }
    const Image loaded(IMG_Load(path.c_str()), SDL_FreeSurface);
    ASSERT_TRUE(loaded) << scene.name << ": " << IMG_GetError();
    const Image golden = Rgb24(loaded.get());
    ASSERT_EQ(std::pair(golden->w, golden->h), std::pair(kCanvasWidth, kCanvasHeight));
    EXPECT_EQ(Compare(scene.name, drawn.get(), golden.get()), "") << scene.name;
  }
}
