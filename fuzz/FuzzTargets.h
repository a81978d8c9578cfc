// FuzzTargets: one entry per reader of outside data (the INI file, the
// stored settings texts, the record table's hex, the BMP and cursor
// decoders). Each takes arbitrary bytes, must neither crash nor read out of
// bounds, and checks the round trips that must hold; a broken property
// aborts, so the fuzzer reports it. The libFuzzer programs call these, and
// the test suite runs every file of the corpus through them too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

int FuzzIniFile(const uint8_t* data, size_t size);
int FuzzLoadSettings(const uint8_t* data, size_t size);
int FuzzHexToBytes(const uint8_t* data, size_t size);
int FuzzDecodeBmp(const uint8_t* data, size_t size);
int FuzzDecodeCur(const uint8_t* data, size_t size);

// The entry of a corpus folder name ("ini", "settings", "hex", "bmp",
// "cur"), or nullptr.
using FuzzEntry = int (*)(const uint8_t*, size_t);
FuzzEntry FuzzTarget(std::string_view name);
