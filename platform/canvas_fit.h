// Fitting the fixed canvas to any window: the window size, the scaled picture, the pointer mapped
// back.
#pragma once

#include <SDL.h>

#include <cstdint>

struct WindowSize {
  int32_t w{}, h{};  // pixels
};

// The window manager's frame around the window, as SDL reports it: all 0 until
// the window manager has said, and without one.
struct FrameBorders {
  int32_t top{}, left{}, bottom{}, right{};  // pixels
};

// Where the canvas lands in a window: scaled by `scale` into `viewport`,
// centred, with black bars on the axis the window has to spare.
struct CanvasFit {
  SDL_Rect viewport{};  // window pixels
  float scale = 1.0f;   // window pixels per canvas pixel
};

// The size of a window whose inside may use `usable` pixels: the canvas
// size, or the largest 16:9 size that fits where the canvas does not.
WindowSize WindowSizeFor(WindowSize usable);

// Where a window whose inside is `now` goes so that it fits the usable
// desktop with its frame: smaller, at the largest 16:9 size that fits, with the
// frame centred; or `now` itself when it fits already. It never grows.
SDL_Rect FramedWindowArea(SDL_Rect usable, FrameBorders frame, SDL_Rect now);

// The canvas fitted to a window of this size, as SDL's logical size fits it.
CanvasFit FitCanvas(WindowSize output);

// A window pixel as the canvas pixel under its centre. A pixel in a letterbox
// bar lands outside 0..width-1 or 0..height-1, so no Button or cell takes it,
// and a drag across the bars moves on smoothly.
SDL_Point WindowToCanvas(SDL_Point pixel, WindowSize output);

// The usable area of the first display, or the canvas size when SDL knows none.
WindowSize UsableDesktopSize();

// Start-up, after the window exists: shrinks it so that its frame fits the
// desktop too, and has the renderer scale the canvas to whatever size the
// window takes, now or later in fullscreen.
void FitCanvasToWindow();

// Each frame, after its events: fits the window again when the window
// manager reports a frame after a fit that saw none, as it may do some frames
// after start-up.
void FitWindowToLateFrame();
