// Circles, marks and thick lines, and the projected 3D and 4D views, read back from a software
// canvas.
#include "support/support.h"

struct RenderTest : GameTest {
  bool Lit(int x, int y) const { return !(canvas.Pixel(x, y) == Rgb{}); }
  // The steps t in [0, n) at which pixel (x + t dx, y + t dy) is lit.
  std::vector<int> LitAlong(int x, int y, int dx, int dy, int n) const {
    std::vector<int> lit;
    for (int t = 0; t < n; ++t)
      if (Lit(x + t * dx, y + t * dy)) lit.push_back(t);
    return lit;
  }
  // One view drawn on black; it must leave the blend mode at none.
  std::vector<Rgb> Render(int d) {
    canvas.Clear(),
        d == 3 ? RenderBoard3D() : RenderBoard4D(kViewOriginX, kViewOriginY, cellMeshes4);
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    EXPECT_EQ((SDL_GetRenderDrawBlendMode(renderer, &mode), mode), SDL_BLENDMODE_NONE);
    std::vector<Rgb> frame;
    for (int y = 0; y < kCanvasHeight; ++y)
      for (int x = 0; x < kCanvasWidth; ++x) frame.push_back(canvas.Pixel(x, y));
    return frame;
  }
  // The mesh at lattice position m, projected with this frame's angles.
  static ProjectedCell Project(const CellCoord& m) {
    const bool cube = m.size() == 3;
    const CellMesh& mesh =
        cube ? cellMeshes3[m[0]][m[1]][m[2]] : cellMeshes4[m[0]][m[1]][m[2]][m[3]];
    return ProjectCell(mesh, cube ? ViewTurn3D() : ViewTurn4D(), kViewOriginX, kViewOriginY);
  }
  static Rgb At(const std::vector<Rgb>& frame, double x, double y) {
    return frame[size_t(int(y) * kCanvasWidth + int(x))];
  }
  static int Count(const std::vector<Rgb>& frame, bool (*match)(Rgb)) {
    return int(std::count_if(frame.begin(), frame.end(), match));
  }
  Canvas canvas;
};

static Rgb Mark(int player) { return ToRgb(kMarkColours[player]); }

// A circle lights where r*r - r < dx*dx + dy*dy <= r*r + r (radius 0 the centre, a negative one
// nothing). A thick line is five strokes, centre, right, left, down, up: a horizontal one widens
// one pixel each way along its row and gains the rows beside it, a vertical one likewise.
TEST_F(RenderTest, CirclesAndThickLines) {
  SetDrawColour(kWhite);
  for (int r : {-1, 0, 1, 5, 17, 40}) {
    const int cx = 100 + 30 * r;
    DrawCircle(cx, 300, r);
    for (int dy = -r - 2; dy <= r + 2; ++dy)
      for (int dx = -r - 2; dx <= r + 2; ++dx) {
        const int d2 = dx * dx + dy * dy;
        ASSERT_EQ(Lit(cx + dx, 300 + dy), d2 <= r * r + r && (d2 > r * r - r || r == 0))
            << r << ": " << dx << "," << dy;
      }
  }
  SDL_SetRenderDrawColor(renderer, 10, 200, 30, 255);
  DrawThickLine(100, 200, 200, 200), DrawThickLine(400, 100, 400, 200);
  EXPECT_EQ(std::tuple(LitAlong(99, 200, 1, 0, 103).size(), LitAlong(100, 199, 1, 0, 101).size(),
                       LitAlong(100, 201, 1, 0, 101).size()),
            std::tuple(103u, 101u, 101u));
  EXPECT_EQ(std::tuple(LitAlong(400, 99, 0, 1, 103).size(), LitAlong(399, 100, 0, 1, 101).size(),
                       LitAlong(401, 100, 0, 1, 101).size()),
            std::tuple(103u, 101u, 101u));
  EXPECT_EQ(canvas.Count(Rgb{10, 200, 30}), 2 * 305);
}

