// The line rule's operations that are not inline: the line through two cells and the lines through
// one.
#include "rules/lines.h"

namespace {

using LinesByCell = std::vector<std::vector<CellPair>>;  // [cell]: the lines through it

// Every line found once, as the ascending pair that starts it, and filed under each of its cells.
LinesByCell FileEveryLine(int dimensions) {
  const int count = CellCount(dimensions);
  LinesByCell through(static_cast<size_t>(count));
  for (int u = 0; u < count; ++u) {
    for (int v = u + 1; v < count; ++v) {
      const int w = ThirdCellOfLine(dimensions, u, v);
      if (w == kNoCell) continue;
      through[static_cast<size_t>(u)].push_back({v, w});
      through[static_cast<size_t>(v)].push_back({u, w});
      through[static_cast<size_t>(w)].push_back({u, v});
    }
  }
  return through;
}

}  // namespace

Line LineOfCells(int dimensions, int first, int second, int third) {
  return {CoordOfCell(dimensions, first), CoordOfCell(dimensions, second),
          CoordOfCell(dimensions, third)};
}

// a and b are an end and the middle, in either order, or the two ends; the
// middle of two ends is their mean, as cell numbers follow the rule too.
// (0,0) and (1,1) give (0,0), (1,1), (2,2); (0,0) and (2,2) give the same.
std::optional<Line> LineThroughCells(int dimensions, int a, int b) {
  if (const int c = ThirdCellOfLine(dimensions, a, b); c != kNoCell) {
    return LineOfCells(dimensions, a, b, c);
  }
  if (const int c = ThirdCellOfLine(dimensions, b, a); c != kNoCell) {
    return LineOfCells(dimensions, b, a, c);
  }
  const int middle = (a + b) / 2;
  if ((a + b) % 2 == 0 && ThirdCellOfLine(dimensions, a, middle) == b) {
    return LineOfCells(dimensions, a, middle, b);
  }
  return std::nullopt;
}

const std::vector<CellPair>& LinesThrough(int dimensions, int cell) {
  static const std::array<LinesByCell, kMaxDimensions + 1> table = [] {
    std::array<LinesByCell, kMaxDimensions + 1> lines;
    for (int d = kMinDimensions; d <= kMaxDimensions; ++d) lines[d] = FileEveryLine(d);
    return lines;
  }();
  return table[static_cast<size_t>(dimensions)][static_cast<size_t>(cell)];
}
