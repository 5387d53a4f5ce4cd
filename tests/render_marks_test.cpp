// Circles, flat and projected player marks and thick lines, read back from a software canvas.
#include <vector>

#include "app/shell.h"
#include "platform/platform.h"
#include "render/marks.h"
#include "rules/state.h"
#include "support/canvas.h"
#include "support/game_state.h"

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kMarkColours[] = {kRed, {50, 50, 255}, {0, 255, 0}, {255, 0, 255}, {0, 255, 255}};

// Cell size, ring radius, shoulder drop below the top, left and right foot, pixels.
constexpr int32_t kFlat[][5] = {{40, 15, 16, 10, 30}, {60, 25, 24, 15, 45}, {80, 35, 32, 20, 60}};

struct RenderMarksTest : GameStateTest {
  // The steps t in [0, n) at which pixel (x + t dx, y + t dy) is lit.
  std::vector<int> LitAlong(int x, int y, int dx, int dy, int n) const {
    std::vector<int> lit;
    for (int t = 0; t < n; ++t)
      if (canvas.Pixel(x + t * dx, y + t * dy) != kBlack) lit.push_back(t);
    return lit;
  }

  Canvas canvas;
};

// Lit where r*r - r < dx*dx + dy*dy <= r*r + r; radius 0 lights the centre, a negative one nothing.
TEST_F(RenderMarksTest, CircleLightsThePixelsOnItsRadius) {
  SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
  for (int r : {-1, 0, 1, 5, 17, 40}) {
    const int cx = 100 + 30 * r;  // clear of the other circles
    DrawCircle(cx, 300, r);
    for (int dy = -r - 2; dy <= r + 2; ++dy)
      for (int dx = -r - 2; dx <= r + 2; ++dx) {
        const int d2 = dx * dx + dy * dy;
        const bool lit = d2 <= r * r + r && (d2 > r * r - r || r == 0);
        ASSERT_EQ(canvas.Pixel(cx + dx, 300 + dy) != kBlack, lit) << r << ": " << dx << ", " << dy;
      }
  }
}

// Player p's mark in the cell at (100p, 100), offsets from its corner. Cross: diagonals sharing
// their middle; ring: a second circle one pixel right; triangle: whole base; diamond: corners
// mid-side, centre bare; pentagon: sides bare above the shoulders, base between the feet.
TEST_F(RenderMarksTest, FlatMarksKeepFiveInsideTheirCell) {
  for (const auto& [s, r, shoulder, footLeft, footRight] : kFlat) {
    SCOPED_TRACE(s);
    canvas.Clear(kBlack);
    cellSize = s;
    for (int32_t p = 1; p <= 5; ++p) DrawPlayerMark(100 * p, 100, p);
    const int h = s / 2, far = s - 5;
    for (int p = 1; p <= 5; ++p)  // the cross's centre, the others' top middle
      EXPECT_EQ(canvas.Pixel(100 * p + h, p == 1 ? 100 + h : 105), kMarkColours[p - 1]) << p;
    EXPECT_EQ(LitAlong(100, 105, 1, 0, s), (std::vector<int>{5, far}));
    EXPECT_EQ(canvas.CountNot(kBlack, {100, 100, s, s}), 2 * (s - 9) - 1);
    EXPECT_EQ(LitAlong(200, 100 + h, 1, 0, s),
              (std::vector<int>{h - r, h - r + 1, h + r, h + r + 1}));
    EXPECT_EQ(LitAlong(300, 100 + far, 1, 0, s).size(), s - 9u);
    EXPECT_EQ(LitAlong(400, 100 + h, 1, 0, s), (std::vector<int>{5, far}));
    EXPECT_EQ(LitAlong(505, 100, 0, 1, shoulder + 1), (std::vector<int>{shoulder}));
    EXPECT_EQ(LitAlong(500, 100 + far, 1, 0, footLeft + 1), (std::vector<int>{footLeft}));
    EXPECT_EQ(LitAlong(500, 100 + far, 1, 0, s).size(), footRight - footLeft + 1u);
    for (int32_t player : {0, 6, -1}) DrawPlayerMark(600, 100, player);  // draws nothing
    SDL_RenderDrawPoint(renderer, 650, 150);  // still in player 5's colour
    EXPECT_EQ(canvas.CountNot(kBlack, {600, 100, 100, 100}), 1);
    EXPECT_EQ(canvas.Pixel(650, 150), kMarkColours[4]);
  }
}

// Centre, right, left, down, up: row 200 widens one pixel each way, rows 199 and 201 add.
TEST_F(RenderMarksTest, ThickLineIsFiveStrokesInTheCurrentColour) {
  SDL_SetRenderDrawColor(renderer, 10, 200, 30, 255);
  DrawThickLine(100, 200, 200, 200);
  EXPECT_EQ(LitAlong(99, 200, 1, 0, 103).size(), 103u);
  for (int y : {199, 201}) EXPECT_EQ(LitAlong(100, y, 1, 0, 101).size(), 101u) << y;
  EXPECT_EQ(canvas.CountNot(kBlack), 305);
  EXPECT_EQ(canvas.Pixel(201, 200), (Rgb{10, 200, 30}));
}

// Each endpoint is truncated on its own: 100.7 - 10.5 = 90.2 and 100.7 + 10.5 = 111.2,
// where rounding the centre first would end at 90 and 110.
TEST_F(RenderMarksTest, ProjectedMarksTruncateEachEndpoint) {
  DrawProjectedMark(1, 100.7, 200.6, 10.5, 255);
  const SDL_Point ends[] = {{90, 190}, {111, 211}, {90, 211}, {111, 190}};
  for (const SDL_Point p : ends) EXPECT_EQ(canvas.Pixel(p.x, p.y), kRed) << p.x << ", " << p.y;
  EXPECT_EQ(canvas.CountNot(kBlack), 2 * 22);  // the diagonals cross between pixels
}
