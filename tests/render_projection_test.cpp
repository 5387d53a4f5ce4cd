// The projected 3D and 4D views: projection figures and whole frames on a software canvas.
#include <algorithm>
#include <vector>

#include "app/shell.h"
#include "platform/platform.h"
#include "render/marks.h"
#include "render/projection.h"
#include "rules/hover.h"
#include "screens/game_screen.h"
#include "support/canvas.h"
#include "support/game_state.h"

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRingBlue{50, 50, 255};

using Frame = std::vector<Rgb>;  // every pixel of the canvas, row by row

static bool Grey(Rgb c) { return c.r == c.g && c.g == c.b; }  // white edges added over black

struct RenderProjectionTest : GameStateTest {
  static void SetUpTestSuite() { if (cellMeshes3.empty()) BuildCellMeshes(); }

  // One view drawn on black; it must leave the blend mode at none.
  Frame Render(int dimensions) {
    canvas.Clear(kBlack);
    dimensions == 3 ? RenderBoard3D() : RenderBoard4D(kViewOriginX, kViewOriginY, cellMeshes4);
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    SDL_GetRenderDrawBlendMode(renderer, &mode);
    EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
    Frame frame;
    for (int y = 0; y < kCanvasHeight; ++y)
      for (int x = 0; x < kCanvasWidth; ++x) frame.push_back(canvas.Pixel(x, y));
    return frame;
  }

  // The mesh at lattice position m (not a board coordinate), projected with this frame's angles.
  static ProjectedCell Project(const CellCoord& m) {
    const bool cube = m.size() == 3;
    const CellMesh& mesh =
        cube ? cellMeshes3[m[0]][m[1]][m[2]] : cellMeshes4[m[0]][m[1]][m[2]][m[3]];
    return ProjectCell(mesh, cube ? ViewTurn3D() : ViewTurn4D(), kViewOriginX, kViewOriginY);
  }

  // Pixels that differ between two frames; none may lie a pixel beyond the cell's vertices.
  static int ChangedInside(const Frame& a, const Frame& b, const ProjectedCell& cell) {
    const auto [x0, x1] = std::minmax_element(&cell.x[0], &cell.x[0] + cell.vertexCount);
    const auto [y0, y1] = std::minmax_element(&cell.y[0], &cell.y[0] + cell.vertexCount);
    int changed = 0, outside = 0;
    for (int n = 0; n < kCanvasWidth * kCanvasHeight; ++n) {
      const double x = n % kCanvasWidth - kViewOriginX, y = n / kCanvasWidth - kViewOriginY;
      changed += a[n] != b[n];
      outside += a[n] != b[n] && (x < *x0 - 1 || x > *x1 + 1 || y < *y0 - 1 || y > *y1 + 1);
    }
    EXPECT_EQ(outside, 0);
    return changed;
  }

  Canvas canvas;
};

// All angles 0: the cubes still turn by yaw 90 and pitch -30; the centre cube's mean z stays 0.
TEST_F(RenderProjectionTest, ProjectionFigures) {
  const ProjectedCell cube = Project({1, 1, 1});
  EXPECT_EQ(cube.markRadius, 45.0);
  EXPECT_NEAR(cube.centreX, 1151.83, 0.01);
  EXPECT_NEAR(cube.centreY, 402.50, 0.01);
  EXPECT_EQ(TruncatePixel(cube.centreX), 1151);  // drawn at (1151, 402): truncated, not rounded
  EXPECT_EQ(TruncatePixel(cube.centreY), 402);
  const ProjectedCell tesseract = Project({1, 1, 1, 1});
  EXPECT_NEAR(tesseract.x[0], -37.04, 0.005);
  EXPECT_NEAR(tesseract.y[0], -37.04, 0.005);
  EXPECT_DOUBLE_EQ(tesseract.markRadius, 3000.0 / 70.0 - 5.0);
  EXPECT_EQ(TruncatePixel(tesseract.markRadius), 37);
  wAngle = 90.0;  // carries the tesseract at z = +2 to w = +2, mean z 0: 3000 / 5 / 10 - 5
  EXPECT_NEAR(Project({1, 2, 1, 1}).markRadius, 55.0, 1e-9);
}

