// The hovered cell and the assist lines through it.
#include "rules/hover.h"

#include "platform/platform.h"
#include "rules/layout.h"
#include "rules/lines.h"

std::vector<Line> assistLines;
CellCoord hoveredCell2, hoveredCell3, hoveredCell4, hoveredCell5;

namespace {

// Whether any cell of `line` holds a mark of a player other than `player`.
bool LineHoldsOtherMark(int dimensions, const Line& line, int32_t player) {
  for (const CellCoord& coord : line) {
    const int32_t value = CellValue(dimensions, CellOfCoord(coord));
    if (value != 0 && value != player) return true;
  }
  return false;
}

// Appends every line through the hovered cell that holds a mark of the player
// to move and none of anyone else. A line holding two of the player's marks
// is appended twice, once from each mark.
void CollectAssistLines(int dimensions, int hovered) {
  const int count = CellCount(dimensions);
  for (int cell = 0; cell < count; ++cell) {
    if (CellValue(dimensions, cell) != currentPlayer) continue;
    const std::optional<Line> line = LineThroughCells(dimensions, cell, hovered);
    if (line && !LineHoldsOtherMark(dimensions, *line, currentPlayer)) assistLines.push_back(*line);
  }
}

// The hover update of every dimension count. The record follows the pointer
// even after the game has ended, but cellHovered is only ever true in play.
void UpdateHover(int dimensions) {
  const int cell = CellAtPoint(dimensions, cellSize, frameInput.mouseX, frameInput.mouseY);
  const bool found = cell != kNoCell && CellValue(dimensions, cell) == 0;
  if (found) {
    HoveredCell(dimensions) = CoordOfCell(dimensions, cell);
    if (assistMode) CollectAssistLines(dimensions, cell);
  }
  cellHovered = found && !gameOver;
}

}  // namespace

void ForgetHoveredCells() {
  for (int d = kMinDimensions; d <= kMaxDimensions; ++d) HoveredCell(d).assign(d, 0);
}

CellCoord& HoveredCell(int dimensions) {
  return OfDimensions(dimensions, hoveredCell2, hoveredCell3, hoveredCell4, hoveredCell5);
}

void UpdateHover2D() { UpdateHover(2); }
void UpdateHover3D() { UpdateHover(3); }
void UpdateHover4D() { UpdateHover(4); }
void UpdateHover5D() { UpdateHover(5); }
