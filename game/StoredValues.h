// StoredValues: every value the game keeps in its store, one row each: its
// section, its name, what it may hold and what stands for it when it is
// absent or makes no sense. Loading, saving, the fuzzer, the tests and the
// help check all read this table; a value's name is written nowhere else.
// A new stored value is one more row (and its code in StoredId, in the
// same order), read and written through ReadStored / StoredText.
//
// The window places ("MainLeft" ... "HighTop") are not rows: each window
// names its own pair by the prefix of its frame (forms/StoredPlace.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "game/Store.h"

constexpr const char* SectionGame = "Game";
constexpr const char* SectionWindows = "Windows";

// How a stored text is read.
enum class StoredKind : uint8_t {
    Byte,    // a number kept in a byte: its low 8 bits, then one of Allowed
    Number,  // a 32-bit number, one of Allowed (any when Allowed is empty)
    Switch,  // 0 off, any other number on; written as 0 or 1
    Text,    // the text as it stands
};

// Every stored value, in the order of the table.
enum class StoredId : uint8_t {
    Spaces,
    Colors,
    Doubles,
    Holes,
    Symbols,
    ViewTimer,
    ViewCombs,
    High,
    HighReset,
    Scale,
};

struct StoredValue {
    StoredId Id;
    std::string_view Section;
    std::string_view Name;
    StoredKind Kind;
    std::span<const int32_t> Allowed;  // Byte and Number; empty: any number
    int32_t Default = 0;               // Byte, Number and Switch; Text defaults to ""
    // One of the player's options, written by SaveSettings with the others
    // as the game ends (records and the scale are written on their own).
    bool Option = false;
};

namespace stored_detail {
inline constexpr int32_t Spaces[] = {4, 5};
inline constexpr int32_t Colors[] = {6, 8, 10};
// 0: the desktop's own scale; 1..3: the one the player chose.
inline constexpr int32_t Scale[] = {0, 1, 2, 3};
}  // namespace stored_detail

inline constexpr std::array<StoredValue, 10> StoredValues{{
    {StoredId::Spaces, SectionGame, "Spaces", StoredKind::Byte, stored_detail::Spaces, 4, true},
    {StoredId::Colors, SectionGame, "Colors", StoredKind::Byte, stored_detail::Colors, 8, true},
    {StoredId::Doubles, SectionGame, "Doubles", StoredKind::Switch, {}, 0, true},
    {StoredId::Holes, SectionGame, "Holes", StoredKind::Switch, {}, 0, true},
    // Absent in stores of older versions: off.
    {StoredId::Symbols, SectionGame, "Symbols", StoredKind::Switch, {}, 0, true},
    {StoredId::ViewTimer, SectionGame, "ViewTimer", StoredKind::Switch, {}, 0, true},
    {StoredId::ViewCombs, SectionGame, "ViewCombs", StoredKind::Switch, {}, 0, true},
    // The record table, scrambled (game/RecordCodec.h).
    {StoredId::High, SectionGame, "High", StoredKind::Text, {}, 0, false},
    // How many times records were cleared, by any copy of the game.
    {StoredId::HighReset, SectionGame, "HighReset", StoredKind::Number, {}, 0, false},
    {StoredId::Scale, SectionWindows, "Scale", StoredKind::Number, stored_detail::Scale, 0, false},
}};

namespace stored_detail {
constexpr bool RowsInIdOrder() {
    for (size_t i = 0; i < StoredValues.size(); ++i)
        if (size_t(StoredValues[i].Id) != i) return false;
    return true;
}
static_assert(RowsInIdOrder(), "a stored value's row is its code");
}  // namespace stored_detail

constexpr const StoredValue& StoredRow(StoredId id) { return StoredValues[size_t(id)]; }

// Parses a stored integer: signed decimal, or hexadecimal after "0x"/"0X"
// (with at least one digit after it) or "$". Nothing when it does not parse
// or does not fit 32 bits.
std::optional<int32_t> ParseStoredInteger(const std::string& text);

// A stored text read as its row says: the number (a switch as 0 or 1), or
// the row's default when the text is absent, does not parse or is not one
// of the allowed values. Not for Text rows.
int32_t ReadStored(Store& store, StoredId id);
// A Text row's stored text, "" when absent.
std::string ReadStoredText(Store& store, StoredId id);
// The value as its row writes it (a switch as "0" or "1").
std::string StoredText(StoredId id, int32_t value);
// The entry that writes `value` (or `text`, for a Text row).
StoreEntry StoredEntry(StoredId id, int32_t value);
StoreEntry StoredEntry(StoredId id, std::string text);
// Whether a number is one the row allows (the low byte first for Byte).
bool StoredAllows(const StoredValue& row, int32_t value);
