// The projected views: the 3D board as a lattice of cubes, the 4D one of tesseracts.
#pragma once

#include <array>

#include "render/mesh.h"
#include "rules/state.h"

constexpr double kViewOriginX = 1150.0;  // canvas point the projected views centre on
constexpr double kViewOriginY = 400.0;
constexpr double kDegreesToRadians = 0.017453292519943295;  // pi/180
constexpr double kCubeYawOffset = 90.0;     // degrees added to viewYaw in the 3D view
constexpr double kCubePitchOffset = -30.0;  // degrees added to viewPitch in the 3D view

// ---- View state: kept across games, turned by the game screen ----------------

extern double viewYaw;       // degrees, from horizontal dragging
extern double viewPitch;     // degrees, from vertical dragging
extern bool viewResetting;   // yaw and pitch are easing back to 0
extern double wAngleTarget;  // degrees about the fourth axis the 4D view turns toward
extern double wAngle;        // degrees about the fourth axis now

// Unturned, at rest.
void ResetView();

// Cosines and sines of one frame's view turns, taken once per frame.
struct ViewTurn {
  double cosXZ = 1.0, sinXZ = 0.0;  // turn in the x-z plane (yaw)
  double cosYZ = 1.0, sinYZ = 0.0;  // turn in the y-z plane (pitch)
  double cosZW = 1.0, sinZW = 0.0;  // turn in the z-w plane, tesseracts only
};

// One cell's mesh turned, divided for perspective and scaled, ready to draw.
struct ProjectedCell {
  int vertexCount{};                                // 8 for a cube, 16 for a tesseract
  std::array<double, kTesseractVertices> x{}, y{};  // vertex offsets from the origin, pixels
  double centreX{}, centreY{};                      // canvas point of the cell's centre, pixels
  double markRadius{};                              // pixels
};

// The turns of the given angles in degrees.
ViewTurn MakeViewTurn(double xzDegrees, double yzDegrees, double zwDegrees);

// This frame's turns of each view, from viewYaw, viewPitch and wAngle.
ViewTurn ViewTurn3D();
ViewTurn ViewTurn4D();

// Turns a copy of `mesh`'s vertices by `turn`, divides them for perspective
// (a tesseract by 7 - w first) and scales them; the centre is the midpoint of
// the all-minus and all-plus corners, placed about (originX, originY).
ProjectedCell ProjectCell(const CellMesh& mesh, const ViewTurn& turn, double originX,
                          double originY);

// The board cell a mesh shows: the two middle indices exchanged, so
// cellMeshes3[a][c][b] shows board3[a][b][c].
CellCoord BoardCoordOfMesh(CellCoord meshCoord);

// Draws board3 as 27 cubes turned by the view angles, with marks, hover fill
// and assist lines. Leaves the blend mode at none.
void RenderBoard3D();

// Draws board4 as the 81 tesseracts of `meshes` turned by the view angles and
// wAngle, centred on (originX, originY). Leaves the blend mode at none.
void RenderBoard4D(double originX, double originY, const TesseractLattice& meshes);
