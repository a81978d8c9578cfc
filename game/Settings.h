// Options, records and window places between runs.
//
// LoadSettings fills the options and the record table from the store once
// at start-up; SaveSettings writes them back, only from the exit command.
// WindowPositions stays open for the whole run: each window reads its place
// from it when created and writes it when destroyed.
//
// The store keeps texts only; how numbers and switches are read out of
// them is decided here, so every store backend reads the same way.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "game/Store.h"

constexpr const char* SectionGame = "Game";
constexpr const char* SectionWindows = "Windows";

// Parses a stored integer: signed decimal, or hexadecimal after "0x"/"0X"
// (with at least one digit after it) or "$". Nothing when it does not parse
// or does not fit 32 bits.
std::optional<int32_t> ParseStoredInteger(const std::string& text);

int32_t ReadInteger(Store& store, const std::string& section, const std::string& name, int32_t fallback);
bool ReadBool(Store& store, const std::string& section, const std::string& name, bool fallback);
std::string ReadString(Store& store, const std::string& section, const std::string& name, const std::string& fallback);
bool WriteInteger(Store& store, const std::string& section, const std::string& name, int32_t value);
bool WriteBool(Store& store, const std::string& section, const std::string& name, bool value);

void LoadSettings();

// Writes the six options and the scrambled table. The two view switches
// must say whether the timer and combinations windows are visible at this
// moment; the exit command brings them up to date before calling this.
// Returns false when the store refused a write (the game goes on either way).
bool SaveSettings();

// The window-place store, open for the whole run.
class TWindowPositions {
public:
    void Open();  // once, at start-up, before any window exists
    int32_t ReadInteger(const std::string& name, int32_t fallback);
    bool WriteInteger(const std::string& name, int32_t value);

private:
    std::unique_ptr<Store> store_;
};

extern TWindowPositions WindowPositions;
