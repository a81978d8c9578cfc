#include "game/Settings.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstring>

#include "game/GameState.h"
#include "game/RecordCodec.h"
#include "game/Statistics.h"
#include "util/Format.h"

namespace {
// The record table as written: two uppercase digits per byte.
constexpr size_t HighTextLength = 2 * HighScoreTableSize;
constexpr size_t RecordCount = THighScoreTable{}.Entries.size();

// Records the player cleared this run, by entry, until a save stored them
// cleared.
std::array<bool, RecordCount + 1> ClearedThisRun{};

// Every clearing of records that reaches the store counts "HighReset" up,
// so another copy of the game running at the same time learns that the
// records it loaded may have been cleared since. The table's own format
// stays as it is.
// The reset count and the table as this run last read or wrote them.
int32_t KnownResetStamp = 0;
THighScoreTable SyncedTable{};

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

std::string TableText(const THighScoreTable& table) {
    std::string bytes(HighScoreTableSize, '\0');
    std::memcpy(bytes.data(), &table, HighScoreTableSize);
    return BytesToHex(ScrambleText(bytes));
}

bool SameRecord(const HighScoreEntry& a, const HighScoreEntry& b) {
    return a.RecordRows == b.RecordRows && (a.RecordRows == 0 || a.RecordSeconds == b.RecordSeconds);
}

// What a save of the records writes, and how this run stands once it is
// written.
struct RecordsWrite {
    std::vector<StoreEntry> Entries;
    THighScoreTable Table;
    int32_t Stamp = 0;
};

// The records to store now, merged with what is stored now. A stored
// table that cannot be read (or a value of another type) is left as it
// stands unless this run has a record of its own to put in.
RecordsWrite RecordsToStore(Store& store) {
    const StoredValue& high = StoredRow(StoredId::High);
    const std::optional<std::string> storedText = store.ReadText(std::string(high.Section), std::string(high.Name));
    const bool unreadable = !storedText && store.Holds(std::string(high.Section), std::string(high.Name));
    const StoredRecords stored = storedText ? DecodeStoredRecords(*storedText) : StoredRecords{{}, !unreadable};
    const int32_t stamp = ReadStored(store, StoredId::HighReset);
    // Another copy cleared records since this run last looked: what this
    // run holds from before is the store's to say, only its new records
    // count.
    const bool clearedElsewhere = stamp != KnownResetStamp;
    bool clearing = false, changed = false;
    RecordsWrite write{{}, HighScoreTable, stamp};
    for (size_t i = 1; i <= RecordCount; ++i) {
        const HighScoreEntry& now = stored.Table.Entries[i];
        HighScoreEntry& mine = write.Table.Entries[i];
        if (ClearedThisRun[i])
            clearing = true;
        else if (clearedElsewhere && SameRecord(mine, SyncedTable.Entries[i]))
            mine = now;
        else
            mine = BetterRecord(now, mine);
        changed = changed || !SameRecord(mine, now);
    }
    if (clearing) {
        write.Stamp = stamp + 1;
        write.Entries.push_back(StoredEntry(StoredId::HighReset, write.Stamp));
    }
    // A text that already says what would be written is not written again:
    // a copy whose view of the store lags behind another's fresh record
    // (the browser's tabs) then has nothing to overwrite it with.
    const std::string text = TableText(write.Table);
    const bool absent = !storedText && !unreadable;
    if (changed || absent || (stored.Whole && *storedText != text)) write.Entries.push_back(StoredEntry(StoredId::High, text));
    return write;
}

// Writes `options` and the merged records as one; on success the table in
// memory becomes the merged one.
bool StoreRecordsWith(std::vector<StoreEntry> options) {
    auto store = OpenStore();
    RecordsWrite write;
    const bool stored = store->UpdateTexts([&](Store& now) {
        write = RecordsToStore(now);
        std::vector<StoreEntry> entries = options;
        entries.insert(entries.end(), write.Entries.begin(), write.Entries.end());
        return entries;
    });
    // Merged whether or not it was stored: what the player sees is the
    // better of both either way.
    HighScoreTable = write.Table;
    if (stored) {
        KnownResetStamp = write.Stamp;
        SyncedTable = write.Table;
        ClearedThisRun.fill(false);
    }
    return stored;
}
}  // namespace

void LoadSettings() {
    auto store = OpenStore();
    TGameSettings& s = GameSettings;
    s.Spaces = static_cast<uint8_t>(ReadStored(*store, StoredId::Spaces));
    s.Colors = static_cast<uint8_t>(ReadStored(*store, StoredId::Colors));
    s.Doubles = ReadStored(*store, StoredId::Doubles) != 0;
    s.Holes = ReadStored(*store, StoredId::Holes) != 0;
    s.Symbols = ReadStored(*store, StoredId::Symbols) != 0;
    s.ViewTimer() = ReadStored(*store, StoredId::ViewTimer) != 0;
    s.ViewCombs() = ReadStored(*store, StoredId::ViewCombs) != 0;

    HighScoreTable = DecodeStoredRecords(ReadStoredText(*store, StoredId::High)).Table;
    SyncedTable = HighScoreTable;
    KnownResetStamp = ReadStored(*store, StoredId::HighReset);
    ClearedThisRun.fill(false);
    LoadStatistics();
}

