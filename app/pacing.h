// Browser pacing: how many game steps of kFrameFloorMs each of the browser's display frames runs.
#pragma once

#include <cstdint>

constexpr int32_t kMaxCatchUpSteps = 25;  // steps one display frame may run: 200 ms of game time

// ---- Game clock: lives from start-up to exit --------------------------------

struct GameClock {
  uint32_t countedTicks{};  // SDL_GetTicks() when steps were last counted, ms
  uint32_t owedMs{};        // real time counted but not yet run as a whole step, ms
};

extern GameClock gameClock;

// A clock started at `nowMs` that owes one step, so that the first display frame shows the state
// after one step, as the desktop's first frame does.
GameClock StartedClock(uint32_t nowMs);

// The steps due at SDL_GetTicks() `nowMs`: one for every 8 ms since the last count, the
// remainder kept for the next. After a stall (a hidden tab, a slow machine) at most
// kMaxCatchUpSteps run and the rest of the stall is dropped, so the game neither races through
// seconds of bot moves nor falls ever further behind. The tick count may have wrapped.
int32_t StepsDue(GameClock& clock, uint32_t nowMs);
