#include "game/Settings.h"

#include <cstring>

#include "GameFixture.h"
#include "game/RecordCodec.h"
#include "game/StoredValues.h"
#include "platform/MemoryStore.h"
#include "util/Format.h"

class SettingsTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        store = std::make_shared<MemoryStore::Contents>();
        SetStoreOpener([s = store] { return std::make_unique<MemoryStore>(s); });
    }
    void TearDown() override {
        SetStoreOpener(nullptr);
        GameTest::TearDown();
    }
    void Stored(const char* name, const char* value) { store->Set("Game", name, value); }
    std::string Written(const char* name) {
        const std::string* v = store->Find("Game", name);
        return v ? *v : "<absent>";
    }

    std::shared_ptr<MemoryStore::Contents> store;
};

TEST_F(SettingsTest, NoStoredValuesGiveTheDefaultsAndExitWritesEverything) {
    HighScoreTable.Entries[4].RecordRows = 9;  // loading replaces whatever was in memory
    LoadSettings();
    EXPECT_EQ(GameSettings.Spaces, 4);
    EXPECT_EQ(GameSettings.Colors, 8);
    EXPECT_FALSE(GameSettings.Doubles || GameSettings.Holes || GameSettings.ViewTimer() || GameSettings.ViewCombs());
    const THighScoreTable empty{};
    EXPECT_EQ(std::memcmp(&HighScoreTable, &empty, 36), 0);

    EXPECT_TRUE(SaveSettings());
    // Every option of the table is written, each as its default.
    for (const StoredValue& row : StoredValues)
        if (row.Option) EXPECT_EQ(Written(std::string(row.Name).c_str()), StoredText(row.Id, row.Default)) << row.Name;
    EXPECT_EQ(Written("Spaces"), "4");
    EXPECT_EQ(Written("Doubles"), "0");
    EXPECT_EQ(Written("High").size(), 72u);
}

TEST_F(SettingsTest, CodeLengthAndColourCountKeepTheirLowByteAndFallBack) {
    struct Case { const char* spaces; int expectSpaces; const char* colors; int expectColors; };
    for (const Case& c : {Case{"5", 5, "10", 10}, Case{"6", 4, "9", 8}, Case{"five", 4, "0xA", 10},
                          Case{"261", 5, "$A", 10}, Case{"256", 4, "0XA", 10}, Case{"-251", 5, "$", 8},
                          Case{"0x", 4, "6 ", 8}, Case{"+5", 5, "$10A", 10}, Case{"99999999999", 4, "0x109", 8},
                          Case{"+-251", 4, "-+8", 8}}) {
        ResetGameState();
        Stored("Spaces", c.spaces);
        Stored("Colors", c.colors);
        LoadSettings();
        EXPECT_EQ(GameSettings.Spaces, c.expectSpaces) << c.spaces;
        EXPECT_EQ(GameSettings.Colors, c.expectColors) << c.colors;
    }
}

TEST_F(SettingsTest, EveryOptionOfTheTableFallsBackToItsDefaultAndKeepsWhatItAllows) {
    // Each option in turn stored as nonsense, as a number it does not allow
    // and as each number it allows: loaded and saved again, it comes back
    // as its default, its default and that number.
    for (const StoredValue& row : StoredValues) {
        if (!row.Option) continue;
        std::vector<std::pair<std::string, int32_t>> cases{{"nonsense", row.Default}, {"", row.Default}};
        if (!row.Allowed.empty()) cases.push_back({"3", row.Default});  // no option allows 3
        for (const int32_t allowed : row.Allowed) cases.push_back({std::to_string(allowed), allowed});
        if (row.Kind == StoredKind::Switch) cases.insert(cases.end(), {{"1", 1}, {"-7", 1}, {"0", 0}});
        for (const auto& [text, expected] : cases) {
            ResetGameState();
            store->Values.clear();
            Stored(std::string(row.Name).c_str(), text.c_str());
            LoadSettings();
            ASSERT_TRUE(SaveSettings());
            EXPECT_EQ(Written(std::string(row.Name).c_str()), StoredText(row.Id, expected)) << row.Name << " " << text;
        }
    }
}

