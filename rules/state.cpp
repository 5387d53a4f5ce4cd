// The game's settings, the four boards and the per-game state, with StartNewGame.
#include "rules/state.h"

#include <cassert>

int32_t dimensionCount;
int32_t playerCount;
int32_t botCount;
int32_t difficulty;
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

Line ZeroLine(int dimensions) {
  const CellCoord zeros(dimensions, 0);
  return {zeros, zeros, zeros};
}

}  // namespace

// Three dimensions, three players, no bots, "Easy", assist off.
void SetDefaultSettings() {
  dimensionCount = 3;
  playerCount = 3;
  botCount = 0;
  difficulty = 1;
  assistMode = false;
  cellSize = 60;
}

void StartNewGame() {
  board2.assign(3, std::vector<int32_t>(3, 0));
  board3.assign(3, board2);
  board4.assign(3, board3);
  board5.clear();
  for (int block = 0; block < kBoardSide; ++block) board5.push_back(board4);

  currentPlayer = 1;
  cellHovered = false;
  winner = 0;
  gameOver = false;

  winLine2 = ZeroLine(2);
  winLine3 = ZeroLine(3);
  winLine4 = ZeroLine(4);
  winLine5 = ZeroLine(5);
}

int CellCount(int dimensions) {
  int count = 1;
  for (int d = 0; d < dimensions; ++d) count *= kBoardSide;
  return count;
}

CellCoord CoordOfCell(int dimensions, int cell) {
  CellCoord coord(dimensions, 0);
  for (int d = dimensions - 1; d >= 0; --d) {
    coord[d] = cell % kBoardSide;
    cell /= kBoardSide;
  }
  return coord;
}

int CellOfCoord(const CellCoord& coord) {
  int cell = 0;
  for (int32_t index : coord) cell = cell * kBoardSide + index;
  return cell;
}

int32_t& CellValue(int dimensions, int cell) {
  assert(dimensions >= kMinDimensions && dimensions <= kMaxDimensions);
  assert(cell >= 0 && cell < CellCount(dimensions));
  // Digits of the cell number, outermost first: d0 d1 ... in base 3.
  switch (dimensions) {
    case 2:
      return board2[cell / 3][cell % 3];
    case 3:
      return board3[cell / 9][cell / 3 % 3][cell % 3];
    case 4:
      return board4[cell / 27][cell / 9 % 3][cell / 3 % 3][cell % 3];
    default:
      return board5[cell / 81][cell / 27 % 3][cell / 9 % 3][cell / 3 % 3][cell % 3];
  }
}

int Centrality(int dimensions, int cell) {
  int ones = 0;
  for (int d = 0; d < dimensions; ++d, cell /= kBoardSide) ones += (cell % kBoardSide == 1);
  return ones;
}

Line& WinLine(int dimensions) {
  switch (dimensions) {
    case 2:
      return winLine2;
    case 3:
      return winLine3;
    case 4:
      return winLine4;
    default:
      return winLine5;
  }
}

bool IsBot(int32_t player) { return player + botCount > playerCount; }

int32_t NextPlayer(int32_t player) { return player + 1 > playerCount ? 1 : player + 1; }
