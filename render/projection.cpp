// PLACEHOLDER: replaced by the real implementation before this lands.
#include "render/projection.h"
void RenderBoard3D() {}
void RenderBoard4D(double, double, const TesseractLattice&) {}
