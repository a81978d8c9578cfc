// FuzzTargets: the properties each reader of outside data must keep.
#include "fuzz/FuzzTargets.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/Flow.h"
#include "game/GameState.h"
#include "game/KeptGame.h"
#include "game/RecordCodec.h"
#include "game/Settings.h"
#include "game/Statistics.h"
#include "game/Store.h"
#include "game/StoredValues.h"
#include "platform/MemoryStore.h"
#include "platform/StoreNames.h"
#include "platform/posix/IniFileStore.h"
#include "platform/posix/IniText.h"
#include "util/Bmp.h"
#include "util/Cursor.h"
#include "util/Format.h"

namespace {

// A broken property: say which and stop, so the fuzzer keeps the input.
void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

std::vector<std::string> SplitLines(const uint8_t* data, size_t size, size_t max) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' && parts.size() < max) {
            parts.emplace_back();
            continue;
        }
        parts.back() += static_cast<char>(data[i]);
    }
    return parts;
}

// A scratch file of this process, in memory where the system has it.
std::filesystem::path ScratchFile() {
    static const std::filesystem::path path = [] {
        const std::filesystem::path dir = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        return dir / ("quorvex-fuzz-" + std::to_string(::getpid())) / "QuorVex.ini";
    }();
    return path;
}

}  // namespace

// Sample names the INI targets look at: every stored value of the table,
// and a window place.
std::vector<std::pair<std::string, std::string>> IniSampleNames() {
    std::vector<std::pair<std::string, std::string>> names;
    for (const StoredValue& row : StoredValues) names.emplace_back(row.Section, row.Name);
    names.emplace_back(SectionWindows, "MainLeft");
    return names;
}

int FuzzIniText(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Whether the file would be used at all is asked of every input; the
    // lines of any input are read, as a damaged text file's are.
    (void)IniLooksLikeText(text);
    std::vector<std::string> lines = IniLines(text);
    static const auto names = IniSampleNames();
    std::vector<std::optional<std::string>> before;
    for (const auto& [section, name] : names) before.push_back(IniFind(lines, section, name));
    // Set one value that is new and one that may be there, as a save does;
    // written out and read again, both read back, setting them again
    // changes nothing, and every other value stays as it was.
    const std::string value = size ? std::to_string(data[0]) + "x" : "empty";
    const size_t pick = size ? data[size - 1] % names.size() : 0;
    IniSet(lines, SectionGame, "Fuzzed", value);
    IniSet(lines, names[pick].first, names[pick].second, value);
    std::vector<std::string> again = IniLines(IniText(lines));
    Require(IniFind(again, SectionGame, "Fuzzed") == value, "a new value reads back");
    Require(IniFind(again, names[pick].first, names[pick].second) == value, "a set value reads back");
    Require(!IniSet(again, SectionGame, "Fuzzed", value), "setting a value again changes nothing");
    for (size_t i = 0; i < names.size(); ++i)
        if (i != pick && !SameName(names[i].second, names[pick].second))
            Require(IniFind(again, names[i].first, names[i].second) == before[i], "other values survive a write");
    return 0;
}

int FuzzIniFile(const uint8_t* data, size_t size) {
    const std::filesystem::path path = ScratchFile();
    std::filesystem::create_directories(path.parent_path());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    IniFileStore store(path);
    static const auto names = IniSampleNames();
    std::vector<std::optional<std::string>> before;
    for (const auto& [section, name] : names) before.push_back(store.ReadText(section, name));
    // A write of one value is read back and leaves every other value alone.
    const std::string value = size ? std::to_string(data[0]) + "x" : "empty";
    if (store.WriteText(SectionGame, "Fuzzed", value)) {
        Require(store.ReadText(SectionGame, "Fuzzed") == value, "a written value reads back");
        for (size_t i = 0; i < names.size(); ++i)
            Require(store.ReadText(names[i].first, names[i].second) == before[i], "other values survive a write");
    }
    return 0;
}

