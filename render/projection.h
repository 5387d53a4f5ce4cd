// The projected views: the 3D board as a lattice of cubes, the 4D one of tesseracts.
#pragma once

#include "render/mesh.h"

constexpr double kViewOriginX = 1150.0;  // window point the projected views centre on
constexpr double kViewOriginY = 400.0;

// Draws board3 as 27 cubes turned by the view angles, with marks, hover fill
// and assist lines. Leaves the blend mode at none.
void RenderBoard3D();

// Draws board4 as the 81 tesseracts of `meshes` turned by the view angles and
// wAngle, centred on (originX, originY). Leaves the blend mode at none.
void RenderBoard4D(double originX, double originY, const TesseractLattice& meshes);
