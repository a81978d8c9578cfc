// Startup: the program's start-up, the same on every desktop. Each backend's
// main builds its Platform and hands it here; everything after that (the
// store, the candidate buffers, the eight windows, the message loop) is the
// game's own and does not know which backend runs.
#pragma once

#include <memory>

#include "game/Flow.h"

class Application;
class Platform;

// Everything up to the message loop, in the order creation depends on: the
// platform's store opened for the whole run, the candidate set, the title,
// then the eight windows (the board first: it loads the settings the timer
// and combinations windows start from). The first game starts when the
// main window is first shown.
std::unique_ptr<Application> StartProgram(Platform& platform);

// The options and records stored unless an ending already stored them, the
// windows destroyed (each stores its place) and the key hand-off let go.
// A game under way is given up and counted so, as every desktop ending
// does; an ending that keeps the game to continue it at the next start
// (the browser, across a reload or a page put away) passes Kept, and the
// game is counted once, when it really ends.
void EndProgram(Application& app, GameAtEnding game = GameAtEnding::GivenUp);

// Runs the program until it ends; the result is the process exit code.
int RunQuorVex(Platform& platform);
