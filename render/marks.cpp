// Drawing primitives every board view uses: circles, player marks, thick lines.
#include "render/marks.h"

#include <SDL.h>

#include <array>

#include "platform/platform.h"
#include "render/colours.h"
#include "rules/state.h"

namespace {

constexpr uint8_t kOpaque = 255;       // alpha of the flat grid's marks
constexpr double kShoulderDrop = 0.4;  // projected pentagon: shoulders 0.4 r above the centre
constexpr double kFootSpread = 0.75;   // projected pentagon: lower corners 0.75 r either side

// Stroke offsets of a thick line: centre, right, left, down, up.
constexpr int32_t kThickOffsets[5][2] = {{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}};

// Sets the draw colour to `player`'s mark colour with `alpha`. False, leaving
// the colour alone, outside 1..5: the one test both mark kinds use for "no mark".
bool SetMarkColour(int32_t player, uint8_t alpha) {
  SDL_Color colour;
  if (!PlayerColour(player, colour)) return false;
  SetDrawColour(colour, alpha);
  return true;
}

void DrawSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  SDL_RenderDrawLine(renderer, x1, y1, x2, y2);
}

// A projected segment: every coordinate is truncated on its own, never the centre first.
void DrawProjectedSegment(double x1, double y1, double x2, double y2) {
  DrawSegment(TruncatePixel(x1), TruncatePixel(y1), TruncatePixel(x2), TruncatePixel(y2));
}

// Circle points are handed to SDL in batches: the same pixels in the same
// order as single points, without SDL's cost per call. A multiple of eight,
// so a step's octants never straddle two batches.
constexpr int kCircleBatchPoints = 256;

struct CirclePoints {
  std::array<SDL_Point, kCircleBatchPoints> points;
  int count = 0;
};

// The eight symmetric points of one step, in their fixed order.
void AddOctants(CirclePoints& batch, int32_t cx, int32_t cy, int32_t dx, int32_t dy) {
  const SDL_Point octants[8] = {{cx + dx, cy + dy}, {cx + dy, cy + dx}, {cx - dx, cy + dy},
                                {cx - dy, cy + dx}, {cx + dx, cy - dy}, {cx + dy, cy - dx},
                                {cx - dx, cy - dy}, {cx - dy, cy - dx}};
  for (const SDL_Point& point : octants) batch.points[batch.count++] = point;
}

// Draws and empties the batch (SDL draws nothing for none); SDL's result, negative on a failure.
int FlushCirclePoints(CirclePoints& batch) {
  const int status = SDL_RenderDrawPoints(renderer, batch.points.data(), batch.count);
  batch.count = 0;
  return status;
}

// Pentagon corners of a flat cell: shoulders 2s/5 down, feet at s/4 and 3s/4 across.
// s = 60: shoulders 24 pixels below the top, feet 15 and 45 pixels in.
void DrawFlatPentagon(int32_t x, int32_t y, int32_t s) {
  const int32_t topX = x + s / 2, topY = y + kMarkInset;
  const int32_t leftX = x + kMarkInset, rightX = x + s - kMarkInset, shoulderY = y + 2 * s / 5;
  const int32_t footLeftX = x + s / 4, footRightX = x + 3 * s / 4, footY = y + s - kMarkInset;
  DrawSegment(leftX, shoulderY, topX, topY);
  DrawSegment(rightX, shoulderY, topX, topY);
  DrawSegment(rightX, shoulderY, footRightX, footY);
  DrawSegment(leftX, shoulderY, footLeftX, footY);
  DrawSegment(footLeftX, footY, footRightX, footY);
}

void DrawProjectedPentagon(double cx, double cy, double r) {
  const double shoulderY = cy - kShoulderDrop * r;
  const double footY = cy + r;
  DrawProjectedSegment(cx - r, shoulderY, cx, cy - r);
  DrawProjectedSegment(cx + r, shoulderY, cx, cy - r);
  DrawProjectedSegment(cx - r, shoulderY, cx - kFootSpread * r, footY);
  DrawProjectedSegment(cx + r, shoulderY, cx + kFootSpread * r, footY);
  DrawProjectedSegment(cx - kFootSpread * r, footY, cx + kFootSpread * r, footY);
}

}  // namespace