int FuzzLoadSettings(const uint8_t* data, size_t size) {
    // The input gives the stored texts of the table's values, one a line,
    // in the table's order.
    const std::vector<std::string> texts = SplitLines(data, size, StoredValues.size());
    auto contents = std::make_shared<MemoryStore::Contents>();
    for (size_t i = 0; i < texts.size(); ++i)
        contents->Set(std::string(StoredValues[i].Section), std::string(StoredValues[i].Name), texts[i]);
    SetStoreOpener([contents] { return std::make_unique<MemoryStore>(contents); });
    WindowPositions.Open();
    ResetGameState();
    LoadSettings();
    const TGameSettings loaded = GameSettings;
    Require(loaded.Spaces == 4 || loaded.Spaces == 5, "code length 4 or 5");
    Require(loaded.Colors == 6 || loaded.Colors == 8 || loaded.Colors == 10, "colours 6, 8 or 10");
    const int32_t scale = WindowPositions.StoredScale();
    Require(scale >= 0 && scale <= 3, "a scale of 0 to 3");
    unsigned char table[HighScoreTableSize];
    std::memcpy(table, &HighScoreTable, sizeof table);
    // What was loaded is saved and loaded again unchanged, the table byte
    // for byte; every option is written as a value its row allows.
    Require(SaveSettings(), "the memory store takes every write");
    MemoryStore written(contents);
    for (const StoredValue& row : StoredValues) {
        if (!row.Option) continue;
        const auto text = written.ReadText(std::string(row.Section), std::string(row.Name));
        Require(text && ParseStoredInteger(*text) && StoredAllows(row, *ParseStoredInteger(*text)),
                "an option is saved as a value it allows");
    }
    ResetGameState();
    LoadSettings();
    Require(GameSettings.Spaces == loaded.Spaces && GameSettings.Colors == loaded.Colors &&
                GameSettings.Doubles == loaded.Doubles && GameSettings.Holes == loaded.Holes &&
                GameSettings.Symbols == loaded.Symbols && GameSettings.Views == loaded.Views,
            "options survive save and load");
    Require(std::memcmp(table, &HighScoreTable, sizeof table) == 0, "the record table survives save and load");
    SetStoreOpener(nullptr);
    return 0;
}

namespace {

// Field by field: the padding between a struct's fields says nothing.
bool SameGame(const TGameSettings& s1, const TBoardState& b1, const TGameSettings& s2, const TBoardState& b2) {
    return s1.Spaces == s2.Spaces && s1.Colors == s2.Colors && s1.Doubles == s2.Doubles && s1.Holes == s2.Holes &&
           s1.Symbols == s2.Symbols && s1.Views == s2.Views && b1.SecretCode == b2.SecretCode &&
           b1.CurrentRow == b2.CurrentRow && b1.Guesses == b2.Guesses && b1.ColorMarks == b2.ColorMarks &&
           b1.PegMarks == b2.PegMarks && b1.RowScores == b2.RowScores && b1.GameActive == b2.GameActive &&
           b1.HintUsed == b2.HintUsed && b1.ElapsedTime == b2.ElapsedTime;
}

}  // namespace

int FuzzKeptGame(const uint8_t* data, size_t size) {
    // The browser keeps the game in progress as a text in its storage, and
    // the page hands whatever it finds there to ContinueGame.
    const std::string text(reinterpret_cast<const char*>(data), size);
    ResetGameState();
    StartGame();
    const TGameSettings settingsBefore = GameSettings;
    const TBoardState boardBefore = BoardState;
    if (!ContinueGame(text)) {
        Require(SameGame(GameSettings, BoardState, settingsBefore, boardBefore),
                "a refused kept game leaves the state as it was");
        return 0;
    }
    const TBoardState& b = BoardState;
    Require(GameSettings.Spaces == 4 || GameSettings.Spaces == 5, "a continued game has 4 or 5 holes");
    Require(GameSettings.Colors == 6 || GameSettings.Colors == 8 || GameSettings.Colors == 10, "6, 8 or 10 colours");
    Require(b.GameActive && b.CurrentRow >= 1 && b.CurrentRow <= 12, "a continued game is in progress on a row");
    Require(b.ElapsedTime >= 0 && b.ElapsedTime <= MaxElapsedTime, "its seconds are a clock's");
    // Kept again, it continues to the same game and is kept as the same text.
    const std::string kept = KeepGame();
    if (kept.empty()) return 0;  // no ball placed yet: nothing to keep
    const TBoardState continued = BoardState;
    const TGameSettings settings = GameSettings;
    ResetGameState();
    Require(ContinueGame(kept), "a kept game continues");
    Require(SameGame(GameSettings, BoardState, settings, continued), "a kept game continues as it was");
    Require(KeepGame() == kept, "a continued game is kept as the same text");
    return 0;
}

