// Cube and tesseract meshes and the two lattices built at start-up.
#include <cmath>
#include <set>

#include "render/mesh.h"
#include "support/game_state.h"

namespace {

// Axes along which two vertices differ.
std::set<int> AxesApart(const std::vector<double>& a, const std::vector<double>& b) {
  std::set<int> axes;
  for (size_t axis = 0; axis < a.size(); ++axis)
    if (a[axis] != b[axis]) axes.insert(static_cast<int>(axis));
  return axes;
}

// Axes along which any of a face's corners differ.
std::set<int> AxesOfFace(const CellMesh& mesh, const std::array<int32_t, 4>& face) {
  std::set<int> axes;
  for (int n = 1; n < 4; ++n)
    for (int axis : AxesApart(mesh.vertices[face[0]], mesh.vertices[face[n]])) axes.insert(axis);
  return axes;
}

// Turns (x, y) back by -pi/6 about z, undoing the start-up turn.
std::vector<double> Unturned(std::vector<double> v) {
  const double c = std::cos(-kCubeTurn), s = std::sin(-kCubeTurn);
  const double x = v[0], y = v[1];
  v[0] = x * c - y * s;
  v[1] = x * s + y * c;
  return v;
}

std::vector<double> Mean(const CellMesh& mesh) {
  std::vector<double> mean(mesh.vertices[0].size(), 0.0);
  for (const auto& vertex : mesh.vertices)
    for (size_t axis = 0; axis < mean.size(); ++axis)
      mean[axis] += vertex[axis] / static_cast<double>(mesh.vertices.size());
  return mean;
}

}  // namespace

class RenderMeshTest : public GameStateTest {
 protected:
  void SetUp() override {
    GameStateTest::SetUp();
    cellMeshes3.clear();
    cellMeshes4.clear();
    BuildCellMeshes();
  }

  // Each edge joins vertices one axis apart, groups run along `axisOrder`,
  // and no edge repeats.
  static void ExpectEdges(const CellMesh& mesh, const std::vector<int>& axisOrder) {
    const size_t perAxis = mesh.edges.size() / axisOrder.size();
    std::set<std::pair<int32_t, int32_t>> seen;
    for (size_t e = 0; e < mesh.edges.size(); ++e) {
      const auto& edge = mesh.edges[e];
      const std::set<int> axes = AxesApart(mesh.vertices[edge[0]], mesh.vertices[edge[1]]);
      ASSERT_EQ(axes.size(), 1u) << "edge " << e;
      EXPECT_EQ(*axes.begin(), axisOrder[e / perAxis]) << "edge " << e;
      EXPECT_LT(edge[0], edge[1]) << "edge " << e << " starts at its plus end";
      if (e % perAxis != 0) {
        EXPECT_GT(edge[0], mesh.edges[e - 1][0]) << "edge " << e << " out of order";
      }
      EXPECT_TRUE(seen.insert({edge[0], edge[1]}).second) << "edge " << e << " repeats";
    }
  }

  // Corners span two axes and walk around the square one axis at a time.
  static void ExpectFaces(const CellMesh& mesh) {
    std::set<std::set<int32_t>> seen;
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
      const auto& face = mesh.faces[f];
      EXPECT_EQ(AxesOfFace(mesh, face).size(), 2u) << "face " << f;
      for (int n = 0; n < 4; ++n)
        EXPECT_EQ(AxesApart(mesh.vertices[face[n]], mesh.vertices[face[(n + 1) % 4]]).size(), 1u)
            << "face " << f << " corner " << n;
      EXPECT_TRUE(seen.insert({face.begin(), face.end()}).second) << "face " << f << " repeats";
    }
  }
};

TEST_F(RenderMeshTest, CubeHasEightVerticesTwelveEdgesSixFaces) {
  const CellMesh cube = BuildCubeMesh(2.0, -2.0, 0.0, kCubeScale);
  ASSERT_EQ(cube.vertices.size(), 8u);
  EXPECT_EQ(cube.edges.size(), 12u);
  EXPECT_EQ(cube.faces.size(), 6u);
  EXPECT_EQ(cube.scale, 500.0);
  // Vertex bits: 1 is x, 2 is y, 4 is z; a set bit is the +1 side of the centre.
  EXPECT_EQ(cube.vertices[0], (std::vector<double>{1.0, -3.0, -1.0}));
  EXPECT_EQ(cube.vertices[1], (std::vector<double>{3.0, -3.0, -1.0}));
  EXPECT_EQ(cube.vertices[6], (std::vector<double>{1.0, -1.0, 1.0}));
  EXPECT_EQ(cube.vertices[7], (std::vector<double>{3.0, -1.0, 1.0}));
}

TEST_F(RenderMeshTest, CubeEdgesRunAlongYThenZThenX) {
  ExpectEdges(BuildCubeMesh(0.0, 0.0, 0.0, kCubeScale), {1, 2, 0});
}

