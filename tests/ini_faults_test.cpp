// The INI store against what a player's machine and editor can do to it: a
// full disk, a file cut short or holding NUL bytes, comments after section
// headers, private permissions and a config that is a symbolic link. The
// last good file is never lost and nothing crashes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "IniFixture.h"
#include "platform/posix/IniFileStore.h"

namespace fs = std::filesystem;

namespace {

using IniFaultTest = IniFileTest;

}  // namespace

TEST_F(IniFaultTest, AFullDiskKeepsTheLastGoodFile) {
    Write("[Game]\nSpaces=5\n");
    // A child whose files may not grow past 16 bytes stands in for a full
    // disk: every write of the new file fails.
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(IniFileStore(path).WriteText("Game", "High", std::string(72, 'A')) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write was reported as done";
    EXPECT_EQ(Text(path), "[Game]\nSpaces=5\n");
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().filename() == "QuorVex.ini.lock") continue;
        EXPECT_EQ(entry.path().filename(), "QuorVex.ini") << "temporary file left behind";
    }
}

TEST_F(IniFaultTest, CutShortAndNulBytesAreReadAroundAndKept) {
    Write(std::string("[Game]\nSp\0ces=4\nSpaces=5\nColo", 29));
    IniFileStore store(path);
    EXPECT_EQ(store.ReadText("Game", "Spaces"), "5");
    EXPECT_FALSE(store.ReadText("Game", "Colors"));
    EXPECT_TRUE(store.WriteText("Game", "Colors", "10"));
    EXPECT_EQ(store.ReadText("Game", "Colors"), "10");
    const std::string text = Text(path);
    EXPECT_NE(text.find(std::string("Sp\0ces=4\n", 9)), std::string::npos);
    EXPECT_NE(text.find("Colo\n"), std::string::npos);
}

TEST_F(IniFaultTest, ASectionHeaderWithACommentIsStillThatSection) {
    Write("[Game] ; options of play\nSpaces=5\n[Windows]# places\nMainLeft=3\n[Bad] x\nSpaces=4\n");
    IniFileStore store(path);
    EXPECT_EQ(store.ReadText("Game", "Spaces"), "5");
    EXPECT_EQ(store.ReadText("Windows", "MainLeft"), "3");
    EXPECT_TRUE(store.WriteText("Game", "Colors", "6"));
    EXPECT_EQ(Text(path).find("[Game]", 1), std::string::npos) << "a second Game section was added";
}

TEST_F(IniFaultTest, ARewriteKeepsPermissionsAndWritesThroughASymbolicLink) {
    const fs::path real = dir / "dotfiles" / "quorvex.ini";
    fs::create_directories(real.parent_path());
    std::ofstream(real) << "[Game]\nSpaces=5\n";
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(fs::path("dotfiles") / "quorvex.ini", path);
    IniFileStore store(path);
    EXPECT_TRUE(store.WriteText("Game", "Colors", "10"));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(Text(real), "[Game]\nSpaces=5\nColors=10\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}
