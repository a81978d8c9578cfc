// The INI store against other processes and odd files: two processes
// writing at once, a writer killed in the middle of a save, a lock held by
// someone else, a byte-order mark, lone CR line ends, UTF-16, binary and
// oversized files, and temporary files an interrupted save left behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "IniFixture.h"
#include "platform/posix/IniFileStore.h"

namespace fs = std::filesystem;

namespace {

class IniRobustTest : public IniFileTest {
protected:
    // Files beside the store whose names start with the store's and this.
    std::vector<std::string> Beside(const std::string& suffix) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("QuorVex.ini" + suffix, 0) == 0) names.push_back(name);
        }
        return names;
    }
    // The pid of a process that has ended.
    static pid_t GonePid() {
        const pid_t child = fork();
        if (child == 0) _exit(0);
        waitpid(child, nullptr, 0);
        return child;
    }

};

}  // namespace

TEST_F(IniRobustTest, AByteOrderMarkAndEveryKindOfLineEndReadAsText) {
    // One mark, or two (an editor that added its own): the first section is
    // read at once, not only after a save took a mark away.
    for (const std::string marks : {"\xEF\xBB\xBF", "\xEF\xBB\xBF\xEF\xBB\xBF"}) {
        Write(marks + "[Game]\rSpaces=5\rColors=10\r\n[Windows]\nMainLeft=7");
        IniFileStore store(path);
        EXPECT_EQ(store.ReadText("Game", "Spaces"), "5") << marks.size();
        EXPECT_EQ(store.ReadText("Game", "Colors"), "10");
        EXPECT_EQ(store.ReadText("Windows", "MainLeft"), "7");
        // The next write updates the first section instead of adding another.
        ASSERT_TRUE(store.WriteText("Game", "Spaces", "4"));
        EXPECT_EQ(Text(path), "[Game]\nSpaces=4\nColors=10\n[Windows]\nMainLeft=7\n") << marks.size();
    }
}

TEST_F(IniRobustTest, AFileTheStoreCannotUseIsSetAsideAndSavingWorksAgain) {
    const std::string utf16("\xFF\xFE[\0G\0a\0m\0e\0]\0\n\0", 16);
    static constexpr char png[] = "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0";
    const std::string binary(png, sizeof png - 1);
    const std::string oversize = "[Game]\nSpaces=5\n" + std::string(IniFileStore::MaxFileSize, ';');
    for (const std::string& bad : {utf16, binary, oversize}) {
        Write(bad);
        IniFileStore store(path);
        EXPECT_FALSE(store.ReadText("Game", "Spaces")) << "an unusable file reads as empty";
        ASSERT_TRUE(store.WriteText("Game", "Spaces", "4"));
        EXPECT_EQ(Text(path), "[Game]\nSpaces=4\n");
        const auto aside = Beside(".unreadable-");
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(Text(dir / aside[0]), bad) << "the old file is kept whole";
        fs::remove(dir / aside[0]);
    }
    // Two in the same second both stay.
    Write(utf16);
    ASSERT_TRUE(IniFileStore(path).WriteText("Game", "Spaces", "4"));
    Write(binary);
    ASSERT_TRUE(IniFileStore(path).WriteText("Game", "Spaces", "4"));
    EXPECT_EQ(Beside(".unreadable-").size(), 2u);
}

TEST_F(IniRobustTest, SeveralEntriesAreOneReplace) {
    Write("; mine\n[Game]\nSpaces=4\n");
    IniFileStore store(path);
    ASSERT_TRUE(store.WriteTexts({{"Game", "Spaces", "5"}, {"Game", "Colors", "6"}, {"Windows", "MainLeft", "3"}}));
    EXPECT_EQ(Text(path), "; mine\n[Game]\nSpaces=5\nColors=6\n\n[Windows]\nMainLeft=3\n");
    // One bad entry refuses them all.
    EXPECT_FALSE(store.WriteTexts({{"Game", "Spaces", "4"}, {"Game", "Bad=Name", "1"}}));
    EXPECT_EQ(store.ReadText("Game", "Spaces"), "5");
}

