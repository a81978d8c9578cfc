// Startup: the program's start-up, the same on every desktop. Each backend's
// main builds its Platform and hands it here; everything after that (the
// store, the candidate buffers, the seven windows, the message loop) is the
// game's own and does not know which backend runs.
#pragma once

class Platform;

// Runs the program until it ends; the result is the process exit code.
int RunQuorVex(Platform& platform);
