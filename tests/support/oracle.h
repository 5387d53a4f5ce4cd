// Test support: brute-force oracles of the line rule and random boards, for property tests.
#pragma once

#include <array>
#include <random>
#include <vector>

#include "rules/state.h"

using Triple = std::array<int, 3>;  // three cell numbers, ascending

// Every line of the board: every ascending triple of cells that IsLineTriple accepts.
const std::vector<Triple>& AllLines(int dimensions);

// Fills the board of `dimensions` at random with marks of players 1..players (about `filled` of it).
void FillRandomBoard(int dimensions, int32_t players, double filled, std::mt19937& random);

// Whether index `chosen` is a pick of "the most central (at least 2), else a corner, else the first".
bool IsCentralPick(const std::vector<int>& centralities, int chosen);