TEST_F(RenderMeshTest, CubeFacesAreSquaresInOrderZYXYXZ) {
  const CellMesh cube = BuildCubeMesh(0.0, 0.0, 0.0, kCubeScale);
  ExpectFaces(cube);
  // Each face lies on a plane: the axis it keeps fixed and the side of it.
  const int fixedAxis[6] = {2, 1, 0, 1, 0, 2};
  const double side[6] = {-1, -1, -1, 1, 1, 1};
  EXPECT_EQ(cube.faces[0], (std::array<int32_t, 4>{0, 1, 3, 2}));
  EXPECT_EQ(cube.faces[4], (std::array<int32_t, 4>{3, 7, 5, 1}));
  for (int f = 0; f < 6; ++f)
    for (int32_t corner : cube.faces[f])
      EXPECT_EQ(cube.vertices[corner][fixedAxis[f]], side[f]) << f;
}

TEST_F(RenderMeshTest, TesseractHasSixteenVerticesThirtyTwoEdgesTwentyFourFaces) {
  const CellMesh tesseract = BuildTesseractMesh(0.0, 2.0, -2.0, 2.0, kTesseractScale);
  ASSERT_EQ(tesseract.vertices.size(), 16u);
  EXPECT_EQ(tesseract.edges.size(), 32u);
  EXPECT_EQ(tesseract.faces.size(), 24u);
  EXPECT_EQ(tesseract.scale, 3000.0);
  EXPECT_EQ(tesseract.vertices[8], (std::vector<double>{-1.0, 1.0, -3.0, 3.0}));
  EXPECT_EQ(tesseract.vertices[15], (std::vector<double>{1.0, 3.0, -1.0, 3.0}));
}

TEST_F(RenderMeshTest, TesseractEdgesRunAlongYZXThenW) {
  ExpectEdges(BuildTesseractMesh(0.0, 0.0, 0.0, 0.0, kTesseractScale), {1, 2, 0, 3});
}

TEST_F(RenderMeshTest, TesseractFacesAreTwoCubesThenTheFacesAlongW) {
  const CellMesh tesseract = BuildTesseractMesh(0.0, 0.0, 0.0, 0.0, kTesseractScale);
  ExpectFaces(tesseract);
  const CellMesh cube = BuildCubeMesh(0.0, 0.0, 0.0, kCubeScale);
  for (int f = 0; f < 6; ++f) {
    for (int n = 0; n < 4; ++n) {
      EXPECT_EQ(tesseract.faces[f][n], cube.faces[f][n]) << f;
      EXPECT_EQ(tesseract.faces[f + 6][n], cube.faces[f][n] + 8) << f;
    }
  }
  // Then four faces each spanned by w and x, by w and y, by w and z.
  EXPECT_EQ(tesseract.faces[12], (std::array<int32_t, 4>{0, 1, 9, 8}));
  EXPECT_EQ(tesseract.faces[19], (std::array<int32_t, 4>{5, 7, 15, 13}));
  EXPECT_EQ(tesseract.faces[23], (std::array<int32_t, 4>{3, 7, 15, 11}));
  for (int f = 12; f < 24; ++f) {
    const int other = (f - 12) / 4;
    EXPECT_EQ(AxesOfFace(tesseract, tesseract.faces[f]), (std::set<int>{other, 3})) << f;
  }
}

TEST_F(RenderMeshTest, CubesAreCentredOnTheLatticeThenTurnedThirtyDegrees) {
  ASSERT_EQ(cellMeshes3.size(), 3u);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(cellMeshes3[i][j].size(), 3u);
        const std::vector<double> centre = Unturned(Mean(cellMeshes3[i][j][k]));
        EXPECT_NEAR(centre[0], 2.0 * i - 2.0, 1e-12);
        EXPECT_NEAR(centre[1], 2.0 * j - 2.0, 1e-12);
        EXPECT_NEAR(centre[2], 2.0 * k - 2.0, 1e-12);
      }
  const std::vector<double>& v0 = cellMeshes3[1][1][1].vertices[0];
  EXPECT_NEAR(v0[0], -0.366, 1e-3);
  EXPECT_NEAR(v0[1], -1.366, 1e-3);
  EXPECT_EQ(v0[2], -1.0);
}

TEST_F(RenderMeshTest, TesseractsRunWOutermostAndAreNeverTurned) {
  ASSERT_EQ(cellMeshes4.size(), 3u);
  for (const auto& cube : cellMeshes4) {
    ASSERT_EQ(cube.size(), 3u);
    for (const auto& plane : cube) {
      ASSERT_EQ(plane.size(), 3u);
      for (const auto& row : plane) ASSERT_EQ(row.size(), 3u);
    }
  }
  const CellMesh& middle = cellMeshes4[1][1][1][1];
  EXPECT_EQ(middle.vertices[0], (std::vector<double>{-1.0, -1.0, -1.0, -1.0}));
  EXPECT_EQ(middle.vertices[15], (std::vector<double>{1.0, 1.0, 1.0, 1.0}));
  // [p][q][r][s] sits at x = 2s - 2, y = 2r - 2, z = 2q - 2, w = 2p - 2.
  EXPECT_EQ(Mean(cellMeshes4[0][1][2][2]), (std::vector<double>{2.0, 2.0, 0.0, -2.0}));
  EXPECT_EQ(Mean(cellMeshes4[2][0][1][0]), (std::vector<double>{-2.0, 0.0, -2.0, 2.0}));
}