int FuzzHexToBytes(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string bytes = HexToBytes(text);
    Require(bytes.size() <= MaxByteString && bytes.size() <= text.size() / 2, "at most half the digits, 255 bytes");
    if (IsUpperHex(text) && text.size() % 2 == 0 && text.size() <= 254)
        Require(BytesToHex(bytes) == text, "uppercase hex comes back as it was");
    Require(HexToBytes(BytesToHex(bytes)) == bytes.substr(0, 127), "bytes come back through hex");
    Require(UnscrambleText(ScrambleText(bytes)) == bytes, "scrambling undoes");
    return 0;
}

int FuzzDecodeBmp(const uint8_t* data, size_t size) {
    if (const auto image = DecodeBmp(data, size)) {
        const Bitmap& p = image->Picture;
        Require(p.Pixels.size() == size_t(p.Width) * size_t(p.Height), "pixels fill the picture");
        for (const uint32_t px : p.Pixels) Require((px >> 24) == 0, "the top byte stays clear");
    }
    return 0;
}

int FuzzDecodeCur(const uint8_t* data, size_t size) {
    if (const auto cursor = DecodeCur(data, size)) {
        const Bitmap& p = cursor->Picture;
        Require(p.Pixels.size() == size_t(p.Width) * size_t(p.Height), "pixels fill the cursor");
        Require(cursor->Shape.Width() == p.Width && cursor->Shape.Height() == p.Height, "the shape fits the picture");
    }
    return 0;
}

int FuzzStatistics(const uint8_t* data, size_t size) {
    // The input is a stored "Stats" text. Whatever it holds, it is read as
    // sound counts or not at all; sound counts are written back to the same
    // counts, and a game counted on top of them stores sound counts again.
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto contents = std::make_shared<MemoryStore::Contents>();
    contents->Set(SectionGame, "Stats", text);
    SetStoreOpener([contents] { return std::make_unique<MemoryStore>(contents); });
    ResetGameState();
    LoadSettings();
    const std::optional<TStatistics> read = DecodeStatistics(text);
    if (read) Require(DecodeStatistics(EncodeStatistics(*read)) == read, "sound counts survive their writing");
    Require(CountGame(1 + size % StatsSettingCount, size % 3 == 0 ? GameEnd::Won : GameEnd::Lost, 1 + int(size % 12),
                      int(size % 1000)),
            "the memory store takes every write");
    const std::string* stored = contents->Find(SectionGame, "Stats");
    Require(stored && DecodeStatistics(*stored).has_value(), "a counted game stores sound counts");
    if (!read) Require(contents->Find(SectionGame, "StatsUnreadable") != nullptr || text == *stored,
                       "an unreadable text is kept aside");
    SetStoreOpener(nullptr);
    ResetGameState();
    return 0;
}

FuzzEntry FuzzTarget(std::string_view name) {
    if (name == "stats") return FuzzStatistics;
    if (name == "ini") return FuzzIniText;
    if (name == "ini_file") return FuzzIniFile;
    if (name == "settings") return FuzzLoadSettings;
    if (name == "kept") return FuzzKeptGame;
    if (name == "hex") return FuzzHexToBytes;
    if (name == "bmp") return FuzzDecodeBmp;
    if (name == "cur") return FuzzDecodeCur;
    return nullptr;
}
