// The projected 3D and 4D views: projection figures and whole frames on a software canvas.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/shell.h"
#include "render/marks.h"
#include "render/projection.h"
#include "rules/hover.h"
#include "rules/state.h"
#include "rules/turn.h"
#include "support/canvas.h"
#include "support/game_state.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRingBlue{50, 50, 255};
constexpr Rgb kPureBlue{0, 0, 255};

// Every pixel's colour, alpha masked off: marks drawn opaque still store their alpha.
using Frame = std::vector<uint32_t>;

struct Box {
  int left, top, right, bottom;
  bool Holds(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

Rgb Unpack(uint32_t pixel) {
  return {static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
          static_cast<uint8_t>(pixel)};
}

// Each channel of `seen` within one of `expected` (SDL's additive blend rounds).
bool Near(Rgb seen, int r, int g, int b) {
  return std::abs(seen.r - r) <= 1 && std::abs(seen.g - g) <= 1 && std::abs(seen.b - b) <= 1;
}

int ChannelSum(int under, int add) { return std::min(255, under + add); }

}  // namespace

class RenderProjectionTest : public GameStateTest {
 protected:
  void SetUp() override {
    GameStateTest::SetUp();
    cellMeshes3.clear();
    cellMeshes4.clear();
    BuildCellMeshes();
  }

  Frame Snapshot() const {
    const SDL_Surface* surface = canvas.Surface();
    Frame frame(static_cast<size_t>(kCanvasWidth) * kCanvasHeight);
    for (int y = 0; y < kCanvasHeight; ++y) {
      const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
      std::memcpy(&frame[static_cast<size_t>(y) * kCanvasWidth], row, kCanvasWidth * 4);
    }
    for (uint32_t& pixel : frame) pixel &= 0x00FFFFFFu;
    return frame;
  }

  Frame Render3D() {
    canvas.Clear(kBlack);
    RenderBoard3D();
    return Snapshot();
  }

  Frame Render4D() {
    canvas.Clear(kBlack);
    RenderBoard4D(kViewOriginX, kViewOriginY, cellMeshes4);
    return Snapshot();
  }

  static Rgb At(const Frame& frame, int x, int y) { return Unpack(frame[y * kCanvasWidth + x]); }

  static std::vector<SDL_Point> Differences(const Frame& a, const Frame& b) {
    std::vector<SDL_Point> points;
    for (size_t n = 0; n < a.size(); ++n)
      if (a[n] != b[n])
        points.push_back({static_cast<int>(n % kCanvasWidth), static_cast<int>(n / kCanvasWidth)});
    return points;
  }

  static int CountColour(const Frame& frame, Rgb colour) {
    return static_cast<int>(std::count_if(frame.begin(), frame.end(),
                                          [&](uint32_t pixel) { return Unpack(pixel) == colour; }));
  }

  // The board cell's mesh projected with this frame's angles.
  static ProjectedCell Cube(const CellCoord& board) {
    const CellCoord m = BoardCoordOfMesh(board);
    return ProjectCell(cellMeshes3[m[0]][m[1]][m[2]], ViewTurn3D(), kViewOriginX, kViewOriginY);
  }

  static ProjectedCell Tesseract(const CellCoord& board) {
    const CellCoord m = BoardCoordOfMesh(board);
    return ProjectCell(cellMeshes4[m[0]][m[1]][m[2]][m[3]], ViewTurn4D(), kViewOriginX,
                       kViewOriginY);
  }

  // The window pixels a projected cell's vertices span, one pixel wider for line ends.
  static Box BoxOf(const ProjectedCell& cell) {
    Box box{kCanvasWidth, kCanvasHeight, 0, 0};
    for (int n = 0; n < cell.vertexCount; ++n) {
      const int x = TruncatePixel(kViewOriginX + cell.x[n]),
                y = TruncatePixel(kViewOriginY + cell.y[n]);
      box = {std::min(box.left, x - 1), std::min(box.top, y - 1), std::max(box.right, x + 1),
             std::max(box.bottom, y + 1)};
    }
    return box;
  }

  // The four points a ring of a projected mark always lights: its ends on both axes.
  static std::vector<SDL_Point> RingTips(const ProjectedCell& cell) {
    const int cx = TruncatePixel(cell.centreX), cy = TruncatePixel(cell.centreY);
    const int r = TruncatePixel(cell.markRadius);
    return {{cx - r, cy}, {cx + r, cy}, {cx, cy - r}, {cx, cy + r}};
  }