TEST_F(IniRobustTest, ALockHeldElsewhereFailsTheWriteSoonAndLetsGoAfter) {
    Write("[Game]\nSpaces=4\n");
    const int fd = ::open((path.string() + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    IniFileStore store(path);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(store.WriteText("Game", "Spaces", "5"));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(900));
    EXPECT_LT(waited, std::chrono::milliseconds(3000));
    EXPECT_EQ(store.ReadText("Game", "Spaces"), "4") << "reads never wait";
    ::close(fd);
    EXPECT_TRUE(store.WriteText("Game", "Spaces", "5"));
}

TEST_F(IniRobustTest, TemporaryFilesOfUnfinishedSavesAreRemovedByTheNextSave) {
    Write("[Game]\nSpaces=4\n");
    const std::string gone = "QuorVex.ini.tmp" + std::to_string(GonePid()) + "-0";
    const std::string live = "QuorVex.ini.tmp" + std::to_string(getppid()) + "-3";
    const std::string liveOld = "QuorVex.ini.tmp" + std::to_string(getppid()) + "-4";
    const std::string other = "QuorVex.ini.tmpnotes";
    for (const std::string& name : {gone, live, liveOld, other}) std::ofstream(dir / name) << "[Game]\nSpa";
    fs::last_write_time(dir / liveOld, fs::last_write_time(dir / liveOld) - std::chrono::minutes(2));
    // A save that changes nothing still clears up.
    ASSERT_TRUE(IniFileStore(path).WriteText("Game", "Spaces", "4"));
    EXPECT_FALSE(fs::exists(dir / gone)) << "its writer is gone";
    EXPECT_FALSE(fs::exists(dir / liveOld)) << "no save takes two minutes";
    EXPECT_TRUE(fs::exists(dir / live)) << "its writer may still be saving";
    EXPECT_TRUE(fs::exists(dir / other)) << "not a name the store writes";
}

// Two processes, each 300 writes of names of its own, at the same time:
// every write reported done is in the file.
TEST_F(IniRobustTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int WritesEach = 300;
    int pipes[2][2];
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        ASSERT_EQ(pipe(pipes[c]), 0);
        children[c] = fork();
        if (children[c] == 0) {
            IniFileStore store(path);
            int done = 0;
            for (int i = 0; i < WritesEach; ++i)
                done += store.WriteText("Game", std::string(1, char('A' + c)) + std::to_string(i), std::to_string(i));
            _exit(write(pipes[c][1], &done, sizeof done) == sizeof done ? 0 : 1);
        }
    }
    int made = 0;
    for (int c = 0; c < 2; ++c) {
        int done = 0;
        EXPECT_EQ(read(pipes[c][0], &done, sizeof done), ssize_t(sizeof done));
        made += done;
        int status = 0;
        waitpid(children[c], &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        close(pipes[c][0]);
        close(pipes[c][1]);
    }
    IniFileStore store(path);
    int found = 0;
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < WritesEach; ++i)
            found += store.ReadText("Game", std::string(1, char('A' + c)) + std::to_string(i)) == std::to_string(i);
    std::printf("two processes: writes made %d, writes found %d (of %d tried)\n", made, found, 2 * WritesEach);
    // On a loaded machine a write may wait out the lock and report failure,
    // which is honest; a write reported done and then lost is not.
    EXPECT_GE(made, 2 * WritesEach * 9 / 10) << "most writes wait their turn";
    EXPECT_EQ(found, made);
}

TEST_F(IniRobustTest, AReadAndAWriteMadeAsOneUpdateLetNoOtherProcessInBetween) {
    // Two processes each add one to a shared count, many times: an update
    // that read a value another process then changed would lose a step.
    constexpr int StepsEach = 150;
    pid_t children[2];
    for (pid_t& child : children) {
        child = fork();
        if (child == 0) {
            IniFileStore store(path);
            int done = 0;
            for (int i = 0; i < StepsEach; ++i)
                done += store.UpdateTexts([](Store& now) {
                    const int count = std::stoi(now.ReadText("Game", "Count").value_or("0"));
                    return std::vector<StoreEntry>{{"Game", "Count", std::to_string(count + 1)}};
                });
            _exit(done);
        }
    }
    int made = 0;
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        made += WEXITSTATUS(status);
    }
    // A step may wait out the lock on a loaded machine and say so; every
    // step reported done must be in the count.
    EXPECT_GE(made, 2 * StepsEach * 9 / 10);
    EXPECT_EQ(IniFileStore(path).ReadText("Game", "Count"), std::to_string(made));
}

// A writer saving whole versions in a loop, killed at random moments: the
// file is always one whole version, and the next save removes what the
// killed save left.
TEST_F(IniRobustTest, AKillDuringASaveLeavesTheOldOrTheNewFileAndNoTemporaryFile) {
    constexpr int Entries = 24, Iterations = 150;
    const std::string padding(120, 'x');
    auto version = [&](int v) {
        std::vector<StoreEntry> entries;
        for (int k = 0; k < Entries; ++k)
            entries.push_back({k < Entries / 2 ? "Game" : "Windows", "K" + std::to_string(k),
                               std::to_string(v) + "-" + padding});
        return entries;
    };
    auto render = [&](int v) {
        std::string text;
        for (int k = 0; k < Entries; ++k) {
            if (k == 0) text += "[Game]\n";
            if (k == Entries / 2) text += "\n[Windows]\n";
            text += "K" + std::to_string(k) + "=" + std::to_string(v) + "-" + padding + "\n";
        }
        return text;
    };
    ASSERT_TRUE(IniFileStore(path).WriteTexts(version(0)));
    ASSERT_EQ(Text(path), render(0));

    std::mt19937 random(16);
    int cut = 0, tempsLeft = 0, tempsSurvived = 0, newest = 0;
    for (int it = 0; it < Iterations; ++it) {
        const int from = newest + 1;
        // The writer says when its first save is done, so every kill lands
        // among saves however slowly a loaded machine starts the process.
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(started[0]);
            IniFileStore store(path);
            store.WriteTexts(version(from));
            if (write(started[1], "s", 1) != 1) _exit(1);
            for (int v = from + 1;; ++v) store.WriteTexts(version(v));
        }
        close(started[1]);
        char signal = 0;
        const bool running = read(started[0], &signal, 1) == 1;
        close(started[0]);
        if (running) usleep(std::uniform_int_distribution<useconds_t>(0, 20000)(random));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        ASSERT_TRUE(running) << "the writer ended before its first save";

        const std::string text = Text(path);
        const int v = std::atoi(text.c_str() + text.find('=') + 1);
        if (text != render(v)) ++cut;
        newest = std::max(newest, v);
        tempsLeft += !Beside(".tmp").empty();
        // The next save, even one that changes nothing, clears up.
        ASSERT_TRUE(IniFileStore(path).WriteTexts(version(v)));
        tempsSurvived += !Beside(".tmp").empty();
    }
    std::printf("kill loop: %d iterations, %d files found cut or mixed, %d kills left a temporary file, %d survived "
                "the next save, newest version %d\n",
                Iterations, cut, tempsLeft, tempsSurvived, newest);
    EXPECT_EQ(cut, 0);
    EXPECT_EQ(tempsSurvived, 0);
    EXPECT_GE(newest, Iterations) << "every writer saves at least once";
}
