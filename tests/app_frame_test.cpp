// The frame loop and the program's life, driven by real SDL events on the dummy video driver.
#include <unistd.h>

#include <csignal>

#include "screens/title_screen.h"
#include "support/support.h"

namespace {

struct FrameTest : GameTest {
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(SDL_CreateWindowAndRenderer(kCanvasWidth, kCanvasHeight, 0, &window, &renderer), 0);
    SDL_PumpEvents(), SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override { SDL_DestroyRenderer(renderer), SDL_DestroyWindow(window), SDL_Quit(), renderer = nullptr; }
  // A mouse button or key event (`code` is the button or the scancode), or any other type.
  static void Push(Uint32 type, int code = 0, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) e.button.button = Uint8(code);
    if (type == SDL_KEYDOWN || type == SDL_KEYUP) e.key.keysym.scancode = SDL_Scancode(code), e.key.repeat = repeat;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
};

// A release during the cooldown stays queued and clicks in the first frame after it, at the
// pointer sampled then; a click lasts one frame; held follows the last left press or release.
TEST_F(FrameTest, ClicksCooldownAndHeld) {
  frameInput.inputCooldown = 3;
  SDL_WarpMouseInWindow(window, 100, 200);
  Push(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  for (int frame = 0; frame < 3; ++frame) {
    SampleInput();
    EXPECT_FALSE(frameInput.mouseReleased || frameInput.mouseX) << frame;
  }
  SampleInput();
  EXPECT_EQ((std::tuple{frameInput.mouseReleased, frameInput.mouseX, frameInput.mouseY}), (std::tuple{true, 100, 200}));
  SampleInput();
  EXPECT_EQ((std::tuple{frameInput.mouseReleased, frameInput.releaseFrames, frameInput.prevMouseX, frameInput.prevMouseY}),
            (std::tuple{false, 0, 100, 200})) << "the countdown rests at 0";
  const std::pair<std::vector<std::pair<Uint32, int>>, std::array<bool, 2>> passes[] = {
      {{{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT}, {SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT}}, {false, true}},
      {{{SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT}, {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT}}, {true, true}},
      {{{SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT}, {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE}}, {true, false}}};
  for (const auto& [events, held_released] : passes) {
    for (const auto& [type, button] : events) Push(type, button);
    SampleInput();
    EXPECT_EQ((std::array{frameInput.mouseHeld, frameInput.mouseReleased}), held_released);
  }
}

// A quick tap of Escape, press and release taken in one frame, ends the game; so does a quit event.
TEST_F(FrameTest, EscapeTapAndQuitEnd) {
  for (const auto& events : {std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYUP}, {SDL_QUIT}}) {
    running = true;
    for (Uint32 type : events) Push(type, SDL_SCANCODE_ESCAPE);
    RunFrame();
    EXPECT_FALSE(running);
  }
  running = true;
  Push(SDL_KEYUP, SDL_SCANCODE_ESCAPE);
  Push(SDL_KEYDOWN, SDL_SCANCODE_A);
  RunFrame();
  EXPECT_TRUE(running) << "only Escape's press ends it";
  EXPECT_DOUBLE_EQ(backgroundRed, 0.3) << "each of the three frames is drawn once";
}

// F11 flips once per press, not on repeats, other keys or its release.
TEST_F(FrameTest, F11TogglesOncePerPress) {
  const struct { Uint32 type; SDL_Scancode key; bool repeat, after; } passes[] = {
      {SDL_KEYDOWN, SDL_SCANCODE_F11, false, true}, {SDL_KEYDOWN, SDL_SCANCODE_F11, true, true},
      {SDL_KEYDOWN, SDL_SCANCODE_F10, false, true}, {SDL_KEYUP, SDL_SCANCODE_F11, false, true},
      {SDL_KEYDOWN, SDL_SCANCODE_F11, false, false}};
  for (const auto& p : passes) {
    Push(p.type, p.key, p.repeat);
    SampleInput();
    EXPECT_EQ(fullscreen, p.after);
    EXPECT_EQ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0, p.after);
  }
}

// Start-up says nothing when all is well and starts on the title screen; SIGTERM ends the loop
// after its frame; without a video driver the program says so and exits with 1.
TEST(ProgramTest, StartUpSignalAndMissingDriver) {
  const int ttfUsers = TTF_WasInit();
  testing::internal::CaptureStdout();
  ASSERT_TRUE(StartUp());
  EXPECT_TRUE(running && !fullscreen && currentScreen == Menu && window && renderer);
  EXPECT_EQ(menuButtons.size(), 19u);
  EXPECT_STREQ(SDL_GetHint(SDL_HINT_RENDER_SCALE_QUALITY), "2");
  std::raise(SIGTERM);
  RunFrame();
  EXPECT_FALSE(running);
  ShutDown();
  EXPECT_EQ(TTF_WasInit(), ttfUsers);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EXIT(
      {
        setenv("SDL_VIDEODRIVER", "nosuch", 1);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        std::exit(RunZarnith());
      },
      testing::ExitedWithCode(1), "Failed at SDL_Init\\(\\)\nFailed at SDL_CreateWindowAndRenderer\\(\\)\n");
}

}  // namespace
