// Zarnith: three in a row on boards of two to five dimensions.
#include <SDL.h>  // on Windows it renames main to SDL_main, which SDL's WinMain calls

#include "app/shell.h"

int main(int, char**) { return RunZarnith(); }
