// The browser's pacing: the game steps each display frame runs.
#include "app/pacing.h"
#include "support/support.h"

// The clock before, the time now, then the steps due and the time still owed. A stall is caught
// up to 200 ms of game time (25 steps), and a new clock owes its first step at once.
TEST(PacingTest, StepsFollowRealTimeAndDropAStall) {
  constexpr uint32_t kWrapping = ~0u - 3;  // four ms before the tick count wraps
  const std::tuple<GameClock, uint32_t, int32_t, uint32_t> rows[] = {
      {{1000, 0}, 1007, 0, 7},
      {{1000, 0}, 1008, 1, 0},
      {{1000, 7}, 1001, 1, 0},
      {{1000, 3}, 1030, 4, 1},
      {{kWrapping, 0}, 4, 1, 0},
      {{1000, 0}, 1000 + kMaxCatchUpSteps * kFrameFloorMs + 7, kMaxCatchUpSteps, 7},
      {{1000, 0}, 1208, 25, 0},
      {{1000, 0}, 61000, kMaxCatchUpSteps, 0},
      {StartedClock(1000), 1000, 1, 0}};
  for (const auto& [before, now, steps, owed] : rows) {
    GameClock clock = before;
    EXPECT_EQ(StepsDue(clock, now), steps) << "from " << before.countedTicks << " to " << now;
    EXPECT_EQ((std::pair{clock.countedTicks, clock.owedMs}), (std::pair{now, owed})) << now;
  }
}
