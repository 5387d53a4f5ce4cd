// Both screens: title clicks and settings, turns, bot pacing, "Back", the view controls, and their
// pictures.
#include "support/support.h"

const Rgb kW = ToRgb(kWhite);

struct ScreensTest : GameTest {
  static const Button& Labelled(const std::string& label) {
    return *std::find_if(menuButtons.begin(), menuButtons.end(),
                         [&](const Button& b) { return b.label == label; });
  }
  // One title frame with the pointer at (x, y), the left button released there.
  static void TitleFrame(int32_t x, int32_t y, bool release = true) {
    frameInput.mouseX = x, frameInput.mouseY = y, frameInput.mouseReleased = release, UpdateMenu();
  }
  static void Click(const std::string& l) {  // then off every Button, which releases the latch
    TitleFrame(Labelled(l).x + Labelled(l).w / 2, Labelled(l).y + Labelled(l).h / 2),
        TitleFrame(0, 0, false);
  }
  static void ClickCell(int cell, bool release = true) {
    const CellSquare q = CellSquareOf(dimensionCount, cellSize, cell);
    frameInput.mouseX = SquareCentreX(q), frameInput.mouseY = SquareCentreY(q),
    frameInput.mouseReleased = release;
    UpdateGame();
  }
  // Whether the text-grey pixels (r = g = b, bright) inside `area` are exactly those that `text`
  // in `points` lights on a blank canvas with its surface's corner at place(tw, th), and some are.
  template <class Place>
  bool TextAt(SDL_Rect area, int points, const std::string& text, Place place) const {
    const Canvas blank;
    DrawText(FontOfSize(points), text, place);
    int lit = 0;
    for (int y = area.y; y < area.y + area.h; ++y)
      for (int x = area.x; x < area.x + area.w; ++x) {
        const Rgb c = canvas.Pixel(x, y);
        if ((c.r == c.g && c.g == c.b && c.r > 60) != (!(blank.Pixel(x, y) == Rgb{}))) return false;
        lit += !(blank.Pixel(x, y) == Rgb{});
      }
    return lit > 0;
  }
  Canvas canvas;
};

// Each setting Button sets its value (a board also its cell size); fewer players pull the bots
// down and a bots Button above the player count does nothing; a Button fires once per visit,
// edges included; "Quit" stops the game; "Play" opens the game after the input cooldown, reseeded
// from rand() and the pointer. The start cell size is the start board's.
TEST_F(ScreensTest, TitleButtonsApplyTheirSettings) {
  EXPECT_EQ(cellSize, Labelled(std::to_string(dimensionCount) + " Dimensions").cellSizeValue);
  for (const Button& b : std::vector<Button>(menuButtons)) {
    if (b.dimensionValue == 0) continue;
    Click(b.label);
    EXPECT_EQ(std::pair(dimensionCount, cellSize), std::pair(b.dimensionValue, b.cellSizeValue));
  }
  const std::pair<const char*, std::array<int32_t, 3>> steps[] = {
      {"5 Players", {5, 0, 1}}, {"4 Bots", {5, 4, 1}},   {"3 Players", {3, 3, 1}},
      {"4 Bots", {3, 3, 1}},    {"1 Bots", {3, 1, 1}},   {"Hard", {3, 1, 3}},
      {"Meh", {3, 1, 2}},       {"2 Players", {2, 1, 2}}};
  for (const auto& [label, settings] : steps) {
    Click(label);
    EXPECT_EQ((std::array<int32_t, 3>{playerCount, botCount, difficulty}), settings) << label;
  }
  const Button& assist = Labelled("Assist Mode");
  for (int frame = 0; frame < 3; ++frame) TitleFrame(assist.x + assist.w, assist.y + assist.h);
  EXPECT_TRUE(assistMode);
  TitleFrame(assist.x + assist.w + 1, assist.y), Click("Assist Mode"), Click("Quit");
  EXPECT_FALSE(assistMode || running);
  std::srand(5);
  const auto r = unsigned(std::rand());
  std::srand(5), Click("Play");
  const int next = std::rand();
  const Button& play = Labelled("Play");
  std::srand((r % 100000) * unsigned(play.y + play.h / 2) * unsigned(play.x + play.w / 2));
  EXPECT_EQ(std::tuple(next, currentScreen, frameInput.inputCooldown),
            std::tuple(std::rand(), Game, kScreenSwitchCooldownFrames));
}

