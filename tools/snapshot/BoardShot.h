// BoardShot: the board in play as the headless backend presents it,
// written as board.png (the window cut to its shape) and desktop.png (every
// visible window in its place).
#pragma once

#include <string>

// False when a file could not be written.
bool WriteBoardShots(const std::string& dir);
