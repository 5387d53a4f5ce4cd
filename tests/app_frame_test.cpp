// Tests of the frame loop driven by real SDL events on the dummy video driver.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/shell.h"
#include "rules/state.h"
#include "support/canvas.h"
#include "support/game_state.h"
#include "title/buttons.h"
#include "title/menu.h"

namespace {

class FrameTest : public GameStateTest {
 protected:
  void SetUp() override {
    GameStateTest::SetUp();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(SDL_CreateWindowAndRenderer(kCanvasWidth, kCanvasHeight, 0, &window, &renderer), 0)
        << SDL_GetError();
    DropQueuedEvents();
  }

  void TearDown() override {
    CloseWindow();
    // StartUp takes over these two signals; the test run gets them back.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    GameStateTest::TearDown();
  }

  void CloseWindow() {
    SDL_ResetKeyboard();
    if (renderer) SDL_DestroyRenderer(renderer);
    if (window) SDL_DestroyWindow(window);
    renderer = nullptr;
    window = nullptr;
    SDL_Quit();
  }

  // Window events of the new window and the like: not part of any test.
  static void DropQueuedEvents() {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }

  static void PushMouseButton(SDL_EventType type, Uint8 button) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = SDL_GetWindowID(window);
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  static void PushLeftRelease() { PushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT); }

  static void PushKey(SDL_EventType type, SDL_Scancode key, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.windowID = SDL_GetWindowID(window);
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = key;
    e.key.keysym.sym = SDL_GetKeyFromScancode(key);
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }

  static void PushUserEvent() {
    SDL_Event e{};
    e.type = SDL_USEREVENT;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }

  // SDL updates its live key array only for events that come from the video
  // driver, and the dummy driver produces none. The array is SDL's own
  // writable state, so a held key is written into it here as the driver would.
  static void HoldKey(SDL_Scancode key) {
    const_cast<Uint8*>(SDL_GetKeyboardState(nullptr))[key] = 1;
  }

  // Moves SDL's pointer; the motion event it queues is drained like any other.
  static void MovePointer(int x, int y) { SDL_WarpMouseInWindow(window, x, y); }

  static int Queued(SDL_EventType type) {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, type, type);
  }

  static bool WindowIsFullscreen() {
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
  }

  // A pixel of what the last frame presented.
  static Rgb ShownPixel(int x, int y) {
    Uint32 value = 0;
    const SDL_Rect one{x, y, 1, 1};
    SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &value, 4);
    return {static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value)};
  }

  static const Button& Find(const std::string& label) {
    for (const Button& b : menuButtons)
      if (b.label == label) return b;
    ADD_FAILURE() << "no Button " << label;
    return menuButtons.front();
  }
};

// ---- Clicks and the cooldown -------------------------------------------------------

TEST_F(FrameTest, ReleaseDuringCooldownClicksInTheFirstFrameAfterIt) {
  frameInput.inputCooldown = 3;
  frameInput.mouseX = 7;
  frameInput.mouseY = 9;
  MovePointer(100, 200);
  PushLeftRelease();
  for (int frame = 0; frame < 3; ++frame) {
    SampleInput();
    EXPECT_FALSE(frameInput.mouseReleased) << frame;
    EXPECT_EQ(frameInput.mouseX, 7) << frame;
    EXPECT_EQ(frameInput.mouseY, 9) << frame;
    EXPECT_EQ(Queued(SDL_MOUSEBUTTONUP), 1) << "the release waits in the queue";
  }
  EXPECT_EQ(frameInput.inputCooldown, 0);

  SampleInput();
  EXPECT_TRUE(frameInput.mouseReleased);
  EXPECT_EQ(frameInput.mouseX, 100);
  EXPECT_EQ(frameInput.mouseY, 200);
  EXPECT_EQ(frameInput.prevMouseX, 7);
  EXPECT_EQ(frameInput.prevMouseY, 9);
  EXPECT_EQ(Queued(SDL_MOUSEBUTTONUP), 0);

  SampleInput();
  EXPECT_FALSE(frameInput.mouseReleased);
  EXPECT_EQ(frameInput.releaseFrames, 0);
}

TEST_F(FrameTest, SeveralReleasesInOnePassAreOneClick) {
  PushLeftRelease();
  PushLeftRelease();
  PushLeftRelease();
  SampleInput();
  EXPECT_TRUE(frameInput.mouseReleased);
  for (int frame = 0; frame < 3; ++frame) {
    SampleInput();
    EXPECT_FALSE(frameInput.mouseReleased) << frame;
  }
}

