// PLACEHOLDER: replaced by the real implementation before this lands.
#include "rules/hover.h"
std::vector<Line> assistLines;
void LineThroughCells(const CellCoord&, const CellCoord&, Line&, bool&) {}
void UpdateHover2D() {}
void UpdateHover3D() {}
void UpdateHover4D() {}
void UpdateHover5D() {}
