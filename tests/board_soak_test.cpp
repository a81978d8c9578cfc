// A long soak of the whole program on the headless backend: a player who
// only uses events (keys, presses, drags, right clicks, Ctrl marks, double
// clicks, window drags, the options and high-score windows, timer ticks)
// plays game after game over all twelve settings. After every command the
// rules' invariants are checked against the state, the count of possible
// codes against a brute-force count, and the presented board against a
// fresh composition of the same state.
//
// A second soak starts the program afresh for every game and ends it
// through a random one of the endings (the exit button, a close request to
// the board, the main loop returning), then checks that the next start
// finds every option and record the last one had.
//
// QUORVEX_SOAK_GAMES sets the number of games (a short run by default);
// scripts/soak.sh runs the long one and prints its figures.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <fstream>
#include <map>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "BoardFixture.h"
#include "game/Settings.h"
#include "platform/MemoryStore.h"
#include "board/BoardRenderer.h"
#include "game/Solver.h"
#include "windows/HighLayout.h"
#include "windows/OptionsLayout.h"
#include "windows/UHigh.h"
#include "windows/UOptions.h"

namespace {

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

int GamesToPlay() {
    const char* text = std::getenv("QUORVEX_SOAK_GAMES");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 150;
}

class Soak {
public:
    explicit Soak(BoardTest& t) : t_(t) {}

    // Plays on until `games` games have been started in all.
    void Play(int games) {
        PlayWhile([&] { return games_ < games; });
    }

    // Plays on while `more` says so.
    template <typename More>
    void PlayWhile(More more) {
        auto roll = [&](int n) { return int(dice_() % unsigned(n)); };
        while (more()) {
            ++commands_;
            const int stalls = platform().Stalls();
            const int what = roll(20);
            lastWhat_ = what;
            switch (what) {
                case 0: t_.Key(Key::Function(2)); break;
                case 1: t_.Act([&] { t_.Key(Key::Function(3)); }); break;
                case 2: case 3: t_.Act([&] { t_.Key(Key::Function(6)); }); break;
                case 4: case 5: case 6: t_.Act([&] { t_.Key(Key::Space); }); break;
                case 7: case 8: {  // a colour, or a ball of any hole, into a hole of the current row
                    const board::Point from = roll(3) ? board::ColorCentre(1 + roll(GameSettings.Colors))
                                                      : board::HoleCentre(1 + roll(GameSettings.Spaces), 1 + roll(12));
                    const int row = BoardState.CurrentRow ? BoardState.CurrentRow : 12;
                    t_.Drag(from, board::HoleCentre(1 + roll(GameSettings.Spaces), roll(4) ? row : 1 + roll(12)));
                    break;
                }
                case 9: case 10: t_.Click(board::ColorCentre(1 + roll(GameSettings.Colors)), MouseButton::Right); break;
                case 11: t_.Click(board::ColorCentre(1 + roll(10)), MouseButton::Left, Modifier::Ctrl); break;
                case 12: platform().DoubleClick(t_.SX(150), t_.SY(8)); break;
                case 13: {  // drag the board around, and back
                    const int dx = roll(200) - 100, dy = roll(200) - 100;
                    t_.Press({150, 8});
                    t_.platform.PointerMove(t_.SX(150 + dx), t_.SY(8 + dy));
                    t_.platform.PointerUp(t_.SX(150 + dx), t_.SY(8 + dy));
                    break;
                }
                case 14: ChangeOptions(roll); break;
                case 15:
                    if (roll(8) == 0) ResetScores();
                    else t_.Key(Key::Function(roll(2) ? 11 : 12));
                    break;
                case 16: t_.Move(board::Buttons[size_t(roll(10))].Centre); break;
                default: platform().Advance(1000 * (1 + roll(3))); break;
            }
            if (platform().Stalls() != stalls) ADD_FAILURE() << "command kind " << what << " left a window open";
            Check();
        }
    }

    int Games() const { return games_; }
    long Commands() const { return commands_; }
    const std::map<std::tuple<int, int, bool>, int>& PerSetting() const { return perSetting_; }

private:
    HeadlessPlatform& platform() { return t_.platform; }

