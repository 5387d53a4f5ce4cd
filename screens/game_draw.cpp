// The game screen: the board, its projected view, the Buttons and the status line.
#include <SDL.h>

#include <cstddef>

#include "platform/platform.h"
#include "render/colours.h"
#include "render/marks.h"
#include "render/mesh.h"
#include "render/projection.h"
#include "render/text.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "rules/state.h"
#include "screens/game_screen.h"

namespace {

constexpr int kStatusPoints = 36;  // the status line's font size
constexpr int32_t kStatusX = 65;   // top-left corner of the status line, canvas pixels
constexpr int32_t kStatusY = 825;

// A flat grid is 3 by 3 cells; the last two indices pick the cell in it, so
// one grid follows another every 9 cell numbers.
constexpr int kGridSide = 3;
constexpr int kCellsPerGrid = kGridSide * kGridSide;

// The 5D separator bars stand in the empty cell column between the groups of
// three grid columns, two pixels wide, and run from the top of the upper grid
// row to the bottom of the lower one (with s = 40: x = 560, 561, 1040, 1041
// and y = 230 to 670).
constexpr double kRightBarCells = 7.5;  // bar offset from x0, in cells
constexpr double kLeftBarCells = -4.5;
constexpr double kBarWidthStep = 1.0;  // pixels to the bar's second line
constexpr int32_t kBarTopCells = -4;   // bar ends relative to y0, in cells
constexpr int32_t kBarBottomCells = 7;

// The square of the cell whose indices are the first `dimensions` values of
// `coord`; false when `coord` is too short to name a cell.
bool SquareOfCoord(int dimensions, const CellCoord& coord, CellSquare& square) {
  if (coord.size() < static_cast<std::size_t>(dimensions)) return false;
  const CellCoord cellCoord(coord.begin(), coord.begin() + dimensions);
  square = CellSquareOf(dimensions, cellSize, CellOfCoord(cellCoord));
  return true;
}

// A straight line between the centres of a line's two end cells; nothing
// when either end does not name a cell.
void DrawLineEnds(const Line& line, void (*draw)(int32_t, int32_t, int32_t, int32_t)) {
  CellSquare first, third;
  if (!SquareOfCoord(dimensionCount, line[0], first)) return;
  if (!SquareOfCoord(dimensionCount, line[2], third)) return;
  draw(SquareCentreX(first), SquareCentreY(first), SquareCentreX(third), SquareCentreY(third));
}

// Brightens whatever lies under `area` by white at `alpha`; the blend mode
// goes back to none afterwards, as every drawing step leaves it.
void FillAdditive(const SDL_Rect& area, uint8_t alpha) {
  SetDrawColour(kWhite, alpha);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD);
  SDL_RenderFillRect(renderer, &area);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

void DrawThinLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  SDL_RenderDrawLine(renderer, x1, y1, x2, y2);
}

// The tint of the player to move, black once the game is over.
void DrawBackground() {
  SetDrawColour(gameOver ? kBlack : TurnBackground(currentPlayer));
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  const SDL_Rect canvas{0, 0, kCanvasWidth, kCanvasHeight};
  SDL_RenderFillRect(renderer, &canvas);
}

// The two inner lines each way of every grid; the outer border is left open.
// A grid's corner is the square of its cell whose last two indices are 0, so
// the grids come from the same layout routine as the clicks.
void DrawGridLines(int32_t s) {
  SetDrawColour(kWhite);
  for (int cell = 0; cell < CellCount(dimensionCount); cell += kCellsPerGrid) {
    const CellSquare corner = CellSquareOf(dimensionCount, s, cell);
    const int32_t gl = corner.left, gt = corner.top, span = kGridSide * s;
    SDL_RenderDrawLine(renderer, gl + s, gt, gl + s, gt + span);
    SDL_RenderDrawLine(renderer, gl + 2 * s, gt, gl + 2 * s, gt + span);
    SDL_RenderDrawLine(renderer, gl, gt + s, gl + span, gt + s);
    SDL_RenderDrawLine(renderer, gl, gt + 2 * s, gl + span, gt + 2 * s);
  }
}

