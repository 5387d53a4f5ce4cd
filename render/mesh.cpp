// Cell geometry of the projected views: one cube or tesseract per board cell.
#include "render/mesh.h"

#include <cmath>

#include "rules/state.h"

CubeLattice cellMeshes3;
TesseractLattice cellMeshes4;

namespace {

// Vertex-index bits of each axis: vertex n has bit set where it sits at +1.
constexpr int32_t kBitX = 1, kBitY = 2, kBitZ = 4, kBitW = 8;

// Edge groups in drawing order: along y, then z, then x, then (tesseract) w.
constexpr int32_t kCubeEdgeAxes[] = {kBitY, kBitZ, kBitX};
constexpr int32_t kTesseractEdgeAxes[] = {kBitY, kBitZ, kBitX, kBitW};

// The cube's faces relative to base corner 0: z = -1, y = -1, x = -1, y = +1, x = +1, z = +1.
constexpr Face kCubeFaces[] = {{0, 1, 3, 2}, {0, 1, 5, 4}, {0, 4, 6, 2},
                               {2, 6, 7, 3}, {3, 7, 5, 1}, {4, 5, 7, 6}};

// The tesseract's faces that run along w, grouped by their other axis: x, then y, then z.
constexpr int32_t kAxesBesideW[] = {kBitX, kBitY, kBitZ};

constexpr int kCubeVertices = 8;

// Counts n upward with the x bit fastest, so the loops run w, z, y, x from
// outermost to innermost; a bit of 0 offsets the centre by -1 and 1 by +1.
void AppendVertices(CellMesh& mesh, const std::vector<double>& centre) {
  const int count = 1 << centre.size();
  for (int n = 0; n < count; ++n) {
    std::vector<double> vertex(centre.size());
    for (size_t axis = 0; axis < centre.size(); ++axis) {
      const double bit = (n >> axis) & 1;
      vertex[axis] = centre[axis] + 2.0 * bit - 1.0;
    }
    mesh.vertices.push_back(vertex);
  }
}

// The edges along one axis join each vertex without that axis's bit to its
// partner with it: along y on a cube, (0,2), (1,3), (4,6), (5,7).
void AppendEdgesAlong(CellMesh& mesh, int32_t axisBit, int vertexCount) {
  for (int32_t n = 0; n < vertexCount; ++n) {
    if ((n & axisBit) == 0) mesh.edges.push_back({n, n + axisBit});
  }
}

void AppendCubeFaces(CellMesh& mesh, int32_t base) {
  for (const auto& face : kCubeFaces) {
    mesh.faces.push_back({base + face[0], base + face[1], base + face[2], base + face[3]});
  }
}

// Faces spanned by one axis and w: for x, (0,1,9,8), (2,3,11,10), (4,5,13,12), (6,7,15,14).
void AppendFacesBesideW(CellMesh& mesh, int32_t axisBit) {
  for (int32_t n = 0; n < kCubeVertices; ++n) {
    if ((n & axisBit) == 0) mesh.faces.push_back({n, n + axisBit, n + axisBit + kBitW, n + kBitW});
  }
}

// Turns a cube's vertices about z: x' = x cos - y sin, y' = x sin + y cos.
void TurnAboutZ(CellMesh& mesh, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  for (auto& vertex : mesh.vertices) {
    const double x = vertex[0], y = vertex[1];
    vertex[0] = x * c - y * s;
    vertex[1] = x * s + y * c;
  }
}

// Lattice index 0, 1, 2 to a centre coordinate -2, 0, 2.
double LatticeCentre(int index) { return 2.0 * index - 2.0; }

}  // namespace

CellMesh BuildCubeMesh(double centreX, double centreY, double centreZ, double scale) {
  CellMesh mesh;
  AppendVertices(mesh, {centreX, centreY, centreZ});
  for (int32_t axis : kCubeEdgeAxes) AppendEdgesAlong(mesh, axis, kCubeVertices);
  AppendCubeFaces(mesh, 0);
  mesh.scale = scale;
  return mesh;
}

CellMesh BuildTesseractMesh(double centreX, double centreY, double centreZ, double centreW,
                            double scale) {
  CellMesh mesh;
  AppendVertices(mesh, {centreX, centreY, centreZ, centreW});
  for (int32_t axis : kTesseractEdgeAxes) AppendEdgesAlong(mesh, axis, kTesseractVertices);
  // The w = -1 cube, the w = +1 cube, then the faces that run along w.
  AppendCubeFaces(mesh, 0);
  AppendCubeFaces(mesh, kBitW);
  for (int32_t axis : kAxesBesideW) AppendFacesBesideW(mesh, axis);
  mesh.scale = scale;
  return mesh;
}

// The cube lattice runs x, y, z from outer to inner index; the tesseract
// lattice the other way round, w outermost and x innermost.
void BuildCellMeshes() {
  cellMeshes3.clear();
  cellMeshes4.clear();
  cellMeshes3.resize(kBoardSide);
  for (int i = 0; i < kBoardSide; ++i) {
    cellMeshes3[i].resize(kBoardSide);
    for (int j = 0; j < kBoardSide; ++j)
      for (int k = 0; k < kBoardSide; ++k)
        cellMeshes3[i][j].push_back(
            BuildCubeMesh(LatticeCentre(i), LatticeCentre(j), LatticeCentre(k), kCubeScale));
  }

  cellMeshes4.resize(kBoardSide);
  for (int p = 0; p < kBoardSide; ++p) {
    cellMeshes4[p].resize(kBoardSide);
    for (int q = 0; q < kBoardSide; ++q) {
      cellMeshes4[p][q].resize(kBoardSide);
      for (int r = 0; r < kBoardSide; ++r)
        for (int s = 0; s < kBoardSide; ++s)
          cellMeshes4[p][q][r].push_back(BuildTesseractMesh(LatticeCentre(s), LatticeCentre(r),
                                                            LatticeCentre(q), LatticeCentre(p),
                                                            kTesseractScale));
    }
  }

  for (auto& plane : cellMeshes3)
    for (auto& row : plane)
      for (auto& cube : row) TurnAboutZ(cube, kCubeTurn);
}
