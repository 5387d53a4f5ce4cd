// The platform layer every drawing and input path shares: the canvas, the window, the run state and
// the frame's input.
#pragma once

#include <SDL.h>

#include <cstdint>

// ---- The canvas -------------------------------------------------------------

constexpr int kCanvasWidth = 1600;  // pixels; the layout never follows the window size
constexpr int kCanvasHeight = 900;  // pixels
constexpr int32_t kScreenSwitchCooldownFrames = 3;  // frames without input after "Play" or "Back"

enum Screen : int32_t { Menu = 0, Game = 1 };

// ---- Window and run state: live from start-up to exit -----------------------

extern bool running;            // the frame loop goes on while true
extern bool fullscreen;         // F11 flips it; applied through FullscreenFlags
extern SDL_Window* window;      // the one window, null when it could not be created
extern SDL_Renderer* renderer;  // every drawing call goes through it
extern Screen currentScreen;    // which screen the frame loop runs

// Running, windowed, on the title screen.
void ResetRunState();

// The window flags that `fullscreen` asks for: SDL_WINDOW_FULLSCREEN or none.
Uint32 FullscreenFlags();

// ---- Frame input: sampled once per frame for the screens --------------------

struct FrameInput {
  int32_t mouseX{}, mouseY{};          // pointer, canvas pixels, sampled once per sampled frame
  int32_t prevMouseX{}, prevMouseY{};  // the pointer of the previous sampled frame
  bool mouseReleased{};                // a left release was taken in this frame's event pass
  int32_t releaseFrames = 0;           // limits mouseReleased to one frame; only > 0 is tested
  bool mouseHeld = false;              // from a left press event to the next left release event
  int32_t inputCooldown = 0;           // coming frames that sample no input at all
  SDL_Rect windowArea{};               // the window's desktop place and size at the last sample
  SDL_Point reportedPointer{};         // the pointer's window position as SDL last reported it
  SDL_Point windowMove{};              // how far the window moved since that report, reversed
};

extern FrameInput frameInput;

// No pointer sampled yet, no button, no cooldown.
void ResetFrameInput();

// The input phase of one frame (or its cooldown), then the one-frame release edge.
void SampleInput();
