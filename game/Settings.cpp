#include "game/Settings.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstring>

#include "game/GameState.h"
#include "game/RecordCodec.h"
#include "util/Format.h"

namespace {
std::optional<int32_t> ParseHex(const char* first, const char* last) {
    if (first == last) return std::nullopt;
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(first, last, value, 16);
    if (ec != std::errc{} || end != last || value > UINT32_MAX) return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(value));  // 8 digits wrap, as 32-bit hex does
}

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
constexpr const char* ResetStampName = "HighReset";
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
    const std::optional<std::string> storedText = store.ReadText(SectionGame, "High");
    const bool unreadable = !storedText && store.Holds(SectionGame, "High");
    const StoredRecords stored = storedText ? DecodeStoredRecords(*storedText) : StoredRecords{{}, !unreadable};
    const int32_t stamp = ReadInteger(store, SectionGame, ResetStampName, 0);
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
        write.Entries.push_back({SectionGame, ResetStampName, std::to_string(write.Stamp)});
    }
    // A text that already says what would be written is not written again:
    // a copy whose view of the store lags behind another's fresh record
    // (the browser's tabs) then has nothing to overwrite it with.
    const std::string text = TableText(write.Table);
    const bool absent = !storedText && !unreadable;
    if (changed || absent || (stored.Whole && *storedText != text)) write.Entries.push_back({SectionGame, "High", text});
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

std::optional<int32_t> ParseStoredInteger(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHex(first + 2, last);
    if (!text.empty() && text[0] == '$') return ParseHex(first + 1, last);
    // from_chars takes a '-' only; a '+' may stand in its place, not before it.
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') return std::nullopt;
    }
    int32_t value = 0;
    auto [end, ec] = std::from_chars(first, last, value, 10);
    if (first == last || ec != std::errc{} || end != last) return std::nullopt;
    return value;
}

int32_t ReadInteger(Store& store, const std::string& section, const std::string& name, int32_t fallback) {
    const auto text = store.ReadText(section, name);
    if (!text) return fallback;
    return ParseStoredInteger(*text).value_or(fallback);
}

bool ReadBool(Store& store, const std::string& section, const std::string& name, bool fallback) {
    return ReadInteger(store, section, name, fallback ? 1 : 0) != 0;
}

std::string ReadString(Store& store, const std::string& section, const std::string& name, const std::string& fallback) {
    return store.ReadText(section, name).value_or(fallback);
}

bool WriteInteger(Store& store, const std::string& section, const std::string& name, int32_t value) {
    return store.WriteText(section, name, std::to_string(value));
}

bool WriteBool(Store& store, const std::string& section, const std::string& name, bool value) {
    return store.WriteText(section, name, value ? "1" : "0");
}

void LoadSettings() {
    auto store = OpenStore();
    TGameSettings& s = GameSettings;

    // Only the low 8 bits are kept before the check: the fields are bytes.
    s.Spaces = static_cast<uint8_t>(ReadInteger(*store, SectionGame, "Spaces", s.Spaces));
    if (s.Spaces != 4 && s.Spaces != 5) s.Spaces = 4;
    s.Colors = static_cast<uint8_t>(ReadInteger(*store, SectionGame, "Colors", s.Colors));
    if (s.Colors != 6 && s.Colors != 8 && s.Colors != 10) s.Colors = 8;
    s.Doubles = ReadBool(*store, SectionGame, "Doubles", s.Doubles);
    s.Holes = ReadBool(*store, SectionGame, "Holes", s.Holes);
    s.Symbols = ReadBool(*store, SectionGame, "Symbols", false);  // absent in older stores: off
    s.ViewTimer() = ReadBool(*store, SectionGame, "ViewTimer", false);
    s.ViewCombs() = ReadBool(*store, SectionGame, "ViewCombs", false);

    HighScoreTable = DecodeStoredRecords(ReadString(*store, SectionGame, "High", "")).Table;
    SyncedTable = HighScoreTable;
    KnownResetStamp = ReadInteger(*store, SectionGame, ResetStampName, 0);
    ClearedThisRun.fill(false);
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
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    // The records are merged with the table stored at this very moment,
    // with no other program's save in between.
    return StoreRecordsWith({
        {SectionGame, "Spaces", std::to_string(s.Spaces)}, {SectionGame, "Colors", std::to_string(s.Colors)},
        {SectionGame, "Doubles", flag(s.Doubles)},         {SectionGame, "Holes", flag(s.Holes)},
        {SectionGame, "Symbols", flag(s.Symbols)},
        {SectionGame, "ViewTimer", flag(s.ViewTimer())},   {SectionGame, "ViewCombs", flag(s.ViewCombs())},
    });
}

bool SaveRecords() { return StoreRecordsWith({}); }

TWindowPositions WindowPositions;

void TWindowPositions::Open() { store_ = OpenStore(); }

int32_t TWindowPositions::ReadInteger(const std::string& name, int32_t fallback) {
    if (!store_) Open();
    return ::ReadInteger(*store_, SectionWindows, name, fallback);
}

bool TWindowPositions::WriteInteger(const std::string& name, int32_t value) {
    if (!store_) Open();
    return ::WriteInteger(*store_, SectionWindows, name, value);
}

bool TWindowPositions::WritePlace(const std::string& prefix, int32_t left, int32_t top) {
    if (!store_) Open();
    return store_->WriteTexts({{SectionWindows, prefix + "Left", std::to_string(left)},
                               {SectionWindows, prefix + "Top", std::to_string(top)}});
}

int32_t TWindowPositions::StoredScale() {
    if (!store_) Open();
    const int32_t scale = ::ReadInteger(*store_, SectionWindows, "Scale", 0);
    return scale >= 1 && scale <= 3 ? scale : 0;
}

bool TWindowPositions::StoreScale(int32_t scale) {
    if (!store_) Open();
    return ::WriteInteger(*store_, SectionWindows, "Scale", scale);
}
