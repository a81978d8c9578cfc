// The game's shared state: the options of play, the board of the game in
// progress with its run-time values, and the table of records. There is
// exactly one of each, process-wide; every window and routine reads and
// writes them directly on the user-interface thread.
#pragma once

#include <bit>
#include <cstdint>

#include "game/Array1.h"

// One code or one row of balls: colours of positions 1..5, 0 = empty hole.
// With four positions in play, position 5 is carried along but never read.
using TCode = Array1<uint8_t, 5>;
static_assert(sizeof(TCode) == 5, "a code is five packed bytes");

struct TGameSettings {
    uint8_t Spaces = 4;   // code length, 4 or 5
    uint8_t Colors = 8;   // colours in play, 6, 8 or 10
    bool Doubles = false; // the secret may repeat a colour
    bool Holes = false;   // empty holes are cut out of the board window
    bool Symbols = false; // every ball shows its engraved symbol (F9)
    // The two view switches side by side, so the toggle buttons can be
    // drawn by number: 1 timer window, 2 combinations window.
    Array1<bool, 2> Views{};

    bool& ViewTimer() { return Views[1]; }
    bool& ViewCombs() { return Views[2]; }
    bool ViewTimer() const { return Views[1]; }
    bool ViewCombs() const { return Views[2]; }
};

struct TRowScore {
    uint8_t WhiteCount = 0;
    uint8_t RedCount = 0;
    friend bool operator==(const TRowScore&, const TRowScore&) = default;
};

enum : uint8_t { PegNone = 0, PegWhite = 1, PegRed = 2 };
enum : uint8_t { MarkNone = 0, MarkCross = 1, MarkRing = 2 };

struct TBoardState {
    TCode SecretCode{};                  // never drawn
    uint8_t CurrentRow = 0;              // 12 down to 1; 0 after a lost game
    Array1<TCode, 12> Guesses{};
    Array1<uint8_t, 12> ColorMarks{};    // per colour: MarkNone, MarkCross, MarkRing
    Array1<Array1<uint8_t, 5>, 12> PegMarks{};  // whites first, then reds
    Array1<TRowScore, 12> RowScores{};

    // Run-time values of the game in progress.
    bool GameActive = true;
    bool HintUsed = false;      // a hint filled a row other than the first
    int32_t ElapsedTime = 0;    // seconds, 0..999
    uint8_t PlayedSetting = 0;  // the statistics entry (1..12) of the settings the game started with
};

// One record: rows used by the best won game (0 = none yet) and its seconds.
// Packed: the 36-byte table is stored exactly as it lies in memory.
#pragma pack(push, 1)
struct HighScoreEntry {
    uint8_t RecordRows = 0;
    int16_t RecordSeconds = 0;  // little-endian, as stored
};
struct THighScoreTable {
    Array1<HighScoreEntry, 12> Entries{};
};
#pragma pack(pop)
static_assert(sizeof(HighScoreEntry) == 3);
static_assert(sizeof(THighScoreTable) == 36);
static_assert(std::endian::native == std::endian::little,
              "the stored record table is a little-endian memory image");

constexpr int HighScoreTableSize = 36;
constexpr int32_t MaxElapsedTime = 999;

// Byte offset of the record for the given settings: code length outermost,
// then colour count, then repeated colours.
constexpr int HighScoreOffset(int spaces, int colors, bool doubles) {
    return (spaces - 4) * 18 + (colors / 2 - 3) * 6 + (doubles ? 3 : 0);
}

extern TGameSettings GameSettings;
extern TBoardState BoardState;
extern THighScoreTable HighScoreTable;

// The record of the current settings.
HighScoreEntry& CurrentHighScore();

// Puts every value of the shared state, the candidate set included, back
// to what it holds when the process starts. For tests.
void ResetGameState();