// One column per setting, smallest value on top at y = 350, 100 pixels a step (difficulties 60,
// centred on x = 1300 under the actions); no two Buttons overlap. Title Buttons and "Back" count
// their edges as inside, "Reset" and "W Rotation" do not.
TEST_F(ScreensTest, ButtonLayoutAndEdges) {
  for (const Button& b : menuButtons) {
    const Button& top = Labelled(b.dimensionValue  ? "2 Dimensions"
                                 : b.playerValue   ? "2 Players"
                                 : b.botValue >= 0 ? "0 Bots"
                                                   : "Easy");
    const int steps = b.dimensionValue  ? b.dimensionValue - 2
                      : b.playerValue   ? b.playerValue - 2
                      : b.botValue >= 0 ? b.botValue
                                        : b.difficultyValue - 1;
    const std::array<int, 4> expected{top.x, top.y + (b.difficultyValue ? 60 : 100) * steps, top.w,
                                      top.h},
        actual{b.x, b.y, b.w, b.h};
    EXPECT_TRUE(IsActionButton(b) || (actual == expected && (b.difficultyValue || top.y == 350)))
        << b.label;
    EXPECT_TRUE(b.x < 1150 || 2 * b.x + b.w == 2600)
        << b.label << ": the right column is centred on x = 1300";
    for (const Button& o : menuButtons)
      EXPECT_TRUE(&o == &b || o.x > b.x + b.w || b.x > o.x + o.w || o.y > b.y + b.h ||
                  b.y > o.y + o.h)
          << b.label << " / " << o.label;
  }
  for (const Button& b : {menuButtons[0], backButton, resetButton, wRotationButton}) {
    const int cx = b.x + b.w / 2, cy = b.y + b.h / 2, r = b.x + b.w, d = b.y + b.h;
    EXPECT_TRUE(PointInButton(b, cx, cy) && PointStrictlyInButton(b, cx, cy)) << b.label;
    for (const auto& [x, y] : {std::pair{b.x, cy}, {r, cy}, {cx, b.y}, {cx, d}})
      EXPECT_TRUE(PointInButton(b, x, y) && !PointStrictlyInButton(b, x, y)) << b.label;
    for (const auto& [x, y] : {std::pair{b.x - 1, cy}, {r + 1, cy}, {cx, b.y - 1}, {cx, d + 1}})
      EXPECT_FALSE(PointInButton(b, x, y));
  }
}

