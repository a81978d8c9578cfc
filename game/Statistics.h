// Statistics: how the player does at every setting, kept between runs
// beside the records. For each of the twelve settings (code length, colour
// count, repeated colours, in the records' order) and for all of them
// together: games won, lost and given up, the rows and seconds of the won
// games, the current and the best run of wins, the won games by the rows
// they took, and how many were won with a hint.
//
// A game is counted the moment it ends, and the statistics are stored right
// then, as a new record is. Two copies of the game may run at once: each
// keeps the games it counted since it last looked at the store and adds
// just those to what the store holds at that moment (read and written as
// one, under the store's lock), so nothing is counted twice or lost. Only
// their own clear button clears them; clearing records leaves them alone.
//
// Stored as one text value, "Stats" in section "Game", with a version in
// front. A stored text this program cannot read (damaged, or written by a
// later version) is never written over: the next store moves it aside to
// "StatsUnreadable" (or the next free "StatsUnreadable2".."9") and starts
// afresh. Standard library only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "game/Array1.h"

// The games of one setting (or of all together).
struct TSettingStats {
    uint32_t Won = 0, Lost = 0, GivenUp = 0;
    uint32_t HintWon = 0;     // won after a hint on a later row than the first (these make no record)
    uint64_t WonRows = 0;     // rows of every won game, added up
    uint64_t WonSeconds = 0;  // seconds of every won game, added up
    uint32_t CurrentRun = 0;  // wins since the last game not won
    uint32_t BestRun = 0;
    Array1<uint32_t, 12> ByRows{};  // won games by the rows they took

    uint64_t Played() const { return uint64_t(Won) + Lost + GivenUp; }
    friend bool operator==(const TSettingStats&, const TSettingStats&) = default;
};

// Entries 1..12 are the settings in the records' order; 13 is all together.
inline constexpr size_t StatsSettingCount = 12;
inline constexpr size_t StatsAllTogether = 13;
struct TStatistics {
    Array1<TSettingStats, 13> Of{};
    friend bool operator==(const TStatistics&, const TStatistics&) = default;
};

// The entry of a setting, 1..12, as the record table orders them.
size_t StatsEntry(int spaces, int colors, bool doubles);

enum class GameEnd : uint8_t { Won, Lost, GivenUp };

// One finished game of the setting `entry` (1..12); `rows` and `seconds`
// count for a won game only, `hint` marks a win after a hint. Counted in
// the setting and in all together, and stored at once (false when the
// store refused; the game stays counted and goes in with the next store).
bool CountGame(size_t entry, GameEnd end, int rows = 0, int seconds = 0, bool hint = false);

// The statistics as this run shows them: the store's as last read or
// written, with this run's games since then.
TStatistics CurrentStatistics();

// Reads the stored statistics; once at start-up (LoadSettings calls it).
void LoadStatistics();
// Stores this run's games since the last store, added to the stored ones.
bool SaveStatistics();
// Clears every count, in memory and in the store at once. An unreadable
// stored value is still moved aside, not cleared away.
bool ClearStatistics();
// Forgets every count and what was read, as at the start of the process.
// For tests (ResetGameState calls it).
void ResetStatistics();

// The stored text: "1" (the version), then one part for each entry that
// has any game, "/<entry>:<won>,<lost>,<given up>,<hint won>,<rows>,
// <seconds>,<current run>,<best run>" followed by the won games of 1, 2, ...
// rows, trailing zeros left off.
std::string EncodeStatistics(const TStatistics& stats);
// Nothing unless the text is one this program writes, whole and sound
// (numbers that fit, counts that agree with each other).
std::optional<TStatistics> DecodeStatistics(const std::string& text);
