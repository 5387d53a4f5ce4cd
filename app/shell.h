// The application shell: start-up, the frame loop and shutdown.
#pragma once

#include <cstdint>

constexpr uint32_t kFrameFloorMs = 8;  // a frame lasts at least this long (125 frames a second)

// ---- Frame timing: live from start-up to exit -------------------------------

extern uint32_t frameStartTicks;  // SDL_GetTicks() at the start of the current frame, ms

// The wait, at SDL_GetTicks() `nowMs`, that keeps a frame begun at `startMs` to the frame floor;
// none after a slow frame. The tick count may have wrapped in between.
uint32_t FrameFloorDelayMs(uint32_t startMs, uint32_t nowMs);

// ---- Entry points -----------------------------------------------------------

// Every global's start value, each group through its own function. Throughout the program a start
// value is written `{}` where it means "nothing yet", as nothing reads it before it is set, and as
// a literal (0, false, nullptr, a named constant) where the value means something when first read.
void SetStartValues();

// Start-up in order: SDL, SDL_ttf, window and renderer, meshes, Buttons, new game.
// Returns false when no window could be made: then there is nothing to play.
bool StartUp();

// The screen chosen at the start of the frame: its update, then its drawing.
void RunCurrentScreen();

// One pass of the frame loop: time, input, release edge, dispatch, floor.
void RunFrame();

// Closes the fonts, then destroys the renderer and the window and quits SDL.
void ShutDown();

// The whole program: start-up, frames until `running` is false, shutdown.
// Returns the process exit status.
int RunZarnith();
