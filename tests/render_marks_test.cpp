// Circles, flat and projected player marks and thick lines, read back from a software canvas.
#include <vector>

#include "app/shell.h"
#include "render/marks.h"
#include "rules/state.h"
#include "support/canvas.h"
#include "support/game_state.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kRingBlue{50, 50, 255};
constexpr Rgb kGreen{0, 255, 0};
constexpr int kCellX = 100, kCellY = 100;  // top-left corner of the cell the flat marks go in

// Per cell size: ring radius, shoulder drop below the top and the feet's offsets, pixels.
struct FlatCase {
  int32_t size, ringRadius, shoulderDrop, footLeft, footRight;
};
constexpr FlatCase kFlatCases[] = {
    {40, 15, 16, 10, 30}, {60, 25, 24, 15, 45}, {80, 35, 32, 20, 60}};

}  // namespace

class RenderMarksTest : public GameStateTest {
 protected:
  void SetUp() override {
    GameStateTest::SetUp();
    canvas.Clear(kBlack);
  }

  bool Lit(int x, int y) const { return canvas.Pixel(x, y) != kBlack; }

  // Columns x0..x1 of row y that are lit, left to right.
  std::vector<int> LitInRow(int y, int x0, int x1) const {
    std::vector<int> columns;
    for (int x = x0; x <= x1; ++x)
      if (Lit(x, y)) columns.push_back(x);
    return columns;
  }

  std::vector<int> LitInColumn(int x, int y0, int y1) const {
    std::vector<int> rows;
    for (int y = y0; y <= y1; ++y)
      if (Lit(x, y)) rows.push_back(y);
    return rows;
  }

  int LitInCell(int32_t s) const { return canvas.CountNot(kBlack, {kCellX, kCellY, s, s}); }

  Canvas canvas;
};

TEST_F(RenderMarksTest, CircleOfNegativeRadiusDrawsNothingAndZeroOnlyTheCentre) {
  SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
  DrawCircle(400, 300, -1);
  EXPECT_EQ(canvas.CountNot(kBlack), 0);
  DrawCircle(400, 300, 0);
  EXPECT_EQ(canvas.CountNot(kBlack), 1);
  EXPECT_TRUE(Lit(400, 300));
}

// The midpoint circle with its three moves lights exactly the pixels within
// half a pixel of the radius: r - 1/2 <= distance < r + 1/2, so r*r - r < dx*dx + dy*dy <= r*r + r.
TEST_F(RenderMarksTest, CircleLightsEveryPixelWithinHalfAPixelOfTheRadius) {
  const int cx = 400, cy = 300;
  for (int r : {1, 2, 5, 17, 40}) {
    canvas.Clear(kBlack);
    SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
    DrawCircle(cx, cy, r);
    EXPECT_EQ(LitInRow(cy, cx - r - 5, cx + r + 5), (std::vector<int>{cx - r, cx + r})) << r;
    for (int dy = -r - 2; dy <= r + 2; ++dy)
      for (int dx = -r - 2; dx <= r + 2; ++dx) {
        const int squared = dx * dx + dy * dy;
        const bool onRing = squared > r * r - r && squared <= r * r + r;
        ASSERT_EQ(Lit(cx + dx, cy + dy), onRing) << "radius " << r << " at " << dx << ", " << dy;
      }
  }
}

TEST_F(RenderMarksTest, PlayerOutsideOneToFiveDrawsNothingAndKeepsTheColour) {
  for (int32_t player : {0, 6, -1}) {
    SDL_SetRenderDrawColor(renderer, 1, 2, 3, 4);
    DrawPlayerMark(kCellX, kCellY, player);
    DrawProjectedMark(player, 300.0, 300.0, 20.0, 255);
    uint8_t r = 0, g = 0, b = 0, a = 0;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    EXPECT_TRUE(r == 1 && g == 2 && b == 3 && a == 4) << player;
  }
  EXPECT_EQ(canvas.CountNot(kBlack), 0);
}

