// Tests for fitting the canvas to a window: the window size for a desktop and the pointer mapping.
#include <gtest/gtest.h>

#include "platform/canvas_fit.h"
#include "platform/platform.h"

namespace {

// Whether SDL's own logical size draws the canvas on this pixel of a window of this size.
bool CanvasDrawnAt(WindowSize output, SDL_Point pixel) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, output.w, output.h, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* r = SDL_CreateSoftwareRenderer(surface);
  SDL_RenderSetLogicalSize(r, kCanvasWidth, kCanvasHeight);
  SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
  const SDL_Rect canvas{0, 0, kCanvasWidth, kCanvasHeight};  // SDL's own logical rect rounds down a pixel
  SDL_RenderFillRect(r, &canvas);
  SDL_RenderFlush(r);
  const bool drawn = static_cast<const Uint32*>(surface->pixels)[pixel.y * surface->pitch / 4 + pixel.x] != 0;
  SDL_DestroyRenderer(r);
  SDL_FreeSurface(surface);
  return drawn;
}

// Worked out by hand: scales 1, 1.2 and 0.8, then bars beside or above, at the canvas's edges.
TEST(CanvasFitTest, AWindowPixelMapsToTheCanvasPixelDrawnOnIt) {
  const struct { WindowSize window; SDL_Point pixel, canvas; } cases[] = {
      {{1600, 900}, {0, 0}, {0, 0}}, {{1600, 900}, {1599, 899}, {1599, 899}},
      {{1920, 1080}, {1200, 600}, {1000, 500}}, {{1920, 1080}, {1919, 1079}, {1599, 899}},
      {{1280, 720}, {400, 200}, {500, 250}}, {{1280, 720}, {1279, 719}, {1599, 899}},
      {{1920, 900}, {159, 450}, {-1, 450}}, {{1920, 900}, {160, 450}, {0, 450}},  // bars of 160
      {{1920, 900}, {1759, 0}, {1599, 0}}, {{1920, 900}, {1760, 899}, {1600, 899}},
      {{1600, 1100}, {800, 99}, {800, -1}}, {{1600, 1100}, {800, 100}, {800, 0}},  // bars of 100
      {{1600, 1100}, {0, 999}, {0, 899}}, {{1600, 1100}, {0, 1000}, {0, 900}},
      {{1920, 1200}, {0, 59}, {0, -1}}, {{1920, 1200}, {1919, 1139}, {1599, 899}},  // 1.2, bars of 60
      {{1920, 1200}, {1919, 1140}, {1599, 900}}, {{1440, 720}, {79, 0}, {-1, 0}},  // 0.8, bars of 80
      {{1440, 720}, {1359, 719}, {1599, 899}}, {{1440, 720}, {1360, 719}, {1600, 899}},
      {{1366, 768}, {1364, 767}, {1599, 899}}, {{1366, 768}, {1365, 0}, {1600, 0}},  // a bar of 1
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.window.w << "x" << c.window.h << " at " << c.pixel.x << "," << c.pixel.y);
    const SDL_Point canvas = WindowToCanvas(c.pixel, c.window);
    EXPECT_EQ(canvas.x, c.canvas.x);
    EXPECT_EQ(canvas.y, c.canvas.y);
    const bool inside = 0 <= c.canvas.x && c.canvas.x < kCanvasWidth && 0 <= c.canvas.y && c.canvas.y < kCanvasHeight;
    EXPECT_EQ(CanvasDrawnAt(c.window, c.pixel), inside);
  }
}

TEST(CanvasFitTest, TheWindowIsTheCanvasOrTheLargest16To9ThatFits) {
  const struct { WindowSize usable, window; } cases[] = {
      {{1920, 1080}, {1600, 900}}, {{1600, 900}, {1600, 900}}, {{1366, 768}, {1360, 765}},
      {{1364, 747}, {1328, 747}}, {{1280, 800}, {1280, 720}}, {{1536, 864}, {1536, 864}},
      {{1599, 2000}, {1584, 891}}, {{2000, 899}, {1584, 891}}};
  for (const auto& c : cases) {
    const WindowSize window = WindowSizeFor(c.usable);
    EXPECT_EQ(window.w, c.window.w) << c.usable.w << "x" << c.usable.h;
    EXPECT_EQ(window.h, c.window.h) << c.usable.w << "x" << c.usable.h;
  }
}

}  // namespace
