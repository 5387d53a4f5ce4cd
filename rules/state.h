// The game's settings, the four boards and the per-game state, with StartNewGame.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <vector>

// ---- Cell addressing -------------------------------------------------------

constexpr int kBoardSide = 3;      // cells along every axis
constexpr int kMinDimensions = 2;  // smallest board: 3x3
constexpr int kMaxDimensions = 5;  // largest board: 3^5 = 243 cells
constexpr int kMaxCells = 243;     // cells of the largest board
constexpr int kMaxPlayers = 5;     // player numbers run 1 to 5
constexpr int kNoCell = -1;        // a cell number that names no cell

using CellCoord = std::vector<int32_t>;  // a cell's indices, outermost first, each 0..2
using CellIndices =
    std::array<int32_t, kMaxDimensions>;  // the same without allocating; unused tail 0
using Line = std::array<CellCoord, 3>;    // three cells of a line: end, middle, end

using Board2 = std::vector<std::vector<int32_t>>;  // board2[i][j]
using Board3 = std::vector<Board2>;                // board3[a][b][c]
using Board4 = std::vector<Board3>;                // board4[a][b][c][d]
using Board5 = std::vector<Board4>;                // board5[a][b][c][d][e]

// Bot strength, as the title Buttons of the same names set it.
enum Difficulty : int32_t { NoDifficulty = 0, Easy = 1, Meh = 2, Hard = 3 };

// Side of one flat grid cell, pixels, by dimension count: the larger boards need smaller cells.
int32_t CellSizeFor(int dimensions);

// ---- Settings: chosen on the title screen, kept for the whole run ----------

extern int32_t dimensionCount;  // board axes, 2..5
extern int32_t playerCount;     // players taking turns, 2..5
extern int32_t botCount;        // the last botCount players are bots, 0..playerCount
extern Difficulty difficulty;   // bot strength, Easy to Hard
extern bool assistMode;         // show the lines the player to move would extend
extern int32_t cellSize;        // side of one flat grid cell, pixels

// Three dimensions with their cell size, three players, no bots, "Easy", assist off.
void SetDefaultSettings();

// ---- Boards: all four exist at once; only board<dimensionCount> is played --

extern Board2 board2;  // 9 cells; 0 empty, k player k's mark
extern Board3 board3;  // 27 cells
extern Board4 board4;  // 81 cells
extern Board5 board5;  // 243 cells

// ---- Per-game state: reset by StartNewGame ---------------------------------

extern int32_t currentPlayer;  // player to move, 1..playerCount
extern bool gameOver;          // a line or a full board ended the game
extern int32_t winner;         // player who completed a line; 0 before that and after a draw
extern bool cellHovered;       // the pointer is over an empty cell of a game in play
extern Line winLine2, winLine3, winLine4, winLine5;  // winning line, meaningful when winner > 0

// Empties all four boards and resets the turn, the result and the winning lines.
void StartNewGame();

// ---- Shared board access: one view of every board by cell number -----------
// A cell number is the sum of index d times 3^(n-1-d): the last index changes
// fastest, so ascending numbers visit a board in index order.

// 3^dimensions: 9, 27, 81 or 243.
int CellCount(int dimensions);

// The indices of cell number `cell`, outermost first: the one decoder of cell
// numbers. Inline, as the rules and the bots decode in their inner loops, and
// constexpr, so that a table of cells can be checked as it compiles.
// 3D: cell 14 is (1, 1, 2). The outermost index takes what is left, so a
// number past the board decodes to indices past it, never back onto a cell.
constexpr CellIndices IndicesOfCell(int dimensions, int cell) {
  CellIndices indices{};
  for (int d = dimensions - 1; d > 0; --d, cell /= kBoardSide) indices[d] = cell % kBoardSide;
  indices[0] = cell;
  return indices;
}

// The indices of cell number `cell`, outermost first, as a coordinate list.
CellCoord CoordOfCell(int dimensions, int cell);

// The cell number of `coord` on a board of coord.size() dimensions.
int CellOfCoord(const CellCoord& coord);

// The stored value of cell number `cell` on the board of `dimensions`.
int32_t& CellValue(int dimensions, int cell);

// How many indices of cell number `cell` are 1 (its centrality).
int Centrality(int dimensions, int cell);

// The one of four numbered globals, such as winLine2 to winLine5, that serves `dimensions`.
template <class Record>
Record& OfDimensions(int dimensions, Record& two, Record& three, Record& four, Record& five) {
  assert(dimensions >= kMinDimensions && dimensions <= kMaxDimensions);
  Record* const records[] = {&two, &three, &four, &five};
  return *records[dimensions - kMinDimensions];
}

// The winning line of a dimension count.
Line& WinLine(int dimensions);

// Whether `player` is one of the bots: the last botCount player numbers.
bool IsBot(int32_t player);

// The player after `player` in turn order, wrapping from playerCount to 1.
int32_t NextPlayer(int32_t player);
