// The frame loop and the program's life, driven by real SDL events on the dummy video driver.
#include <unistd.h>

#include <csignal>

#include "app/pacing.h"
#include "support/support.h"

struct FrameTest : GameTest {
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(SDL_CreateWindowAndRenderer(kCanvasWidth, kCanvasHeight, 0, &window, &renderer), 0);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override {
    GameTest::TearDown();
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    renderer = nullptr;
  }
  // Mouse button or key events (`code` is the button or the scancode), or events of other types.
  static void Push(const std::vector<Uint32>& types, int code = 0, bool repeat = false,
                   SDL_Point at = {}) {
    for (Uint32 type : types) {
      SDL_Event e{};
      e.type = type;
      if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
        e.button.button = Uint8(code);
        e.button.x = at.x;
        e.button.y = at.y;
      }
      if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
        e.key.keysym.scancode = SDL_Scancode(code);
        e.key.repeat = repeat;
      }
      ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
  }
};

// A release during the cooldown stays queued and clicks in the first frame after it, where it was
// made even though SDL's pointer, sampled first, is elsewhere; a click lasts one frame; held
// follows the last left press or release.
TEST_F(FrameTest, ClicksCooldownAndHeld) {
  const FrameInput& in = frameInput;
  frameInput.inputCooldown = 3;
  Push({SDL_MOUSEBUTTONUP}, SDL_BUTTON_LEFT, false, {100, 200});
  for (int frame = 0; frame < 3; ++frame) SampleInput();
  // Nothing is taken during the cooldown.
  EXPECT_FALSE(in.mouseReleased || in.mouseX);
  SampleInput();
  EXPECT_EQ((std::tuple{in.mouseReleased, in.mouseX, in.mouseY}), (std::tuple{true, 100, 200}));
  SampleInput();
  // The release lasts one frame and its countdown rests at 0.
  EXPECT_EQ((std::tuple{in.mouseReleased, in.releaseFrames, in.prevMouseX, in.prevMouseY}),
            (std::tuple{false, 0, 100, 200}));
  const std::tuple<std::vector<Uint32>, int, bool, bool> passes[] = {
      {{SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}, SDL_BUTTON_LEFT, false, true},
      {{SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONDOWN}, SDL_BUTTON_LEFT, true, true},
      {{SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONDOWN}, SDL_BUTTON_RIGHT, true, false}};
  for (const auto& [events, button, held, released] : passes) {
    Push(events, button);
    SampleInput();
    EXPECT_EQ(std::pair(in.mouseHeld, in.mouseReleased), std::pair(held, released)) << button;
  }
}

// A quick tap of Escape, press and release taken in one frame, ends the game; so does a quit
// event; Escape's release alone does not; each frame is drawn once; the pointer SDL reports before
// any motion is taken as it is. F11 flips once per press, not on repeats, other keys or its
// release.
TEST_F(FrameTest, EscapeAndF11) {
  // Each frame notes its start time.
  frameStartTicks = ~0u;
  for (const std::vector<Uint32>& events :
       {std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYUP}, {SDL_QUIT}, {SDL_KEYUP}}) {
    running = true;
    Push(events, SDL_SCANCODE_ESCAPE);
    RunFrame();
    EXPECT_EQ(running, events == std::vector<Uint32>{SDL_KEYUP});
  }
  EXPECT_DOUBLE_EQ(backgroundRed, 0.3);
  EXPECT_FALSE(frameInput.mouseX || frameInput.mouseY);
  EXPECT_LE(frameStartTicks, SDL_GetTicks());
  const std::tuple<Uint32, SDL_Scancode, bool, bool> passes[] = {
      {SDL_KEYDOWN, SDL_SCANCODE_F11, false, true},
      {SDL_KEYDOWN, SDL_SCANCODE_F11, true, true},
      {SDL_KEYDOWN, SDL_SCANCODE_F10, false, true},
      {SDL_KEYUP, SDL_SCANCODE_F11, false, true},
      {SDL_KEYDOWN, SDL_SCANCODE_F11, false, false}};
  for (const auto& [type, key, repeat, after] : passes) {
    Push({type}, key, repeat);
    SampleInput();
    EXPECT_EQ(std::pair(fullscreen, (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0),
              std::pair(after, after));
  }
}

// F11 under a still pointer (the dummy driver's fullscreen is 1024x768 at the desktop's corner): in
// the switch's own frame the pointer is the canvas point under the same desktop point, off the
// Button it was on, and back in the window (which the dummy driver leaves at that size) it is at
// the same window point again; once the pointer moves, SDL's report holds again.
TEST_F(FrameTest, HoverAfterF11) {
  const Button& play = Labelled("Play");
  // On "Play" in a window of half the size.
  const SDL_Point at{play.x / 2 + 5, play.y / 2 + 5};
  SDL_Point was;
  SDL_SetWindowSize(window, 800, 450);
  SDL_GetWindowPosition(window, &was.x, &was.y);
  SDL_WarpMouseInWindow(window, at.x, at.y);
  Push({SDL_KEYDOWN}, SDL_SCANCODE_F11);
  RunFrame();
  const SDL_Point canvas = WindowToCanvas({was.x + at.x, was.y + at.y}, {1024, 768});
  EXPECT_EQ(std::tuple(frameInput.mouseX, frameInput.mouseY, play.hovered),
            std::tuple(canvas.x, canvas.y, false));
  Push({SDL_KEYDOWN}, SDL_SCANCODE_F11);
  RunFrame();
  const SDL_Point inWindow = WindowToCanvas(at, {1024, 768});
  EXPECT_EQ(std::pair(frameInput.mouseX, frameInput.mouseY), std::pair(inWindow.x, inWindow.y));
  SDL_WarpMouseInWindow(window, 512, 384);
  RunFrame();
  EXPECT_EQ(std::pair(frameInput.mouseX, frameInput.mouseY), std::pair(800, 450));
}

