// Whole frames, update then draw, on a software renderer into a 1600x900 surface.
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include "app/shell.h"
#include "platform/platform.h"
#include "render/mesh.h"
#include "render/projection.h"
#include "render/text.h"
#include "rules/state.h"
#include "screens/game_screen.h"
#include "screens/title_screen.h"
#include "support.h"

namespace {

// Fonts and meshes as start-up leaves them; the globals as a new run has them.
struct FrameFixture {
  FrameFixture() {
    if (!TTF_WasInit()) TTF_Init();
    if (cellMeshes3.empty()) BuildCellMeshes();
    ResetGameGlobals();
  }
  Canvas canvas;
};

void PointAt(int32_t x, int32_t y) {
  frameInput.prevMouseX = frameInput.mouseX;
  frameInput.prevMouseY = frameInput.mouseY;
  frameInput.mouseX = x;
  frameInput.mouseY = y;
}

// A game of `dimensions` on its title-screen cell size, no bots, nobody to move but humans.
void SetUpGame(int dimensions, int32_t side) {
  dimensionCount = dimensions;
  cellSize = side;
  playerCount = 5;
  botCount = 0;
  currentScreen = Game;
}

// Marks two cells of every three with the first player whose mark completes no
// line, so the board is crowded and the game is still in play.
void CrowdBoard(int dimensions) {
  for (int cell = 0; cell < CellCount(dimensions); ++cell) {
    if (cell % 3 == 2) continue;
    for (int32_t player = 1; player <= playerCount; ++player) {
      CellValue(dimensions, cell) = player;
      RulesOf(dimensions)->checkWin();
      if (!gameOver) break;
      gameOver = false;
      winner = 0;
      CellValue(dimensions, cell) = 0;
    }
  }
}

// Game frames with the pointer and the board left as they are.
void RunGameFrames(benchmark::State& state) {
  for (auto _ : state) {
    UpdateGame();
    DrawGame();
  }
}

void BM_FillOnly(benchmark::State& state) {
  FrameFixture fixture;
  for (auto _ : state) {
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    const SDL_Rect all{0, 0, kCanvasWidth, kCanvasHeight};
    SDL_RenderFillRect(renderer, &all);
    SDL_RenderPresent(renderer);
  }
}
BENCHMARK(BM_FillOnly)->Unit(benchmark::kMicrosecond);

void BM_TitleFrame(benchmark::State& state) {
  FrameFixture fixture;
  PointAt(700, 480);  // over "3 Players", selected and hovered
  for (auto _ : state) {
    UpdateMenu();
    DrawMenu();
  }
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMicrosecond);

void BM_Game2DFrame(benchmark::State& state) {
  FrameFixture fixture;
  SetUpGame(2, 80);
  CrowdBoard(2);
  PointAt(800, 450);
  RunGameFrames(state);
}
BENCHMARK(BM_Game2DFrame)->Unit(benchmark::kMicrosecond);

void BM_Game3DTurningFrame(benchmark::State& state) {
  FrameFixture fixture;
  SetUpGame(3, 60);
  CrowdBoard(3);
  frameInput.mouseHeld = true;
  int32_t x = 1100;
  for (auto _ : state) {
    x = x >= 1300 ? 1100 : x + 3;
    PointAt(x, 400);  // a drag across the view turns it every frame
    UpdateGame();
    DrawGame();
  }
}
BENCHMARK(BM_Game3DTurningFrame)->Unit(benchmark::kMicrosecond);

void BM_Game4DTurningFrame(benchmark::State& state) {
  FrameFixture fixture;
  SetUpGame(4, 60);
  CrowdBoard(4);
  // board4[1][1][1][2] is cell 41, left empty by CrowdBoard, so its tesseract
  // is filled as hovered too; its square starts at (470, 480).
  PointAt(500, 510);
  for (auto _ : state) {
    if (wAngle >= wAngleTarget) wAngleTarget += 90.0;  // always turning about w
    UpdateGame();
    DrawGame();
  }
}
BENCHMARK(BM_Game4DTurningFrame)->Unit(benchmark::kMicrosecond);

void BM_Game5DCrowdedAssistFrame(benchmark::State& state) {
  FrameFixture fixture;
  SetUpGame(5, 40);
  assistMode = true;
  CrowdBoard(5);
  // board5[1][1][1][0][2] is cell 119, left empty by CrowdBoard; its square
  // starts at (740, 470).
  PointAt(760, 490);
  RunGameFrames(state);
}
BENCHMARK(BM_Game5DCrowdedAssistFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