// Player p's mark in the cell at (100p, 100), five pixels in from every side. Cross: both
// diagonals; ring: a second circle one pixel right; triangle: whole base; diamond: corners
// mid-side; pentagon: shoulders 2s/5 down, feet at s/4 and 3s/4. Outside 1..5: nothing.
TEST_F(RenderTest, FlatMarks) {
  for (const int s : {40, 60, 80}) {
    canvas.Clear(), cellSize = s;
    for (int32_t p = 0; p <= 6; ++p) DrawPlayerMark(100 * p, 100, p);
    const int h = s / 2, far = s - 5, r = h - 5;
    for (int p = 1; p <= 5; ++p)
      EXPECT_EQ(canvas.Pixel(100 * p + h, p == 1 ? 100 + h : 105), Mark(p)) << p;
    EXPECT_EQ(LitAlong(100, 105, 1, 0, s), (std::vector<int>{5, far}));
    EXPECT_EQ(canvas.Count(Mark(1), {100, 100, s, s}), 2 * (s - 9) - 1);
    EXPECT_EQ(LitAlong(200, 100 + h, 1, 0, s),
              (std::vector<int>{h - r, h - r + 1, h + r, h + r + 1}));
    EXPECT_EQ(LitAlong(300, 100 + far, 1, 0, s).size(), s - 9u);
    EXPECT_EQ(LitAlong(400, 100 + h, 1, 0, s), (std::vector<int>{5, far}));
    EXPECT_EQ(LitAlong(505, 100, 0, 1, 2 * s / 5 + 1), (std::vector<int>{2 * s / 5}));
    EXPECT_EQ(std::pair(LitAlong(500, 100 + far, 1, 0, s).front(),
                        LitAlong(500, 100 + far, 1, 0, s).back()),
              std::pair(s / 4, 3 * s / 4));
    EXPECT_EQ(LitAlong(500, 100 + (2 * s / 5 + far) / 2, 1, 0, s).size(), 2u)
        << "the pentagon's lower sides";
    EXPECT_EQ(canvas.Count(Rgb{}, {0, 100, 100, 100}) + canvas.Count(Rgb{}, {600, 100, 100, 100}),
              20000);
  }
}

// Radius 20 about (100p + 0.7, 300.6): every endpoint truncated on its own. Triangle and pentagon
// point up with their base on the bottom; the diamond's corners sit on the axes; the ring is
// hollow.
TEST_F(RenderTest, ProjectedMarksStandUpright) {
  for (int32_t p = 0; p <= 6; ++p) DrawProjectedMark(p, 100 * p + 0.7, 300.6, 20, 255);
  const struct {
    int p, dx, dy;
    bool lit;
  } probes[] = {{1, -20, -20, true}, {1, 20, 20, true},  {1, -10, 10, true},  {1, 10, -10, true},
                {1, 0, -20, false},  {2, 20, 0, true},   {2, 0, -20, true},   {2, 0, 0, false},
                {3, 0, -20, true},   {3, 0, -21, false}, {3, -10, 0, true},   {3, 10, 0, true},
                {3, -20, 20, true},  {3, 20, 20, true},  {3, 0, 20, true},    {3, -20, -20, false},
                {4, -10, -10, true}, {4, 10, -10, true}, {4, -10, 10, true},  {4, 10, 10, true},
                {4, 0, 0, false},    {5, 0, -20, true},  {5, -10, -14, true}, {5, 10, -14, true},
                {5, -20, -8, true},  {5, 20, -8, true},  {5, 0, 20, true},    {5, -15, 20, true},
                {5, -19, 20, false}, {5, 0, 21, false}};
  for (const auto& q : probes)
    EXPECT_EQ(Lit(100 * q.p + q.dx, 300 + q.dy), q.lit) << q.p << ": " << q.dx << "," << q.dy;
  EXPECT_EQ(canvas.Count(Rgb{}, {0, 0, 79, 900}) + canvas.Count(Rgb{}, {521, 0, 300, 900}),
            379 * 900);
  EXPECT_GT(
      std::min(canvas.Count(Mark(5), {480, 293, 6, 27}), canvas.Count(Mark(5), {515, 293, 6, 27})),
      20)
      << "both lower sides";
}

// A cube has 8 vertices, 12 edges and 6 square faces, a tesseract 16, 32 and 24: every edge and
// every side of a face joins two vertices 2 apart along one axis. The lattices hold 27 and 81.
TEST_F(RenderTest, MeshesAreCubesAndTesseracts) {
  for (const CellMesh& m : {BuildCubeMesh(1, 2, 3, 500), BuildTesseractMesh(1, 2, 3, 4, 3000)}) {
    std::vector<std::array<int32_t, 2>> sides = m.edges;
    for (const auto& f : m.faces)
      sides.insert(sides.end(), {{f[0], f[1]}, {f[1], f[2]}, {f[2], f[3]}, {f[3], f[0]}});
    for (const auto& [a, b] : sides) {
      std::vector<double> step;
      for (size_t k = 0; k < m.vertices[0].size(); ++k)
        step.push_back(std::abs(m.vertices[size_t(a)][k] - m.vertices[size_t(b)][k]));
      EXPECT_EQ(std::pair(std::count(step.begin(), step.end(), 2.0),
                          std::count(step.begin(), step.end(), 0.0)),
                std::pair(1L, long(step.size()) - 1));
    }
    EXPECT_EQ(std::tuple(m.vertices.size(), m.edges.size(), m.faces.size()),
              m.vertices.size() == 8 ? std::tuple(8u, 12u, 6u) : std::tuple(16u, 32u, 24u));
  }
  EXPECT_EQ(cellMeshes3.size() * cellMeshes3[2].size() * cellMeshes3[2][2].size(), 27u);
  EXPECT_EQ(cellMeshes4.size() * cellMeshes4[2].size() * cellMeshes4[2][2].size() *
                cellMeshes4[2][2][2].size(),
            81u);
}

