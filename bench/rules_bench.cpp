// Benchmarks for the 5D win check and the 5D hover with assist lines on
// crowded boards without a completed line, where no early exit helps.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "app/shell.h"
#include "platform/platform.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "rules/lines.h"
#include "rules/state.h"
#include "rules/win.h"
#include "support.h"

namespace {

constexpr int kDimensions = 5;
constexpr int32_t kCellSize5D = 40;  // pixels, as the title screen sets it

// Whether giving `cell` to `player` would complete a line of theirs.
bool CompletesLine(int cell, int32_t player) {
  for (int other = 0; other < CellCount(kDimensions); ++other) {
    if (other == cell || CellValue(kDimensions, other) != player) continue;
    const std::optional<Line> line = LineThroughCells(kDimensions, other, cell);
    if (!line) continue;
    int own = 0;
    for (const CellCoord& c : *line) own += CellValue(kDimensions, CellOfCoord(c)) == player;
    if (own == 2) return true;
  }
  return false;
}

// Hands out the empty cells in index order to the player with the fewest
// marks (then the next fewest, ...) whenever that completes no line.
void FillGreedily(int32_t players) {
  std::vector<int> marks(players + 1, 0);
  for (int cell = 0; cell < CellCount(kDimensions); ++cell) marks[CellValue(kDimensions, cell)]++;
  for (int cell = 0; cell < CellCount(kDimensions); ++cell) {
    if (CellValue(kDimensions, cell) != 0) continue;
    std::vector<bool> tried(players + 1, false);
    for (int attempt = 0; attempt < players; ++attempt) {
      int32_t pick = 0;
      for (int32_t p = 1; p <= players; ++p) {
        if (!tried[p] && (pick == 0 || marks[p] < marks[pick])) pick = p;
      }
      tried[pick] = true;
      if (CompletesLine(cell, pick)) continue;
      CellValue(kDimensions, cell) = pick;
      marks[pick]++;
      break;
    }
  }
}

// A crowded 5D board with no line. Two players: cells with exactly two 1s
// and with exactly three 1s hold no line on their own (a line's middle has
// more 1s than its ends), so they seed players 1 and 2 before the greedy
// fill; that gives 112 and 76 marks. Five players: the greedy fill leaves
// only the centre empty.
void BuildCrowdedBoard(int32_t players) {
  ResetGameGlobals();
  dimensionCount = kDimensions;
  cellSize = kCellSize5D;
  playerCount = players;
  if (players == 2) {
    for (int cell = 0; cell < CellCount(kDimensions); ++cell) {
      const int ones = Centrality(kDimensions, cell);
      if (ones == 2) CellValue(kDimensions, cell) = 1;
      if (ones == 3) CellValue(kDimensions, cell) = 2;
    }
  }
  FillGreedily(players);
}

bool NoLineOnBoard() {
  CheckWin5D();
  const bool clean = !gameOver;
  gameOver = false;
  winner = 0;
  return clean;
}

void BM_CheckWin5DWithoutLine(benchmark::State& state) {
  BuildCrowdedBoard(static_cast<int32_t>(state.range(0)));
  if (!NoLineOnBoard()) {
    state.SkipWithError("the crowded board holds a line");
    return;
  }
  int marks = 0;
  for (int cell = 0; cell < CellCount(kDimensions); ++cell)
    marks += CellValue(kDimensions, cell) != 0;
  state.counters["marks"] = marks;
  for (auto _ : state) {
    CheckWin5D();
    benchmark::DoNotOptimize(gameOver);
  }
}
BENCHMARK(BM_CheckWin5DWithoutLine)->Arg(2)->Arg(5)->Unit(benchmark::kMicrosecond);

void PointAtCell(int cell) {
  const CellSquare square = CellSquareOf(kDimensions, cellSize, cell);
  frameInput.mouseX = SquareCentreX(square);
  frameInput.mouseY = SquareCentreY(square);
}

// Points at the empty cell with the most assist lines for the player to move.
void PointAtBusiestEmptyCell() {
  int busiest = -1;
  size_t most = 0;
  for (int cell = 0; cell < CellCount(kDimensions); ++cell) {
    if (CellValue(kDimensions, cell) != 0) continue;
    PointAtCell(cell);
    assistLines.clear();
    UpdateHover5D();
    if (busiest < 0 || assistLines.size() > most) {
      busiest = cell;
      most = assistLines.size();
    }
  }
  PointAtCell(busiest);
}

void BM_UpdateHover5DWithAssist(benchmark::State& state) {
  BuildCrowdedBoard(2);
  assistMode = true;
  currentPlayer = 1;
  PointAtBusiestEmptyCell();
  state.counters["lines"] = static_cast<double>(assistLines.size());
  for (auto _ : state) {
    assistLines.clear();
    UpdateHover5D();
    benchmark::DoNotOptimize(assistLines.data());
  }
}
BENCHMARK(BM_UpdateHover5DWithAssist)->Unit(benchmark::kMicrosecond);

}  // namespace