  Canvas canvas;
};

TEST_F(RenderProjectionTest, CentreCubeWithNoTurnHasRadiusFortyFive) {
  const ProjectedCell cell = Cube({1, 1, 1});
  EXPECT_EQ(cell.markRadius, 45.0);
  EXPECT_NEAR(cell.centreX, 1151.83, 0.01);
  EXPECT_NEAR(cell.centreY, 402.50, 0.01);
  EXPECT_EQ(TruncatePixel(cell.centreX), 1151);
  EXPECT_EQ(TruncatePixel(cell.centreY), 402);
}

TEST_F(RenderProjectionTest, OffCentreCubeDepthFollowsTheTurns) {
  // Start-up turn of 30 degrees about z, then yaw 90 + 20 and pitch -30 + 10.
  viewYaw = 20.0;
  viewPitch = 10.0;
  const double d = kDegreesToRadians;
  const double x0 = -2.0, y0 = 2.0, z0 = 0.0;  // mesh [0][2][1], board [0][1][2]
  const double x1 = x0 * std::cos(30 * d) - y0 * std::sin(30 * d);
  const double y1 = x0 * std::sin(30 * d) + y0 * std::cos(30 * d);
  const double z2 = z0 * std::cos(110 * d) - x1 * std::sin(110 * d);
  const double z3 = z2 * std::cos(-20 * d) - y1 * std::sin(-20 * d);
  EXPECT_NEAR(Cube({0, 1, 2}).markRadius, 500.0 / (10.0 - z3) - 5.0, 1e-9);
}

TEST_F(RenderProjectionTest, CentreTesseractWithNoTurnSitsThirtySevenPixelsOut) {
  const ProjectedCell cell = Tesseract({1, 1, 1, 1});
  EXPECT_NEAR(cell.x[0], -37.04, 0.005);
  EXPECT_NEAR(cell.y[0], -37.04, 0.005);
  EXPECT_DOUBLE_EQ(cell.markRadius, 3000.0 / 70.0 - 5.0);
  EXPECT_EQ(TruncatePixel(cell.markRadius), 37);
  // Nearer along w means larger: w = +2 before w = -2.
  EXPECT_GT(Tesseract({2, 1, 1, 1}).markRadius, Tesseract({0, 1, 1, 1}).markRadius);
}

TEST_F(RenderProjectionTest, QuarterTurnInZWCarriesZOntoW) {
  // At wAngle 90 the tesseract at z = +2 (board [1][1][2][1]) takes the place
  // that the one at w = +2 (board [2][1][1][1]) has with no turn.
  const ProjectedCell unturned = Tesseract({2, 1, 1, 1});
  wAngle = 90.0;
  const ProjectedCell turned = Tesseract({1, 1, 2, 1});
  EXPECT_NEAR(turned.markRadius, unturned.markRadius, 1e-9);
  // The same corners, numbered differently: compare them as sorted point sets.
  std::vector<std::pair<double, double>> a, b;
  for (int n = 0; n < 16; ++n) {
    a.push_back({unturned.x[n], unturned.y[n]});
    b.push_back({turned.x[n], turned.y[n]});
  }
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  for (int n = 0; n < 16; ++n) {
    EXPECT_NEAR(b[n].first, a[n].first, 1e-9) << n;
    EXPECT_NEAR(b[n].second, a[n].second, 1e-9) << n;
  }
}

TEST_F(RenderProjectionTest, MeshesShowBoardCellsWithTheMiddleIndicesExchanged) {
  EXPECT_EQ(BoardCoordOfMesh({0, 1, 2}), (CellCoord{0, 2, 1}));
  EXPECT_EQ(BoardCoordOfMesh({0, 1, 2, 1}), (CellCoord{0, 2, 1, 1}));
  // Board [0][2][1] is the cube centred at (-2, 0, 2) before the start-up turn.
  const CellMesh& cube = cellMeshes3[0][1][2];
  EXPECT_NEAR((cube.vertices[0][2] + cube.vertices[7][2]) / 2, 2.0, 1e-12);
  EXPECT_NEAR((cube.vertices[0][0] + cube.vertices[7][0]) / 2, -2.0 * std::cos(kCubeTurn), 1e-12);

  // Its owner's edges and mark change pixels only around that cube.
  const Frame empty = Render3D();
  board3[0][2][1] = 2;
  const Box box = BoxOf(Cube({0, 2, 1}));
  const std::vector<SDL_Point> changed = Differences(empty, Render3D());
  ASSERT_GT(changed.size(), 100u);
  for (const SDL_Point& p : changed) ASSERT_TRUE(box.Holds(p.x, p.y)) << p.x << ", " << p.y;
}

TEST_F(RenderProjectionTest, EmptyAndUnknownCellsDrawOnlyWhiteEdges) {
  const Frame empty = Render3D();
  const int lit = static_cast<int>(
      std::count_if(empty.begin(), empty.end(), [](uint32_t p) { return p != 0; }));
  EXPECT_GT(lit, 1000);
  for (uint32_t pixel : empty) {
    const Rgb c = Unpack(pixel);
    ASSERT_TRUE(c.r == c.g && c.g == c.b) << c;
  }
  board3[1][1][1] = 7;
  board3[2][2][2] = -1;
  EXPECT_EQ(Render3D(), empty);

  const Frame empty4 = Render4D();
  board4[1][1][1][1] = 6;
  EXPECT_EQ(Render4D(), empty4);
  EXPECT_NE(empty4, empty);
}

TEST_F(RenderProjectionTest, PlayerTwoTintsEdgesPureBlueButMarksRingBlue) {
  const Frame empty = Render3D();
  board3[2][2][2] = 2;
  const Frame marked = Render3D();
  // The last cube drawn, so nothing covers its ring.
  for (const SDL_Point& p : RingTips(Cube({2, 2, 2}))) EXPECT_EQ(At(marked, p.x, p.y), kRingBlue);
  EXPECT_EQ(CountColour(empty, Rgb{0, 0, 40}), 0);
  EXPECT_GT(CountColour(marked, Rgb{0, 0, 40}), 10) << "edges add (0, 0, 255) at alpha 40";

  // The 4D view never tints edges: only the opaque ring changes, and the
  // white edges of later cells add to it evenly.
  const Frame empty4 = Render4D();
  board4[0][0][0][0] = 2;
  const Frame marked4 = Render4D();
  const std::vector<SDL_Point> changed = Differences(empty4, marked4);
  ASSERT_GT(changed.size(), 50u);
  for (const SDL_Point& p : changed) {
    const Rgb c = At(marked4, p.x, p.y);
    ASSERT_TRUE(c.b == 255 && c.r == c.g && c.r >= 50) << c << " at " << p.x << ", " << p.y;
  }
}

TEST_F(RenderProjectionTest, AfterAWinTheLineAddsAtFullStrengthAndTheRestDim) {
  const Frame empty = Render4D();
  board4[2][2][2][2] = 2;
  gameOver = true;
  winner = 2;
  winLine4 = {CellCoord{2, 2, 2, 0}, CellCoord{2, 2, 2, 1}, CellCoord{2, 2, 2, 2}};
  const Frame bright = Render4D();
  winLine4 = {CellCoord{0, 0, 0, 0}, CellCoord{0, 0, 0, 1}, CellCoord{0, 0, 0, 2}};
  const Frame dim = Render4D();
  // The circle draws its four tips twice, so they take the addition twice;
  // (50, 50, 255) at alpha 75 adds about (14.7, 14.7, 75) each time.
  for (const SDL_Point& p : RingTips(Tesseract({2, 2, 2, 2}))) {
    const Rgb under = At(empty, p.x, p.y);
    EXPECT_TRUE(Near(At(bright, p.x, p.y), ChannelSum(under.r, 100), ChannelSum(under.g, 100), 255))
        << At(bright, p.x, p.y) << " over " << under;
    const Rgb seen = At(dim, p.x, p.y);
    EXPECT_TRUE(
        Near(seen, ChannelSum(under.r, 29), ChannelSum(under.g, 29), ChannelSum(under.b, 150)))
        << seen << " over " << under;
  }
}

TEST_F(RenderProjectionTest, ThreeDWinBrightensByBoardCoordinates) {
  board3[2][2][2] = 2;
  const Frame opaque = Render3D();
  gameOver = true;
  winner = 2;
  winLine3 = {CellCoord{2, 2, 0}, CellCoord{2, 2, 1}, CellCoord{2, 2, 2}};
  const Frame bright = Render3D();
  winLine3 = {CellCoord{2, 0, 2}, CellCoord{2, 1, 2}, CellCoord{0, 0, 0}};
  const Frame dim = Render3D();
  // Ring pixels with nothing beneath show the mark's own addition.
  int clear = 0;
  for (size_t n = 0; n < opaque.size(); ++n) {
    if (Unpack(opaque[n]) != kRingBlue) continue;
    const Rgb faint = Unpack(dim[n]);
    if (!Near(faint, 15, 15, 75) && !Near(faint, 14, 14, 75)) continue;
    ++clear;
    EXPECT_TRUE(Near(Unpack(bright[n]), 50, 50, 255)) << Unpack(bright[n]);
  }
  EXPECT_GT(clear, 10);
}

TEST_F(RenderProjectionTest, AfterADrawNoMarkIsBright) {
  board3[0][0][0] = 1;
  board3[2][1][0] = 3;
  gameOver = true;
  winner = 0;
  const Frame drawn = Render3D();
  winner = 1;
  winLine3 = {CellCoord{0, 1, 2}, CellCoord{1, 1, 2}, CellCoord{2, 1, 2}};
  EXPECT_EQ(Render3D(), drawn) << "every mark dim, as when another line won";
  winLine3 = {CellCoord{0, 0, 0}, CellCoord{0, 0, 1}, CellCoord{0, 0, 2}};
  EXPECT_NE(Render3D(), drawn) << "the zero cell's mark brightens only when it won";
}

TEST_F(RenderProjectionTest, AssistLinesJoinCentresInTheMoversTintIn3DOnly) {
  const Frame plain = Render3D();
  assistMode = true;
  gameOver = true;
  currentPlayer = 2;
  assistLines = {Line{CellCoord{0, 0, 0}, CellCoord{1, 1, 1}, CellCoord{2, 2, 2}}};
  const Frame assisted = Render3D();
  const ProjectedCell from = Cube({0, 0, 0}), to = Cube({2, 2, 2});
  EXPECT_EQ(At(assisted, TruncatePixel(from.centreX), TruncatePixel(from.centreY)), kPureBlue);
  EXPECT_EQ(At(assisted, TruncatePixel(to.centreX), TruncatePixel(to.centreY)), kPureBlue);
  EXPECT_GT(CountColour(assisted, kPureBlue), 100);
  EXPECT_EQ(CountColour(plain, kPureBlue), 0);

  assistMode = false;
  const Frame plain4 = Render4D();
  assistMode = true;
  assistLines = {Line{CellCoord{0, 0, 0, 0}, CellCoord{1, 1, 1, 1}, CellCoord{2, 2, 2, 2}}};
  EXPECT_EQ(Render4D(), plain4);
}

TEST_F(RenderProjectionTest, HoverFillCoversTheHoveredCellOnly) {
  const Frame plain = Render3D();
  hoveredCell3 = {0, 2, 1};
  EXPECT_EQ(Render3D(), plain) << "no fill while no cell is hovered";
  cellHovered = true;
  const Frame hovered = Render3D();
  const ProjectedCell cell = Cube({0, 2, 1});
  const Box box = BoxOf(cell);
  const std::vector<SDL_Point> changed = Differences(plain, hovered);
  ASSERT_GT(changed.size(), 1000u);
  for (const SDL_Point& p : changed) ASSERT_TRUE(box.Holds(p.x, p.y)) << p.x << ", " << p.y;
  // Inside a cube the front and back faces both add 30.
  const int cx = TruncatePixel(cell.centreX), cy = TruncatePixel(cell.centreY);
  const Rgb under = At(plain, cx, cy);
  EXPECT_EQ(At(hovered, cx, cy), (Rgb{static_cast<uint8_t>(ChannelSum(under.r, 60)),
                                      static_cast<uint8_t>(ChannelSum(under.g, 60)),
                                      static_cast<uint8_t>(ChannelSum(under.b, 60))}));

  cellHovered = false;
  const Frame plain4 = Render4D();
  cellHovered = true;
  hoveredCell4 = {1, 2, 0, 1};
  const Box box4 = BoxOf(Tesseract({1, 2, 0, 1}));
  const std::vector<SDL_Point> changed4 = Differences(plain4, Render4D());
  ASSERT_GT(changed4.size(), 100u);
  for (const SDL_Point& p : changed4) ASSERT_TRUE(box4.Holds(p.x, p.y)) << p.x << ", " << p.y;
}

TEST_F(RenderProjectionTest, FramesLeaveLatticesAndBlendModeAlone) {
  const CubeLattice cubes = cellMeshes3;
  const TesseractLattice tesseracts = cellMeshes4;
  board3[1][1][1] = board3[0][2][2] = 1;
  board4[1][1][1][1] = 2;
  cellHovered = gameOver = assistMode = true;
  winner = 1;
  hoveredCell3 = {2, 2, 2};
  hoveredCell4 = {1, 1, 1, 1};
  assistLines = {Line{CellCoord{0, 0, 0}, CellCoord{0, 1, 1}, CellCoord{0, 2, 2}}};
  viewYaw = 33.0;
  wAngle = 45.0;
  SDL_BlendMode mode = SDL_BLENDMODE_BLEND;

  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  RenderBoard3D();
  SDL_GetRenderDrawBlendMode(renderer, &mode);
  EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  RenderBoard4D(kViewOriginX, kViewOriginY, cellMeshes4);
  SDL_GetRenderDrawBlendMode(renderer, &mode);
  EXPECT_EQ(mode, SDL_BLENDMODE_NONE);

  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(cellMeshes3[i][j][k].vertices, cubes[i][j][k].vertices);
        for (int l = 0; l < 3; ++l)
          EXPECT_EQ(cellMeshes4[i][j][k][l].vertices, tesseracts[i][j][k][l].vertices);
      }

  // An empty lattice draws nothing.
  canvas.Clear(kBlack);
  RenderBoard4D(kViewOriginX, kViewOriginY, TesseractLattice{});
  EXPECT_EQ(canvas.CountNot(kBlack), 0);
}
