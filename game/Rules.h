// The rules of a row: hiding a new secret, telling whether the current row
// may be evaluated, and scoring it into red and white pegs. They work on
// the shared state only and draw nothing.
#pragma once

// Clears every row of the board and hides a new code in all five
// positions (the fifth too when four are in play). Without repeated
// colours the five are pairwise different.
void GenerateSecret();

// True when positions 1..Spaces of the current row all hold a ball.
bool RowComplete();

// Scores the current row against the secret into its RowScores and
// PegMarks (whites first, then reds). Needs a current row in 1..12.
void ScoreRow();
