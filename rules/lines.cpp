// The line rule: the test of three cells, the third cell of two and the line through two.
#include "rules/lines.h"

#include <cstddef>
#include <cstdlib>

namespace {

// How the first differing coordinate related the two cells; every later
// differing coordinate must relate them the same way.
enum class LineKind { Middle, Span };

}  // namespace

// Every coordinate stays put or runs 0,1,2 or 2,1,0 in the order given.
bool IsLineTriple(const CellCoord& u, const CellCoord& v, const CellCoord& w) {
  for (std::size_t t = 0; t < u.size(); ++t) {
    const bool constant = u[t] == v[t] && v[t] == w[t];
    const bool rising = u[t] == 0 && v[t] == 1 && w[t] == 2;
    const bool falling = u[t] == 2 && v[t] == 1 && w[t] == 0;
    if (!constant && !rising && !falling) return false;
  }
  return true;
}

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