// A frame drawn through the logical size into a 16:10 window (1680x1050: the canvas scaled by 1.05
// to 945 rows at y 52) paints the bars above and below it black over what the window held.
TEST_F(FrameTest, TheBarsOfA16To10WindowAreBlack) {
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  ASSERT_EQ(SDL_CreateWindowAndRenderer(1680, 1050, 0, &window, &renderer), 0) << SDL_GetError();
  SDL_RenderSetLogicalSize(renderer, kCanvasWidth, kCanvasHeight);
  SDL_Surface* shown = SDL_GetWindowSurface(window);
  // White, as the back buffer may hold from an earlier frame.
  SDL_FillRect(shown, nullptr, SDL_MapRGB(shown->format, 255, 255, 255));
  RunFrame();
  for (int y : {0, 51, 997, 1049}) {
    const Uint32* row = static_cast<Uint32*>(shown->pixels) + y * shown->pitch / 4;
    EXPECT_EQ(std::count(row, row + 1680, SDL_MapRGB(shown->format, 0, 0, 0)), 1680) << y;
  }
}

// A browser's display frame 20 ms after the last runs two title steps (the red level moves 0.1 a
// step), then draws once; one with no step due draws nothing; once a step ends the game, no step
// follows and nothing is drawn.
TEST_F(FrameTest, ABrowserFrameStepsThenDrawsOnce) {
  SDL_Surface* shown = SDL_GetWindowSurface(window);
  const Uint32 white = SDL_MapRGB(shown->format, 255, 255, 255);
  // Milliseconds since the last display frame, a quit event, then the steps run so far, drawn,
  // running.
  const std::tuple<Uint32, bool, long, bool, bool> passes[] = {
      {0, false, 0, false, true}, {20, false, 2, true, true}, {20, true, 3, false, false}};
  for (const auto& [ms, quit, steps, drawn, runs] : passes) {
    SDL_FillRect(shown, nullptr, white);
    if (quit) Push({SDL_QUIT});
    gameClock = {SDL_GetTicks() - ms, 0};
    RunBrowserFrame();
    const bool wasDrawn = *static_cast<Uint32*>(shown->pixels) != white;
    EXPECT_EQ((std::tuple{std::lround(backgroundRed / 0.1), wasDrawn, running}),
              (std::tuple{steps, drawn, runs}))
        << ms << (quit ? " ms with a quit" : " ms");
  }
}

// Start-up says nothing when all is well, builds both lattices, smooths scaled text and starts on
// the title screen; SIGTERM ends the loop after its frame; shutdown closes SDL_ttf and leaves no
// window or renderer behind; without a video driver the program says so and exits with 1.
TEST(ProgramTest, StartUpSignalAndMissingDriver) {
  const int ttfUsers = TTF_WasInit();
  const int allocations = SDL_GetNumAllocations();
  testing::internal::CaptureStdout();
  cellMeshes3.clear();
  cellMeshes4.clear();
  ASSERT_TRUE(StartUp());
  EXPECT_TRUE(running && !fullscreen && currentScreen == Menu && window && renderer &&
              cellMeshes3.size() && cellMeshes4.size());
  EXPECT_STREQ(SDL_GetHint(SDL_HINT_RENDER_SCALE_QUALITY), "2");
  RunFrame();
  // The title's fonts and texts are open and cached after its first frame.
  const int warm = SDL_GetNumAllocations();
  std::raise(SIGTERM);
  RunFrame();
  // A frame frees what it makes.
  EXPECT_EQ(SDL_GetNumAllocations(), warm);
  EXPECT_FALSE(running);
  ShutDown();
  EXPECT_EQ(std::tuple(TTF_WasInit(), testing::internal::GetCapturedStdout(), window, renderer),
            std::tuple(ttfUsers, std::string(), nullptr, nullptr));
  // Fonts and texts are freed.
  EXPECT_EQ(SDL_GetNumAllocations(), allocations);
  // In the child process of the death test only.
  const auto withoutVideo = [] {
    setenv("SDL_VIDEODRIVER", "nosuch", 1);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    std::exit(RunZarnith());
  };
  EXPECT_EXIT(withoutVideo(), testing::ExitedWithCode(1),
              "Failed at SDL_Init\\(\\)\nFailed at SDL_CreateWindowAndRenderer\\(\\)\n");
}

// A frame lasts at least 8 ms: the wait is the rest of it, nothing after a slow frame, also when
// the tick count wraps during the frame.
TEST(FramePacingTest, TheWaitFillsTheFrameFloor) {
  const std::array<uint32_t, 3> rows[] = {
      {0, 0, 8}, {9, 16, 1}, {9, 17, 0}, {9, 18, 0}, {~0u, 3, 4}};
  for (const auto& [start, now, wait] : rows) EXPECT_EQ(FrameFloorDelayMs(start, now), wait) << now;
}