TEST_F(FrameTest, HeldFollowsTheLastLeftButtonEventOfThePass) {
  PushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  PushLeftRelease();
  SampleInput();
  EXPECT_FALSE(frameInput.mouseHeld);
  EXPECT_TRUE(frameInput.mouseReleased);

  PushLeftRelease();
  PushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  SampleInput();
  EXPECT_TRUE(frameInput.mouseHeld);
  EXPECT_TRUE(frameInput.mouseReleased);

  SampleInput();  // no events: held stays, the click is gone
  EXPECT_TRUE(frameInput.mouseHeld);
  EXPECT_FALSE(frameInput.mouseReleased);
}

TEST_F(FrameTest, RightAndMiddleButtonsChangeNothing) {
  for (Uint8 button : {Uint8{SDL_BUTTON_RIGHT}, Uint8{SDL_BUTTON_MIDDLE}}) {
    PushMouseButton(SDL_MOUSEBUTTONDOWN, button);
    SampleInput();
    EXPECT_FALSE(frameInput.mouseHeld) << int(button);
    PushMouseButton(SDL_MOUSEBUTTONUP, button);
    SampleInput();
    EXPECT_FALSE(frameInput.mouseReleased) << int(button);
  }
  frameInput.mouseHeld = true;
  PushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
  SampleInput();
  EXPECT_TRUE(frameInput.mouseHeld);
  EXPECT_FALSE(frameInput.mouseReleased);
}

TEST_F(FrameTest, PointerIsSampledOncePerFrameKeepingThePrevious) {
  MovePointer(10, 20);
  SampleInput();
  EXPECT_EQ(frameInput.prevMouseX, 0);
  EXPECT_EQ(frameInput.prevMouseY, 0);
  EXPECT_EQ(frameInput.mouseX, 10);
  EXPECT_EQ(frameInput.mouseY, 20);
  MovePointer(30, 45);
  SampleInput();
  EXPECT_EQ(frameInput.prevMouseX, 10);
  EXPECT_EQ(frameInput.prevMouseY, 20);
  EXPECT_EQ(frameInput.mouseX, 30);
  EXPECT_EQ(frameInput.mouseY, 45);
}

// ---- Quit, Escape and F11 ------------------------------------------------------------

TEST_F(FrameTest, QuitEventStopsTheLoop) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  SampleInput();
  EXPECT_FALSE(running);
}

TEST_F(FrameTest, EscapeHeldStopsAtTheNextEventTaken) {
  HoldKey(SDL_SCANCODE_ESCAPE);
  SampleInput();  // no event taken: the key state alone does nothing
  EXPECT_TRUE(running);

  frameInput.inputCooldown = 1;
  PushUserEvent();
  SampleInput();  // the cooldown takes no events
  EXPECT_TRUE(running);

  SampleInput();  // an event that is not the key's own
  EXPECT_FALSE(running);
}

TEST_F(FrameTest, F11TogglesOncePerPress) {
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_F11);
  HoldKey(SDL_SCANCODE_F11);
  SampleInput();
  EXPECT_TRUE(fullscreen);
  EXPECT_TRUE(WindowIsFullscreen());

  // Held: a repeat, an unrelated event or pointer motion leaves it alone.
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_F11, true);
  SampleInput();
  EXPECT_TRUE(fullscreen) << "key repeat";
  PushUserEvent();
  SampleInput();
  EXPECT_TRUE(fullscreen) << "other event";
  MovePointer(50, 60);
  SampleInput();
  EXPECT_TRUE(fullscreen) << "pointer motion";
  PushKey(SDL_KEYUP, SDL_SCANCODE_F11);
  SampleInput();
  EXPECT_TRUE(fullscreen) << "release";
  EXPECT_TRUE(WindowIsFullscreen());

  PushKey(SDL_KEYDOWN, SDL_SCANCODE_F11);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_F10);
  SampleInput();
  EXPECT_FALSE(fullscreen);
  EXPECT_FALSE(WindowIsFullscreen());
}

// ---- Whole frames ------------------------------------------------------------------------