int32_t TruncatePixel(double coordinate) { return static_cast<int32_t>(coordinate); }

// Midpoint circle with eight-way symmetry; it lights every pixel within half a
// pixel of the radius. Points on the axes and diagonals are drawn more than
// once and are not deduplicated: under additive blending they take the colour twice.
void DrawCircle(int32_t centreX, int32_t centreY, int32_t radius) {
  if (radius < 0) return;
  int32_t dx = 0, dy = radius;
  int32_t d = radius - 1;
  CirclePoints batch;
  while (dy >= dx) {
    AddOctants(batch, centreX, centreY, dx, dy);
    // NOTE: a failed draw ends the circle; nothing after it is drawn.
    if (batch.count == kCircleBatchPoints && FlushCirclePoints(batch) < 0) return;
    if (d >= 2 * dx) {
      d -= 2 * dx + 1;
      dx += 1;
    } else if (d < 2 * (radius - dy)) {
      d += 2 * dy - 1;
      dy -= 1;
    } else {
      d += 2 * (dy - dx - 1);
      dy -= 1;
      dx += 1;
    }
  }
  FlushCirclePoints(batch);
}

// Every division truncates toward zero. s = 60: s/2 = 30, ring radius 25.
void DrawPlayerMark(int32_t cellX, int32_t cellY, int32_t player) {
  if (!SetMarkColour(player, kOpaque)) return;
  const int32_t s = cellSize;
  const int32_t left = cellX + kMarkInset, right = cellX + s - kMarkInset;
  const int32_t top = cellY + kMarkInset, bottom = cellY + s - kMarkInset;
  const int32_t midX = cellX + s / 2, midY = cellY + s / 2;
  switch (player) {
    case 1:
      DrawSegment(left, top, right, bottom);
      DrawSegment(right, top, left, bottom);
      break;
    case 2:
      // The second circle one pixel to the right thickens the ring sideways.
      DrawCircle(midX, midY, s / 2 - kMarkInset);
      DrawCircle(cellX + 1 + s / 2, midY, s / 2 - kMarkInset);
      break;
    case 3:
      DrawSegment(midX, top, left, bottom);
      DrawSegment(midX, top, right, bottom);
      DrawSegment(left, bottom, right, bottom);
      break;
    case 4:
      DrawSegment(midX, top, left, midY);
      DrawSegment(midX, top, right, midY);
      DrawSegment(midX, bottom, left, midY);
      DrawSegment(midX, bottom, right, midY);
      break;
    default:
      DrawFlatPentagon(cellX, cellY, s);
      break;
  }
}

void DrawThickLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  for (const auto& offset : kThickOffsets) {
    DrawSegment(x1 + offset[0], y1 + offset[1], x2 + offset[0], y2 + offset[1]);
  }
}

void DrawProjectedMark(int32_t player, double cx, double cy, double r, uint8_t alpha) {
  if (!SetMarkColour(player, alpha)) return;
  switch (player) {
    case 1:
      DrawProjectedSegment(cx - r, cy - r, cx + r, cy + r);
      DrawProjectedSegment(cx - r, cy + r, cx + r, cy - r);
      break;
    case 2:
      DrawCircle(TruncatePixel(cx), TruncatePixel(cy), TruncatePixel(r));
      break;
    case 3:
      DrawProjectedSegment(cx - r, cy + r, cx, cy - r);
      DrawProjectedSegment(cx, cy - r, cx + r, cy + r);
      DrawProjectedSegment(cx - r, cy + r, cx + r, cy + r);
      break;
    case 4:
      DrawProjectedSegment(cx - r, cy, cx, cy - r);
      DrawProjectedSegment(cx - r, cy, cx, cy + r);
      DrawProjectedSegment(cx + r, cy, cx, cy - r);
      DrawProjectedSegment(cx + r, cy, cx, cy + r);
      break;
    default:
      DrawProjectedPentagon(cx, cy, r);
      break;
  }
}
