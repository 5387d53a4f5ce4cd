// Test support: brute-force oracles of the line rule and random boards, for property tests.
#include "support/oracle.h"

#include <algorithm>

#include "rules/lines.h"

const std::vector<Triple>& AllLines(int dimensions) {
  static std::array<std::vector<Triple>, kMaxDimensions + 1> cache;
  std::vector<Triple>& lines = cache[static_cast<size_t>(dimensions)];
  if (!lines.empty()) return lines;
  const int n = CellCount(dimensions);
  std::vector<CellCoord> coords;
  for (int cell = 0; cell < n; ++cell) coords.push_back(CoordOfCell(dimensions, cell));
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      for (int k = j + 1; k < n; ++k)
        if (IsLineTriple(coords[i], coords[j], coords[k])) lines.push_back({i, j, k});
  return lines;
}

void FillRandomBoard(int dimensions, int32_t players, double filled, std::mt19937& random) {
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  std::uniform_int_distribution<int32_t> player(1, players);
  for (int cell = 0; cell < CellCount(dimensions); ++cell)
    CellValue(dimensions, cell) = chance(random) < filled ? player(random) : 0;
}

// The highest centrality of at least 2 if any, else a corner (0) if any, else the first.
bool IsCentralPick(const std::vector<int>& centralities, int chosen) {
  const int best = *std::max_element(centralities.begin(), centralities.end());
  const bool corners = std::count(centralities.begin(), centralities.end(), 0) > 0;
  const int c = centralities[static_cast<size_t>(chosen)];
  return best >= 2 ? c == best : corners ? c == 0 : chosen == 0;
}
