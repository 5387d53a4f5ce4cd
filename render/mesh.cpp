// PLACEHOLDER: replaced by the real implementation before this lands.
#include "render/mesh.h"
CubeLattice cellMeshes3;
TesseractLattice cellMeshes4;
CellMesh BuildCubeMesh(double, double, double, double) { return {}; }
CellMesh BuildTesseractMesh(double, double, double, double, double) { return {}; }
void BuildCellMeshes() {}
