// The hovered cell and the assist lines through it.
#include "rules/hover.h"

#include <cstddef>
#include <cstdlib>

#include "app/shell.h"
#include "rules/layout.h"

std::vector<Line> assistLines;

namespace {

// How the first differing coordinate related the two cells; every later
// differing coordinate must relate them the same way.
enum class LineKind { Middle, Span };

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
void CollectAssistLines(int dimensions, const CellCoord& hovered) {
  const int count = CellCount(dimensions);
  for (int cell = 0; cell < count; ++cell) {
    if (CellValue(dimensions, cell) != currentPlayer) continue;
    const CellCoord own = CoordOfCell(dimensions, cell);
    bool ok = true;
    Line line = {CellCoord(dimensions, 0), CellCoord(dimensions, 0), CellCoord(dimensions, 0)};
    LineThroughCells(own, hovered, line, ok);
    if (ok && !LineHoldsOtherMark(dimensions, line, currentPlayer)) assistLines.push_back(line);
  }
}

// The hover update of every dimension count. The record follows the pointer
// even after the game has ended, but cellHovered is only ever true in play.
void UpdateHover(int dimensions) {
  const int cell = CellAtPoint(dimensions, cellSize, frameInput.mouseX, frameInput.mouseY);
  const bool found = cell >= 0 && CellValue(dimensions, cell) == 0;
  if (found) {
    HoveredCell(dimensions) = CoordOfCell(dimensions, cell);
    if (assistMode) CollectAssistLines(dimensions, HoveredCell(dimensions));
  }
  cellHovered = found && !gameOver;
}

}  // namespace

// Axis by axis: equal coordinates stay; where one cell is 1 and the other an
// end, the end comes first and its mirror |x - 2| last ("middle"); where one
// is 0 and the other 2, a and b are the two ends ("span"). A common line
// needs every differing axis of one kind and, for "middle", the same cell in
// the middle throughout; otherwise ok is cleared, and never set.
// (0,0) and (1,1): middle, a is the end, giving (0,0), (1,1), (2,2).
void LineThroughCells(const CellCoord& a, const CellCoord& b, Line& line, bool& ok) {
  bool first = true;
  LineKind kind = LineKind::Span;
  bool aIsEnd = false;
  for (CellCoord& coord : line) coord.resize(a.size());
  for (std::size_t t = 0; t < a.size(); ++t) {
    if (a[t] == b[t]) {
      line[0][t] = line[1][t] = line[2][t] = a[t];
    } else if (a[t] == 1 || b[t] == 1) {
      if (first) {
        kind = LineKind::Middle;
        aIsEnd = a[t] != 1;
        first = false;
      } else if (kind == LineKind::Span) {
        ok = false;
      }
      const int32_t end = aIsEnd ? a[t] : b[t];
      if (end == 1) ok = false;
      line[0][t] = end;
      line[1][t] = aIsEnd ? b[t] : a[t];
      line[2][t] = std::abs(end - 2);
    } else {
      if (first) {
        kind = LineKind::Span;
        first = false;
      } else if (kind == LineKind::Middle) {
        ok = false;
      }
      line[0][t] = a[t];
      line[1][t] = 1;
      line[2][t] = b[t];
    }
  }
}

void UpdateHover2D() { UpdateHover(2); }
void UpdateHover3D() { UpdateHover(3); }
void UpdateHover4D() { UpdateHover(4); }
void UpdateHover5D() { UpdateHover(5); }