// Between the three groups of grid columns that the first index chooses.
// Drawn in the white the grid lines left set.
void DrawSeparatorBars(int32_t s) {
  const int32_t x0 = GridOriginX(s), y0 = GridOriginY(s);
  const int32_t top = y0 + kBarTopCells * s, bottom = y0 + kBarBottomCells * s;
  for (double cells : {kRightBarCells, kLeftBarCells}) {
    const double x = x0 + cells * s;
    for (double step : {0.0, kBarWidthStep}) {
      const auto barX = static_cast<int32_t>(x + step);
      SDL_RenderDrawLine(renderer, barX, top, barX, bottom);
    }
  }
}

void DrawMarks(int32_t s) {
  for (int cell = 0; cell < CellCount(dimensionCount); ++cell) {
    const CellSquare square = CellSquareOf(dimensionCount, s, cell);
    DrawPlayerMark(square.left, square.top, CellValue(dimensionCount, cell));
  }
}

// White first, so a number without a colour leaves the line white.
void SetPlayerDrawColour(int32_t player) {
  SetDrawColour(kWhite);
  SDL_Color colour;
  if (PlayerColour(player, colour)) SetDrawColour(colour);
}

void DrawWinningLine() {
  if (!gameOver || winner <= 0) return;
  SetPlayerDrawColour(winner);
  DrawLineEnds(WinLine(dimensionCount), DrawThickLine);
}

// One pixel wide, in the mover's colour, and only while the game runs.
void DrawAssistLines() {
  if (!assistMode || gameOver) return;
  SetPlayerDrawColour(currentPlayer);
  for (const Line& line : assistLines) DrawLineEnds(line, DrawThinLine);
}

void DrawHoverHighlight() {
  CellSquare square{};
  if (!cellHovered || !SquareOfCoord(dimensionCount, HoveredCell(dimensionCount), square)) return;
  FillAdditive({square.left, square.top, square.side, square.side}, kCellHoverAlpha);
}

// The projected lattice beside the grids, with the Buttons that turn it.
void DrawProjectedView() {
  if (dimensionCount == 3) {
    RenderBoard3D();
    DrawButton(resetButton);
  } else if (dimensionCount == 4) {
    RenderBoard4D(kViewOriginX, kViewOriginY, cellMeshes4);
    DrawButton(resetButton);
    DrawButton(wRotationButton);
  }
}

// Everything drawn on the cell squares, back to front.
void DrawBoard() {
  if (dimensionCount < kMinDimensions || dimensionCount > kMaxDimensions) return;
  const int32_t s = cellSize;
  DrawGridLines(s);
  if (dimensionCount == 5) DrawSeparatorBars(s);
  DrawMarks(s);
  DrawWinningLine();
  DrawAssistLines();
  DrawHoverHighlight();
  DrawProjectedView();
}

void DrawStatusLine() {
  DrawText(FontOfSize(kStatusPoints), StatusText(), [](int, int) {
    return SDL_Point{kStatusX, kStatusY};
  });
}

}  // namespace

void DrawGame() {
  // the tint of whose turn it is
  DrawBackground();
  // grids, marks, result and assist lines, hover, projected view
  DrawBoard();
  // backButton is on every board
  DrawButton(backButton);
  // whose turn, or how the game ended
  DrawStatusLine();
  SDL_RenderPresent(renderer);
}

void DrawButton(Button button) {
  DrawButtonOutline(button);
  // Centred on the rectangle; the hover overlay brightens it in place.
  DrawText(FontOfSize(button.labelPoints), button.label,
           [&button](int tw, int th) { return LabelCorner(button, tw, th); });
  if (button.hovered) FillAdditive({button.x, button.y, button.w, button.h}, kButtonHoverAlpha);
}

// Bots are numbered among themselves: with 3 players and 1 bot, player 3 is
// "Computer 1".
std::string StatusText() {
  const int32_t humans = playerCount - botCount;
  if (gameOver) {
    if (winner == 0) return "Game has ended in a draw";
    if (winner > humans) return "Computer " + std::to_string(winner - humans) + " wins!";
    return "Player " + std::to_string(winner) + " wins!";
  }
  if (currentPlayer > humans)
    return "Computer " + std::to_string(currentPlayer - humans) + "'s Turn";
  return "Player " + std::to_string(currentPlayer) + "'s Turn";
}