// A click marks an empty cell and passes the turn, the win check follows; the hover follows the
// pointer; a bot waits 100 frames and moves on the 101st; a full board is a draw in the same frame,
// and after it a bot's turn still follows the pointer; "Back" (edges included) starts a new game
// on the title screen behind a cooldown. Dragging turns 1 degree per 5 pixels; "Reset" eases by
// 0.9 a frame and snaps inside 5 degrees; each "W Rotation" click adds 90 degrees, reached at 0.5
// a frame; 2D turns nothing.
TEST_F(ScreensTest, TurnsClicksBotsBackAndViewControls) {
  EXPECT_TRUE(RulesOf(1) == nullptr && RulesOf(6) == nullptr) << "no board: nothing more happens";
  for (int32_t d = 2; d <= 5; ++d) {
    StartNewGame(), Click(std::to_string(d) + " Dimensions"), playerCount = 2;
    for (int cell : {0, 1, 0}) ClickCell(cell * (CellCount(d) - 1));
    EXPECT_EQ((std::array{CellValue(d, 0), CellValue(d, CellCount(d) - 1), currentPlayer}),
              (std::array{1, 2, 1}))
        << d;
    ClickCell(1, false);
    EXPECT_EQ(std::pair(cellHovered, HoveredCell(d)), std::pair(true, CoordOfCell(d, 1))) << d;
    CellValue(d, 1) = 1, ClickCell(2);
    EXPECT_EQ(std::pair(gameOver, winner), std::pair(true, 1)) << d;
  }
  StartNewGame(), dimensionCount = 2, playerCount = 2, botCount = 1, currentPlayer = 2,
                  frameInput.mouseReleased = false;
  for (int frame = 0; frame < kBotDelayFrames; ++frame) UpdateGame();
  EXPECT_EQ(currentPlayer, 2);
  UpdateGame();
  EXPECT_EQ(std::pair(currentPlayer, botDelayFrames), std::pair(1, 0));
  board2 = {{1, 2, 1}, {1, 2, 2}, {2, 1, 1}}, UpdateGame();
  EXPECT_EQ(std::pair(gameOver, winner), std::pair(true, 0));
  board2[1][1] = 0, currentPlayer = 2, ClickCell(4);
  EXPECT_EQ(std::pair(board2[1][1], hoveredCell2), std::pair(0, CellCoord{1, 1}));
  currentScreen = Game, frameInput.mouseReleased = true;
  frameInput.mouseX = backButton.x, frameInput.mouseY = backButton.y + backButton.h, UpdateGame();
  EXPECT_EQ(std::tuple(currentScreen, board2[0][0], gameOver, frameInput.inputCooldown),
            std::tuple(Menu, 0, false, 3));
  for (int32_t d : {2, 3, 4}) {
    ResetView(), dimensionCount = d, frameInput = FrameInput{110, 250, 100, 200, false, 0, true, 0},
                 UpdateGame();
    EXPECT_EQ(std::pair(viewYaw, viewPitch), d == 2 ? std::pair(0.0, 0.0) : std::pair(2.0, 10.0))
        << d;
    frameInput = FrameInput{wRotationButton.x + 1, wRotationButton.y + 1, 0, 0, true, 1, false, 0},
    UpdateGame();
    EXPECT_EQ(std::pair(wAngleTarget, wAngle), d == 4 ? std::pair(90.0, 0.5) : std::pair(0.0, 0.0))
        << d;
  }
  viewYaw = 5.5, viewPitch = -5.0 / 0.9,
  frameInput = FrameInput{resetButton.x + 1, resetButton.y + 1, 0, 0, true, 1, false, 0};
  UpdateGame(), UpdateGame();
  EXPECT_EQ(std::tuple(viewResetting, viewYaw, viewPitch), std::tuple(true, 0.0, -5.0))
      << "only strictly inside 5 snaps";
}

// Per board: lines s and 2s in from each grid's corner, no border, on the mover's tint; "Reset" in
// 3D and 4D, "W Rotation" in 4D; 5D bars two pixels wide at x = 560 and 1040 from y = 230 to 670.
TEST_F(ScreensTest, GridsBarsAndViewButtons) {
  const auto shown = [this](const Button& b) { return canvas.Pixel(b.x, b.y + b.h / 2) == kW; };
  for (int32_t d = 2; d <= 5; ++d) {
    Click(std::to_string(d) + " Dimensions"), currentPlayer = d - 1, DrawGame();
    for (int grid = 0, s = cellSize; grid < CellCount(d); grid += 9)
      for (int k = 0, x = CellSquareOf(d, s, grid).left, y = CellSquareOf(d, s, grid).top; k <= 3;
           ++k) {
        const Rgb expected = k == 1 || k == 2 ? kW : ToRgb(kTurnBackgrounds[d - 1]);
        ASSERT_EQ(std::pair(canvas.Pixel(x + k * s, y + s / 2), canvas.Pixel(x + s / 2, y + k * s)),
                  std::pair(expected, expected))
            << d << ": " << grid;
      }
    const int viewPixels =
        100 * 100 - canvas.Count(ToRgb(kTurnBackgrounds[d - 1]),
                                 {1100, 350, 100, 100});  // round the view's origin
    EXPECT_EQ(std::tuple(shown(resetButton), shown(wRotationButton), viewPixels > 500),
              std::tuple(d == 3 || d == 4, d == 4, d == 3 || d == 4))
        << d << ": " << viewPixels;
  }
  for (int32_t x : {560, 1040})
    EXPECT_EQ(canvas.Count(kW, {x, 230, 2, 441}) + canvas.Count(kW, {x - 1, 229, 4, 443}), 4 * 441);
}