StoredRecords DecodeStoredRecords(const std::string& stored) {
    StoredRecords result;
    std::string text = stored.substr(0, MaxByteString);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    text.resize(std::max(text.size(), HighTextLength), '?');
    // A bad digit stands as 0 while decoding; the scrambling works byte by
    // byte, so the good bytes around it decode as they were written.
    std::string digits = text.substr(0, HighTextLength);
    std::array<bool, RecordCount + 1> good{};
    for (size_t i = 1; i <= RecordCount; ++i) {
        good[i] = true;
        for (size_t k = (i - 1) * 6; k < i * 6; ++k)
            if (!IsHexDigit(digits[k])) {
                good[i] = false;
                digits[k] = '0';
            }
    }
    const std::string bytes = UnscrambleText(HexToBytes(digits));
    THighScoreTable decoded;
    std::memcpy(&decoded, bytes.data(), HighScoreTableSize);
    // Well-formed digits can still say what no game makes (eighteen rows,
    // negative seconds): such an entry is no record, and the table is not
    // whole, so the stored text stays until this run has a record to put in.
    result.Whole = true;
    for (size_t i = 1; i <= RecordCount; ++i) {
        const HighScoreEntry& e = decoded.Entries[i];
        const bool none = e.RecordRows == 0;
        if (good[i] && (none || IsPossibleRecord(e))) {
            if (!none) result.Table.Entries[i] = e;
        } else {
            result.Whole = false;
        }
    }
    return result;
}

bool IsPossibleRecord(const HighScoreEntry& e) {
    const int seconds = e.RecordSeconds;  // a copy: the entry is packed
    return e.RecordRows >= 1 && e.RecordRows <= 12 && seconds >= 0 && seconds <= MaxElapsedTime;
}

const HighScoreEntry& BetterRecord(const HighScoreEntry& a, const HighScoreEntry& b) {
    if (a.RecordRows == 0) return b;
    if (b.RecordRows == 0) return a;
    if (a.RecordRows != b.RecordRows) return a.RecordRows < b.RecordRows ? a : b;
    const int secondsA = a.RecordSeconds, secondsB = b.RecordSeconds;  // copies: the entries are packed
    return secondsB < secondsA ? b : a;
}

void NoteRecordCleared(size_t entry) {
    if (entry >= 1 && entry <= RecordCount) ClearedThisRun[entry] = true;
}

void NoteAllRecordsCleared() { ClearedThisRun.fill(true); }

bool SaveSettings() {
    const TGameSettings& s = GameSettings;
    // The records are merged with the table stored at this very moment,
    // with no other program's save in between.
    return StoreRecordsWith({
        StoredEntry(StoredId::Spaces, s.Spaces),
        StoredEntry(StoredId::Colors, s.Colors),
        StoredEntry(StoredId::Doubles, s.Doubles),
        StoredEntry(StoredId::Holes, s.Holes),
        StoredEntry(StoredId::Symbols, s.Symbols),
        StoredEntry(StoredId::ViewTimer, s.ViewTimer()),
        StoredEntry(StoredId::ViewCombs, s.ViewCombs()),
    });
}

bool SaveRecords() { return StoreRecordsWith({}); }

TWindowPositions WindowPositions;

void TWindowPositions::Open() { store_ = OpenStore(); }

Store& TWindowPositions::Opened() {
    if (!store_) Open();
    return *store_;
}

int32_t TWindowPositions::ReadInteger(const std::string& name, int32_t fallback) {
    const auto text = Opened().ReadText(SectionWindows, name);
    return text ? ParseStoredInteger(*text).value_or(fallback) : fallback;
}

bool TWindowPositions::WriteInteger(const std::string& name, int32_t value) {
    return Opened().WriteText(SectionWindows, name, std::to_string(value));
}

std::optional<std::pair<int32_t, int32_t>> TWindowPositions::ReadPlace(const std::string& prefix) {
    const auto left = Opened().ReadText(SectionWindows, prefix + "Left");
    const auto top = Opened().ReadText(SectionWindows, prefix + "Top");
    const auto x = left ? ParseStoredInteger(*left) : std::nullopt;
    const auto y = top ? ParseStoredInteger(*top) : std::nullopt;
    if (!x || !y) return std::nullopt;
    return std::pair{*x, *y};
}

bool TWindowPositions::WritePlace(const std::string& prefix, int32_t left, int32_t top) {
    return Opened().WriteTexts({{SectionWindows, prefix + "Left", std::to_string(left)},
                                {SectionWindows, prefix + "Top", std::to_string(top)}});
}

int32_t TWindowPositions::StoredScale() { return ReadStored(Opened(), StoredId::Scale); }

bool TWindowPositions::StoreScale(int32_t scale) { return Opened().WriteTexts({StoredEntry(StoredId::Scale, scale)}); }
