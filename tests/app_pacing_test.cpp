// The browser's pacing: the game steps each display frame runs, and a display frame's steps and
// single drawing.
#include "app/pacing.h"
#include "support/support.h"

// The clock before, the time now, then the steps due and the time still owed.
TEST(PacingTest, StepsFollowRealTimeAndDropAStall) {
  constexpr uint32_t kWrapping = ~0u - 3;  // four ms before the tick count wraps
  const std::tuple<GameClock, uint32_t, int32_t, uint32_t> rows[] = {
      {{1000, 0}, 1007, 0, 7},
      {{1000, 0}, 1008, 1, 0},
      {{1000, 7}, 1001, 1, 0},
      {{1000, 3}, 1030, 4, 1},
      {{kWrapping, 0}, 4, 1, 0},
      {{1000, 0}, 1000 + kMaxCatchUpSteps * kFrameFloorMs + 7, kMaxCatchUpSteps, 7},
      {{1000, 0}, 1000 + (kMaxCatchUpSteps + 1) * kFrameFloorMs, kMaxCatchUpSteps, 0},
      {{1000, 0}, 61000, kMaxCatchUpSteps, 0}};
  for (const auto& [before, now, steps, owed] : rows) {
    GameClock clock = before;
    EXPECT_EQ(StepsDue(clock, now), steps) << "from " << before.countedTicks << " to " << now;
    EXPECT_EQ((std::pair{clock.countedTicks, clock.owedMs}), (std::pair{now, owed})) << now;
  }
}

// 60 display frames a second (16 or 17 ms apart) run 125 steps a second, and a new clock owes its
// first step at once.
TEST(PacingTest, ASecondOfDisplayFramesRunsASecondOfSteps) {
  GameClock clock = StartedClock(500);
  int32_t steps = StepsDue(clock, 500);
  EXPECT_EQ(steps, 1) << "a new clock's first display frame";
  for (int frame = 1; frame <= 60; ++frame) steps += StepsDue(clock, 500 + frame * 1000 / 60);
  EXPECT_EQ(steps, 1 + 1000 / int32_t(kFrameFloorMs));
}

struct BrowserFrameTest : GameTest {
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(SDL_CreateWindowAndRenderer(kCanvasWidth, kCanvasHeight, 0, &window, &renderer), 0);
  }
  void TearDown() override {
    GameTest::TearDown();
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    renderer = nullptr;
  }
  // The colour of the window's top-left pixel as last drawn.
  static uint32_t Corner() {
    uint32_t pixel = 0;
    const SDL_Rect corner{0, 0, 1, 1};
    SDL_RenderReadPixels(renderer, &corner, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
    return pixel;
  }
};

// A display frame 20 ms after the last runs two title steps, then draws the title once; one with
// no step due draws nothing; once a step ends the game, no step follows and nothing is drawn.
TEST_F(BrowserFrameTest, StepsThenOneDrawing) {
  const uint32_t white = 0xFFFFFFFF;
  SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
  SDL_RenderClear(renderer);
  gameClock = {SDL_GetTicks(), 0};
  RunBrowserFrame();
  EXPECT_EQ((std::pair{backgroundRed, Corner()}), (std::pair{0.0, white})) << "no step due";

  gameClock = {SDL_GetTicks() - 20, 0};
  RunBrowserFrame();
  EXPECT_DOUBLE_EQ(backgroundRed, 0.2) << "two steps of the colour cycle";
  EXPECT_NE(Corner(), white) << "the title drawn";

  // The window closed: the step that takes it runs to its end, and the next does not run.
  SDL_RenderClear(renderer);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  gameClock = {SDL_GetTicks() - 20, 0};
  RunBrowserFrame();
  EXPECT_FALSE(running);
  EXPECT_DOUBLE_EQ(backgroundRed, 0.3) << "one step, the one that ends the game";
  EXPECT_EQ(Corner(), white) << "nothing drawn after the end";
}