// s = 80, middle row centres (720, 450) and (880, 450): a won line is five strokes in the winner's
// colour, assist lines one pixel in the mover's and gone once the game is over, when the background
// is black; a mark sits in its cell; white adds 20 over the hovered cell, 40 over a hovered Button.
TEST_F(ScreensTest, LinesMarksAndHighlights) {
  Click("2 Dimensions"), currentPlayer = 3, board2[0][0] = 1;
  assistLines = {Line{CellCoord{0, 1}, CellCoord{1, 1}, CellCoord{2, 1}},
                 Line{CellCoord{1, 0}, CellCoord{1, 1}, CellCoord{1, 2}}};
  winLine2 = assistLines[0];
  const Rgb blue = ToRgb(kMarkColours[2]), green = ToRgb(kMarkColours[3]);
  for (const auto& [over, won] : {std::pair{true, 2}, std::pair{true, 0}, std::pair{false, 2}}) {
    gameOver = over, winner = won, assistMode = true, DrawGame();
    EXPECT_EQ(canvas.Pixel(720, 370), ToRgb(kMarkColours[1]));
    EXPECT_EQ(canvas.Count(blue) + canvas.Count(blue, {719, 449, 163, 3}),
              over && won ? 2 * (163 + 2 * 161) : 0)
        << over << won;
    EXPECT_EQ(canvas.Count(green) + canvas.Count(green, {720, 450, 161, 1}) +
                  canvas.Count(green, {800, 370, 1, 161}),
              over ? 0 : 4 * 161 - 1);
    EXPECT_EQ(std::pair(canvas.Pixel(5, 5), canvas.Pixel(800, 450)),
              !over ? std::pair(ToRgb(kTurnBackgrounds[3]), green)
                    : std::pair(ToRgb(kBlack), won ? blue : ToRgb(kBlack)))
        << over;
  }
  StartNewGame(), assistMode = false, cellHovered = backButton.hovered = true,
                  hoveredCell2 = {1, 1}, DrawGame();
  const Rgb tint = ToRgb(kTurnBackgrounds[1]);
  const auto add = [tint](int a) {
    return Rgb{uint8_t(tint.r + a), uint8_t(tint.g + a), uint8_t(tint.b + a)};
  };
  EXPECT_EQ(
      canvas.Count(add(kCellHoverAlpha), {761, 411, 79, 79}) + canvas.Count(add(kCellHoverAlpha)),
      2 * 79 * 79);
  const Button& b = backButton;
  EXPECT_EQ((std::array{canvas.Pixel(b.x + 2, b.y + 2), canvas.Pixel(b.x + b.w - 1, b.y + b.h - 1),
                        canvas.Pixel(b.x + b.w, b.y + 2)}),
            (std::array{add(kButtonHoverAlpha), add(kButtonHoverAlpha), tint}));
  SDL_BlendMode mode = SDL_BLENDMODE_ADD;
  EXPECT_EQ((SDL_GetRenderDrawBlendMode(renderer, &mode), mode), SDL_BLENDMODE_NONE);
}