TEST_F(SettingsTest, SwitchesReadAnyNonZeroAsOnAndWriteBackOneOrZero) {
    Stored("Doubles", "7");
    Stored("Holes", "0");
    Stored("ViewTimer", "$1");
    Stored("ViewCombs", "yes");  // does not parse: default off
    LoadSettings();
    EXPECT_TRUE(GameSettings.Doubles);
    EXPECT_FALSE(GameSettings.Holes);
    EXPECT_TRUE(GameSettings.ViewTimer());
    EXPECT_FALSE(GameSettings.ViewCombs());
    SaveSettings();
    EXPECT_EQ(Written("Doubles"), "1");
    EXPECT_EQ(Written("ViewTimer"), "1");
    EXPECT_EQ(Written("ViewCombs"), "0");
}

TEST_F(SettingsTest, EveryPossibleRecordTableSurvivesSaveAndLoadAndNonsenseIsNoRecord) {
    // Any table of records a game can make comes back as it was saved.
    for (int round = 0; round < 200; ++round) {
        THighScoreTable table{};
        for (size_t i = 1; i <= 12; ++i)
            if (Random(3) != 0) table.Entries[i] = HighScoreEntry{uint8_t(1 + Random(12)), int16_t(Random(1000))};
        HighScoreTable = table;
        store->Values.clear();  // nothing stored to merge with
        ASSERT_TRUE(SaveSettings());
        const std::string high = Written("High");
        ASSERT_EQ(high.size(), 72u);
        ASSERT_TRUE(IsUpperHex(high));
        HighScoreTable = THighScoreTable{};
        LoadSettings();
        ASSERT_EQ(std::memcmp(&HighScoreTable, &table, 36), 0) << "round " << round;
    }
    // Well-formed digits that decode to what no game makes: "FF" x 36 is an
    // 18-row record with negative seconds for 4 holes and 8 colours.
    const StoredRecords ff = DecodeStoredRecords(std::string(72, 'F'));
    EXPECT_FALSE(ff.Whole);
    const THighScoreTable none{};
    EXPECT_EQ(std::memcmp(&ff.Table, &none, 36), 0);
    // Beside good records, each bad entry alone reads as none.
    for (const HighScoreEntry bad : {HighScoreEntry{13, 5}, HighScoreEntry{3, -1}, HighScoreEntry{3, 1000}}) {
        store->Values.clear();
        HighScoreTable = THighScoreTable{};
        HighScoreTable.Entries[2] = HighScoreEntry{4, 77};
        HighScoreTable.Entries[6] = bad;
        SaveSettings();
        const StoredRecords read = DecodeStoredRecords(Written("High"));
        EXPECT_FALSE(read.Whole) << int(bad.RecordRows);
        EXPECT_EQ(read.Table.Entries[6].RecordRows, 0);
        EXPECT_EQ(read.Table.Entries[2].RecordRows, 4);
        // The stored text stays as it is until this run makes a record.
        LoadSettings();
        const std::string kept = Written("High");
        SaveSettings();
        EXPECT_EQ(Written("High"), kept);
        HighScoreTable.Entries[9] = HighScoreEntry{2, 9};
        SaveSettings();
        EXPECT_NE(Written("High"), kept);
        EXPECT_EQ(DecodeStoredRecords(Written("High")).Table.Entries[9].RecordRows, 2);
    }
}

TEST_F(SettingsTest, ALongRecordTextIsCutTo255AndItsFirst36BytesUsed) {
    HighScoreTable.Entries[12] = HighScoreEntry{7, 65};
    SaveSettings();
    const std::string good = Written("High");
    for (const std::string& longer : {good + "00", good + std::string(400, 'F'), good + "zz"}) {
        HighScoreTable = THighScoreTable{};
        Stored("High", longer.c_str());
        LoadSettings();
        EXPECT_EQ(HighScoreTable.Entries[12].RecordRows, 7) << longer.size();
        EXPECT_EQ(int(HighScoreTable.Entries[12].RecordSeconds), 65);
    }
}

