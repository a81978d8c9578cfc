#include "game/GameState.h"

#include "game/Solver.h"
#include "game/Statistics.h"

TGameSettings GameSettings;
TBoardState BoardState;
THighScoreTable HighScoreTable;

HighScoreEntry& CurrentHighScore() {
    const int offset = HighScoreOffset(GameSettings.Spaces, GameSettings.Colors, GameSettings.Doubles);
    return HighScoreTable.Entries[static_cast<size_t>(offset / 3 + 1)];
}

void ResetGameState() {
    GameSettings = TGameSettings{};
    BoardState = TBoardState{};
    HighScoreTable = THighScoreTable{};
    ResetSolverState();
    ResetStatistics();
}
