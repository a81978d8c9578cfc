#include "game/Settings.h"

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

    std::string high = ReadString(*store, SectionGame, "High", "");
    if (high.size() > MaxByteString) high.resize(MaxByteString);
    HighScoreTable = THighScoreTable{};
    // The table is the first 36 bytes the text decodes to; whatever follows
    // them is ignored. A text without 72 good digits up front (cut short,
    // hand-edited, lowercase) reads as no records rather than as records
    // made of garbage.
    if (high.size() >= HighTextLength && IsUpperHex(high.substr(0, HighTextLength))) {
        const std::string bytes = UnscrambleText(HexToBytes(high));
        std::memcpy(&HighScoreTable, bytes.data(), HighScoreTableSize);
    }
}

bool SaveSettings() {
    auto store = OpenStore();
    const TGameSettings& s = GameSettings;
    bool ok = WriteInteger(*store, SectionGame, "Spaces", s.Spaces);
    ok = WriteInteger(*store, SectionGame, "Colors", s.Colors) && ok;
    ok = WriteBool(*store, SectionGame, "Doubles", s.Doubles) && ok;
    ok = WriteBool(*store, SectionGame, "Holes", s.Holes) && ok;
    ok = WriteBool(*store, SectionGame, "Symbols", s.Symbols) && ok;
    ok = WriteBool(*store, SectionGame, "ViewTimer", s.ViewTimer()) && ok;
    ok = WriteBool(*store, SectionGame, "ViewCombs", s.ViewCombs()) && ok;

    std::string bytes(HighScoreTableSize, '\0');
    std::memcpy(bytes.data(), &HighScoreTable, HighScoreTableSize);
    ok = store->WriteText(SectionGame, "High", BytesToHex(ScrambleText(bytes))) && ok;
    return ok;
}

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
