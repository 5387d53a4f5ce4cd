// Tests of the frame loop driven by real SDL events on the dummy video driver.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/shell.h"
#include "platform/platform.h"
#include "support/game_state.h"
#include "screens/title_screen.h"

namespace {

class FrameTest : public GameStateTest {
 protected:
  void SetUp() override {
    GameStateTest::SetUp();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(SDL_CreateWindowAndRenderer(1600, 900, 0, &window, &renderer), 0) << SDL_GetError();
    SDL_PumpEvents();  // the new window's own events are not part of any test
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override { CloseWindow(); }
  static void CloseWindow() {
    SDL_ResetKeyboard();
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    renderer = nullptr, window = nullptr;
    SDL_Quit();
  }
  // A mouse button or key event (`code` is the button or the scancode), or any other type.
  static void Push(Uint32 type, int code = 0, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) e.button.button = Uint8(code);
    if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
      e.key.keysym.scancode = SDL_Scancode(code);
      e.key.repeat = repeat;
    }
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  // The dummy driver makes no key events: SDL's own live key array is set as for a held key.
  static void HoldKey(SDL_Scancode k) { const_cast<Uint8*>(SDL_GetKeyboardState(nullptr))[k] = 1; }
};

TEST_F(FrameTest, ReleaseDuringCooldownClicksInTheFirstFrameAfterIt) {
  frameInput.inputCooldown = 3;
  frameInput.mouseX = 7, frameInput.mouseY = 9;
  SDL_WarpMouseInWindow(window, 100, 200);
  Push(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  for (int frame = 0; frame < 3; ++frame) {
    SampleInput();
    EXPECT_FALSE(frameInput.mouseReleased) << frame;
    EXPECT_EQ((std::array{frameInput.mouseX, frameInput.mouseY}), (std::array{7, 9})) << frame;
  }
  SampleInput();
  EXPECT_TRUE(frameInput.mouseReleased);
  EXPECT_EQ((std::array{frameInput.prevMouseX, frameInput.prevMouseY, frameInput.mouseX,
                        frameInput.mouseY}), (std::array{7, 9, 100, 200}));
}

TEST_F(FrameTest, ButtonEventsOfOnePass) {
  constexpr Uint32 kDown = SDL_MOUSEBUTTONDOWN, kUp = SDL_MOUSEBUTTONUP;
  constexpr int kLeft = SDL_BUTTON_LEFT, kRight = SDL_BUTTON_RIGHT, kMiddle = SDL_BUTTON_MIDDLE;
  const struct { std::vector<std::pair<Uint32, int>> events; bool heldBefore, held, released; }
      passes[] = {
      {{{kUp, kLeft}, {kUp, kLeft}, {kUp, kLeft}}, true, false, true},  // three releases, one click
      {{{kDown, kLeft}, {kUp, kLeft}}, false, false, true},  // held follows the last of them
      {{{kUp, kLeft}, {kDown, kLeft}}, false, true, true},
      {{{kDown, kRight}, {kDown, kMiddle}}, false, false, false},  // only the left button counts
      {{{kUp, kRight}, {kUp, kMiddle}}, true, true, false}};
  for (size_t i = 0; i < std::size(passes); ++i) {
    SCOPED_TRACE(testing::Message() << "pass " << i);
    frameInput = FrameInput{};
    frameInput.mouseHeld = passes[i].heldBefore;
    for (const auto& [type, button] : passes[i].events) Push(type, button);
    SampleInput();
    EXPECT_EQ(frameInput.mouseHeld, passes[i].held);
    EXPECT_EQ(frameInput.mouseReleased, passes[i].released);
    SampleInput();  // the click lasts one frame; held stays
    EXPECT_EQ(frameInput.mouseHeld, passes[i].held);
    EXPECT_FALSE(frameInput.mouseReleased);
  }
}

TEST_F(FrameTest, QuitEventOrAnyEventTakenWhileEscapeIsHeldStops) {
  Push(SDL_QUIT);
  SampleInput();
  EXPECT_FALSE(running);

  running = true;
  HoldKey(SDL_SCANCODE_ESCAPE);
  SampleInput();  // no event taken: the key state alone does nothing
  EXPECT_TRUE(running);
  Push(SDL_USEREVENT);
  RunFrame();
  EXPECT_FALSE(running);
  EXPECT_DOUBLE_EQ(backgroundRed, 0.1) << "the stopping frame is still drawn, once";
}

TEST_F(FrameTest, F11TogglesOncePerPress) {
  HoldKey(SDL_SCANCODE_F11);
  const struct { Uint32 type; SDL_Scancode key; bool repeat, after; } passes[] = {
      {SDL_KEYDOWN, SDL_SCANCODE_F11, false, true},  {SDL_KEYDOWN, SDL_SCANCODE_F11, true, true},
      {SDL_USEREVENT, SDL_SCANCODE_F11, false, true}, {SDL_KEYDOWN, SDL_SCANCODE_F10, false, true},
      {SDL_KEYUP, SDL_SCANCODE_F11, false, true},    {SDL_KEYDOWN, SDL_SCANCODE_F11, false, false}};
  for (const auto& p : passes) {
    SCOPED_TRACE(testing::Message() << "pass " << &p - passes);
    Push(p.type, p.key, p.repeat);
    SampleInput();
    EXPECT_EQ(fullscreen, p.after);
    EXPECT_EQ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0, p.after);
  }
}

TEST_F(FrameTest, AFrameLastsAtLeastEightMilliseconds) {
  currentScreen = Screen{2};  // no screen: nothing but the input phase and the floor
  for (int frame = 0; frame < 3; ++frame) {
    const Uint32 before = SDL_GetTicks();
    RunFrame();
    EXPECT_GE(SDL_GetTicks() - before, 8u) << frame;
  }
}

TEST_F(FrameTest, WithoutAVideoDriverTheProgramSaysSoAndExitsWithOne) {
  CloseWindow();
  EXPECT_EXIT(
      {
        setenv("SDL_VIDEODRIVER", "nosuch", 1);
        dup2(STDERR_FILENO, STDOUT_FILENO);  // the message is matched on standard error
        std::exit(RunZarnith());
      },
      testing::ExitedWithCode(1), "Failed at SDL_CreateWindowAndRenderer\\(\\)\n");
}

TEST_F(FrameTest, TerminationSignalEndsTheLoopAfterTheFrame) {
  CloseWindow();
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
