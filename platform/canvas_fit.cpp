// Fitting the fixed canvas to any window: the window size, the scaled picture, the pointer mapped
// back.
#include "platform/canvas_fit.h"

#include <algorithm>
#include <cmath>

#include "platform/platform.h"

namespace {

constexpr int32_t kAspectWidthUnit = 16;  // pixels: a 16:9 window is a whole multiple of 16 by 9
constexpr int32_t kAspectHeightUnit = 9;  // pixels
constexpr double kSameAspect = 0.0001;    // SDL scales without bars within this aspect difference
constexpr double kPixelCentre = 0.5;      // pixels from a pixel's corner to its centre

// One axis of the pointer mapping, through the pixel's centre. Pixels before
// the viewport come out negative; those after it are pushed past the last
// canvas pixel, onto which the float scale could round them back.
int32_t ToCanvasAxis(int32_t pixel, int32_t start, int32_t length, float scale,
                     int32_t canvasLength) {
  const double canvas = std::floor((pixel + kPixelCentre - start) / static_cast<double>(scale));
  const auto canvasPixel = static_cast<int32_t>(canvas);
  return pixel >= start + length ? std::max(canvasPixel, canvasLength) : canvasPixel;
}

// The usable area of the first display, or a canvas-sized one when SDL knows none. In a browser
// the window is the page's canvas, always canvas-sized: the page scales it to the browser's
// window, so the game draws the desktop's frames at any size.
SDL_Rect UsableDesktop() {
  const SDL_Rect canvas{0, 0, kCanvasWidth, kCanvasHeight};
#ifdef __EMSCRIPTEN__
  return canvas;
#else
  SDL_Rect usable;
  return SDL_GetDisplayUsableBounds(0, &usable) < 0 ? canvas : usable;
#endif
}

}  // namespace

// Whole 16:9 steps: as many as fit, at least one, and no more than the canvas has.
WindowSize WindowSizeFor(WindowSize usable) {
  const int32_t units =
      std::max(1, std::min({usable.w / kAspectWidthUnit, usable.h / kAspectHeightUnit,
                            kCanvasWidth / kAspectWidthUnit}));
  return {units * kAspectWidthUnit, units * kAspectHeightUnit};
}

// SDL's letterbox rule for a logical size, step for step and in floats as it
// computes them, so that the pointer mapping meets the picture to the pixel.
CanvasFit FitCanvas(WindowSize output) {
  const float wantAspect = static_cast<float>(kCanvasWidth) / kCanvasHeight;
  const float realAspect = static_cast<float>(output.w) / static_cast<float>(output.h);
  CanvasFit fit{{0, 0, output.w, output.h}, static_cast<float>(output.w) / kCanvasWidth};
  if (std::fabs(wantAspect - realAspect) < kSameAspect) return fit;
  if (wantAspect > realAspect) {  // the output is taller: bars above and below
    fit.viewport.h = static_cast<int>(std::floor(kCanvasHeight * fit.scale));
    fit.viewport.y = (output.h - fit.viewport.h) / 2;
  } else {  // the output is wider: bars left and right
    fit.scale = static_cast<float>(output.h) / kCanvasHeight;
    fit.viewport.w = static_cast<int>(std::floor(kCanvasWidth * fit.scale));
    fit.viewport.x = (output.w - fit.viewport.w) / 2;
  }
  return fit;
}

SDL_Point WindowToCanvas(SDL_Point pixel, WindowSize output) {
  const CanvasFit fit = FitCanvas(output);
  const SDL_Rect& v = fit.viewport;
  return {ToCanvasAxis(pixel.x, v.x, v.w, fit.scale, kCanvasWidth),
          ToCanvasAxis(pixel.y, v.y, v.h, fit.scale, kCanvasHeight)};
}

WindowSize UsableDesktopSize() {
  const SDL_Rect usable = UsableDesktop();
  return {usable.w, usable.h};
}

void ClearWholeWindow() {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
  SDL_RenderClear(renderer);  // the whole target, outside the logical viewport too
}

// The frame's size is known only once the window manager has framed the
// window, which the events pumped here report. SDL places the window by its
// inside, so the frame is centred by hand.
void FitCanvasToWindow() {
  SDL_PumpEvents();
  // SDL sets all four, to 0 without a window manager.
  int top, left, bottom, right;
  SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right);
  const SDL_Rect usable = UsableDesktop();
  const WindowSize inside = {usable.w - left - right, usable.h - top - bottom};
  const WindowSize fitted = WindowSizeFor(inside);
  WindowSize now;
  SDL_GetWindowSize(window, &now.w, &now.h);
  if (fitted.w < now.w) {
    SDL_SetWindowSize(window, fitted.w, fitted.h);
    SDL_SetWindowPosition(window, usable.x + left + (inside.w - fitted.w) / 2,
                          usable.y + top + (inside.h - fitted.h) / 2);
  }
  SDL_RenderSetLogicalSize(renderer, kCanvasWidth, kCanvasHeight);
}
