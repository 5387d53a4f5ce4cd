// The browser's pacing: the game steps each display frame runs.
#include "app/pacing.h"
#include "support/support.h"

// A stall is caught up to 200 ms of game time (25 steps), and a new clock owes its first step at
// once; what is left over a whole step is owed to the next display frame.
TEST(PacingTest, StepsFollowRealTimeAndDropAStall) {
  constexpr uint32_t kWrapping = ~0u - 3;  // four ms before the tick count wraps
  const struct {
    GameClock before;
    uint32_t nowMs;
    int32_t steps;
    uint32_t owedMsAfter;
  } rows[] = {{{1000, 0}, 1007, 0, 7},
              {{1000, 0}, 1008, 1, 0},
              {{1000, 7}, 1001, 1, 0},
              {{1000, 3}, 1030, 4, 1},
              {{kWrapping, 0}, 4, 1, 0},
              {{1000, 0}, 1000 + kMaxCatchUpSteps * kFrameFloorMs + 7, kMaxCatchUpSteps, 7},
              {{1000, 0}, 1208, 25, 0},
              {{1000, 0}, 61000, kMaxCatchUpSteps, 0},
              {StartedClock(1000), 1000, 1, 0}};
  for (const auto& row : rows) {
    GameClock clock = row.before;
    SCOPED_TRACE("from " + std::to_string(row.before.countedTicks) + " ms to " +
                 std::to_string(row.nowMs) + " ms");
    EXPECT_EQ(StepsDue(clock, row.nowMs), row.steps);
    EXPECT_EQ(clock.countedTicks, row.nowMs);
    EXPECT_EQ(clock.owedMs, row.owedMsAfter);
  }
}
