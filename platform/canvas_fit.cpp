// Fitting the fixed canvas to any window: the window size, the scaled picture, the pointer mapped
// back.
#include "platform/canvas_fit.h"

#include <algorithm>
#include <cmath>

#include "platform/platform.h"

namespace {

FrameBorders fittedFrame;  // the borders the window was last fitted with, all 0 for none

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

FrameBorders ReportedFrame() {
  FrameBorders frame;  // SDL sets all four, to 0 where it knows no frame
  SDL_GetWindowBordersSize(window, &frame.top, &frame.left, &frame.bottom, &frame.right);
  return frame;
}

bool HasFrame(FrameBorders frame) {
  return frame.top != 0 || frame.left != 0 || frame.bottom != 0 || frame.right != 0;
}

// SDL places and sizes the window by its inside; the frame is added by hand.
void FitWindowToFrame(FrameBorders frame) {
  fittedFrame = frame;
  SDL_Rect now;
  SDL_GetWindowPosition(window, &now.x, &now.y);
  SDL_GetWindowSize(window, &now.w, &now.h);
  const SDL_Rect fitted = FramedWindowArea(UsableDesktop(), frame, now);
  if (fitted.w == now.w) return;
  SDL_SetWindowSize(window, fitted.w, fitted.h);
  SDL_SetWindowPosition(window, fitted.x, fitted.y);
}

}  // namespace

// Whole 16:9 steps: as many as fit, at least one, and no more than the canvas has.
WindowSize WindowSizeFor(WindowSize usable) {
  const int32_t units =
      std::max(1, std::min({usable.w / kAspectWidthUnit, usable.h / kAspectHeightUnit,
                            kCanvasWidth / kAspectWidthUnit}));
  return {units * kAspectWidthUnit, units * kAspectHeightUnit};
}

// usable 1366x748, frame 20 above and 1 elsewhere: the inside may use 1364x727,
// so a 1328x747 window becomes 1280x720 at (43, 23).
SDL_Rect FramedWindowArea(SDL_Rect usable, FrameBorders frame, SDL_Rect now) {
  const WindowSize inside = {usable.w - frame.left - frame.right,
                             usable.h - frame.top - frame.bottom};
  const WindowSize fitted = WindowSizeFor(inside);
  if (fitted.w >= now.w) return now;
  return {usable.x + frame.left + (inside.w - fitted.w) / 2,
          usable.y + frame.top + (inside.h - fitted.h) / 2, fitted.w, fitted.h};
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

// The frame's size is known only once the window manager has framed the
// window, which the events pumped here may report.
void FitCanvasToWindow() {
  SDL_PumpEvents();
  FitWindowToFrame(ReportedFrame());
  SDL_RenderSetLogicalSize(renderer, kCanvasWidth, kCanvasHeight);
}

// SDL's X11 backend reads the frame (_NET_FRAME_EXTENTS) when the window
// manager changes it, while it pumps events, and sends no event of its own for
// it, so its copy is read here, which costs no call to the X server. Once the
// window has been fitted with a frame, later changes are the window manager's
// own: it takes the frame away in fullscreen and gives it back after, when SDL
// restores the window's size.
void FitWindowToLateFrame() {
  if (HasFrame(fittedFrame)) return;
  const FrameBorders frame = ReportedFrame();
  if (HasFrame(frame)) FitWindowToFrame(frame);
}