    // The options window, driven by clicks on its choices and Ok.
    void ChangeOptions(const std::function<int(int)>& roll) {
        // As a hand does it: onto the spot (which lights a button), then a click.
        auto click = [&](const Rect& a) {
            const int x = t_.FX(*frmOptions, a.Left + a.Width / 2), y = t_.FY(*frmOptions, a.Top + a.Height / 2);
            platform().PointerMove(x, y);
            platform().Click(x, y);
        };
        const int spaces = roll(2), colors = 2 + roll(3), doubles = 5 + roll(2);
        platform().Script([&, spaces, colors, doubles] {
            click(OptionsLayout::Choices[size_t(spaces)].Area);
            click(OptionsLayout::Choices[size_t(colors)].Area);
            click(OptionsLayout::Choices[size_t(doubles)].Area);
            click(OptionsLayout::Ok);
        });
        t_.Key(Key::Function(5));
    }

    void ResetScores() {
        platform().Script([&] {
            const int x = t_.FX(*frmHigh, HighLayout::Reset.Left + 5), y = t_.FY(*frmHigh, HighLayout::Reset.Top + 5);
            platform().PointerMove(x, y);
            platform().Click(x, y);
            platform().KeyPress(Key::Enter);
        });
        t_.Key(Key::Function(7));
        for (size_t i = 1; i <= 12; ++i) ASSERT_EQ(HighScoreTable.Entries[i].RecordRows, 0);
    }

    // The number of codes consistent with every evaluated row, by trying
    // them all; recounted only when the evaluated rows change.
    int32_t BruteForceCount() {
        const TBoardState& b = BoardState;
        std::vector<std::pair<TCode, TRowScore>> rows;
        for (int r = 12; r > b.CurrentRow; --r) rows.emplace_back(b.Guesses[size_t(r)], b.RowScores[size_t(r)]);
        const auto key = std::make_tuple(int(GameSettings.Spaces), int(GameSettings.Colors), GameSettings.Doubles, rows);
        if (key == countedFor_) return counted_;
        const int spaces = GameSettings.Spaces, colors = GameSettings.Colors;
        int total = 1;
        for (int i = 0; i < spaces; ++i) total *= colors;
        int32_t count = 0;
        for (int index = 0; index < total; ++index) {
            TCode code{};
            int rest = index;
            bool distinct = true;
            for (int p = spaces; p >= 1; --p, rest /= colors) code[size_t(p)] = uint8_t(rest % colors + 1);
            if (!GameSettings.Doubles)
                for (int p = 1; p <= spaces && distinct; ++p)
                    for (int q = 1; q < p; ++q) distinct = distinct && code[size_t(p)] != code[size_t(q)];
            if (!distinct) continue;
            bool consistent = true;
            for (const auto& [guess, score] : rows) consistent = consistent && CompareCodes(code, guess) == score;
            count += consistent;
        }
        countedFor_ = key;
        counted_ = count;
        return count;
    }

