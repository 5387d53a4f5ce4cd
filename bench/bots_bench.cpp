// Benchmarks of one bot move on an empty and on a half-full board of each dimension count.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "bots/bot.h"
#include "screens/game_screen.h"
#include "support.h"

namespace {

constexpr int32_t kBenchPlayers = 3;  // players whose marks fill the half-full board

// Half the cells filled with random players' marks, the same board every run.
std::vector<int32_t> HalfFullBoard(int dimensions) {
  std::mt19937 rng(static_cast<unsigned>(dimensions));
  std::vector<int32_t> cells(static_cast<size_t>(CellCount(dimensions)), 0);
  std::vector<size_t> order(cells.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), rng);
  for (size_t i = 0; i < order.size() / 2; ++i) {
    cells[order[i]] = static_cast<int32_t>(1 + rng() % kBenchPlayers);
  }
  return cells;
}

void RunBotMoves(benchmark::State& state, bool halfFull) {
  const int dimensions = static_cast<int>(state.range(0));
  ResetGameGlobals();
  dimensionCount = dimensions;
  playerCount = kBenchPlayers;
  difficulty = Hard;  // the most work: the central pick on a long list
  std::srand(1);
  const std::vector<int32_t> board =
      halfFull ? HalfFullBoard(dimensions)
               : std::vector<int32_t>(static_cast<size_t>(CellCount(dimensions)), 0);
  for (auto _ : state) {
    state.PauseTiming();
    for (int cell = 0; cell < CellCount(dimensions); ++cell) {
      CellValue(dimensions, cell) = board[static_cast<size_t>(cell)];
    }
    currentPlayer = 1;
    state.ResumeTiming();
    RulesOf(dimensions)->botMove();
  }
}

void BM_BotMoveEmptyBoard(benchmark::State& state) { RunBotMoves(state, false); }
void BM_BotMoveHalfFullBoard(benchmark::State& state) { RunBotMoves(state, true); }

}  // namespace

BENCHMARK(BM_BotMoveEmptyBoard)->DenseRange(2, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BotMoveHalfFullBoard)->DenseRange(2, 5)->Unit(benchmark::kMicrosecond);