TEST_F(SettingsTest, DamagedRecordTextKeepsEveryRecordThatCanBeRead) {
    // A table to damage: 5 rows in 40 s in entry 3, 7 rows in 65 s in entry 12.
    HighScoreTable.Entries[3] = HighScoreEntry{5, 40};
    HighScoreTable.Entries[12] = HighScoreEntry{7, 65};
    SaveSettings();
    const std::string good = Written("High");
    std::string lower = good;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    struct Case {
        std::string Text;
        bool Whole;
        uint8_t Rows3, Rows12;
    };
    for (const Case& c : {Case{lower, true, 5, 7}, Case{good.substr(0, 70), false, 5, 0},
                          Case{good.substr(0, 71) + "G", false, 5, 0}, Case{good.substr(0, 8), false, 0, 0},
                          Case{"X" + good.substr(1), false, 5, 7}, Case{std::string(), false, 0, 0}}) {
        HighScoreTable = THighScoreTable{};
        HighScoreTable.Entries[5].RecordRows = 5;  // loading replaces whatever was in memory
        Stored("High", c.Text.c_str());
        LoadSettings();
        EXPECT_EQ(DecodeStoredRecords(c.Text).Whole, c.Whole) << c.Text;
        EXPECT_EQ(HighScoreTable.Entries[3].RecordRows, c.Rows3) << c.Text;
        EXPECT_EQ(HighScoreTable.Entries[12].RecordRows, c.Rows12) << c.Text;
        EXPECT_EQ(HighScoreTable.Entries[5].RecordRows, 0) << c.Text;
        if (c.Rows12) {
            EXPECT_EQ(int(HighScoreTable.Entries[12].RecordSeconds), 65);
        }
    }
    // A damaged text can decode to values no game makes: those read as
    // none rather than as a record nobody won.
    store->Values.clear();
    HighScoreTable = THighScoreTable{};
    HighScoreTable.Entries[3] = HighScoreEntry{200, 40};
    HighScoreTable.Entries[12] = HighScoreEntry{7, 65};
    SaveSettings();
    const StoredRecords read = DecodeStoredRecords("Z" + Written("High").substr(1));
    EXPECT_FALSE(read.Whole);
    EXPECT_EQ(read.Table.Entries[3].RecordRows, 0);
    EXPECT_EQ(read.Table.Entries[12].RecordRows, 7);
}

TEST_F(SettingsTest, ASaveKeepsTheBetterOfEachStoredRecordAndThisRunsOne) {
    // Another instance stored these after this one started.
    HighScoreTable.Entries[3] = HighScoreEntry{5, 40};
    HighScoreTable.Entries[7] = HighScoreEntry{6, 90};
    HighScoreTable.Entries[9] = HighScoreEntry{8, 10};
    SaveSettings();
    // This run's own table.
    HighScoreTable = THighScoreTable{};
    HighScoreTable.Entries[3] = HighScoreEntry{6, 10};   // more rows: worse
    HighScoreTable.Entries[4] = HighScoreEntry{4, 100};  // none stored: kept
    HighScoreTable.Entries[7] = HighScoreEntry{6, 80};   // same rows, fewer seconds: better
    const int replaces = store->Replaces;
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(store->Replaces, replaces + 1) << "options and records are one write";
    THighScoreTable expected{};
    expected.Entries[3] = HighScoreEntry{5, 40};
    expected.Entries[4] = HighScoreEntry{4, 100};
    expected.Entries[7] = HighScoreEntry{6, 80};
    expected.Entries[9] = HighScoreEntry{8, 10};
    EXPECT_EQ(std::memcmp(&HighScoreTable, &expected, 36), 0) << "memory holds the merged table";
    HighScoreTable = THighScoreTable{};
    LoadSettings();
    EXPECT_EQ(std::memcmp(&HighScoreTable, &expected, 36), 0);

    // Records the player cleared are stored cleared, one or all.
    NoteRecordCleared(3);
    HighScoreTable.Entries[3] = HighScoreEntry{};
    ASSERT_TRUE(SaveRecords());
    LoadSettings();
    EXPECT_EQ(HighScoreTable.Entries[3].RecordRows, 0);
    EXPECT_EQ(HighScoreTable.Entries[9].RecordRows, 8);
    NoteAllRecordsCleared();
    HighScoreTable = THighScoreTable{};
    ASSERT_TRUE(SaveSettings());
    LoadSettings();
    const THighScoreTable empty{};
    EXPECT_EQ(std::memcmp(&HighScoreTable, &empty, 36), 0);
    // A new run has cleared nothing.
    store->Values.clear();
    HighScoreTable.Entries[2] = HighScoreEntry{3, 3};
    SaveSettings();
    HighScoreTable = THighScoreTable{};
    SaveSettings();
    EXPECT_EQ(DecodeStoredRecords(Written("High")).Table.Entries[2].RecordRows, 3);
}

