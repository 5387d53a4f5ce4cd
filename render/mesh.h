// Cell geometry of the projected views: one cube or tesseract per board cell.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

using Face = std::array<int32_t, 4>;  // vertex indices in order around a square

struct CellMesh {
  std::vector<std::vector<double>> vertices;  // x, y, z (, w), index bx + 2by + 4bz (+ 8bw)
  std::vector<std::array<int32_t, 2>> edges;  // vertex index pairs
  std::vector<Face> faces;                    // the squares of its surface
  double scale{};                             // projection scale: 500 cubes, 3000 tesseracts
};

constexpr int kTesseractVertices = 16;            // the most vertices a cell's mesh has
constexpr double kCubeScale = 500.0;              // projection scale of a cube
constexpr double kTesseractScale = 3000.0;        // projection scale of a tesseract
constexpr double kCubeTurn = 0.5235987755982988;  // radians (pi/6), the cubes' start-up turn

using CubeLattice = std::vector<std::vector<std::vector<CellMesh>>>;  // [i][j][k]
using TesseractLattice =
    std::vector<std::vector<std::vector<std::vector<CellMesh>>>>;  // [p][q][r][s]

// ---- Lattices: built once at start-up, never changed afterwards -----------

extern CubeLattice cellMeshes3;       // 27 cubes centred at (2i-2, 2j-2, 2k-2), turned 30 degrees
extern TesseractLattice cellMeshes4;  // 81 tesseracts centred at (2s-2, 2r-2, 2q-2, 2p-2)

CellMesh BuildCubeMesh(double centreX, double centreY, double centreZ, double scale);
CellMesh BuildTesseractMesh(double centreX, double centreY, double centreZ, double centreW,
                            double scale);

// Builds both lattices afresh and turns every cube by pi/6 in x-y.
void BuildCellMeshes();
