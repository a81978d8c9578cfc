// Shared set-up for tests of the game rules: a clean shared state, a seeded
// generator, and helpers to write codes as digit strings ("1234").
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/GameState.h"
#include "game/Random.h"

inline TCode Code(const std::string& digits) {
    TCode code{};
    for (size_t i = 0; i < digits.size() && i < 5; ++i) code[i + 1] = static_cast<uint8_t>(digits[i] == '0' ? 10 : digits[i] - '0');
    return code;
}

inline std::string Digits(const TCode& code, int spaces) {
    std::string s;
    for (int p = 1; p <= spaces; ++p) s += code[static_cast<size_t>(p)] == 10 ? '0' : static_cast<char>('0' + code[static_cast<size_t>(p)]);
    return s;
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameState();
        SeedRandom(12345);
    }
    void TearDown() override { ResetGameState(); }

    static void Configure(int spaces, int colors, bool doubles) {
        GameSettings.Spaces = static_cast<uint8_t>(spaces);
        GameSettings.Colors = static_cast<uint8_t>(colors);
        GameSettings.Doubles = doubles;
    }
};