// board3[a][b][c] shows as cellMeshes3[a][c][b] (board3[0][2][1]: the cube at (-2, 0, 2) unturned).
TEST_F(RenderProjectionTest, CellsShowTheirOwnersAndTheHover) {
  const ProjectedCell cube = Project({0, 1, 2});
  const Frame empty = Render(3), empty4 = Render(4);
  EXPECT_GT(std::count(empty.begin(), empty.end(), Rgb{40, 40, 40}), 1000);  // one edge on black
  EXPECT_GT(std::count(empty4.begin(), empty4.end(), Rgb{10, 10, 10}), 1000);
  EXPECT_TRUE(std::all_of(empty.begin(), empty.end(), Grey));
  board3[1][1][1] = 7;
  board3[2][2][2] = -1;
  hoveredCell3 = {0, 2, 1};
  EXPECT_EQ(Render(3), empty) << "no mark outside 1..5, no fill unhovered, lattices unchanged";
  cellHovered = true;
  const Frame hovered = Render(3);
  EXPECT_GT(ChangedInside(empty, hovered, cube), 1000);
  const int at = TruncatePixel(cube.centreY) * kCanvasWidth + TruncatePixel(cube.centreX);
  EXPECT_EQ(hovered[at].g, std::min(255, empty[at].g + 60)) << "front and back faces add 30 each";
  hoveredCell4 = {1, 2, 0, 1};
  EXPECT_GT(ChangedInside(empty4, Render(4), Project({1, 0, 2, 1})), 100);
  cellHovered = false;
  board3[0][2][1] = 2;  // edges add pure blue at alpha 40 round a ring of (50, 50, 255)
  const Frame marked = Render(3);
  EXPECT_GT(ChangedInside(empty, marked, cube), 100);
  EXPECT_GT(std::count(marked.begin(), marked.end(), kRingBlue), 10);
  EXPECT_GT(std::count(marked.begin(), marked.end(), Rgb{0, 0, 40}), 10);
}

// Once the game is over marks add: on a won line (matched by board coordinates) at alpha 255,
// elsewhere at 75, so (50, 50, 255) gives about (15, 15, 75) over black.
TEST_F(RenderProjectionTest, AfterAWinOnlyTheLinesMarksAreBright) {
  board3[0][0][0] = 1;
  gameOver = true;  // a draw: no mark bright, though winLine3 still holds a new game's zeros
  const Frame drawn = Render(3);
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), Rgb{255, 0, 0}), 0);
  EXPECT_GT(std::count(drawn.begin(), drawn.end(), Rgb{75, 0, 0}), 10);
  winner = 2;
  const auto DimBlue = [](Rgb c) { return c.b == 75 && c.r == c.g && (c.r == 14 || c.r == 15); };
  for (const auto& [cell, mirror] : {std::pair{CellCoord{0, 2, 1}, CellCoord{0, 1, 2}},
                                     std::pair{CellCoord{1, 2, 0, 1}, CellCoord{1, 0, 2, 1}}}) {
    const int d = static_cast<int>(cell.size());
    CellValue(d, CellOfCoord(cell)) = 2;
    WinLine(d) = {mirror, mirror, cell};
    const Frame bright = Render(d);
    WinLine(d) = {mirror, mirror, mirror};
    const Frame dim = Render(d);
    EXPECT_GT(std::count(bright.begin(), bright.end(), kRingBlue), 10) << d;
    EXPECT_EQ(std::count(dim.begin(), dim.end(), kRingBlue), 0) << d;
    EXPECT_GT(std::count_if(dim.begin(), dim.end(), DimBlue), 10) << d;
    EXPECT_TRUE(d == 3 || std::all_of(bright.begin(), bright.end(),  // 4D edges take no tint
                                      [](Rgb c) { return Grey(c) || c.b == 255; }));
  }
}

// The 3D view joins assist lines' end centres in the mover's tint, even after the game; 4D never.
TEST_F(RenderProjectionTest, AssistLinesIn3DOnly) {
  const Frame plain = Render(3), plain4 = Render(4);
  assistMode = gameOver = true;
  currentPlayer = 2;
  assistLines = {Line{CellCoord{0, 0, 2}, CellCoord{1, 1, 1}, CellCoord{2, 2, 0}}};
  const Frame assisted = Render(3);
  for (const ProjectedCell& e : {Project({0, 2, 0}), Project({2, 0, 2})})
    EXPECT_EQ(canvas.Pixel(TruncatePixel(e.centreX), TruncatePixel(e.centreY)), (Rgb{0, 0, 255}));
  EXPECT_GT(std::count(assisted.begin(), assisted.end(), Rgb{0, 0, 255}) -
                std::count(plain.begin(), plain.end(), Rgb{0, 0, 255}), 100);
  assistLines = {Line{CellCoord{0, 0, 0, 0}, CellCoord{1, 1, 1, 1}, CellCoord{2, 2, 2, 2}}};
  EXPECT_EQ(Render(4), plain4);
}
