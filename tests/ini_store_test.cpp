#include "platform/posix/IniFileStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

class IniStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvex-ini-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        path = dir / "Varnel" / "QuorVex.ini";
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
    std::string FileText() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void WriteFile(const std::string& text) const {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    fs::path dir, path;
};

TEST_F(IniStoreTest, RoundTripCreatesTheFileWithSections) {
    IniFileStore store(path);
    EXPECT_FALSE(store.ReadText("Game", "Spaces"));  // missing file reads as absent
    EXPECT_TRUE(store.WriteText("Game", "Spaces", "5"));
    EXPECT_TRUE(store.WriteText("Windows", "MainLeft", "-12"));
    EXPECT_TRUE(store.WriteText("Game", "Colors", "10"));
    EXPECT_TRUE(store.WriteText("game", "SPACES", "4"));  // names compare without case
    EXPECT_EQ(FileText(), "[Game]\nSPACES=4\nColors=10\n\n[Windows]\nMainLeft=-12\n");
    IniFileStore again(path);
    EXPECT_EQ(again.ReadText("GAME", "spaces"), "4");
    EXPECT_EQ(again.ReadText("Windows", "MainLeft"), "-12");
    EXPECT_FALSE(again.ReadText("Windows", "Spaces"));
}

TEST_F(IniStoreTest, TwoOpenStoresDoNotUndoEachOther) {
    IniFileStore positions(path), settings(path);
    EXPECT_TRUE(settings.WriteText("Game", "High", "00"));
    EXPECT_TRUE(positions.WriteText("Windows", "MainTop", "3"));
    EXPECT_EQ(settings.ReadText("Windows", "MainTop"), "3");
    EXPECT_EQ(positions.ReadText("Game", "High"), "00");
}

