// Tests for fitting the canvas to a window: the pointer mapping through SDL's letterbox.
#include "support/support.h"

// Worked out by hand from SDL's letterbox: scales 1, 1.2 and 0.8, with bars beside or above, at the
// canvas's edges. Every bar pixel lands outside 0..1599 x 0..899, where no Button or cell lies.
TEST(CanvasFitTest, AWindowPixelMapsToTheCanvasPixelUnderItsCentre) {
  // Window size, window pixel, canvas pixel; the bars: 160 beside, 100 above, 60 above at 1.2,
  // 1 and 16 beside at scales of about 0.85, the odd pixel below, 50 above, none where the aspect
  // is within SDL's tolerance of 16:9.
  const struct {
    int32_t w, h, x, y, canvasX, canvasY;
  } cases[] = {{1600, 900, 1599, 899, 1599, 899}, {1920, 1080, 1200, 600, 1000, 500},
               {1280, 720, 1279, 719, 1599, 899}, {1920, 900, 159, 450, -1, 450},
               {1920, 900, 160, 0, 0, 0},         {1920, 900, 1760, 899, 1600, 899},
               {1600, 1100, 800, 99, 800, -1},    {1600, 1100, 0, 1000, 0, 900},
               {1920, 1200, 0, 59, 0, -1},        {1920, 1200, 1919, 1140, 1599, 900},
               {1366, 768, 1364, 767, 1599, 899}, {1366, 768, 1365, 0, 1600, 0},
               {1400, 770, 15, 0, -1, 0},         {1400, 770, 1384, 0, 1600, 0},
               {1600, 901, 0, 0, 0, 0},           {1601, 1000, 0, 49, 0, -1}};
  for (const auto& c : cases) {
    const SDL_Point canvas = WindowToCanvas({c.x, c.y}, {c.w, c.h});
    EXPECT_EQ(canvas.x, c.canvasX) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
    EXPECT_EQ(canvas.y, c.canvasY) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
  }
}
