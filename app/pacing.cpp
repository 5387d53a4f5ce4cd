// Browser pacing: how many game steps of kFrameFloorMs each of the browser's display frames runs.
#include "app/pacing.h"

#include "app/shell.h"

GameClock gameClock;

GameClock StartedClock(uint32_t nowMs) { return {nowMs, kFrameFloorMs}; }

int32_t StepsDue(GameClock& clock, uint32_t nowMs) {
  const uint32_t owedMs = clock.owedMs + (nowMs - clock.countedTicks);
  clock.countedTicks = nowMs;
  const uint32_t steps = owedMs / kFrameFloorMs;
  if (steps > static_cast<uint32_t>(kMaxCatchUpSteps)) {
    clock.owedMs = 0;
    return kMaxCatchUpSteps;
  }
  clock.owedMs = owedMs % kFrameFloorMs;
  return static_cast<int32_t>(steps);
}