TEST_F(FrameTest, AFrameLastsAtLeastTheFloor) {
  for (int frame = 0; frame < 3; ++frame) {
    const Uint32 before = SDL_GetTicks();
    RunFrame();
    const Uint32 after = SDL_GetTicks();
    EXPECT_GE(after - before, kFrameFloorMs) << frame;
    EXPECT_GE(frameStartTicks, before);
    EXPECT_LE(frameStartTicks, after);
  }
}

TEST_F(FrameTest, ClickOnTheTitleScreenGoesThroughTheQueue) {
  const Button& assist = Find("Assist Mode");
  MovePointer(assist.x + assist.w, assist.y + assist.h);  // the corner counts
  PushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  PushLeftRelease();
  RunFrame();
  EXPECT_TRUE(assistMode);
  EXPECT_TRUE(assist.latched);
  RunFrame();  // the click lasts one frame only
  EXPECT_TRUE(assistMode);
}

TEST_F(FrameTest, QuitStillDrawsTheTitleScreenOnce) {
  const Button& quit = Find("Quit");
  MovePointer(quit.x + quit.w / 2, quit.y + quit.h / 2);
  PushLeftRelease();
  RunFrame();
  EXPECT_FALSE(running);
  EXPECT_DOUBLE_EQ(backgroundRed, 0.1) << "one step of the colour cycle: drawn once";
  EXPECT_EQ(ShownPixel(5, 5), (Rgb{0, 50, 25}));
  EXPECT_EQ(ShownPixel(quit.x, quit.y + quit.h / 2), (Rgb{255, 255, 255}));
}

TEST_F(FrameTest, EscapeStillDrawsTheTitleScreenOnce) {
  HoldKey(SDL_SCANCODE_ESCAPE);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
  RunFrame();
  EXPECT_FALSE(running);
  EXPECT_DOUBLE_EQ(backgroundRed, 0.1);
  EXPECT_EQ(ShownPixel(5, 5), (Rgb{0, 50, 25}));
}

// ---- Start-up -----------------------------------------------------------------------------

TEST_F(FrameTest, StartUpWithoutAVideoDriverFailsCleanly) {
  CloseWindow();
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  const std::string kept = driver ? driver : "";
  setenv("SDL_VIDEODRIVER", "nosuch", 1);
  testing::internal::CaptureStdout();
  const bool started = StartUp();
  const std::string out = testing::internal::GetCapturedStdout();
  ShutDown();
  if (driver) setenv("SDL_VIDEODRIVER", kept.c_str(), 1);
  else unsetenv("SDL_VIDEODRIVER");

  EXPECT_FALSE(started);
  EXPECT_NE(out.find("Failed at SDL_CreateWindowAndRenderer()\n"), std::string::npos) << out;
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(renderer, nullptr);
  EXPECT_EQ(menuButtons.size(), 19u) << "nothing after the window is built";
}

TEST_F(FrameTest, StartUpBuildsTheWindowAndTheTitleScreen) {
  CloseWindow();
  menuButtons.clear();
  running = false;
  fullscreen = true;
  ASSERT_TRUE(StartUp());
  EXPECT_TRUE(running);
  EXPECT_FALSE(fullscreen);
  ASSERT_NE(window, nullptr);
  ASSERT_NE(renderer, nullptr);
  EXPECT_STREQ(SDL_GetWindowTitle(window), "Zarnith");
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  EXPECT_EQ(w, 1600);
  EXPECT_EQ(h, 900);
  EXPECT_FALSE(WindowIsFullscreen());
  EXPECT_EQ(menuButtons.size(), 19u);
  EXPECT_EQ(currentScreen, Menu);
  ShutDown();
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(renderer, nullptr);
}

TEST_F(FrameTest, ProgramExitsWithStatusOneWithoutAWindow) {
  CloseWindow();
  EXPECT_EXIT(
      {
        setenv("SDL_VIDEODRIVER", "nosuch", 1);
        std::fclose(stdout);  // the failure lines are checked above
        std::exit(RunZarnith());
      },
      testing::ExitedWithCode(1), "");
}

TEST_F(FrameTest, TerminationSignalEndsTheLoopAfterTheFrame) {
  CloseWindow();
  // In a child process: the stop request cannot be taken back once made.
  EXPECT_EXIT(
      {
        if (!StartUp()) std::exit(2);
        std::raise(SIGTERM);
        RunFrame();
        const bool stopped = !running && backgroundRed > 0.0;
        ShutDown();
        std::exit(stopped ? 0 : 3);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
