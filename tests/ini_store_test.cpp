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