// The status line by whose turn it is, bots numbered among themselves, its corner at (65, 825);
// "Back"'s label centred in its Button; a frame leaves no allocation of SDL's behind.
TEST_F(ScreensTest, StatusLineAndBack) {
  const std::tuple<int32_t, int32_t, int32_t, int32_t, bool, std::string> cases[] = {
      {3, 1, 2, 0, false, "Player 2's Turn"},
      {3, 1, 3, 0, false, "Computer 1's Turn"},
      {4, 2, 1, 4, true, "Computer 2 wins!"},
      {4, 2, 1, 2, true, "Player 2 wins!"},
      {2, 0, 1, 0, true, "Game has ended in a draw"}};
  for (const auto& c : cases) {
    std::tie(playerCount, botCount, currentPlayer, winner, gameOver, std::ignore) = c;
    EXPECT_EQ(StatusText(), std::get<5>(c));
  }
  const int allocations = (DrawGame(), SDL_GetNumAllocations());  // a frame frees what it makes
  EXPECT_EQ((DrawGame(), SDL_GetNumAllocations()), allocations);
  const SDL_Rect line{0, 790, 1300, 110},
      back{backButton.x + 1, backButton.y + 1, backButton.w - 1, backButton.h - 1};
  EXPECT_TRUE(TextAt(line, 36, std::get<5>(cases[4]), [](int, int) { return SDL_Point{65, 825}; }));
  EXPECT_TRUE(
      TextAt(back, 36, "Back", [](int tw, int th) { return LabelCorner(backButton, tw, th); }));
}

// The cycle's colour fills the screen whatever blend mode was left; "Zarnith" centred with its
// middle on y = 150; outlines open 10 pixels at each corner; a plain Button's label is centred, a
// selected Button is shaded and its label sinks down-left, a hovered one is lightened and its
// label rises up-right.
TEST_F(ScreensTest, TitleScreen) {
  canvas.Clear({200, 200, 200}), SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD),
      DrawMenu();
  EXPECT_EQ(std::pair(canvas.Pixel(5, 5), canvas.Pixel(1599, 899)),
            std::pair(Rgb{0, 50, 25}, Rgb{0, 50, 25}));
  const SDL_Rect top{0, 0, 1600, 300};
  EXPECT_TRUE(TextAt(top, 72, "Zarnith", [](int tw, int th) {
    return SDL_Point{(1600 - tw) / 2, 150 - th / 2};
  }));
  const Button& play = Labelled("Play");  // neither selected nor hovered: centred as it is
  EXPECT_TRUE(TextAt({play.x + 1, play.y + 1, play.w - 1, play.h - 1}, 36, "Play",
                     [&](int tw, int th) { return LabelCorner(play, tw, th); }));
  for (const Button& b : std::vector<Button>(menuButtons)) {
    TitleFrame(b.x + b.w, b.y, false), ResetTitleBackground(), DrawMenu();
    const bool selected = b.label == "3 Dimensions" || b.label == "3 Players" ||
                          b.label == "0 Bots" || b.label == "Easy";
    const int shift = selected ? -2 : 2, points = b.difficultyValue ? 30
                                                  : b.label == "Quit" || b.label == "Assist Mode"
                                                      ? 24
                                                      : 36;
    const SDL_Rect inside{b.x + 1, b.y + 1, b.w - 1, b.h - 1};
    const auto shifted = [&](int tw, int th) {
      return SDL_Point{LabelCorner(b, tw, th).x + shift, LabelCorner(b, tw, th).y - shift};
    };
    EXPECT_TRUE(TextAt(inside, points, b.label, shifted)) << b.label;
    EXPECT_EQ(canvas.Pixel(b.x + 3, b.y + 3).g, selected ? 50 * 105 / 255 : 50 + 20) << b.label;
    for (int k = 0; k <= 10; ++k)
      EXPECT_EQ(std::pair(canvas.Pixel(b.x + k, b.y + b.h) == kW,
                          canvas.Pixel(b.x + b.w, b.y + b.h - k) == kW),
                std::pair(k == 10, k == 10));
  }
}
