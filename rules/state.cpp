// The game's settings, the four boards and the per-game state, with StartNewGame.
#include "rules/state.h"

#include <algorithm>
#include <cassert>

int32_t dimensionCount;
int32_t playerCount;
int32_t botCount;
Difficulty difficulty;
bool assistMode;
int32_t cellSize;

Board2 board2;
Board3 board3;
Board4 board4;
Board5 board5;

int32_t currentPlayer;
bool gameOver;
int32_t winner;
bool cellHovered;
Line winLine2, winLine3, winLine4, winLine5;

namespace {

// Cell sides for 2, 3, 4 and 5 dimensions, pixels.
constexpr int32_t kCellSizes[] = {80, 60, 60, 40};

Line ZeroLine(int dimensions) {
  const CellCoord zeros(dimensions, 0);
  return {zeros, zeros, zeros};
}

}  // namespace

int32_t CellSizeFor(int dimensions) {
  assert(dimensions >= kMinDimensions && dimensions <= kMaxDimensions);
  return kCellSizes[dimensions - kMinDimensions];
}

void SetDefaultSettings() {
  dimensionCount = 3;
  playerCount = 3;
  botCount = 0;
  difficulty = Easy;
  assistMode = false;
  cellSize = CellSizeFor(dimensionCount);
}

void StartNewGame() {
  board2.assign(kBoardSide, std::vector<int32_t>(kBoardSide, 0));
  board3.assign(kBoardSide, board2);
  board4.assign(kBoardSide, board3);
  board5.clear();
  for (int block = 0; block < kBoardSide; ++block) board5.push_back(board4);

  currentPlayer = 1;
  cellHovered = false;
  winner = 0;
  gameOver = false;

  for (int d = kMinDimensions; d <= kMaxDimensions; ++d) WinLine(d) = ZeroLine(d);
}

int CellCount(int dimensions) {
  int count = 1;
  for (int d = 0; d < dimensions; ++d) count *= kBoardSide;
  return count;
}

CellCoord CoordOfCell(int dimensions, int cell) {
  const CellIndices x = IndicesOfCell(dimensions, cell);
  return CellCoord(x.begin(), x.begin() + dimensions);
}

int CellOfCoord(const CellCoord& coord) {
  int cell = 0;
  for (int32_t index : coord) cell = cell * kBoardSide + index;
  return cell;
}

int32_t& CellValue(int dimensions, int cell) {
  assert(dimensions >= kMinDimensions && dimensions <= kMaxDimensions);
  assert(cell >= 0 && cell < CellCount(dimensions));
  const CellIndices x = IndicesOfCell(dimensions, cell);
  switch (dimensions) {
    case 2:
      return board2[x[0]][x[1]];
    case 3:
      return board3[x[0]][x[1]][x[2]];
    case 4:
      return board4[x[0]][x[1]][x[2]][x[3]];
    default:
      return board5[x[0]][x[1]][x[2]][x[3]][x[4]];
  }
}

int Centrality(int dimensions, int cell) {
  const CellIndices x = IndicesOfCell(dimensions, cell);
  return static_cast<int>(std::count(x.begin(), x.begin() + dimensions, 1));
}

Line& WinLine(int dimensions) {
  return OfDimensions(dimensions, winLine2, winLine3, winLine4, winLine5);
}

bool IsBot(int32_t player) { return player + botCount > playerCount; }

int32_t NextPlayer(int32_t player) { return player + 1 > playerCount ? 1 : player + 1; }