// All angles 0: the cubes still turn by yaw 90 and pitch -30; the centre cube's mean z stays 0.
TEST_F(RenderTest, ProjectionFigures) {
  const ProjectedCell cube = Project({1, 1, 1});
  const ProjectedCell tesseract = Project({1, 1, 1, 1});
  EXPECT_EQ(std::pair(std::lround(cube.markRadius * 1e6), std::lround(tesseract.markRadius * 1e6)),
            std::pair(45000000L, 37857143L));
  EXPECT_EQ(std::pair(std::lround(cube.centreX * 100), std::lround(cube.centreY * 100)),
            std::pair(115183L, 40250L));
  EXPECT_EQ(std::pair(std::lround(tesseract.x[0] * 100), std::lround(tesseract.y[0] * 100)),
            std::pair(-3704L, -3704L));
  wAngle = 90.0;  // carries the tesseract at z = +2 to w = +2, mean z 0: 3000 / 5 / 10 - 5
  EXPECT_NEAR(Project({1, 2, 1, 1}).markRadius, 55.0, 1e-9);
}

// board3[a][b][c] shows as cellMeshes3[a][c][b]: a mark at its centre in its owner's colour, its
// edges in the owner's tint; the hovered cell's front and back faces add at least 30 each over its
// middle. 4D edges stay white.
TEST_F(RenderTest, CellsShowTheirOwnersAndTheHover) {
  const std::vector<Rgb> empty = Render(3), empty4 = Render(4);
  EXPECT_GT(std::min(Count(empty,
                           [](Rgb c) {
                             return c == Rgb{40, 40, 40};
                           }),
                     Count(empty4,
                           [](Rgb c) {
                             return c == Rgb{10, 10, 10};
                           })),
            1000);
  board3[1][1][1] = 7;
  EXPECT_EQ(Render(3), empty) << "no mark outside 1..5";
  const ProjectedCell cube = Project({0, 1, 2}), tesseract = Project({1, 0, 2, 1});
  board3[0][2][1] = 3;
  const std::vector<Rgb> marked = Render(3);
  EXPECT_EQ(At(marked, cube.centreX, cube.centreY - cube.markRadius), Mark(3));
  EXPECT_GT(Count(marked, [](Rgb c) { return c == Rgb{0, 40, 0}; }), 10);
  board3[0][2][1] = 0, cellHovered = true, hoveredCell3 = {0, 2, 1}, hoveredCell4 = {1, 2, 0, 1};
  const std::vector<Rgb> hovered =
      Render(3);  // off the faces' diagonals too, each triangle of them
  for (const auto& [dx, dy] : {std::pair{0, 0}, {-20, -20}, {20, -20}, {-20, 20}, {20, 20}})
    EXPECT_GE(At(hovered, cube.centreX + dx, cube.centreY + dy).g -
                  At(empty, cube.centreX + dx, cube.centreY + dy).g,
              60)
        << dx << "," << dy;
  EXPECT_GT(At(Render(4), tesseract.centreX, tesseract.centreY).g,
            At(empty4, tesseract.centreX, tesseract.centreY).g);
  board4[1][2][0][1] = 2;
  EXPECT_EQ(Count(Render(4), [](Rgb c) { return (!(c.r == c.g && c.g == c.b)) && c.b != 255; }), 0);
}

// Once the game is over marks add: those of the won line (by board coordinates) at full strength,
// the rest at 75; after a draw none is bright. The 3D view joins assist lines in the mover's tint.
TEST_F(RenderTest, WinningMarksAndAssistLines) {
  board3[0][2][1] = board3[0][0][0] = 2, gameOver = true;
  const auto dim = [](Rgb c) { return c.b == 75 && c.r == c.g && (c.r == 14 || c.r == 15); };
  const auto bright = [](Rgb c) { return c == Rgb{50, 50, 255}; };
  std::vector<Rgb> frame = Render(3);
  EXPECT_EQ(std::pair(Count(frame, bright), Count(frame, dim) > 20), std::pair(0, true));
  winner = 2, winLine3 = {CellCoord{0, 1, 1}, CellCoord{0, 1, 1}, CellCoord{0, 2, 1}},
  frame = Render(3);
  EXPECT_EQ(std::pair(Count(frame, bright) > 20, Count(frame, dim) > 20), std::pair(true, true));
  assistMode = true, currentPlayer = 2;
  assistLines = {Line{CellCoord{0, 0, 2}, CellCoord{1, 1, 1}, CellCoord{2, 2, 0}}};
  frame = Render(3);
  for (const ProjectedCell& e : {Project({0, 2, 0}), Project({2, 0, 2})})
    EXPECT_EQ(At(frame, e.centreX, e.centreY), ToRgb(kPlayer2Tint));
  const std::vector<Rgb> plain4 = Render(4);
  assistLines = {Line{CellCoord{0, 0, 0, 0}, CellCoord{1, 1, 1, 1}, CellCoord{2, 2, 2, 2}}};
  EXPECT_EQ(Render(4), plain4);
}
