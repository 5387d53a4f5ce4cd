// One frame of each projected view on the 1600x900 software canvas.
#include <benchmark/benchmark.h>

#include "render/mesh.h"
#include "render/projection.h"
#include "rules/hover.h"
#include "rules/state.h"
#include "screens/game_screen.h"
#include "support.h"

namespace {

// A game in progress: a few marks of every player, a hovered cell, turned views.
void SetUpBoards() {
  ResetGameGlobals();
  cellMeshes3.clear();
  cellMeshes4.clear();
  BuildCellMeshes();
  playerCount = 5;
  for (int cell = 0; cell < CellCount(3); cell += 4) CellValue(3, cell) = 1 + cell % 5;
  for (int cell = 0; cell < CellCount(4); cell += 5) CellValue(4, cell) = 1 + cell / 5 % 5;
  cellHovered = true;
  hoveredCell3 = {1, 2, 1};
  hoveredCell4 = {1, 1, 2, 0};
  assistMode = true;
  assistLines = {Line{CellCoord{0, 0, 0}, CellCoord{1, 1, 1}, CellCoord{2, 2, 2}}};
  viewYaw = 25.0;
  viewPitch = -10.0;
  wAngle = 30.0;
}

// Times `draw` alone: the canvas is cleared between frames outside the timing.
template <class Draw>
void TimeRender(benchmark::State& state, Draw draw) {
  SetUpBoards();
  Canvas canvas;
  for (auto _ : state) {
    state.PauseTiming();
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    state.ResumeTiming();
    draw();
  }
}

void BM_RenderBoard3D(benchmark::State& state) {
  TimeRender(state, [] { RenderBoard3D(); });
}
BENCHMARK(BM_RenderBoard3D)->Unit(benchmark::kMicrosecond);

void BM_RenderBoard4D(benchmark::State& state) {
  TimeRender(state, [] { RenderBoard4D(kViewOriginX, kViewOriginY, cellMeshes4); });
}
BENCHMARK(BM_RenderBoard4D)->Unit(benchmark::kMicrosecond);

}  // namespace
