// The frame loop, driven by real SDL events on the dummy video driver, and its pacing.
#include "app/pacing.h"
#include "support/support.h"

// The program as main() starts it, on the dummy driver's 1024x768 desktop, with its window then
// as large as the canvas, so that a window pixel is a canvas pixel.
struct FrameTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(StartUp());
    SDL_SetWindowSize(window, kCanvasWidth, kCanvasHeight);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override { ShutDown(); }
  // Mouse button or key events (`code` is the button or the scancode), or events of other types.
  static void Push(const std::vector<Uint32>& types, int code = 0, SDL_Point at = {}) {
    for (Uint32 type : types) {
      SDL_Event e{};
      e.type = type;
      if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
        e.button.button = Uint8(code);
        e.button.x = at.x;
        e.button.y = at.y;
      }
      if (type == SDL_KEYDOWN || type == SDL_KEYUP) e.key.keysym.scancode = SDL_Scancode(code);
      ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
  }
};

// A release during the cooldown stays queued and clicks in the first frame after it, where it was
// made even though SDL's pointer, sampled first, is elsewhere.
TEST_F(FrameTest, AReleaseDuringTheCooldownClicksAfterIt) {
  frameInput.inputCooldown = kScreenSwitchCooldownFrames;
  Push({SDL_MOUSEBUTTONUP}, SDL_BUTTON_LEFT, {100, 200});
  for (int frame = 0; frame < kScreenSwitchCooldownFrames; ++frame) SampleInput();
  EXPECT_FALSE(frameInput.mouseReleased) << "a release was taken during the cooldown";
  SampleInput();
  EXPECT_TRUE(frameInput.mouseReleased) << "the queued release was lost";
  EXPECT_EQ(frameInput.mouseX, 100) << "the release was not taken where it was made";
  EXPECT_EQ(frameInput.mouseY, 200) << "the release was not taken where it was made";
}

// Nothing is held before the first press; then held follows the last left press or release of the
// frame, and the right button changes nothing.
TEST_F(FrameTest, HeldFollowsTheLastLeftPressOrRelease) {
  const struct {
    std::vector<Uint32> events;
    int button;
    bool held, clicked;
  } frames[] = {{{}, SDL_BUTTON_LEFT, false, false},
                {{SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}, SDL_BUTTON_LEFT, false, true},
                {{SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONDOWN}, SDL_BUTTON_LEFT, true, true},
                {{SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONDOWN}, SDL_BUTTON_RIGHT, true, false}};
  for (const auto& frame : frames) {
    Push(frame.events, frame.button);
    SampleInput();
    EXPECT_EQ(frameInput.mouseHeld, frame.held) << "button " << frame.button;
    EXPECT_EQ(frameInput.mouseReleased, frame.clicked) << "button " << frame.button;
  }
}

// A quick tap of Escape, press and release taken in one frame, ends the game, and so does a quit
// event; Escape's release alone does not.
TEST_F(FrameTest, EscapeOrQuitEndsTheGame) {
  Push({SDL_KEYUP}, SDL_SCANCODE_ESCAPE);
  RunFrame();
  EXPECT_TRUE(running) << "Escape's release alone ended the game";
  Push({SDL_KEYDOWN, SDL_KEYUP}, SDL_SCANCODE_ESCAPE);
  RunFrame();
  EXPECT_FALSE(running) << "a tap of Escape left the game running";
  running = true;
  Push({SDL_QUIT});
  RunFrame();
  EXPECT_FALSE(running) << "a quit event left the game running";
}

