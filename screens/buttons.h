// The Button record, the 19 title-screen Buttons and the three game-screen Buttons.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "rules/state.h"

// What a title Button does that no setting value says.
enum ButtonAction : int32_t { NoAction, PlayAction, AssistAction, QuitAction };

struct Button {
  int32_t x{}, y{};                           // top-left corner, canvas pixels
  int32_t w{}, h{};                           // size, pixels
  std::string label;                          // drawn centred
  int32_t playerValue = 0;                    // players a click sets; 0 = none
  int32_t dimensionValue = 0;                 // dimensions a click sets; 0 = none
  int32_t botValue = -1;                      // bots a click sets; -1 = none (0 is "0 Bots")
  Difficulty difficultyValue = NoDifficulty;  // difficulty a click sets
  bool hovered{};                             // the pointer is over it this frame
  int32_t cellSizeValue{};                    // cellSize set together with dimensionValue
  bool latched = false;                       // fired, and the pointer has not left it since
  ButtonAction action = NoAction;             // "Play", "Assist Mode" or "Quit"; none for the rest
  int labelPoints{};                          // point size of the label's font
};

// ---- Buttons: laid out once at start-up ------------------------------------

extern std::vector<Button> menuButtons;  // the title screen's 19, in click and draw order
extern Button backButton;                // game screen: abandon the game
extern Button resetButton;               // game screen, 3D and 4D: ease the view back
extern Button wRotationButton;           // game screen, 4D: turn 90 degrees about w

// Lays out the 19 title Buttons afresh and sets the three game-screen Buttons.
void BuildMenuButtons();

// A Button that carries an action and no setting: "Play", "Assist Mode" and "Quit".
bool IsActionButton(const Button& b);

// Title Buttons and "Back" count their edges as inside.
bool PointInButton(const Button& b, int32_t x, int32_t y);

// "Reset" and "W Rotation" do not.
bool PointStrictlyInButton(const Button& b, int32_t x, int32_t y);

// Where a label of tw x th pixels goes to sit centred in the Button (divisions truncate).
SDL_Point LabelCorner(const Button& b, int tw, int th);

// The white outline both screens draw: four one-pixel lines, corners open by 10.
void DrawButtonOutline(const Button& b);