    void Check() {
        const TBoardState& b = BoardState;
        const int spaces = GameSettings.Spaces;
        // A new game shows as a new secret (or new settings).
        const auto id = std::make_tuple(b.SecretCode, int(GameSettings.Spaces), int(GameSettings.Colors), GameSettings.Doubles);
        if (id != lastGame_) {
            ++games_;
            ++perSetting_[std::make_tuple(spaces, int(GameSettings.Colors), GameSettings.Doubles)];
            lastGame_ = id;
        }

        // Rows below the current one are evaluated, consistently with the
        // secret, their pegs whites first; rows above are empty.
        for (int r = 1; r <= 12; ++r) {
            const auto& score = b.RowScores[size_t(r)];
            const bool evaluated = b.CurrentRow == 0 || r > b.CurrentRow ||
                                   (!b.GameActive && r == b.CurrentRow);
            // A won game's row still takes balls, so its holes may since
            // differ from what was scored.
            const bool winningRow = !b.GameActive && b.CurrentRow != 0 && r == b.CurrentRow;
            if (evaluated) {
                if (!winningRow) {
                    ASSERT_EQ(CompareCodes(b.Guesses[size_t(r)], b.SecretCode), score) << "row " << r;
                }
                ASSERT_LE(score.RedCount + score.WhiteCount, spaces);
                for (int k = 1; k <= 5; ++k) {
                    const uint8_t want = k <= score.WhiteCount ? PegWhite
                                         : k <= score.WhiteCount + score.RedCount ? PegRed : PegNone;
                    ASSERT_EQ(b.PegMarks[size_t(r)][size_t(k)], want) << "row " << r << " slot " << k;
                }
            } else {
                ASSERT_EQ(score, TRowScore{}) << "row " << r;
                if (r < b.CurrentRow) {
                    ASSERT_EQ(b.Guesses[size_t(r)], TCode{}) << "row " << r;
                }
            }
        }
        for (int p = 1; p <= 5 && !GameSettings.Doubles; ++p)
            for (int q = 1; q < p; ++q) {
                ASSERT_NE(b.SecretCode[size_t(p)], b.SecretCode[size_t(q)]);
            }
        if (b.GameActive) {
            ASSERT_EQ(CandidateCount, BruteForceCount());
        }

        // The screen shows exactly a fresh composition of this state, with
        // the lights that are on.
        PictureCache pictures(RunScale());
        BoardRenderer fresh(pictures);
        fresh.RedrawBoard();
        Bitmap expected = fresh.BackBuffer;
        for (int i = 0; i <= cmdExit; ++i)
            if (t_.Main().ButtonLit(i)) fresh.DrawLight(expected, i);
        // A lit toggle's caption does not come back after a repaint, so
        // the caption strip is not compared while one is lit.
        const bool toggleLit = t_.Main().ButtonLit(cmdTimer) || t_.Main().ButtonLit(cmdCombs);
        const int s = t_.S;
        auto inStrip = [s](int x, int y) {
            return y >= board::CaptionTop * s && y < (board::CaptionTop + board::CaptionStripHeight) * s && x >= 280 * s &&
                   x < 400 * s;
        };
        const Bitmap& shown = t_.Screen();
        for (int y = 0; y < board::Height * s; ++y)
            for (int x = 0; x < board::Width * s; ++x)
                if (shown.At(x, y) != expected.At(x, y) && !(toggleLit && inStrip(x, y))) {
                    FAIL() << "screen differs from the state at " << x << "," << y << " after command " << commands_ << " of kind " << lastWhat_;
                }
        ASSERT_EQ(*t_.Rec(t_.Main()).Shape(), BoardRenderer::BuildShape(RunScale()));
    }

public:
    void Seed(unsigned seed) { dice_.seed(seed); }

private:
    BoardTest& t_;
    std::mt19937 dice_{20261209};
    int lastWhat_ = -1;
    int games_ = 0;
    long commands_ = 0;
    std::tuple<TCode, int, int, bool> lastGame_{};
    std::tuple<int, int, bool, std::vector<std::pair<TCode, TRowScore>>> countedFor_{0, 0, false, {}};
    int32_t counted_ = 0;
    std::map<std::tuple<int, int, bool>, int> perSetting_;
};

}  // namespace

TEST_F(BoardTest, SoakManyGamesThroughEventsOnlyKeepEveryInvariant) {
    Start(99);
    const long startKiB = ResidentKiB();
    Soak soak(*this);
    // A tenth of the games warms every cache up; from then on nothing may grow.
    const int games = GamesToPlay();
    soak.Play(games / 10);
    const long warmKiB = ResidentKiB();
    soak.Play(games);
    const long endKiB = ResidentKiB();
    std::printf("soak: %d games, %ld commands, resident %ld KiB at start, %ld KiB after %d games, %ld KiB at end\n",
                soak.Games(), soak.Commands(), startKiB, warmKiB, games / 10, endKiB);
    EXPECT_EQ(soak.PerSetting().size(), 12u) << "not every setting was played";
    EXPECT_EQ(platform.Stalls(), 0);
}