// F11 under a still pointer on "Play" in a window of half the canvas (the dummy driver's
// fullscreen is 1024x768 at the desktop's corner): in the switch's own frame the pointer is the
// canvas point under the same desktop point, off the Button; once it moves, SDL's report holds
// again; back in the window (which the dummy driver leaves at that size), a still pointer is at
// the same desktop point again.
TEST_F(FrameTest, AStillPointerKeepsItsPlaceThroughF11AndBack) {
  const SDL_Point at{Labelled("Play").x / 2 + 5, Labelled("Play").y / 2 + 5};
  SDL_Point windowAt;
  SDL_SetWindowSize(window, 800, 450);
  SDL_GetWindowPosition(window, &windowAt.x, &windowAt.y);
  SDL_WarpMouseInWindow(window, at.x, at.y);
  Push({SDL_KEYDOWN}, SDL_SCANCODE_F11);
  RunFrame();
  const SDL_Point onDesktop = WindowToCanvas({windowAt.x + at.x, windowAt.y + at.y}, {1024, 768});
  EXPECT_EQ(frameInput.mouseX, onDesktop.x) << "in fullscreen";
  EXPECT_EQ(frameInput.mouseY, onDesktop.y) << "in fullscreen";
  EXPECT_FALSE(Labelled("Play").hovered) << "\"Play\" is hovered from the window's pointer";
  SDL_WarpMouseInWindow(window, 512, 384);
  RunFrame();
  EXPECT_EQ(frameInput.mouseX, 800) << "after a move in fullscreen";
  EXPECT_EQ(frameInput.mouseY, 450) << "after a move in fullscreen";
  Push({SDL_KEYDOWN}, SDL_SCANCODE_F11);
  RunFrame();
  const SDL_Point inWindow = WindowToCanvas({512 - windowAt.x, 384 - windowAt.y}, {1024, 768});
  EXPECT_EQ(frameInput.mouseX, inWindow.x) << "back in the window";
  EXPECT_EQ(frameInput.mouseY, inWindow.y) << "back in the window";
}

// A frame drawn through the logical size into a 16:10 window (1680x1050: the canvas scaled by 1.05
// to 945 rows at y 52) paints the bars above and below it black over what the window held.
TEST_F(FrameTest, TheBarsOfA16To10WindowAreBlack) {
  SDL_SetWindowSize(window, 1680, 1050);
  SDL_Surface* shown = SDL_GetWindowSurface(window);
  // White, as the back buffer and the draw colour may hold from an earlier frame.
  SDL_FillRect(shown, nullptr, SDL_MapRGB(shown->format, 255, 255, 255));
  SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
  RunFrame();
  for (int y : {0, 51, 997, 1049}) {
    const Uint32* row = static_cast<Uint32*>(shown->pixels) + y * shown->pitch / 4;
    EXPECT_EQ(std::count(row, row + 1680, SDL_MapRGB(shown->format, 0, 0, 0)), 1680) << y;
  }
}

// A browser's display frame runs one game step for every 8 ms since the last (the title's red
// level moves 0.1 a step), keeping the rest for the next, then draws once. A new clock owes its
// first step at once; a stall runs 25 steps (200 ms) and drops the rest; a display frame with no
// step due draws nothing; once a step ends the game, no step follows and nothing is drawn.
TEST_F(FrameTest, ABrowserFrameStepsThenDrawsOnce) {
  SDL_Surface* shown = SDL_GetWindowSurface(window);
  const Uint32 white = SDL_MapRGB(shown->format, 255, 255, 255);
  const struct {
    Uint32 msSinceLastFrame;
    bool quit;
    long titleStepsSoFar;
    bool drawn, runningAfter;
    const char* what;
  } frames[] = {{0, false, 1, true, true, "the first display frame"},
                {0, false, 1, false, true, "a display frame with no step due"},
                {20, false, 3, true, true, "a display frame 20 ms after the last"},
                {4, false, 4, true, true, "a display frame 4 ms after one that left 4 ms over"},
                {1000, false, 4 + kMaxCatchUpSteps, true, true, "a display frame after a stall"},
                {20, true, 5 + kMaxCatchUpSteps, false, false, "one whose first step quits"}};
  gameClock = StartedClock(SDL_GetTicks());
  for (const auto& frame : frames) {
    SDL_FillRect(shown, nullptr, white);
    if (frame.quit) Push({SDL_QUIT});
    gameClock.countedTicks = SDL_GetTicks() - frame.msSinceLastFrame;
    RunBrowserFrame();
    const bool drawn = *static_cast<Uint32*>(shown->pixels) != white;
    EXPECT_EQ(std::lround(backgroundRed / 0.1), frame.titleStepsSoFar) << frame.what;
    EXPECT_EQ(drawn, frame.drawn) << frame.what;
    EXPECT_EQ(running, frame.runningAfter) << frame.what;
  }
}

// A frame lasts at least kFrameFloorMs: the wait is the rest of it, nothing after a slow frame,
// also when the tick count wraps during the frame.
TEST(FramePacingTest, TheWaitFillsTheFrameFloor) {
  for (uint32_t startMs : {0u, 9u, ~0u - 2})
    for (uint32_t tookMs = 0; tookMs <= kFrameFloorMs + 1; ++tookMs)
      EXPECT_EQ(FrameFloorDelayMs(startMs, startMs + tookMs),
                tookMs < kFrameFloorMs ? kFrameFloorMs - tookMs : 0)
          << "a frame from " << startMs << " ms that took " << tookMs << " ms";
}
