// Test support: the game's headers, every global at its start value, a 1600x900 software canvas,
// and brute-force oracles of the line rule for property tests.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "app/shell.h"
#include "bots/bot.h"
#include "platform/canvas_fit.h"
#include "platform/platform.h"
#include "platform/video.h"
#include "render/mesh.h"
#include "render/projection.h"
#include "render/text.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "rules/lines.h"
#include "rules/win.h"
#include "screens/buttons.h"
#include "screens/game_screen.h"
#include "screens/title_screen.h"

// A software renderer on a 1600x900 surface, installed as the game's renderer while it lives.
struct Canvas {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, kCanvasWidth, kCanvasHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* previous = renderer;
  Canvas() { renderer = SDL_CreateSoftwareRenderer(surface); }
  ~Canvas() {
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
    renderer = previous;
  }
};

// Settings, state, input, view, meshes and Buttons as right after start-up; SDL_ttf started once
// for the whole test program, so that text can be drawn.
struct GameTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(TTF_WasInit() || TTF_Init() == 0) << TTF_GetError();
    SetStartValues();
    BuildCellMeshes();
    BuildMenuButtons();
    StartNewGame();
  }
  // The fonts close with the texts drawn in them, before the program ends.
  void TearDown() override { CloseFonts(); }
};

inline const Button& Labelled(const std::string& label) {
  return *std::find_if(menuButtons.begin(), menuButtons.end(),
                       [&](const Button& b) { return b.label == label; });
}

// The pointer resting at p since the previous frame, released there or not.
inline void PointAt(SDL_Point p, bool release) {
  frameInput.mouseX = frameInput.prevMouseX = p.x;
  frameInput.mouseY = frameInput.prevMouseY = p.y;
  frameInput.mouseReleased = release;
}
inline SDL_Point CentreOf(const Button& b) { return {b.x + b.w / 2, b.y + b.h / 2}; }

// One frame of the current screen with the pointer at p, released there or not.
inline void FrameAt(SDL_Point p, bool release) {
  PointAt(p, release);
  RunCurrentScreen();
}

// A release on the Button's centre, then a frame with the pointer off every Button, which ends
// its visit.
inline void Click(const Button& b) {
  FrameAt(CentreOf(b), true);
  FrameAt({0, 0}, false);
}

// Three cell numbers, ascending.
using Triple = std::array<int, 3>;

// The oracle of the line rule: u, v, w in that order are a line when every coordinate stays put or
// runs 0, 1, 2 or 2, 1, 0.
inline bool IsLineTriple(const CellCoord& u, const CellCoord& v, const CellCoord& w) {
  for (size_t t = 0; t < u.size(); ++t)
    if (!(u[t] == v[t] && v[t] == w[t]) && !(v[t] == 1 && std::abs(u[t] - w[t]) == 2)) return false;
  return true;
}

// Every line of the board: every ascending triple of cells that IsLineTriple accepts.
inline const std::vector<Triple>& AllLines(int d) {
  static std::array<std::vector<Triple>, kMaxDimensions + 1> cache;
  std::vector<Triple>& lines = cache[size_t(d)];
  std::vector<CellCoord> c;
  for (int cell = 0; lines.empty() && cell < CellCount(d); ++cell)
    c.push_back(CoordOfCell(d, cell));
  for (int i = 0; i < int(c.size()); ++i)
    for (int j = i + 1; j < int(c.size()); ++j)
      for (int k = j + 1; k < int(c.size()); ++k)
        if (IsLineTriple(c[i], c[j], c[k])) lines.push_back({i, j, k});
  return lines;
}

// The tests' own random numbers. std::mt19937's raw output is the same under every standard
// library, where its distributions are not; these two follow libstdc++'s, so that the boards of
// the goldens stay as they were drawn (a draw it would reject, about 1 in 10^9, is kept here).
struct TestRandom {
  explicit TestRandom(uint32_t seed) : engine(seed) {}
  // Uniform in [0, 1), from two draws: the first is the low half.
  double Unit() {
    const double low = double(engine());
    return (low + double(engine()) * 0x1p32) / 0x1p64;
  }
  // Uniform in 0 .. count - 1, by multiply and shift.
  int32_t Below(int32_t count) { return int32_t(uint64_t(engine()) * uint64_t(count) >> 32); }
  std::mt19937 engine;
};

// Fills the board at random with marks of players 1..players, about `filled` of it.
inline void FillRandomBoard(int d, int32_t players, double filled, TestRandom& random) {
  for (int cell = 0; cell < CellCount(d); ++cell)
    CellValue(d, cell) = random.Unit() < filled ? 1 + random.Below(players) : 0;
}

// Runs check(d, trial) on `trials` new games of every board size, each named on failure.
template <class Check>
void ForEveryBoard(int trials, Check check) {
  for (int32_t d = kMinDimensions; d <= kMaxDimensions; ++d)
    for (int trial = 0; trial < trials; ++trial) {
      SCOPED_TRACE(std::to_string(d) + "D, trial " + std::to_string(trial));
      StartNewGame();
      dimensionCount = d;
      check(d, trial);
    }
}