TEST_F(IniStoreTest, DamagedAndUnknownLinesAreSkippedOnReadAndKeptOnWrite) {
    const std::string original =
        "; written by hand\r\n"
        "garbage without equals\r\n"
        "[Game]\r\n"
        "  Spaces = 5  \r\n"
        "=novalue\r\n"
        "Other=keep me\r\n"
        "[Broken\r\n"
        "[Windows]\r\n"
        "MainLeft=7\r\n";
    WriteFile(original);
    IniFileStore store(path);
    EXPECT_EQ(store.ReadText("Game", "Spaces"), "5");
    EXPECT_EQ(store.ReadText("Game", "Other"), "keep me");
    EXPECT_EQ(store.ReadText("Windows", "MainLeft"), "7");
    EXPECT_TRUE(store.WriteText("Game", "Spaces", "4"));
    const std::string text = FileText();
    for (const char* kept : {"; written by hand", "garbage without equals", "=novalue", "Other=keep me", "[Broken", "MainLeft=7"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
    EXPECT_NE(text.find("Spaces=4\n"), std::string::npos);
    EXPECT_EQ(text.find("Spaces = 5"), std::string::npos);
}

TEST_F(IniStoreTest, UnsafeNamesAndValuesAreRefused) {
    IniFileStore store(path);
    EXPECT_FALSE(store.WriteText("Game", "High", "00\n[Windows]"));
    EXPECT_FALSE(store.WriteText("Game", "A=B", "1"));
    EXPECT_FALSE(store.WriteText("Ga]me", "A", "1"));
    EXPECT_FALSE(store.WriteText("Game", "", "1"));
    EXPECT_FALSE(fs::exists(path));
}

// Tries one write from a user that may not write the store's folder. Root
// writes through permission bits, so as root the write runs in a child
// process that has dropped to the unprivileged user "nobody".
static bool WriteWithoutPermission(const fs::path& path) {
    fs::permissions(path.parent_path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                            fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    if (geteuid() != 0) return IniFileStore(path).WriteText("Game", "Spaces", "4");
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        _exit(IniFileStore(path).WriteText("Game", "Spaces", "4") ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 3) << "could not drop privileges";
    return !WIFEXITED(status) || WEXITSTATUS(status) != 0;
}

TEST_F(IniStoreTest, ADirectoryThatCannotBeWrittenKeepsTheOldFile) {
    fs::permissions(dir, fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec);
    IniFileStore store(path);
    ASSERT_TRUE(store.WriteText("Game", "Spaces", "5"));
    EXPECT_FALSE(WriteWithoutPermission(path));
    fs::permissions(path.parent_path(), fs::perms::owner_all);
    EXPECT_EQ(FileText(), "[Game]\nSpaces=5\n");
    for (const auto& entry : fs::directory_iterator(path.parent_path())) {
        if (entry.path().filename() == "QuorVex.ini.lock") continue;
        EXPECT_EQ(entry.path().filename(), "QuorVex.ini") << "temporary file left behind";
    }
}

TEST_F(IniStoreTest, APlaceThatIsNotADirectoryFailsCleanly) {
    // Works as root too: a file where the store's folder should be.
    std::ofstream(dir / "Varnel") << "not a folder";
    IniFileStore store(path);
    EXPECT_FALSE(store.WriteText("Game", "Spaces", "5"));
    EXPECT_FALSE(store.ReadText("Game", "Spaces"));
}

TEST_F(IniStoreTest, AFileThatCannotBeReadNowIsNeverReplaced) {
    fs::create_directories(path);  // a folder where the file should be
    IniFileStore store(path);
    EXPECT_FALSE(store.ReadText("Game", "Spaces"));
    EXPECT_FALSE(store.WriteText("Game", "Spaces", "5"));
    EXPECT_TRUE(fs::is_directory(path));
}

TEST(IniStorePath, FollowsXdgConfigHomeThenHome) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    setenv("HOME", "/home/p", 1);
    EXPECT_EQ(IniFileStore::DefaultPath(), fs::path("/cfg/Varnel/QuorVex.ini"));
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    EXPECT_EQ(IniFileStore::DefaultPath(), fs::path("/home/p/.config/Varnel/QuorVex.ini"));
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    EXPECT_FALSE(IniFileStore::DefaultPath());
    if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    if (oldHome) setenv("HOME", savedHome.c_str(), 1);
}

// ---- two copies of the game over one file ------------------------------------

#include "game/GameState.h"
#include "game/Settings.h"
#include "game/Statistics.h"

namespace {

// A copy of the game in a process of its own (the game's state is the
// process's), working through the steps it is sent one at a time:
// L loads the options and records, C clears every record as the records
// window's reset does, W makes a record (5 holes, 10 colours, repeats, in
// 3 rows and 40 seconds) and saves it at once as a win does, X saves
// everything as the game ends; for the statistics (same setting) w counts
// a won game, l a lost one and g one given up, each stored at once, and
// s clears them as their clear button does.
class GameCopy {
public:
    explicit GameCopy(const fs::path& store) {
        int toChild[2], toParent[2];
        if (pipe(toChild) != 0 || pipe(toParent) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(toChild[1]);
            close(toParent[0]);
            SetStoreOpener([store] { return std::make_unique<IniFileStore>(store); });
            char step = 0;
            while (read(toChild[0], &step, 1) == 1) {
                bool ok = true;
                if (step == 'L') LoadSettings();
                if (step == 'C') {
                    HighScoreTable = THighScoreTable{};
                    NoteAllRecordsCleared();
                    ok = SaveRecords();
                }
                if (step == 'W') {
                    HighScoreTable.Entries[12] = HighScoreEntry{3, 40};
                    ok = SaveRecords();
                }
                if (step == 'X') ok = SaveSettings();
                if (step == 'w') ok = CountGame(12, GameEnd::Won, 3, 40);
                if (step == 'l') ok = CountGame(12, GameEnd::Lost);
                if (step == 'g') ok = CountGame(12, GameEnd::GivenUp);
                if (step == 's') ok = ClearStatistics();
                const char answer = ok ? '+' : '-';
                if (write(toParent[1], &answer, 1) != 1) break;
            }
            _exit(0);
        }
        close(toChild[0]);
        close(toParent[1]);
        to_ = toChild[1];
        from_ = toParent[0];
    }
    ~GameCopy() {
        if (to_ >= 0) close(to_);
        if (from_ >= 0) close(from_);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    // True when the step ran and what it stored was stored.
    bool Do(char step) {
        char answer = 0;
        return pid_ > 0 && write(to_, &step, 1) == 1 && read(from_, &answer, 1) == 1 && answer == '+';
    }

private:
    pid_t pid_ = -1;
    int to_ = -1, from_ = -1;
};

}  // namespace

class TwoCopiesTest : public IniStoreTest {
protected:
    void SetUp() override {
        IniStoreTest::SetUp();
        // Two records from earlier games: 4 holes, 8 colours (entry 3), and
        // 5 holes, 10 colours with repeats (entry 12).
        ResetGameState();
        SetStoreOpener([p = path] { return std::make_unique<IniFileStore>(p); });
        LoadSettings();
        HighScoreTable.Entries[3] = HighScoreEntry{7, 300};
        HighScoreTable.Entries[12] = HighScoreEntry{9, 500};
        ASSERT_TRUE(SaveRecords());
    }
    void TearDown() override {
        SetStoreOpener(nullptr);
        ResetGameState();
        IniStoreTest::TearDown();
    }
    // The records as the file holds them now.
    THighScoreTable StoredTable() {
        return DecodeStoredRecords(IniFileStore(path).ReadText("Game", "High").value_or("")).Table;
    }
};

TEST_F(TwoCopiesTest, AResetAndTheRecordsMadeAfterItSurviveEveryOrderOfEnding) {
    // Two copies load the same records; one clears them. Without a win
    // after the reset, the copy that never saw it must not bring the old
    // records back. With a win of the other copy after it (stored at once),
    // that record survives the reset whichever copy ends last.
    struct Case {
        bool WinAfterReset, ResettingEndsLast;
        uint8_t Rows12;
        int Seconds12;
    };
    for (const Case& c : {Case{false, false, 0, 0}, Case{true, true, 3, 40}, Case{true, false, 3, 40}}) {
        SCOPED_TRACE(testing::Message() << "win " << c.WinAfterReset << ", resetting copy ends last "
                                        << c.ResettingEndsLast);
        SetUp();
        GameCopy resetting(path), other(path);
        ASSERT_TRUE(other.Do('L'));
        ASSERT_TRUE(resetting.Do('L'));
        ASSERT_TRUE(resetting.Do('C'));
        if (c.WinAfterReset) ASSERT_TRUE(other.Do('W'));
        GameCopy& first = c.ResettingEndsLast ? other : resetting;
        GameCopy& last = c.ResettingEndsLast ? resetting : other;
        ASSERT_TRUE(first.Do('X'));
        ASSERT_TRUE(last.Do('X'));  // the other still holds the old records in memory
        const THighScoreTable stored = StoredTable();
        EXPECT_EQ(stored.Entries[3].RecordRows, 0);  // cleared, and stays so
        EXPECT_EQ(stored.Entries[12].RecordRows, c.Rows12);
        if (c.Rows12) {
            const int seconds = stored.Entries[12].RecordSeconds;
            EXPECT_EQ(seconds, c.Seconds12);
        }
        TearDown();
    }
}

TEST_F(TwoCopiesTest, EachCopyAddsItsOwnGamesToTheStatisticsAndAClearingHoldsForBoth) {
    GameCopy a(path), b(path);
    ASSERT_TRUE(a.Do('L'));
    ASSERT_TRUE(b.Do('L'));
    for (const auto& [copy, step] : {std::pair{&a, 'w'}, {&b, 'w'}, {&b, 'w'}, {&a, 'l'}, {&b, 'g'}, {&a, 'w'}})
        ASSERT_TRUE(copy->Do(step));
    ASSERT_TRUE(a.Do('X'));
    ASSERT_TRUE(b.Do('X'));
    auto stored = [&] {
        return DecodeStatistics(IniFileStore(path).ReadText("Game", "Stats").value_or("")).value_or(TStatistics{});
    };
    TSettingStats s = stored().Of[12];
    EXPECT_EQ(s.Won, 4u);
    EXPECT_EQ(s.Lost, 1u);
    EXPECT_EQ(s.GivenUp, 1u);
    EXPECT_EQ(s.ByRows[3], 4u);
    EXPECT_EQ(s.WonSeconds, 160u);
    EXPECT_EQ(s.CurrentRun, 1u);  // the last game, a's win after b's give-up
    EXPECT_EQ(s.BestRun, 3u);
    EXPECT_EQ(stored().Of[StatsAllTogether], s);
    // One copy clears; the other's next game counts from nothing, and its
    // games from before the clearing do not come back.
    ASSERT_TRUE(a.Do('s'));
    ASSERT_TRUE(b.Do('w'));
    ASSERT_TRUE(b.Do('X'));
    s = stored().Of[12];
    EXPECT_EQ(s.Played(), 1u);
    EXPECT_EQ(s.Won, 1u);
}