TEST_F(RenderMarksTest, RingIsTwoCirclesOnePixelApart) {
  for (const FlatCase& c : kFlatCases) {
    canvas.Clear(kBlack);
    cellSize = c.size;
    DrawPlayerMark(kCellX, kCellY, 2);
    const int midX = kCellX + c.size / 2, midY = kCellY + c.size / 2;
    const int r = c.ringRadius;
    EXPECT_EQ(LitInRow(midY, kCellX, kCellX + c.size),
              (std::vector<int>{midX - r, midX - r + 1, midX + r, midX + r + 1}))
        << c.size;
    EXPECT_EQ(LitInColumn(midX, kCellY, kCellY + c.size), (std::vector<int>{midY - r, midY + r}))
        << c.size;
    EXPECT_EQ(canvas.Pixel(midX, midY - r), kRingBlue);
  }
}

TEST_F(RenderMarksTest, CrossIsTwoFullDiagonalsInsetByFive) {
  for (const FlatCase& c : kFlatCases) {
    canvas.Clear(kBlack);
    cellSize = c.size;
    DrawPlayerMark(kCellX, kCellY, 1);
    const int span = c.size - 10;
    for (int t = 0; t <= span; ++t) {
      EXPECT_EQ(canvas.Pixel(kCellX + 5 + t, kCellY + 5 + t), kRed) << c.size << " at " << t;
      EXPECT_EQ(canvas.Pixel(kCellX + 5 + span - t, kCellY + 5 + t), kRed) << c.size << " at " << t;
    }
    // The two diagonals share their middle pixel and nothing else.
    EXPECT_EQ(LitInCell(c.size), 2 * (span + 1) - 1) << c.size;
  }
}

TEST_F(RenderMarksTest, TriangleStandsOnTheBottomInsetWithItsApexUp) {
  for (const FlatCase& c : kFlatCases) {
    canvas.Clear(kBlack);
    cellSize = c.size;
    DrawPlayerMark(kCellX, kCellY, 3);
    const int left = kCellX + 5, right = kCellX + c.size - 5, bottom = kCellY + c.size - 5;
    EXPECT_EQ(LitInRow(bottom, kCellX, kCellX + c.size).size(),
              static_cast<size_t>(right - left + 1));
    EXPECT_EQ(LitInRow(kCellY + 5, kCellX, kCellX + c.size),
              (std::vector<int>{kCellX + c.size / 2}));
    EXPECT_GE(LitInColumn(left, kCellY, kCellY + c.size).front(), bottom - 1) << c.size;
    EXPECT_EQ(canvas.Pixel(right, bottom), kGreen);
  }
}

TEST_F(RenderMarksTest, DiamondTouchesTheMiddleOfEachInsetSide) {
  for (const FlatCase& c : kFlatCases) {
    canvas.Clear(kBlack);
    cellSize = c.size;
    DrawPlayerMark(kCellX, kCellY, 4);
    const int midX = kCellX + c.size / 2, midY = kCellY + c.size / 2;
    const int left = kCellX + 5, right = kCellX + c.size - 5;
    const int top = kCellY + 5, bottom = kCellY + c.size - 5;
    EXPECT_EQ(LitInRow(top, kCellX, kCellX + c.size), (std::vector<int>{midX})) << c.size;
    EXPECT_EQ(LitInRow(bottom, kCellX, kCellX + c.size), (std::vector<int>{midX})) << c.size;
    EXPECT_EQ(LitInColumn(left, kCellY, kCellY + c.size), (std::vector<int>{midY})) << c.size;
    EXPECT_EQ(LitInColumn(right, kCellY, kCellY + c.size), (std::vector<int>{midY})) << c.size;
    EXPECT_FALSE(Lit(midX, midY));
  }
}

TEST_F(RenderMarksTest, PentagonShouldersAndFeetSitWhereTheCellSizeSays) {
  for (const FlatCase& c : kFlatCases) {
    canvas.Clear(kBlack);
    cellSize = c.size;
    DrawPlayerMark(kCellX, kCellY, 5);
    const int shoulder = kCellY + c.shoulderDrop, bottom = kCellY + c.size - 5;
    // The inset's side columns are empty above the shoulders.
    EXPECT_EQ(LitInColumn(kCellX + 5, kCellY, kCellY + c.size).front(), shoulder) << c.size;
    EXPECT_EQ(LitInColumn(kCellX + c.size - 5, kCellY, kCellY + c.size).front(), shoulder)
        << c.size;
    const std::vector<int> base = LitInRow(bottom, kCellX, kCellX + c.size);
    ASSERT_FALSE(base.empty());
    EXPECT_EQ(base.front(), kCellX + c.footLeft) << c.size;
    EXPECT_EQ(base.back(), kCellX + c.footRight) << c.size;
    EXPECT_EQ(base.size(), static_cast<size_t>(c.footRight - c.footLeft + 1)) << c.size;
    EXPECT_EQ(LitInRow(kCellY + 5, kCellX, kCellX + c.size),
              (std::vector<int>{kCellX + c.size / 2}));
  }
}