TEST_F(SettingsTest, AStoredTableThatCannotBeReadWaitsForARecordOfThisRun) {
    for (const char* unreadable : {"0123", "this is no table", "ZZ"}) {
        Stored("High", unreadable);
        LoadSettings();
        ASSERT_TRUE(SaveSettings());
        ASSERT_TRUE(SaveRecords());
        EXPECT_EQ(Written("High"), unreadable);
        EXPECT_EQ(Written("Spaces"), "4") << "the options are saved all the same";
        CurrentHighScore() = HighScoreEntry{9, 200};
        ASSERT_TRUE(SaveRecords());
        EXPECT_EQ(DecodeStoredRecords(Written("High")).Table.Entries[3].RecordRows, 9);
        EXPECT_TRUE(DecodeStoredRecords(Written("High")).Whole);
    }
    EXPECT_EQ(BetterRecord(HighScoreEntry{}, HighScoreEntry{12, 999}).RecordRows, 12);
    EXPECT_EQ(BetterRecord(HighScoreEntry{12, 999}, HighScoreEntry{}).RecordRows, 12);
}

TEST_F(SettingsTest, AWindowPlaceIsOneWrite) {
    WindowPositions.Open();
    const int replaces = store->Replaces;
    ASSERT_TRUE(WindowPositions.WritePlace("Timer", -20, 30));
    EXPECT_EQ(store->Replaces, replaces + 1);
    EXPECT_EQ(*store->Find("Windows", "TimerLeft"), "-20");
    EXPECT_EQ(*store->Find("Windows", "TimerTop"), "30");
}

TEST_F(SettingsTest, UnreadableValuesCountAsAbsentAndRefusedWritesAreReported) {
    Stored("Spaces", "5");
    store->Unreadable.insert({"game", "spaces"});
    LoadSettings();
    EXPECT_EQ(GameSettings.Spaces, 4);

    store->RefuseWrites = true;
    GameSettings.Colors = 10;
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(Written("Colors"), "<absent>");
}

TEST_F(SettingsTest, WindowPositionsUseTheWindowsSectionAndKeepNegativePlaces) {
    WindowPositions.Open();
    EXPECT_EQ(WindowPositions.ReadInteger("MainLeft", 192), 192);
    EXPECT_TRUE(WindowPositions.WriteInteger("MainLeft", -12));
    EXPECT_EQ(*store->Find("windows", "mainleft"), "-12");
    EXPECT_EQ(WindowPositions.ReadInteger("MainLeft", 192), -12);
}

TEST_F(SettingsTest, CurrentRecordFollowsTheOffsetRule) {
    Configure(5, 10, true);
    CurrentHighScore().RecordRows = 3;
    unsigned char bytes[36];
    std::memcpy(bytes, &HighScoreTable, 36);
    EXPECT_EQ(bytes[33], 3);
    Configure(4, 8, true);
    EXPECT_EQ(HighScoreOffset(4, 8, true), 9);
    CurrentHighScore().RecordSeconds = 0x0102;
    std::memcpy(bytes, &HighScoreTable, 36);
    EXPECT_EQ(bytes[10], 0x02);  // little-endian seconds after the rows byte
    EXPECT_EQ(bytes[11], 0x01);
}

TEST(RecordCodec, ScrambleRoundTripsAndRepeatsEveryEightBytes) {
    std::string all;
    for (int i = 0; i < 255; ++i) all += static_cast<char>(i);
    EXPECT_EQ(UnscrambleText(ScrambleText(all)), all);
    EXPECT_EQ(ScrambleText(all).size(), 255u);
    const std::string same(9, 'Q');
    const std::string s = ScrambleText(same);
    EXPECT_EQ(s[0], s[8]);
    EXPECT_NE(s[0], s[1]);
    // First byte: (0 xor 0x9E) + key[1] = 158 + 142 = 300 -> 44.
    EXPECT_EQ(static_cast<unsigned char>(ScrambleText(std::string(1, '\0'))[0]), 44);
}

TEST(RecordCodec, HexEncodingOfBytes) {
    EXPECT_EQ(BytesToHex(std::string("\x00\x9e\xff", 3)), "009EFF");
    EXPECT_EQ(HexToBytes("009EFF"), std::string("\x00\x9e\xff", 3));
    EXPECT_EQ(HexToBytes("ABC"), std::string("\xab", 1));  // odd last digit dropped
    EXPECT_EQ(HexToBytes("A"), "");
    EXPECT_EQ(BytesToHex(std::string(200, '\x11')).size(), 254u);
}

// ---- statistics ----------------------------------------------------------------

#include "game/Statistics.h"

