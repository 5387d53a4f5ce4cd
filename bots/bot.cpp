// The computer players: one scan of the board by cell number, then a pick by fixed priorities.
#include "bots/bot.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "rules/lines.h"

namespace {

constexpr int kMiddleIndex = 1;              // the index of an axis's middle cell
constexpr int kMinCentralPick = 2;           // fewest middle indices the central pick prefers
constexpr int kNoOpponent = kMaxDimensions;  // no opponent would complete a line through the cell

// The board of one move, flattened by cell number.
using BoardValues = std::array<int32_t, kMaxCells>;

// opponents[k] is the player k turns after the bot, k = 1 .. dimensions - 1; [0] is unused.
using Opponents = std::array<int32_t, kMaxDimensions>;

// The candidate lists of one move, as cell numbers in scan order. Every
// empty cell lands in exactly one of them.
struct Candidates {
  std::vector<int> win;                                // the bot completes a line there
  std::array<std::vector<int>, kMaxDimensions> block;  // [k]: opponent k would complete one there
  std::vector<int> build;                              // a line with one bot mark, one empty cell
  std::vector<int> plain;                              // none of the above
};

// A uniform choice among `count` items: exactly one draw of the runtime's generator.
int RandomIndex(size_t count) { return std::rand() % static_cast<int>(count); }

// The central pick over the candidates' centralities: a random one of the highest centrality of
// at least two, else a random corner; 0 when none qualifies.
int PickCentralIndex(const std::vector<int>& centralities) {
  int best = 0;
  std::vector<int> chosen;
  for (size_t i = 0; i < centralities.size(); ++i) {
    const int m = centralities[i];
    if (m >= kMinCentralPick && m > best) {
      chosen.assign(1, static_cast<int>(i));
      best = m;
    } else if (m == best) {
      chosen.push_back(static_cast<int>(i));
    }
  }
  return chosen.empty() ? 0 : chosen[static_cast<size_t>(RandomIndex(chosen.size()))];
}

// With preferCentral, the central pick; otherwise a random candidate of centrality exactly 1 (an
// edge); 0 when none qualifies.
int PickEdgeIndex(const std::vector<int>& centralities, bool preferCentral) {
  if (preferCentral) return PickCentralIndex(centralities);
  std::vector<int> edges;
  for (size_t i = 0; i < centralities.size(); ++i) {
    if (centralities[i] == 1) edges.push_back(static_cast<int>(i));
  }
  return edges.empty() ? 0 : edges[static_cast<size_t>(RandomIndex(edges.size()))];
}

std::vector<int> CentralitiesOfCells(int dimensions, const std::vector<int>& cells) {
  std::vector<int> centralities(cells.size());
  std::transform(cells.begin(), cells.end(), centralities.begin(),
                 [&](int cell) { return Centrality(dimensions, cell); });
  return centralities;
}

Opponents OpponentsOf(int32_t bot, int dimensions) {
  Opponents opponents{};
  int32_t player = bot;
  for (int k = 1; k < dimensions; ++k) {
    player = NextPlayer(player);
    opponents[static_cast<size_t>(k)] = player;
  }
  return opponents;
}

// The smallest k whose opponent holds both a and b, or kNoOpponent. With few
// players the count wraps round to the bot, whose pairs are wins and tested
// before this, or to a smaller k, which is found first.
int BlockingOpponent(int32_t a, int32_t b, const Opponents& opponents, int dimensions) {
  if (a != b) return kNoOpponent;
  for (int k = 1; k < dimensions; ++k) {
    if (opponents[static_cast<size_t>(k)] == a) return k;
  }
  return kNoOpponent;
}

// What the lines through one empty cell offer the bot. A win outranks every
// block, a nearer opponent's block outranks a later one's, and any block
// outranks building.
struct CellMarks {
  bool win = false;         // a line holds two of the bot's marks
  int block = kNoOpponent;  // the smallest k whose opponent holds the line's two other cells
  bool build = false;       // a line holds one bot mark and an empty cell
};

// Adds the line whose other two cells hold a and b.
void MarkLine(int32_t a, int32_t b, int32_t bot, const Opponents& opponents, int dimensions,
              CellMarks& marks) {
  if (a == bot && b == bot) {
    marks.win = true;
  } else if (const int k = BlockingOpponent(a, b, opponents, dimensions); k != kNoOpponent) {
    marks.block = std::min(marks.block, k);
  } else if ((a == bot && b == 0) || (a == 0 && b == bot)) {
    marks.build = true;
  }
}

// The marks of `cell` from each line through it once.
CellMarks MarksOfCell(int dimensions, int cell, const BoardValues& values, int32_t bot,
                      const Opponents& opponents) {
  CellMarks marks;
  for (const auto& [cellA, cellB] : LinesThrough(dimensions, cell)) {
    MarkLine(values[static_cast<size_t>(cellA)], values[static_cast<size_t>(cellB)], bot, opponents,
             dimensions, marks);
  }
  return marks;
}

void FileCell(int cell, const CellMarks& marks, Candidates& lists) {
  if (marks.win) {
    lists.win.push_back(cell);
  } else if (marks.block != kNoOpponent) {
    lists.block[static_cast<size_t>(marks.block)].push_back(cell);
  } else if (marks.build) {
    lists.build.push_back(cell);
  } else {
    lists.plain.push_back(cell);
  }
}

// Files every empty cell in scan order into exactly one candidate list.
Candidates FileEmptyCells(int dimensions, int32_t bot) {
  const int cellCount = CellCount(dimensions);
  BoardValues values{};
  for (int cell = 0; cell < cellCount; ++cell) {
    values[static_cast<size_t>(cell)] = CellValue(dimensions, cell);
  }
  const Opponents opponents = OpponentsOf(bot, dimensions);
  Candidates lists;
  for (int cell = 0; cell < cellCount; ++cell) {
    if (values[static_cast<size_t>(cell)] != 0) continue;
    FileCell(cell, MarksOfCell(dimensions, cell, values, bot, opponents), lists);
  }
  return lists;
}

// The two-dimensional "Hard" bot turns to the middle when the next player
// holds any cell of the middle row or middle column.
bool NextPlayerHoldsMiddle(int32_t bot) {
  const int32_t opponent = NextPlayer(bot);
  bool holds = false;
  for (const int32_t value : board2[kMiddleIndex]) holds |= value == opponent;
  for (const std::vector<int32_t>& row : board2) holds |= row[kMiddleIndex] == opponent;
  return holds;
}

int BuildIndex(int dimensions, const std::vector<int>& build, int32_t bot) {
  if (difficulty != Hard) return RandomIndex(build.size());
  const std::vector<int> centralities = CentralitiesOfCells(dimensions, build);
  if (dimensions == 2) return PickEdgeIndex(centralities, NextPlayerHoldsMiddle(bot));
  return PickCentralIndex(centralities);
}

int PlainIndex(int dimensions, const std::vector<int>& plain) {
  if (difficulty == Easy) return RandomIndex(plain.size());
  return PickCentralIndex(CentralitiesOfCells(dimensions, plain));
}

// The first rule that applies picks the cell: win, block opponent 1, 2, ...,
// build, plain. Makes at most one draw. kNoCell only when the board is full.
int ChooseCell(int dimensions, const Candidates& lists, bool blockingAllowed, int32_t bot) {
  if (!lists.win.empty()) return lists.win.front();
  for (int k = 1; k < dimensions && blockingAllowed; ++k) {
    const std::vector<int>& block = lists.block[static_cast<size_t>(k)];
    // Later opponents are blocked only once they threaten k cells; "Meh" blocks any threat.
    const size_t needed = difficulty == Meh ? 1 : static_cast<size_t>(k);
    if (!block.empty() && block.size() >= needed) return block.front();
  }
  if (!lists.build.empty()) {
    return lists.build[static_cast<size_t>(BuildIndex(dimensions, lists.build, bot))];
  }
  if (!lists.plain.empty()) {
    return lists.plain[static_cast<size_t>(PlainIndex(dimensions, lists.plain))];
  }
  // Every empty cell left is a threat the bot declined to block (the "Easy"
  // coin, or too few threats of a later opponent). It still has to move, so
  // it takes the nearest opponent's first threat rather than skip its turn.
  for (int k = 1; k < dimensions; ++k) {
    const std::vector<int>& block = lists.block[static_cast<size_t>(k)];
    if (!block.empty()) return block.front();
  }
  return kNoCell;
}

void BotMove(int dimensions) {
  const int32_t bot = currentPlayer;
  const Candidates lists = FileEmptyCells(dimensions, bot);
  // The "Easy" coin is tossed on every move, before any draw of the choice.
  const bool blockingAllowed = difficulty != Easy || std::rand() % 2 != 0;
  const int cell = ChooseCell(dimensions, lists, blockingAllowed, bot);
  if (cell != kNoCell) CellValue(dimensions, cell) = bot;
  currentPlayer = NextPlayer(bot);
}

}  // namespace

void BotMove2D() { BotMove(2); }
void BotMove3D() { BotMove(3); }
void BotMove4D() { BotMove(4); }
void BotMove5D() { BotMove(5); }
