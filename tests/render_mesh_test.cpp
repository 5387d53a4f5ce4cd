// Cube and tesseract meshes and the two lattices built at start-up.
#include <set>

#include "render/mesh.h"
#include "support/game_state.h"

// Number of coordinates in which vertices a and b differ.
static int Apart(const CellMesh& mesh, int32_t a, int32_t b) {
  int axes = 0;
  for (size_t n = 0; n < mesh.vertices[a].size(); ++n)
    axes += mesh.vertices[a][n] != mesh.vertices[b][n];
  return axes;
}

static double Centre(const CellMesh& mesh, size_t axis) {  // of the all-minus and all-plus corners
  return (mesh.vertices.front()[axis] + mesh.vertices.back()[axis]) / 2.0;
}

class RenderMeshTest : public GameStateTest {};

// Every edge one axis long, every face a square walked round its corners, none repeated.
TEST_F(RenderMeshTest, SolidsHaveTheirCountsAndSquareEdgesAndFaces) {
  const CellMesh cube = BuildCubeMesh(2.0, -2.0, 0.0, kCubeScale);
  const CellMesh tesseract = BuildTesseractMesh(0.0, 2.0, -2.0, 2.0, kTesseractScale);
  for (auto [m, counts] : {std::pair{cube, std::array<size_t, 3>{8, 12, 6}},
                           std::pair{tesseract, std::array<size_t, 3>{16, 32, 24}}}) {
    SCOPED_TRACE(counts[0]);
    EXPECT_EQ((std::array<size_t, 3>{m.vertices.size(), m.edges.size(), m.faces.size()}), counts);
    EXPECT_EQ((std::set<std::array<int32_t, 2>>(m.edges.begin(), m.edges.end()).size()), counts[1]);
    for (const auto& edge : m.edges) EXPECT_EQ(Apart(m, edge[0], edge[1]), 1);
    std::set<std::set<int32_t>> distinctFaces;
    for (const auto& face : m.faces) {
      distinctFaces.insert({face.begin(), face.end()});
      for (int n = 0; n < 4; ++n) {  // neighbouring corners one axis apart, opposite ones two
        EXPECT_EQ(Apart(m, face[n], face[(n + 1) % 4]), 1);
        EXPECT_EQ(Apart(m, face[n], face[(n + 2) % 4]), 2);
      }
    }
    EXPECT_EQ(distinctFaces.size(), counts[2]);
  }
}

// Cubes at (2i-2, 2j-2, 2k-2) turned 30 degrees about z (cos 30 = 0.8660254, sin 30 = 0.5);
// tesseracts [p][q][r][s] at x = 2s-2, y = 2r-2, z = 2q-2, w = 2p-2, never turned.
TEST_F(RenderMeshTest, LatticesPlaceEveryCell) {
  cellMeshes3.clear();
  cellMeshes4.clear();
  BuildCellMeshes();
  for (int n = 0; n < 27; ++n) {
    const int i = n / 9, j = n / 3 % 3, k = n % 3;
    const CellMesh& cube = cellMeshes3.at(i).at(j).at(k);
    EXPECT_NEAR(Centre(cube, 0), (2 * i - 2) * 0.8660254 - (j - 1), 1e-6) << i << j << k;
    EXPECT_NEAR(Centre(cube, 1), (i - 1) + (2 * j - 2) * 0.8660254, 1e-6) << i << j << k;
    EXPECT_NEAR(Centre(cube, 2), 2 * k - 2, 1e-12) << i << j << k;
    for (int l = 0; l < 3; ++l) {
      const CellMesh& t = cellMeshes4.at(i).at(j).at(k).at(l);
      EXPECT_EQ((std::array{Centre(t, 0), Centre(t, 1), Centre(t, 2), Centre(t, 3)}),
                (std::array{2.0 * l - 2, 2.0 * k - 2, 2.0 * j - 2, 2.0 * i - 2}));
    }
  }
  EXPECT_NEAR(cellMeshes3[1][1][1].vertices[0][0], -0.366, 1e-3);
  EXPECT_NEAR(cellMeshes3[1][1][1].vertices[0][1], -1.366, 1e-3);
  EXPECT_EQ(cellMeshes3[1][1][1].vertices[0][2], -1.0);
  EXPECT_EQ(cellMeshes4[1][1][1][1].vertices[0], (std::vector<double>{-1.0, -1.0, -1.0, -1.0}));
  EXPECT_EQ(cellMeshes4[1][1][1][1].vertices[15], (std::vector<double>{1.0, 1.0, 1.0, 1.0}));
}