namespace {

// Plays "W3" (won in 3 rows), "L" (lost) and "G" (given up) games of one
// entry, e.g. "W3 W1 L G W12".
void Play(size_t entry, const std::string& games) {
    for (size_t i = 0; i < games.size(); ++i) {
        const char c = games[i];
        if (c == 'L') CountGame(entry, GameEnd::Lost);
        if (c == 'G') CountGame(entry, GameEnd::GivenUp);
        if (c == 'W' || c == 'H') CountGame(entry, GameEnd::Won, std::atoi(games.c_str() + i + 1), 30, c == 'H');
    }
}

}  // namespace

TEST_F(SettingsTest, StatisticsReadBackAsWrittenAndAnythingElseIsUnreadable) {
    LoadSettings();
    Play(1, "W3 W1 L H12 G W12");
    Play(12, "L L W5");
    const TStatistics played = CurrentStatistics();
    const std::string text = Written("Stats");
    EXPECT_EQ(text.rfind("1/1:4,1,1,1,28,120,1,2,1,0,1,0,0,0,0,0,0,0,0,2/12:", 0), 0u) << text;
    EXPECT_EQ(DecodeStatistics(text), played);
    EXPECT_EQ(DecodeStatistics("1"), TStatistics{});
    for (const char* bad : {"", "2", "1/", "1/0:1,0,0,0,1,1,1,1,1", "1/14:1,0,0,0,1,1,1,1,1",
                            "1/3:1,0,0,0,1,1,1,1,1/3:1,0,0,0,1,1,1,1,1",  // an entry twice
                            "1/3:1,0,0,0,1,1,1,1",                        // its won game in no row
                            "1/3:1,0,0,0,2,1,1,1,1",                      // rows that do not add up
                            "1/3:1,0,0,2,1,1,1,1,1",                      // more hint wins than wins
                            "1/3:1,0,0,0,1,1000,1,1,1",                   // more than 999 s a game
                            "1/3:1,0,0,0,1,1,2,1,1",                      // a run beyond the best
                            "1/3:01,0,0,0,1,1,1,1,1", "1/3:+1,0,0,0,1,1,1,1,1", "1/3:1,0,0,0,1,1,1,1,1,",
                            "1/3:4294967296,0,0,0,1,1,1,1,1", "1/3:1;0,0,0,1,1,1,1,1", "1/3:1,0,0,0,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,0"})
        EXPECT_FALSE(DecodeStatistics(bad).has_value()) << bad;
}

TEST_F(SettingsTest, RunsGoOnFromWhatAnotherCopyStoredMeanwhile) {
    // This run loaded a run of 1 (best 4); another copy then stored a run
    // of 3: this run's games come after those.
    struct Case {
        const char* games;
        uint32_t current, best;
    };
    for (const Case& c : {Case{"W2 W2", 5, 5}, Case{"W2 L W2", 1, 4}, Case{"L W2 W2 W2", 3, 4}, Case{"W1 L W1 W1 W1 W1 W1", 5, 5},
                          Case{"G", 0, 4}, Case{"W1 W1 L", 0, 5}}) {
        ResetGameState();
        store->Values.clear();
        Stored("Stats", "1/1:5,0,0,0,5,50,1,4,5");
        LoadSettings();
        Stored("Stats", "1/1:7,0,0,0,7,70,3,4,7");  // the other copy's two wins
        Play(1, c.games);
        const TSettingStats s = DecodeStatistics(Written("Stats"))->Of[1];
        EXPECT_EQ(s.CurrentRun, c.current) << c.games;
        EXPECT_EQ(s.BestRun, c.best) << c.games;
        EXPECT_EQ(s.Played(), 7 + std::count(c.games, c.games + std::strlen(c.games), ' ') + 1u) << c.games;
    }
}

TEST_F(SettingsTest, StatisticsTheStoreRefusedGoInWithTheNextStore) {
    LoadSettings();
    store->RefuseWrites = true;
    Play(2, "W4 L");
    EXPECT_EQ(Written("Stats"), "<absent>");
    EXPECT_FALSE(ClearStatistics());  // a clearing refused too
    Play(2, "W6");
    store->RefuseWrites = false;
    Stored("Stats", "1/2:1,0,0,0,9,99,1,1,0,0,0,0,0,0,0,0,1");  // what it would have cleared
    Play(2, "G");
    const TSettingStats s = DecodeStatistics(Written("Stats"))->Of[2];
    EXPECT_EQ(s.Won, 1u) << "the game after the clearing, stored on a cleared count";
    EXPECT_EQ(s.GivenUp, 1u);
    EXPECT_EQ(s.ByRows[6], 1u);
    EXPECT_EQ(s.Lost, 0u);
    EXPECT_EQ(CurrentStatistics().Of[2], s);
}
