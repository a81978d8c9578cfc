// Options, records and window places between runs.
//
// LoadSettings fills the options and the record table (and reads the
// statistics, game/Statistics) from the store once at start-up; SaveSettings writes them back, as one write, when the program
// ends; SaveRecords writes the record table alone the moment a record is
// made. WindowPositions stays open for the whole run: each window reads its
// place from it when created and writes it when destroyed.
//
// Several instances may run at once. A save never undoes another's record:
// each of the twelve records stored becomes the better of the one stored
// now and this run's, except the records this run cleared, which are
// stored cleared. Clearing records counts a stored reset number up; a run
// that finds it changed since it last looked keeps only the records it made
// since then, so the records another copy cleared do not come back, and a
// record made after a clearing, by any copy, survives it. A stored table
// that cannot be read whole is left as it stands until this run has a
// record of its own to put in it.
//
// The store keeps texts only; how numbers and switches are read out of
// them is decided by the table of stored values (game/StoredValues.h), so
// every store backend reads the same way.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "game/GameState.h"
#include "game/Store.h"
#include "game/StoredValues.h"

void LoadSettings();

// Writes the six options and the scrambled table as one write. The two
// view switches must say whether the timer and combinations windows are
// visible at this moment; the board brings them up to date before calling
// this. Returns false when the store refused the write (the game goes on
// either way). The table in memory becomes the merged one.
bool SaveSettings();
// Writes the record table alone, merged the same way.
bool SaveRecords();

// The player cleared one record (entry 1..12 of the table) or all of them:
// the next save stores them cleared instead of keeping a stored better one.
// The clearing is to be saved at once (SaveRecords), as a new record is, so
// other copies of the game learn of it.
void NoteRecordCleared(size_t entry);
void NoteAllRecordsCleared();

// A stored "High" text read into a table: the 72 digits up front decode
// to the whole table (either letter case; whatever follows is ignored).
// Each record whose six digits are good and whose values a game can make
// is kept; the others read as none, and the table is then not whole.
struct StoredRecords {
    THighScoreTable Table;
    bool Whole = false;  // every record was read
};
StoredRecords DecodeStoredRecords(const std::string& text);
// True for a record a won game can make: 1..12 rows, 0..999 seconds.
bool IsPossibleRecord(const HighScoreEntry& entry);
// The better of two records: fewer rows, then fewer seconds; none is worse
// than any.
const HighScoreEntry& BetterRecord(const HighScoreEntry& a, const HighScoreEntry& b);

// The window-place store, open for the whole run.
class TWindowPositions {
public:
    void Open();  // once, at start-up, before any window exists
    // Places are screen pixels, stored as they are given, as
    // "<prefix>Left" and "<prefix>Top".
    int32_t ReadInteger(const std::string& name, int32_t fallback);
    bool WriteInteger(const std::string& name, int32_t value);
    // Both halves of a place, or nothing when either is absent or does not
    // parse.
    std::optional<std::pair<int32_t, int32_t>> ReadPlace(const std::string& prefix);
    // Both halves as one write.
    bool WritePlace(const std::string& prefix, int32_t left, int32_t top);

    // The drawing scale the player chose ("Scale": 1, 2 or 3), or 0 when the
    // desktop's own is to be used (absent, 0 or a value that makes no sense).
    int32_t StoredScale();
    bool StoreScale(int32_t scale);

private:
    // The store, opened on first use when Open was not called (tests).
    Store& Opened();
    std::unique_ptr<Store> store_;
};

extern TWindowPositions WindowPositions;
