// The application shell: start-up, the frame loop, input sampling and shutdown.
#pragma once

#include <SDL.h>

#include <cstdint>

// ---- Screens ----------------------------------------------------------------

enum Screen : int32_t { Menu = 0, Game = 1 };

// ---- Window and run state: live from start-up to exit -----------------------

constexpr int kCanvasWidth = 1600;    // pixels; the layout never follows the window size
constexpr int kCanvasHeight = 900;    // pixels
constexpr uint32_t kFrameFloorMs = 8;  // a frame lasts at least this long (125 frames a second)
constexpr int32_t kScreenSwitchCooldownFrames = 3;  // frames without input after "Play" or "Back"

extern bool running;             // the frame loop goes on while true
extern bool fullscreen;          // F11 flips it; applied with SDL_WINDOW_FULLSCREEN
extern SDL_Window* window;       // the one window, null when it could not be created
extern SDL_Renderer* renderer;   // every drawing call goes through it
extern Screen currentScreen;     // which screen the frame loop runs
extern uint32_t frameStartTicks;  // SDL_GetTicks() at the start of the current frame, ms

// ---- Input that the frame loop keeps for the screens -----------------------

struct FrameInput {
  int32_t mouseX = 0, mouseY = 0;          // pointer, window pixels, sampled once per sampled frame
  int32_t prevMouseX = 0, prevMouseY = 0;  // the pointer of the previous sampled frame
  bool mouseReleased = false;              // a left release was taken in this frame's event pass
  int32_t releaseFrames = 0;               // limits mouseReleased to one frame; only > 0 is tested
  bool mouseHeld = false;                  // from a left press event to the next left release event
  int32_t inputCooldown = 0;               // coming frames that sample no input at all
};

extern FrameInput frameInput;

// ---- Entry points -----------------------------------------------------------

// Start-up in order: SDL, SDL_ttf, window and renderer, meshes, Buttons, new game.
// Returns false when no window could be made: then there is nothing to play.
bool StartUp();

// One pass of the frame loop: time, input, release edge, dispatch, floor.
void RunFrame();

// Closes the fonts, then destroys the renderer and the window and quits SDL.
void ShutDown();

// The whole program: start-up, frames until `running` is false, shutdown.
// Returns the process exit status.
int RunZarnith();

// The input phase of one frame (or its cooldown), then the one-frame release edge.
void SampleInput();
