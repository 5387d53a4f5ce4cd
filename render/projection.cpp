// The projected views: the 3D board as a lattice of cubes, the 4D one of tesseracts.
#include "render/projection.h"

#include <SDL.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <type_traits>
#include <vector>

#include "platform/platform.h"
#include "render/colours.h"
#include "render/marks.h"
#include "rules/hover.h"

double viewYaw;
double viewPitch;
bool viewResetting;
double wAngleTarget;
double wAngle;

namespace {

constexpr double kEyeZ = 10.0;       // model units from the eye to the origin along z
constexpr double kEyeW = 7.0;        // model units from the eye to the origin along w
constexpr double kMarkMargin = 5.0;  // pixels the mark radius stays inside the cell's size
constexpr int kLatticeCells = 81;    // cells of the largest projected board

// A face's corners in SDL_Vertex order; two triangles share the diagonal from corner 3 to 1.
constexpr int kHoverCorners[] = {3, 1, 0, 2};
constexpr int kHoverIndices[] = {0, 1, 2, 0, 1, 3};

// Everything the 3D and 4D views do differently; the pipeline is shared.
struct ViewStyle {
  int dimensions{};               // the board, hovered cell and winning line it reads
  double originX = kViewOriginX;  // canvas point of the model origin, pixels
  double originY = kViewOriginY;  // canvas point of the model origin, pixels
  ViewTurn turn;                  // this frame's view turns
  bool tintEdges = false;         // a marked cell's edges take its owner's tint
  uint8_t edgeAlpha{};            // strength of each added edge
  uint8_t hoverAlpha{};           // strength of each added face of the hovered cell
  bool hoverOriginFloat = false;  // the fill adds the origin in single precision
  bool drawsAssistLines = false;  // the assist lines join cell centres after all cells
};

// A mesh of the lattice and the board cell it shows.
struct LatticeCell {
  const CellMesh* mesh;  // in the lattice, read only
  int boardCell;         // cell number on the board of the view's dimensions
};

// Where each board cell's centre landed this frame, for the assist lines; every
// cell of the lattice is drawn, so every centre is known.
struct CentreTable {
  std::array<double, kLatticeCells> x{}, y{};
};

// Turns (p, q) in their plane: p' = p cos + q sin, q' = q cos - p sin.
void Turn(double& p, double& q, double c, double s) {
  const double p0 = p;
  p = p * c + q * s;
  q = q * c - p0 * s;
}

// The mesh at `index` and the indices after it in a nested lattice; null
// where a level holds fewer entries than the index asks for.
template <class Level>
const CellMesh* MeshAt(const Level& level, const int32_t* index) {
  if (static_cast<size_t>(*index) >= level.size()) return nullptr;
  if constexpr (std::is_same_v<typename Level::value_type, CellMesh>) {
    return &level[static_cast<size_t>(*index)];
  } else {
    return MeshAt(level[static_cast<size_t>(*index)], index + 1);
  }
}

// The lattice's meshes in lattice order, each with the board cell it shows.
template <class Lattice>
std::vector<LatticeCell> LatticeCells(int dimensions, const Lattice& lattice) {
  std::vector<LatticeCell> cells;
  for (int meshCell = 0; meshCell < CellCount(dimensions); ++meshCell) {
    const CellIndices x = IndicesOfCell(dimensions, meshCell);
    if (const CellMesh* mesh = MeshAt(lattice, x.data())) {
      cells.push_back({mesh, CellOfCoord(BoardCoordOfMesh(CoordOfCell(dimensions, meshCell)))});
    }
  }
  return cells;
}

// Only a real win brightens marks: after a draw the winning line still holds
// the zeros StartNewGame left, which must not light up the corner cell.
bool IsWinningCell(int dimensions, const CellCoord& coord) {
  if (!gameOver || winner == 0) return false;
  const Line& line = WinLine(dimensions);
  return std::find(line.begin(), line.end(), coord) != line.end();
}

SDL_Point CanvasPoint(const ViewStyle& style, const ProjectedCell& cell, int vertex) {
  return {TruncatePixel(style.originX + cell.x[vertex]),
          TruncatePixel(style.originY + cell.y[vertex])};
}

void DrawCellEdges(const ViewStyle& style, const CellMesh& mesh, const ProjectedCell& cell,
                   int32_t value) {
  SDL_Color colour = kWhite;
  if (style.tintEdges) PlayerTint(value, colour);
  SetDrawColour(colour, style.edgeAlpha);

  std::array<SDL_Point, kTesseractVertices> points;
  for (int v = 0; v < cell.vertexCount; ++v) points[v] = CanvasPoint(style, cell, v);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD);
  for (const auto& edge : mesh.edges) {
    assert(edge[0] >= 0 && edge[0] < cell.vertexCount);
    assert(edge[1] >= 0 && edge[1] < cell.vertexCount);
    const SDL_Point& a = points[edge[0]];
    const SDL_Point& b = points[edge[1]];
    SDL_RenderDrawLine(renderer, a.x, a.y, b.x, b.y);
  }
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

// While the game runs the blend mode stays none, so the mark is opaque whatever
// its alpha; once it is over, marks add: the winning ones at full strength.
// A value outside 1..5 draws nothing; the blend mode still ends at none.
void DrawCellMark(const ProjectedCell& cell, int32_t value, bool winning) {
  if (gameOver) SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD);
  const uint8_t alpha = winning ? kWinMarkAlpha : kDimMarkAlpha;
  DrawProjectedMark(value, cell.centreX, cell.centreY, cell.markRadius, alpha);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

// NOTE: the 3D view rounds the offset to float and adds the origin in float;
// the 4D view adds in double and rounds once. The two can put a fill's border
// pixel on different sides of a pixel centre, so each view keeps its own rule.
SDL_FPoint HoverCorner(const ViewStyle& style, const ProjectedCell& cell, int vertex) {
  if (style.hoverOriginFloat) {
    return {static_cast<float>(cell.x[vertex]) + static_cast<float>(style.originX),
            static_cast<float>(cell.y[vertex]) + static_cast<float>(style.originY)};
  }
  return {static_cast<float>(style.originX + cell.x[vertex]),
          static_cast<float>(style.originY + cell.y[vertex])};
}

// Every face is filled additively, so a point inside the cell gains the fill
// once for each face in front of or behind it.
void DrawHoverFill(const ViewStyle& style, const CellMesh& mesh, const ProjectedCell& cell) {
  const SDL_Color colour{kWhite.r, kWhite.g, kWhite.b, style.hoverAlpha};
  for (const auto& face : mesh.faces) {
    std::array<SDL_Vertex, std::size(kHoverCorners)> corners{};
    for (size_t n = 0; n < corners.size(); ++n) {
      corners[n].position = HoverCorner(style, cell, face[kHoverCorners[n]]);
      corners[n].color = colour;
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD);
    SDL_RenderGeometry(renderer, nullptr, corners.data(), static_cast<int>(corners.size()),
                       kHoverIndices, static_cast<int>(std::size(kHoverIndices)));
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  }
}

// From the centre of each line's first cell to that of its third, as drawn
// this frame; drawn even after the game ends. An unknown player keeps the colour.
// The lines are this frame's, found on the board this view shows.
void DrawAssistLines(const CentreTable& centres) {
  if (!assistMode) return;
  SDL_Color tint;
  if (PlayerTint(currentPlayer, tint)) SetDrawColour(tint, kAssistAlpha);
  for (const Line& line : assistLines) {
    const int from = CellOfCoord(line[0]), to = CellOfCoord(line[2]);
    assert(from >= 0 && from < kLatticeCells);
    assert(to >= 0 && to < kLatticeCells);
    SDL_RenderDrawLine(renderer, TruncatePixel(centres.x[from]), TruncatePixel(centres.y[from]),
                       TruncatePixel(centres.x[to]), TruncatePixel(centres.y[to]));
  }
}

// No depth sorting: cells are drawn in lattice order, each one's edges, mark
// and hover fill, so later cells draw over earlier ones.
void RenderLattice(const ViewStyle& style, const std::vector<LatticeCell>& cells) {
  CentreTable centres;
  for (const LatticeCell& entry : cells) {
    const CellMesh& mesh = *entry.mesh;
    const ProjectedCell cell = ProjectCell(mesh, style.turn, style.originX, style.originY);
    const CellCoord coord = CoordOfCell(style.dimensions, entry.boardCell);
    const int32_t value = CellValue(style.dimensions, entry.boardCell);

    DrawCellEdges(style, mesh, cell, value);
    DrawCellMark(cell, value, IsWinningCell(style.dimensions, coord));
    if (cellHovered && HoveredCell(style.dimensions) == coord) DrawHoverFill(style, mesh, cell);

    assert(entry.boardCell >= 0 && entry.boardCell < kLatticeCells);
    centres.x[entry.boardCell] = cell.centreX;
    centres.y[entry.boardCell] = cell.centreY;
  }
  if (style.drawsAssistLines) DrawAssistLines(centres);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

}  // namespace

void ResetView() {
  viewYaw = viewPitch = 0.0;
  viewResetting = false;
  wAngleTarget = wAngle = 0.0;
}

ViewTurn MakeViewTurn(double xzDegrees, double yzDegrees, double zwDegrees) {
  const double xz = xzDegrees * kDegreesToRadians;
  const double yz = yzDegrees * kDegreesToRadians;
  const double zw = zwDegrees * kDegreesToRadians;
  return {std::cos(xz), std::sin(xz), std::cos(yz), std::sin(yz), std::cos(zw), std::sin(zw)};
}

ViewTurn ViewTurn3D() {
  return MakeViewTurn(viewYaw + kCubeYawOffset, viewPitch + kCubePitchOffset, 0.0);
}

ViewTurn ViewTurn4D() { return MakeViewTurn(viewYaw, viewPitch, wAngle); }

// Perspective: a cube divides x and y by 10 - z. A tesseract first divides
// x, y and z by 7 - w, then x and y by 10 - z. The radius uses the mean depth:
// with no turn the centre cube gets 500 / (10 - 0) - 5 = 45 pixels.
ProjectedCell ProjectCell(const CellMesh& mesh, const ViewTurn& turn, double originX,
                          double originY) {
  assert(mesh.vertices.size() >= 2 && mesh.vertices.size() <= kTesseractVertices);
  ProjectedCell cell;
  cell.vertexCount = static_cast<int>(mesh.vertices.size());
  const bool tesseract = cell.vertexCount == kTesseractVertices;
  double sumZ = 0.0, sumW = 0.0;
  for (int n = 0; n < cell.vertexCount; ++n) {
    const std::vector<double>& vertex = mesh.vertices[n];
    double x = vertex[0], y = vertex[1], z = vertex[2], w = tesseract ? vertex[3] : 0.0;
    Turn(x, z, turn.cosXZ, turn.sinXZ);
    Turn(y, z, turn.cosYZ, turn.sinYZ);
    if (tesseract) {
      Turn(w, z, turn.cosZW, turn.sinZW);
      const double f1 = 1.0 / (kEyeW - w);
      x *= f1;
      y *= f1;
      z *= f1;
      sumW += w;
    }
    const double f = 1.0 / (kEyeZ - z);
    x *= f;
    y *= f;
    sumZ += z;
    cell.x[n] = x * mesh.scale;
    cell.y[n] = y * mesh.scale;
  }
  const double meanZ = sumZ / cell.vertexCount;
  const double meanW = sumW / cell.vertexCount;
  cell.markRadius =
      tesseract ? mesh.scale * (1.0 / (kEyeW - meanW)) * (1.0 / (kEyeZ - meanZ)) - kMarkMargin
                : mesh.scale / (kEyeZ - meanZ) - kMarkMargin;
  // Vertex 0 is the all-minus corner and the last one the all-plus corner.
  const int last = cell.vertexCount - 1;
  cell.centreX = (cell.x[0] + cell.x[last]) * 0.5 + originX;
  cell.centreY = originY + (cell.y[0] + cell.y[last]) * 0.5;
  return cell;
}

CellCoord BoardCoordOfMesh(CellCoord meshCoord) {
  assert(meshCoord.size() >= 3);
  std::swap(meshCoord[1], meshCoord[2]);
  return meshCoord;
}

void RenderBoard3D() {
  ViewStyle style;
  style.dimensions = 3;
  style.turn = ViewTurn3D();
  style.tintEdges = true;
  style.edgeAlpha = kCubeEdgeAlpha;
  style.hoverAlpha = kCubeHoverAlpha;
  style.hoverOriginFloat = true;
  style.drawsAssistLines = true;
  RenderLattice(style, LatticeCells(3, cellMeshes3));
}

void RenderBoard4D(double originX, double originY, const TesseractLattice& meshes) {
  ViewStyle style;
  style.dimensions = 4;
  style.originX = originX;
  style.originY = originY;
  style.turn = ViewTurn4D();
  style.edgeAlpha = kTesseractEdgeAlpha;
  style.hoverAlpha = kTesseractHoverAlpha;
  RenderLattice(style, LatticeCells(4, meshes));
}
