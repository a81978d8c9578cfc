// Flow: what the board's game commands do to the shared state. Starting a
// game, evaluating the current row (win, new record, loss or the next row),
// placing a hint and the quick fill of a right click live here, with no
// window in them; the board window draws, opens the message and runs the
// timer from the results.
#pragma once

#include <cstdint>

#include "game/GameState.h"

// How an evaluation ended.
enum class RowEnd : uint8_t {
    NoGame,      // refused: no game is in progress
    RowNotFull,  // refused: a hole in play of the current row is empty
    NextRow,     // scored, code not found: play goes on one row up
    Won,         // code found, no new record (or a hint was used)
    NewRecord,   // code found, and the record of these settings replaced
    Lost,        // the last row scored without finding the code
};

struct RowEvaluation {
    RowEnd End = RowEnd::NoGame;
    uint8_t Row = 0;  // the row just scored, whose pegs are new; 0 when refused

    bool Scored() const { return Row != 0; }
    bool GameOver() const { return End == RowEnd::Won || End == RowEnd::NewRecord || End == RowEnd::Lost; }
    // A won game's time stands still; a lost game's goes on counting.
    bool StopsTimer() const { return End == RowEnd::Won || End == RowEnd::NewRecord; }
    bool RecordEntered() const { return End == RowEnd::NewRecord; }
};

// True when a game won in `rows` rows and `seconds` seconds beats `record`:
// there is none yet, fewer rows, or as many rows in less time. A tie keeps
// the old record.
bool BeatsRecord(int rows, int seconds, const HighScoreEntry& record);

// A new game: a new secret on an empty board, no notes, row 12 current, no
// hint used, the whole code space possible and the time at 0. A game in
// progress with a row evaluated is counted as given up first (a new game,
// or options confirmed). True when one was.
bool StartGame();

// The program ends while a game is in progress: a game with a row evaluated
// counts as given up, and the game is over. Called once by the ending path
// (the board's store as the program ends), whichever ending it is. An
// ending that keeps the game to continue it at the next start (the browser
// keeps it across a reload) must not call this: a kept game is counted
// once, when it really ends. True when a game was given up.
bool GiveUpGameOnEnding();
// What becomes of the game in progress as the program ends: given up (every
// desktop ending), or kept to be continued at the next start.
enum class GameAtEnding : uint8_t { GivenUp, Kept };

// True while a game is in progress and a row of it was evaluated: ending it
// now counts as giving it up.
bool GameUnderWay();

// Evaluates the current row. A scored row that finds the code ends the game
// and enters a record unless a hint was used after the first row; any other
// scored row moves play one row up, or ends the game lost after row 1. A
// won or lost game is counted in the statistics there and then.
RowEvaluation EvaluateRow();

// Fills the current row with a code consistent with every evaluated row.
// False when no game is in progress. A hint on the first row is free; one
// on any later row gives up the record of this game.
bool PlaceHint();

// Puts `colour` into the first empty hole in play of the current row.
// Returns the position filled, or 0 when the row is full or no row is
// current.
uint8_t QuickFill(uint8_t colour);

// A colour typed on the keyboard: as QuickFill, but only colours in play
// (1..Colors) go in. The current row takes it as it takes a dropped ball,
// so a lost game (no current row) takes nothing and a won row still does.
uint8_t TypeColour(uint8_t colour);

// Empties the last filled hole in play of the current row while the game is
// in progress. Returns its position, or 0 when the row is empty or the game
// is over (an evaluated row never gives a ball back, the winning one
// included).
uint8_t TakeBackLast();

// A ball dropped into hole `position` of `row`: only the current row takes
// one, in a hole in play; a ball already there is replaced. True when the
// ball went in.
bool DropBall(uint8_t colour, uint8_t row, uint8_t position);

// The note mark of a colour in play goes round none, cross, ring. Returns
// the new mark; a colour not in play keeps none.
uint8_t CycleNoteMark(uint8_t colour);

// The board's switches, each flipped by the player; each returns its new
// value. `toggle` is 1 (the timer window) or 2 (the combinations window).
bool ToggleView(uint8_t toggle);
bool ToggleSymbols();
bool ToggleHoles();
// The two view switches as the windows stand when the game ends.
void SetViews(bool timer, bool combs);
