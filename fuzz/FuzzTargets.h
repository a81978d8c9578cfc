// FuzzTargets: one entry per reader of outside data (the INI file, the
// stored settings texts, the kept game the browser stores, the record
// table's hex, the statistics text, the BMP and cursor decoders). Each takes arbitrary bytes, must neither crash nor read out of
// bounds, and checks the round trips that must hold; a broken property
// aborts, so the fuzzer reports it. The libFuzzer programs call these, and
// the test suite runs every file of the corpus through them too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The INI parser in memory (fast), and the same text through a real file,
// its lock and its rename (a few hundred runs a second at most).
int FuzzIniText(const uint8_t* data, size_t size);
int FuzzIniFile(const uint8_t* data, size_t size);
int FuzzLoadSettings(const uint8_t* data, size_t size);
// The game in progress the browser keeps in its storage, continued.
int FuzzKeptGame(const uint8_t* data, size_t size);
int FuzzHexToBytes(const uint8_t* data, size_t size);
int FuzzDecodeBmp(const uint8_t* data, size_t size);
int FuzzDecodeCur(const uint8_t* data, size_t size);
int FuzzStatistics(const uint8_t* data, size_t size);

// The entry of a target by name ("ini", "ini_file", "settings", "kept",
// "hex", "bmp", "cur", "stats"), or nullptr. A target's corpus is the folder of its name
// up to any "_": both INI targets read fuzz/corpus/ini.
using FuzzEntry = int (*)(const uint8_t*, size_t);
FuzzEntry FuzzTarget(std::string_view name);
// Every target's name, the list scripts/fuzz.sh and the build also keep.
inline constexpr std::string_view FuzzTargetNames[] = {"ini", "ini_file", "settings", "kept", "hex", "bmp", "cur"};
