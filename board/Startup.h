// Startup: the program's start-up, the same on every desktop. Each backend's
// main builds its Platform and hands it here; everything after that (the
// store, the candidate buffers, the seven windows, the message loop) is the
// game's own and does not know which backend runs.
#pragma once

class Application;
class Platform;

// The program's modules: the store every window place goes through (the
// platform's own store), opened for the whole run, and the candidate set.
void InitialiseModules(Platform& platform);

// The seven windows, in the order their creation depends on: the board
// loads the settings the timer and combinations windows start from.
void CreateWindows(Application& app);

// Runs the program until it ends; the result is the process exit code.
int RunQuorVex(Platform& platform);
