// The set of codes still consistent with every row evaluated in the game
// in progress, and the hint drawn from it.
//
// At a new game only the size of the code space is known; the first
// evaluated row enumerates the space once and keeps the consistent codes;
// each later row narrows the list in one linear pass into the spare buffer,
// and the two buffers trade places. Both buffers are big enough for the
// whole code space (100000 codes of 5 positions and 10 colours), so the
// list always holds the true set, whatever the first answer was.
#pragma once

#include <cstdint>

#include "game/GameState.h"

constexpr int32_t CandidateCapacity = 100000;

extern TCode* CandidateList;   // slots 1..CandidateCount, in lexicographic order
extern TCode* SpareList;       // scratch: the previous list during a narrowing pass
extern int32_t CandidateCount; // codes still possible
extern int32_t LastHint;       // slot of the latest hint pick; 0 before the first

// Slot k (1-based) of CandidateList.
TCode& CandidateSlot(int32_t k);

// White and red counts of two codes over positions 1..Spaces: the scoring
// of a row is this comparison of the guess with the secret. Symmetric in
// its arguments.
TRowScore CompareCodes(TCode a, TCode b);

// Adds every completion of the first `filled` positions of `code` that is
// consistent with the latest evaluated row to the list, in lexicographic
// order (position 1 most significant, colours ascending).
void EnumerateCodes(TCode code, uint8_t filled);

void BuildCandidates();   // the list := every code consistent with the latest row
void FilterCandidates();  // the list := its codes consistent with the latest row
void UpdateCandidates();  // brings the list up to date and picks a hint
void ResetCandidates();   // a new game: the size of the whole space, opening hint

int32_t IntPower(int32_t base, int32_t exponent);
int32_t Factorial(int32_t n);

// Count, hint and buffer roles as at process start. For tests.
void ResetSolverState();
