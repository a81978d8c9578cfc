// StoredValues: how a row of the table reads and writes its text.
#include "game/StoredValues.h"

#include <algorithm>
#include <charconv>

namespace {

std::optional<int32_t> ParseHex(const char* first, const char* last) {
    if (first == last) return std::nullopt;
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(first, last, value, 16);
    if (ec != std::errc{} || end != last || value > UINT32_MAX) return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(value));  // 8 digits wrap, as 32-bit hex does
}

std::optional<std::string> ReadRow(Store& store, const StoredValue& row) {
    return store.ReadText(std::string(row.Section), std::string(row.Name));
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

bool StoredAllows(const StoredValue& row, int32_t value) {
    if (row.Kind == StoredKind::Byte) value = static_cast<uint8_t>(value);
    return row.Allowed.empty() || std::find(row.Allowed.begin(), row.Allowed.end(), value) != row.Allowed.end();
}

int32_t ReadStored(Store& store, StoredId id) {
    const StoredValue& row = StoredRow(id);
    const std::optional<std::string> text = ReadRow(store, row);
    const std::optional<int32_t> number = text ? ParseStoredInteger(*text) : std::nullopt;
    if (!number) return row.Default;
    switch (row.Kind) {
        case StoredKind::Switch: return *number != 0 ? 1 : 0;
        // Only the low 8 bits are kept before the check: the fields are bytes.
        case StoredKind::Byte: return StoredAllows(row, *number) ? static_cast<uint8_t>(*number) : row.Default;
        case StoredKind::Number: return StoredAllows(row, *number) ? *number : row.Default;
        case StoredKind::Text: break;
    }
    return row.Default;
}

std::string ReadStoredText(Store& store, StoredId id) { return ReadRow(store, StoredRow(id)).value_or(std::string()); }

std::string StoredText(StoredId id, int32_t value) {
    if (StoredRow(id).Kind == StoredKind::Switch) return value != 0 ? "1" : "0";
    return std::to_string(value);
}

StoreEntry StoredEntry(StoredId id, int32_t value) {
    const StoredValue& row = StoredRow(id);
    return {std::string(row.Section), std::string(row.Name), StoredText(id, value)};
}

StoreEntry StoredEntry(StoredId id, std::string text) {
    const StoredValue& row = StoredRow(id);
    return {std::string(row.Section), std::string(row.Name), std::move(text)};
}
