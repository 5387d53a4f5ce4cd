// Zarnith: three in a row on boards of two to five dimensions.
#include "app/shell.h"

int main(int, char**) { return RunZarnith(); }