namespace {

// One run of the program, with a platform of its own (a platform that was
// told to quit stays so).
struct ProgramRun : BoardTest {
    void TestBody() override {}
};

// What the player keeps from one run to the next.
struct Kept {
    int Spaces, Colors;
    bool Doubles, Holes, ViewTimer, ViewCombs;
    THighScoreTable Records;

    static Kept Now() {
        const TGameSettings& s = GameSettings;
        return Kept{s.Spaces, s.Colors, s.Doubles, s.Holes, frmTimer->Visible(), frmCombs->Visible(), HighScoreTable};
    }
    static Kept Loaded() {
        const TGameSettings& s = GameSettings;
        return Kept{s.Spaces, s.Colors, s.Doubles, s.Holes, s.ViewTimer(), s.ViewCombs(), HighScoreTable};
    }
    bool operator==(const Kept& o) const {
        return Spaces == o.Spaces && Colors == o.Colors && Doubles == o.Doubles && Holes == o.Holes &&
               ViewTimer == o.ViewTimer && ViewCombs == o.ViewCombs &&
               std::memcmp(&Records, &o.Records, sizeof Records) == 0;
    }
};

}  // namespace

TEST(BoardSoakEndings, EachGameEndsTheProgramARandomWayAndTheNextStartFindsEverything) {
    enum { ExitButton, CloseRequest, LoopReturned };
    const char* names[] = {"exit button", "close request", "main loop returned"};
    std::mt19937 dice(1609);
    MemoryStore::Contents stored;
    std::optional<Kept> expected;
    const int runs = std::max(30, GamesToPlay() / 5);
    int endings[3] = {}, withRecords = 0, lastEnding = 0;
    for (int run = 0; run < runs; ++run) {
        ProgramRun program;
        *program.platform.StoreContents() = stored;
        program.Start(5000 + unsigned(run));
        if (expected) {
            ASSERT_TRUE(Kept::Loaded() == *expected) << "run " << run << " lost something after the "
                                                     << names[lastEnding];
        }
        Soak soak(program);
        soak.Seed(unsigned(run));
        long commands = 0;
        soak.PlayWhile([&] { return ++commands < 4000 && (commands < 3 || (BoardState.GameActive && soak.Games() < 3)); });
        ASSERT_EQ(program.platform.Stalls(), 0);
        // Every other run also wins a game with the secret in hand, after
        // some seconds, which often beats the record kept so far.
        if (run % 2 == 0) {
            program.Key(Key::Function(2));
            program.platform.Advance(1000 * int(1 + dice() % 20));
            program.PlaceSecret();
            program.Act([&] { program.Key(Key::Space); });
        }

        expected = Kept::Now();
        for (size_t i = 1; i <= 12; ++i)
            if (HighScoreTable.Entries[i].RecordRows) {
                ++withRecords;
                break;
            }
        const int ending = int(dice() % 3);
        ++endings[ending];
        lastEnding = ending;
        switch (ending) {
            case ExitButton: program.Click(board::Buttons[cmdExit].Centre); break;
            case CloseRequest: program.platform.RequestClose(program.Main().PlatformWindow()); break;
            case LoopReturned: program.app->Run(); break;  // nothing left to do: it returns
        }
        program.Stop();
        EXPECT_TRUE(program.platform.Messages().empty()) << "run " << run;
        stored = *program.platform.StoreContents();
        // The records as stored are the ones the run ended with.
        const std::string* high = stored.Find("Game", "High");
        ASSERT_NE(high, nullptr);
        const StoredRecords read = DecodeStoredRecords(*high);
        EXPECT_EQ(std::memcmp(&read.Table, &expected->Records, sizeof(THighScoreTable)), 0)
            << "run " << run << " ended by " << names[ending];
    }
    // The last run's ending is checked by one more start.
    ProgramRun last;
    *last.platform.StoreContents() = stored;
    last.Start();
    EXPECT_TRUE(Kept::Loaded() == *expected);
    std::printf("soak endings: %d runs (%d exit button, %d close request, %d main loop returned), %d ended holding "
                "records, nothing lost\n",
                runs, endings[ExitButton], endings[CloseRequest], endings[LoopReturned], withRecords);
}