TEST_F(RenderMarksTest, ThickLineIsFiveStrokesInTheCurrentColour) {
  SDL_SetRenderDrawColor(renderer, 10, 200, 30, 255);
  DrawThickLine(100, 200, 200, 200);
  // Centre, right and left strokes widen row 200 by one each way; up and down add rows.
  EXPECT_EQ(LitInRow(200, 90, 210).size(), 103u);
  EXPECT_EQ(LitInRow(199, 90, 210).size(), 101u);
  EXPECT_EQ(LitInRow(201, 90, 210).size(), 101u);
  EXPECT_EQ(canvas.CountNot(kBlack), 305);
  EXPECT_FALSE(Lit(99, 199));
  EXPECT_EQ(canvas.Pixel(201, 200), (Rgb{10, 200, 30}));

  canvas.Clear(kBlack);
  SDL_SetRenderDrawColor(renderer, 10, 200, 30, 255);
  DrawThickLine(500, 100, 500, 150);
  EXPECT_EQ(LitInColumn(500, 90, 160).size(), 53u);
  EXPECT_EQ(LitInRow(120, 490, 510), (std::vector<int>{499, 500, 501}));
}

TEST_F(RenderMarksTest, ProjectedCrossTruncatesEachEndpointOnItsOwn) {
  // 100.7 - 10.5 = 90.2 and 100.7 + 10.5 = 111.2; rounding the centre first would give 90..110.
  DrawProjectedMark(1, 100.7, 200.6, 10.5, 255);
  EXPECT_EQ(canvas.Pixel(90, 190), kRed);
  EXPECT_EQ(canvas.Pixel(111, 211), kRed);
  EXPECT_EQ(canvas.Pixel(90, 211), kRed);
  EXPECT_EQ(canvas.Pixel(111, 190), kRed);
  EXPECT_FALSE(Lit(112, 212));
}

TEST_F(RenderMarksTest, ProjectedRingIsOneCircleOfTruncatedValues) {
  DrawProjectedMark(2, 300.9, 300.9, 20.9, 255);
  EXPECT_EQ(LitInRow(300, 250, 350), (std::vector<int>{280, 320}));
  EXPECT_EQ(canvas.Pixel(300, 280), kRingBlue);
}

TEST_F(RenderMarksTest, ProjectedTriangleDiamondAndPentagonCorners) {
  const double cx = 200.5, cy = 400.5, r = 20.0;
  DrawProjectedMark(3, cx, cy, r, 75);
  EXPECT_EQ(LitInRow(380, 150, 250), (std::vector<int>{200}));
  EXPECT_EQ(LitInRow(420, 150, 250).size(), 41u);
  EXPECT_EQ(canvas.Pixel(180, 420), kGreen) << "alpha is ignored while the blend mode is none";

  canvas.Clear(kBlack);
  DrawProjectedMark(4, cx, cy, r, 255);
  EXPECT_EQ(LitInRow(380, 150, 250), (std::vector<int>{200}));
  EXPECT_EQ(LitInRow(420, 150, 250), (std::vector<int>{200}));
  EXPECT_EQ(LitInColumn(180, 350, 450), (std::vector<int>{400}));
  EXPECT_EQ(LitInColumn(220, 350, 450), (std::vector<int>{400}));

  canvas.Clear(kBlack);
  DrawProjectedMark(5, cx, cy, r, 255);
  // Shoulders at cy - 0.4 r = 392.5, feet at cx -+ 0.75 r = 185.5 and 215.5.
  EXPECT_EQ(LitInColumn(180, 350, 450).front(), 392);
  EXPECT_EQ(LitInColumn(220, 350, 450).front(), 392);
  const std::vector<int> base = LitInRow(420, 150, 250);
  ASSERT_FALSE(base.empty());
  EXPECT_EQ(base.front(), 185);
  EXPECT_EQ(base.back(), 215);
}
