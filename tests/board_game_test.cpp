// The board window played through events only on the headless backend:
// start-up, whole games from the keyboard on every setting, losses, the
// record rules, hints, refusals, and what the exit command stores.
#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "game/Settings.h"
#include "GameFixture.h"
#include "game/Solver.h"
#include "windows/UOptions.h"
#include "windows/UStats.h"

namespace {

bool Won() {
    const TBoardState& b = BoardState;
    return !b.GameActive && b.CurrentRow >= 1 && b.RowScores[b.CurrentRow].RedCount == GameSettings.Spaces;
}

// Fills the current row with a code that cannot be the secret: one colour
// the secret does not start with, in every hole.
void FillWrongRow(BoardTest& t) {
    const uint8_t wrong = BoardState.SecretCode[1] == 1 ? 2 : 1;
    for (int p = 1; p <= GameSettings.Spaces; ++p) t.Click(board::ColorCentre(wrong), MouseButton::Right);
}

}  // namespace

TEST_F(BoardTest, StartUpCreatesTheEightWindowsInOrderAndCentresTheDesignSize) {
    Start();
    const auto windows = platform.Windows();
    ASSERT_EQ(windows.size(), 8u);
    EXPECT_EQ(windows[7], &Rec(*frmStats));
    EXPECT_EQ(windows[0], &Rec(Main()));
    EXPECT_EQ(windows[3], &Rec(*frmTimer));
    EXPECT_EQ(windows[4], &Rec(*frmCombs));
    EXPECT_EQ(windows[5], &Rec(*frmMessage));
    EXPECT_EQ(Rec(Main()).Title(), "Quor Vex the Ultimate Game");
    // Centred for 640 x 416 on 1024 x 768, then shown 528 x 420.
    EXPECT_EQ(Main().Bounds(), (Rect{192, 176, 528, 420}));
    EXPECT_TRUE(Rec(Main()).Shape().has_value());
    EXPECT_EQ(app->HelpFile, "/opt/quorvex/QuorVex.hlp");
    EXPECT_NE(platform.DefinedCursor(CursorKind::ClosedHand), nullptr);
    EXPECT_TRUE(platform.Messages().empty());
    // The first game is on, its first second counted.
    EXPECT_TRUE(BoardState.GameActive);
    EXPECT_EQ(BoardState.CurrentRow, 12);
    EXPECT_EQ(BoardState.ElapsedTime, 1);
    EXPECT_EQ(CandidateCount, 1680);
    EXPECT_TRUE(ScreenShowsBackBuffer());
}

TEST_F(BoardTest, ALowColourScreenIsWarnedOnceAndTheGameStillStarts) {
    platform.SetScreen(1024 * S, 768 * S, 15);
    // Only 31 pixels of the board's width on the screen: too little to take
    // hold of it by.
    Stored("MainLeft", std::to_string(31 - board::DesignWidth * S), "Windows");
    Stored("MainTop", "12", "Windows");
    Start();
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].Title, "QuorVex");
    EXPECT_EQ(platform.Messages()[0].Text, "QuorVex needs 16-bit or True-color graphic modes to run properly!");
    EXPECT_EQ(Main().Left(), (1024 - board::DesignWidth) / 2);  // out of reach: the default place
    EXPECT_EQ(Main().Top(), (768 - board::DesignHeight) / 2);
    EXPECT_TRUE(BoardState.GameActive);
}

TEST_F(BoardTest, EverySettingIsWonFromTheKeyboardWithF3HintsAndSpace) {
    for (int spaces : {4, 5})
        for (int colors : {6, 8, 10})
            for (bool doubles : {false, true}) {
                SCOPED_TRACE(testing::Message() << spaces << " " << colors << " " << doubles);
                Settings(spaces, colors, doubles);
                Start(uint64_t(spaces * 100 + colors * 10 + doubles));
                EXPECT_EQ(GameSettings.Spaces, spaces);
                int kind = Act([&] { Key(Key::Function(3)); });
                while (kind == NoMessage && BoardState.GameActive) {
                    Key(Key::Function(6));
                    kind = Act([&] { Key(Key::Space); });
                }
                EXPECT_TRUE(Won());
                // Hints after the first row cost the record.
                EXPECT_EQ(kind, BoardState.HintUsed ? mkWin : mkHigh);
                EXPECT_EQ(CurrentHighScore().RecordRows, BoardState.HintUsed ? 0 : 1);
                Stop();
            }
}

TEST_F(BoardTest, ALossAfterRowOneKeepsTheClockRunningAndRefusesFurtherPlay) {
    Start();
    for (int row = 12; row > 1; --row) {
        FillWrongRow(*this);
        Key(Key::Space);
        ASSERT_EQ(BoardState.CurrentRow, row - 1);
    }
    FillWrongRow(*this);
    EXPECT_EQ(Message([&] { Key(Key::Space); }), mkLost);
    EXPECT_EQ(BoardState.CurrentRow, 0);
    EXPECT_FALSE(BoardState.GameActive);
    const int32_t before = BoardState.ElapsedTime;
    platform.Advance(3000);
    EXPECT_EQ(BoardState.ElapsedTime, before + 3);
    EXPECT_EQ(Message([&] { Key(Key::Space); }), mkStart);
    EXPECT_EQ(Message([&] { Key(Key::Function(6)); }), mkStart);
    // No hole takes a ball now.
    const auto guesses = BoardState.Guesses;
    Click(board::ColorCentre(3), MouseButton::Right);
    Drag(board::ColorCentre(3), board::HoleCentre(1, 1));
    EXPECT_EQ(BoardState.Guesses, guesses);
    Key(Key::Function(2));
    EXPECT_TRUE(BoardState.GameActive);
    EXPECT_EQ(BoardState.CurrentRow, 12);
}

TEST_F(BoardTest, AnIncompleteRowIsRefusedWithoutPegsAndAnUnusedFifthHoleDoesNotMatter) {
    Start();
    Drop(1, 1);
    Drop(2, 2);
    Drop(3, 4);
    const Bitmap before = Main().BackBuffer();
    EXPECT_EQ(Message([&] { Key(Key::Space); }), mkFill);
    EXPECT_EQ(BoardState.RowScores[12], TRowScore{});
    EXPECT_EQ(Main().BackBuffer().Pixels, before.Pixels);  // no peg drawn
    Drop(4, 3);  // four positions: position 5 stays empty and is not needed
    Key(Key::Space);
    EXPECT_EQ(BoardState.RowScores[12], CompareCodes(BoardState.Guesses[12], BoardState.SecretCode));
    EXPECT_TRUE(BoardState.CurrentRow == 11 || !BoardState.GameActive);
}

TEST_F(BoardTest, ARecordIsEnteredKeptAtATieAndBeatenByOneSecondLess) {
    Start();
    auto playInOneRow = [&](int extraSeconds) {
        Key(Key::Function(2));
        platform.Advance(1000 * extraSeconds);
        PlaceSecret();
        return Message([&] { Key(Key::Space); });
    };
    EXPECT_EQ(playInOneRow(4), mkHigh);
    EXPECT_EQ(CurrentHighScore().RecordRows, 1);
    EXPECT_EQ(int(CurrentHighScore().RecordSeconds), 5);
    // A win stops the clock.
    platform.Advance(5000);
    EXPECT_EQ(BoardState.ElapsedTime, 5);
    EXPECT_EQ(playInOneRow(4), mkWin);
    EXPECT_EQ(int(CurrentHighScore().RecordSeconds), 5);
    EXPECT_EQ(playInOneRow(3), mkHigh);
    EXPECT_EQ(int(CurrentHighScore().RecordSeconds), 4);
}

TEST_F(BoardTest, AHintOnTheFirstRowIsFreeButALaterHintCostsTheRecord) {
    Start();
    Key(Key::Function(6));
    EXPECT_EQ(BoardState.Guesses[12], Code("12345"));
    EXPECT_FALSE(BoardState.HintUsed);
    // Play the opening; if it was not the secret, a hint on row 11 is not free.
    if (CompareCodes(BoardState.Guesses[12], BoardState.SecretCode).RedCount == 4) GTEST_SKIP() << "seed won at once";
    Key(Key::Space);
    Key(Key::Function(6));
    EXPECT_TRUE(BoardState.HintUsed);
    BoardState.Guesses[11].Fill(0);  // replace the hint by the secret, by hand
    PlaceSecret();
    EXPECT_EQ(Message([&] { Key(Key::Space); }), mkWin);
    EXPECT_EQ(CurrentHighScore().RecordRows, 0);
}

TEST_F(BoardTest, OptionsConfirmedStartANewGameAndCancelledChangeNothing) {
    Start();
    Drop(5, 1);
    platform.Script([&] { platform.KeyPress(Key::Escape); });
    Key(Key::Function(5));
    EXPECT_EQ(BoardState.Guesses[12][1], 5);  // the game goes on
    platform.Script([&] { platform.KeyPress(Key::Enter); });
    Key(Key::Function(5));
    EXPECT_EQ(BoardState.Guesses[12][1], 0);  // confirmed: a new game
    EXPECT_EQ(BoardState.ElapsedTime, 1);
}

TEST_F(BoardTest, KeysIgnoreModifiersAndOtherKeysDoNothing) {
    Start();
    Drop(5, 1);
    for (int key : {Key::Enter, Key::Escape, Key::Function(4), Key::Function(8), Key::Function(9), Key::Function(10)})
        Key(key);
    EXPECT_EQ(BoardState.Guesses[12][1], 5);
    Key(Key::Function(2), Modifier::Shift);
    EXPECT_EQ(BoardState.Guesses[12][1], 0);
    Key(Key::Function(11), Modifier::Ctrl);
    EXPECT_TRUE(frmTimer->Visible());
    EXPECT_TRUE(GameSettings.ViewTimer());
    Key(Key::Function(11));
    EXPECT_FALSE(frmTimer->Visible());
    EXPECT_FALSE(GameSettings.ViewTimer());
    Key(Key::Function(1));
    EXPECT_EQ(platform.HelpRequests(), (std::vector<std::string>{"/opt/quorvex/QuorVex.hlp"}));
    Main().DoCommand(10);  // beyond the commands: nothing
    Main().DoCommand(255);
    EXPECT_TRUE(BoardState.GameActive);
}

TEST_F(BoardTest, KeysPassedOnFromTheTimerAndCombinationsWindowsReachTheBoard) {
    Start();
    Key(Key::Function(12));
    ASSERT_TRUE(frmCombs->Visible());
    platform.KeyPressTo(frmCombs->PlatformWindow(), Key::Function(6));
    EXPECT_EQ(BoardState.Guesses[12][1], 1);
    // A close request is refused: the window stays with its switch.
    platform.RequestClose(frmCombs->PlatformWindow());
    EXPECT_TRUE(frmCombs->Visible());
}

TEST_F(BoardTest, TheExitCommandStoresEverything) {
    Start();
    Key(Key::Function(12));
    Main().MoveTo(100, 50);
    Click(board::Buttons[cmdExit].Centre);
    EXPECT_TRUE(platform.QuitRequested());
    EXPECT_FALSE(Rec(Main()).Shape().has_value());  // closed as a plain rectangle
    Stop();
    const auto& store = *platform.StoreContents();
    for (const char* name : {"Spaces", "Colors", "Doubles", "Holes", "ViewTimer", "ViewCombs", "High"})
        EXPECT_NE(store.Find("Game", name), nullptr) << name;
    EXPECT_EQ(store.Find("Game", "High")->size(), 72u);
    EXPECT_EQ(*store.Find("Game", "ViewCombs"), "1");
    // Places are kept in screen pixels.
    EXPECT_EQ(*store.Find("Windows", "MainLeft"), std::to_string(100 * S));
    EXPECT_EQ(*store.Find("Windows", "MainTop"), std::to_string(50 * S));
    EXPECT_NE(store.Find("Windows", "TimerLeft"), nullptr);

}

// Wins the first game at once (the secret dropped in), a record.
static void WinARecord(BoardTest& t) {
    t.PlaceSecret();
    EXPECT_EQ(t.Message([&] { t.Key(Key::Space); }), mkHigh);
}

TEST_F(BoardTest, ARecordIsStoredTheMomentItIsMade) {
    Start();
    WinARecord(*this);
    // Nothing else yet: a crash now keeps the record.
    const auto& store = *platform.StoreContents();
    ASSERT_NE(store.Find("Game", "High"), nullptr);
    EXPECT_EQ(store.Find("Game", "Spaces"), nullptr);
    EXPECT_EQ(DecodeStoredRecords(*store.Find("Game", "High")).Table.Entries[3].RecordRows, 1);
}

// Every way the program ends, after a record, the views changed and the
// board moved: a close request, the main loop ending without a close, the
// session's end and Alt+F4 on the timer (the side window has the keyboard;
// the close is the board's). Each stores the options and records once,
// and everything before any window goes.
enum class Ending { CloseRequest, LoopEnded, SessionEnd, AltF4OnTheTimer };

class BoardEndingTest : public BoardTest, public testing::WithParamInterface<Ending> {};

TEST_P(BoardEndingTest, EndAfterARecordStoresEverythingOnce) {
    BoardTest& t = *this;
    const Ending ending = GetParam();
    t.Start();
    WinARecord(t);
    t.Key(Key::Function(11));  // the timer window comes
    t.Key(Key::Function(12));  // the combinations window comes
    t.Main().MoveTo(100, 50);
    const int replaces = t.platform.StoreContents()->Replaces;
    const auto& store = *t.platform.StoreContents();
    auto value = [&](const char* section, const char* name) {
        const std::string* v = store.Find(section, name);
        return v ? *v : std::string("<absent>");
    };
    switch (ending) {
        case Ending::CloseRequest: t.platform.RequestClose(t.Main().PlatformWindow()); break;
        case Ending::SessionEnd: t.platform.EndSession(); break;
        // The side window has the keyboard; the close is the board's.
        case Ending::AltF4OnTheTimer: t.platform.KeyPressTo(frmTimer->PlatformWindow(), Key::Function(4), Modifier::Alt); break;
        case Ending::LoopEnded: t.platform.Quit(); break;  // no close reaches the board
    }
    if (ending != Ending::LoopEnded) {
        EXPECT_TRUE(t.platform.QuitRequested());
        // Everything is kept before a window goes: at a session's end the
        // system may end the process as soon as it is told.
        EXPECT_EQ(value("Windows", "MainLeft"), std::to_string(100 * t.S));
        EXPECT_EQ(value("Windows", "TimerLeft"), std::to_string(frmTimer->ScreenBounds().Left));
        EXPECT_EQ(value("Windows", "CombsTop"), std::to_string(frmCombs->ScreenBounds().Top));
        EXPECT_EQ(value("Game", "ViewTimer"), "1");
    }
    t.Stop();
    // Settings and records once, then the eight windows' places: one write each.
    EXPECT_EQ(store.Replaces, replaces + 1 + 8);
    EXPECT_EQ(value("Game", "ViewTimer"), "1");
    EXPECT_EQ(value("Game", "ViewCombs"), "1");
    EXPECT_EQ(value("Game", "Spaces"), "4");
    EXPECT_EQ(DecodeStoredRecords(value("Game", "High")).Table.Entries[3].RecordRows, 1);
    EXPECT_EQ(value("Windows", "MainLeft"), std::to_string(100 * t.S));
    EXPECT_TRUE(t.platform.Messages().empty());
}

static std::string EndingName(const testing::TestParamInfo<Ending>& info) {
    static const char* const names[] = {"CloseRequest", "LoopEnded", "SessionEnd", "AltF4OnTheTimer"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Endings, BoardEndingTest,
                         testing::Values(Ending::CloseRequest, Ending::LoopEnded, Ending::SessionEnd,
                                         Ending::AltF4OnTheTimer),
                         EndingName);

TEST_F(BoardTest, ASessionEndThatCannotSaveTellsTheErrorStreamAndWaitsForNobody) {
    Start();
    platform.StoreContents()->RefuseWrites = true;
    platform.EndSession();
    EXPECT_TRUE(platform.QuitRequested());
    Stop();
    EXPECT_TRUE(platform.Messages().empty());
    ASSERT_EQ(platform.Reports().size(), 1u);
    EXPECT_NE(platform.Reports()[0].Text.find("could not be saved"), std::string::npos);
}

TEST_F(BoardTest, ACloseThatCannotSaveSaysSoOnce) {
    Start();
    platform.StoreContents()->RefuseWrites = true;
    platform.RequestClose(Main().PlatformWindow());
    Stop();
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_NE(platform.Messages()[0].Text.find("could not be saved"), std::string::npos);
}

TEST_F(BoardTest, HelpThatCannotBeOpenedSaysWhereTheDocumentIs) {
    Start();
    platform.SetHelpAvailable(false);
    Key(Key::Function(1));
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_NE(platform.Messages()[0].Text.find("QuorVex.html"), std::string::npos) << platform.Messages()[0].Text;
    platform.SetHelpAvailable(true);
    Key(Key::Function(1));
    EXPECT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.HelpRequests().size(), 2u);
}

TEST_F(BoardTest, AnExitThatCannotSaveSaysWhereItTriedBeforeTheProgramEnds) {
    platform.StoreContents()->RefuseWrites = true;
    Start();
    Click(board::Buttons[cmdExit].Centre);
    EXPECT_TRUE(platform.QuitRequested());
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].Title, "QuorVex");
    EXPECT_NE(platform.Messages()[0].Text.find("could not be saved to the test's memory store"), std::string::npos);
}

// ---- a kept game goes on where it was left -----------------------------------

#include "game/KeptGame.h"
#include "game/RecordCodec.h"

TEST_F(BoardTest, AKeptGameContinuesWithItsRowsPegsNotesClockAndCandidates) {
    Settings(5, 10, true);
    Stored("ViewTimer", "1");
    Start();
    for (int row = 0; row < 2; ++row) {
        FillWrongRow(*this);
        EXPECT_EQ(Act([&] { Key(Key::Space); }), NoMessage);
    }
    Drop(4, 2);
    Click(board::ColorCentre(3), MouseButton::Left, Modifier::Ctrl);  // a note on colour 3
    platform.Advance(7000);
    const TBoardState before = BoardState;
    const int32_t candidates = CandidateCount;
    const Bitmap board = Main().BackBuffer();
    const std::string kept = KeepGame();
    ASSERT_FALSE(kept.empty());
    Stop();

    // Another start, at other stored options and another seed.
    Settings(4, 6, false);
    Stored("ViewTimer", "1");
    Start(99, kept);
    const TBoardState& b = BoardState;
    EXPECT_EQ(GameSettings.Spaces, 5);
    EXPECT_EQ(GameSettings.Colors, 10);
    EXPECT_TRUE(GameSettings.Doubles);
    EXPECT_EQ(b.CurrentRow, 10);
    EXPECT_TRUE(b.GameActive);
    EXPECT_EQ(b.SecretCode, before.SecretCode);
    EXPECT_EQ(b.ColorMarks, before.ColorMarks);
    for (size_t r = 1; r <= 12; ++r) {
        EXPECT_EQ(b.Guesses[r], before.Guesses[r]) << r;
        EXPECT_EQ(b.RowScores[r], before.RowScores[r]) << r;
        EXPECT_EQ(b.PegMarks[r], before.PegMarks[r]) << r;
    }
    EXPECT_EQ(CandidateCount, candidates);
    EXPECT_EQ(b.ElapsedTime, before.ElapsedTime);
    EXPECT_TRUE(Main().BackBuffer().Pixels == board.Pixels);
    EXPECT_TRUE(ScreenShowsBackBuffer());
    // The clock goes on from the kept seconds, and the game plays on.
    platform.Advance(2000);
    EXPECT_EQ(b.ElapsedTime, before.ElapsedTime + 2);
    for (int p = 1; p <= 5; ++p) Drop(b.SecretCode[size_t(p)], p);
    EXPECT_EQ(Message([&] { Key(Key::Space); }), mkHigh);
    // A game that is over has nothing to keep; nor has a new game with no ball.
    EXPECT_EQ(KeepGame(), "");
    Key(Key::Function(2));
    EXPECT_EQ(KeepGame(), "");
}

TEST_F(BoardTest, AKeptGameThatCannotBeContinuedIsRefusedAndANewGameStarts) {
    Start();
    FillWrongRow(*this);
    Act([&] { Key(Key::Space); });
    Drop(2, 1);
    const std::string kept = KeepGame();
    const TBoardState playing = BoardState;
    // The secret is not written as it is: no field holds its digits.
    EXPECT_EQ(kept.find(Digits(playing.SecretCode, 4)), std::string::npos) << kept;

    // The kept text with field n replaced.
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t end = kept.find('|', start);
        fields.push_back(kept.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    ASSERT_EQ(fields.size(), 10u);
    auto with = [&](size_t n, const std::string& value) {
        std::string text;
        for (size_t f = 0; f < fields.size(); ++f) text += (f ? "|" : "") + (f == n ? value : fields[f]);
        return text;
    };
    const std::string rows = fields[8];
    std::string secretRow = rows;  // row 12, already evaluated, holding the secret
    for (size_t p = 1; p <= 5; ++p) secretRow[55 + p - 1] = char('0' + playing.SecretCode[p] % 10);
    for (size_t p = 1; p <= 5; ++p)
        if (playing.SecretCode[p] == 10) secretRow[55 + p - 1] = 'A';
    const std::string noSecret = BytesToHex(ScrambleText(std::string(5, '\0')));
    for (const std::string& bad :
         {std::string(), "QK2" + kept.substr(3), kept + "|", kept.substr(0, kept.size() - 1), with(1, "6"),
          with(2, "9"), with(3, "2"), with(4, "13"), with(4, "12"), with(5, "1000"), with(5, "-1"), with(6, "x"),
          with(7, "300000000000"), with(7, "000000000001"), with(8, std::string(60, '0')),
          with(8, "10000" + rows.substr(5)), with(8, secretRow), with(9, "ZZ" + fields[9].substr(2)),
          with(9, noSecret)}) {
        EXPECT_FALSE(ContinueGame(bad)) << bad;
        EXPECT_EQ(BoardState.CurrentRow, playing.CurrentRow) << bad;
        EXPECT_EQ(BoardState.SecretCode, playing.SecretCode) << bad;
        EXPECT_EQ(BoardState.Guesses[11], playing.Guesses[11]) << bad;
    }
    Stop();
    // At start, a text that cannot be continued gives a new game.
    Start(7, with(4, "13"));
    EXPECT_EQ(BoardState.CurrentRow, 12);
    EXPECT_EQ(BoardState.ElapsedTime, 1);
    EXPECT_EQ(BoardState.Guesses[12], TCode{});
}

// ---- statistics ----------------------------------------------------------------

#include "game/Statistics.h"
#include "WindowsFixture.h"
#include "windows/HighLayout.h"
#include "windows/StatsLayout.h"
#include "windows/UHigh.h"

namespace {

// 4 holes, 8 colours, no repeats: the settings a fresh store plays.
const size_t kFresh = StatsEntry(4, 8, false);

TSettingStats StoredStats(BoardTest& t, size_t entry = kFresh) {
    const std::string* text = t.platform.StoreContents()->Find("Game", "Stats");
    if (!text) return {};
    const std::optional<TStatistics> stats = DecodeStatistics(*text);
    EXPECT_TRUE(stats.has_value()) << *text;
    return stats ? stats->Of[entry] : TSettingStats{};
}

void LoseAGame(BoardTest& t) {
    while (BoardState.GameActive) {
        FillWrongRow(t);
        t.Act([&] { t.Key(Key::Space); });
    }
}

// One row evaluated: ending the game now gives it up.
void PlayARow(BoardTest& t) {
    FillWrongRow(t);
    t.Key(Key::Space);
    ASSERT_EQ(BoardState.CurrentRow, 11);
}

}  // namespace

// Ends a game the given way and checks what reached the store at once,
// and what the next run reads back.
enum class GameEnding { Win, Loss, NewGame, Options, ExitButton, CloseRequest, SessionEnd, LoopEnded };
static void CountedAsItEnds(BoardTest& t, GameEnding how) {
    using E = GameEnding;
    t.Start();
    if (how != E::Win) PlayARow(t);
    switch (how) {
        case E::Win: WinARecord(t); break;
        case E::Loss: LoseAGame(t); break;
        case E::NewGame: t.Key(Key::Function(2)); break;
        case E::Options: t.Answer(Key::Enter); t.Key(Key::Function(5)); break;
        case E::ExitButton: t.Click(board::Buttons[cmdExit].Centre); break;
        case E::CloseRequest: t.platform.RequestClose(t.Main().PlatformWindow()); break;
        case E::SessionEnd: t.platform.EndSession(); break;
        case E::LoopEnded: t.platform.Quit(); t.Stop(); break;  // given up as the program ends
    }
    const TSettingStats stored = StoredStats(t);
    EXPECT_EQ(stored.Won, how == E::Win ? 1u : 0u);
    EXPECT_EQ(stored.Lost, how == E::Loss ? 1u : 0u);
    EXPECT_EQ(stored.GivenUp, how == E::Win || how == E::Loss ? 0u : 1u);
    EXPECT_EQ(stored.CurrentRun, how == E::Win ? 1u : 0u);
    EXPECT_EQ(stored.ByRows[1], how == E::Win ? 1u : 0u);
    EXPECT_EQ(StoredStats(t, StatsAllTogether), stored);
    // Counted once however many endings follow, and read back as stored;
    // the next run's own first game, never under way, is not given up.
    t.Stop();
    EXPECT_EQ(StoredStats(t), stored);
    HeadlessPlatform next;
    next.SetScreen(1024 * t.S, 768 * t.S, 32);
    *next.StoreContents() = *t.platform.StoreContents();
    ResetGameState();
    auto app = StartProgram(next);
    EXPECT_EQ(CurrentStatistics().Of[kFresh], stored);
    EndProgram(*app);
    app.reset();
    SetStoreOpener(nullptr);
    EXPECT_EQ(CurrentStatistics().Of[kFresh], stored);
}

TEST_F(BoardTest, AWinIsCountedAndStoredAtOnce) { CountedAsItEnds(*this, GameEnding::Win); }
TEST_F(BoardTest, ALossIsCountedAndStoredAtOnce) { CountedAsItEnds(*this, GameEnding::Loss); }
TEST_F(BoardTest, ANewGameGivesUpTheGameUnderWay) { CountedAsItEnds(*this, GameEnding::NewGame); }
TEST_F(BoardTest, ConfirmedOptionsGiveUpTheGameUnderWay) { CountedAsItEnds(*this, GameEnding::Options); }
TEST_F(BoardTest, TheExitButtonGivesUpTheGameUnderWay) { CountedAsItEnds(*this, GameEnding::ExitButton); }
TEST_F(BoardTest, ACloseRequestGivesUpTheGameUnderWay) { CountedAsItEnds(*this, GameEnding::CloseRequest); }
TEST_F(BoardTest, TheSessionsEndGivesUpTheGameUnderWay) { CountedAsItEnds(*this, GameEnding::SessionEnd); }
TEST_F(BoardTest, AMainLoopEndingGivesUpTheGameUnderWay) { CountedAsItEnds(*this, GameEnding::LoopEnded); }

TEST_F(BoardTest, AGameNotUnderWayOrKeptAtTheEndingIsNotGivenUp) {
    Start();
    Key(Key::Function(2));  // nothing evaluated yet: no game given up
    Key(Key::Function(3));  // the opening row played at once: under way
    ASSERT_EQ(StoredStats(*this).GivenUp, 0u);
    // A page that keeps the game to continue it counts nothing now.
    EndProgram(*app, GameAtEnding::Kept);
    app.reset();
    EXPECT_EQ(StoredStats(*this).Played(), 0u);
}

TEST_F(BoardTest, OptionsThatChangeTheSettingsGiveUpTheGameOfTheOldOnes) {
    Start();
    PlayARow(*this);
    GameSettings.Spaces = 5;  // as the options window stores the player's choice
    Answer(Key::Enter);
    Key(Key::Function(5));
    EXPECT_EQ(StoredStats(*this, kFresh).GivenUp, 1u);
    EXPECT_EQ(StoredStats(*this, StatsEntry(5, 8, false)).GivenUp, 0u);
}

TEST_F(BoardTest, AGameWonWithAHintCountsAsWonMarkedAndMakesNoRecord) {
    Start();
    PlayARow(*this);
    int kind = NoMessage;
    while (kind == NoMessage && BoardState.GameActive) {
        Key(Key::Function(6));
        kind = Act([&] { Key(Key::Space); });
    }
    ASSERT_TRUE(Won());
    const TSettingStats s = StoredStats(*this);
    EXPECT_EQ(s.Won, 1u);
    EXPECT_EQ(s.HintWon, 1u);
    EXPECT_EQ(s.WonRows, uint64_t(13 - BoardState.CurrentRow));
    EXPECT_EQ(CurrentHighScore().RecordRows, 0);
}

TEST_F(BoardTest, TheStatisticsWindowShowsTheGamesAndItsBarsAsTheyEnd) {
    Start();
    Key(Key::Function(8));
    ASSERT_TRUE(frmStats->Visible());
    EXPECT_EQ(frmStats->View(), kFresh);
    // Won in 1, 1 and 2 rows, then lost: bars of 2, 0 and 1 games.
    WinARecord(*this);
    for (int rowsTaken : {1, 2}) {
        Key(Key::Function(2));
        if (rowsTaken == 2) PlayARow(*this);
        PlaceSecret();
        Act([&] { Key(Key::Space); });
    }
    Key(Key::Function(2));
    LoseAGame(*this);
    const Bitmap& screen = Rec(*frmStats).Presented();
    auto at = [&](const StatsLayout::Field& f) { return Layout::Point{f.X * S, StatsLayout::LineTop(f.Line) * S}; };
    if (S == 1) {
        EXPECT_EQ(ReadDigits(screen, at(StatsLayout::Played), 5), "    4");
        EXPECT_EQ(ReadDigits(screen, at(StatsLayout::Won), 5), "    3");
        EXPECT_EQ(ReadDigits(screen, at(StatsLayout::Share), 3), " 75");
        EXPECT_EQ(ReadDigits(screen, at(StatsLayout::RowsWhole), 2) + ReadDigits(screen, at(StatsLayout::RowsTenth), 1),
                  " 13");  // 1.3 rows
        EXPECT_EQ(ReadDigits(screen, at(StatsLayout::CurrentRun), 5), "    0");
        EXPECT_EQ(ReadDigits(screen, at(StatsLayout::BestRun), 5), "    3");
    }
    // A bar's height: the pixels of its middle column that differ from the
    // empty chart.
    const Bitmap empty = LoadPicture(PictureWindow::Stats, "imgChart", S)->Picture;
    auto barHeight = [&](int rows) {
        const int x = (StatsLayout::BarLeft(rows) + StatsLayout::BarWidth / 2) * S;
        int h = 0;
        for (int y = StatsLayout::BarTop * S; y < StatsLayout::BarBase * S; ++y)
            h += screen.At(x, y) != empty.At(x - StatsLayout::Bars.Left * S, y - StatsLayout::BarTop * S);
        return h / S;
    };
    EXPECT_EQ(barHeight(1), StatsLayout::BarHeight);
    EXPECT_EQ(barHeight(2), StatsLayout::BarHeight / 2);
    for (int rows = 3; rows <= 12; ++rows) EXPECT_EQ(barHeight(rows), 0) << rows;
    // The arrows go round the thirteen, all together last.
    frmStats->StepView(-int(kFresh));
    EXPECT_EQ(frmStats->View(), StatsAllTogether);
    Key(Key::Function(8));
    EXPECT_FALSE(frmStats->Visible());
}

TEST_F(BoardTest, TheRecordsWindowOpensTheStatisticsAndClearingAsksFirst) {
    Start();
    WinARecord(*this);
    platform.Script([&] {
        Move(board::Point{0, 0});
        platform.PointerMove(FX(*frmHigh, HighLayout::Stats.Left + 5), FY(*frmHigh, HighLayout::Stats.Top + 5));
        platform.Click(FX(*frmHigh, HighLayout::Stats.Left + 5), FY(*frmHigh, HighLayout::Stats.Top + 5));
    });
    Key(Key::Function(7));
    ASSERT_FALSE(frmHigh->Visible());
    ASSERT_TRUE(frmStats->Visible());
    // The records' reset leaves the statistics alone.
    frmHigh->ImgResetClick();
    EXPECT_EQ(StoredStats(*this).Won, 1u);

    auto clickClear = [&] {
        const int x = FX(*frmStats, StatsLayout::Clear.Left + 10), y = FY(*frmStats, StatsLayout::Clear.Top + 10);
        platform.PointerMove(x, y);
        platform.Click(x, y);
    };
    clickClear();
    EXPECT_TRUE(frmStats->ClearArmed());
    platform.Advance(StatsLayout::ArmedMs + 100);  // no second press: the question goes
    EXPECT_FALSE(frmStats->ClearArmed());
    clickClear();
    EXPECT_EQ(StoredStats(*this).Won, 1u) << "one press clears nothing";
    clickClear();
    EXPECT_FALSE(frmStats->ClearArmed());
    EXPECT_EQ(StoredStats(*this).Played(), 0u) << "cleared, and stored at once";
    EXPECT_EQ(CurrentStatistics(), TStatistics{});
}

TEST_F(BoardTest, AStoredStatisticsValueTheGameCannotReadIsKeptAside) {
    // A damaged or later-version text is moved aside at the first store;
    // a value that is no text at all cannot be moved and is left alone
    // until the player clears.
    Stored("Stats", "2/1:5,0,0,0,9,99,5,5,5");
    Stored("StatsUnreadable", "an earlier one");
    Start();
    WinARecord(*this);
    const auto& store = *platform.StoreContents();
    ASSERT_NE(store.Find("Game", "StatsUnreadable2"), nullptr);
    EXPECT_EQ(*store.Find("Game", "StatsUnreadable2"), "2/1:5,0,0,0,9,99,5,5,5");
    EXPECT_EQ(*store.Find("Game", "StatsUnreadable"), "an earlier one");
    EXPECT_EQ(StoredStats(*this).Won, 1u);
    Stop();

    platform.StoreContents()->Values.clear();
    Stored("Stats", "1/3:1,0,0,0,1,5,1,1,1");
    platform.StoreContents()->Unreadable.insert({"game", "stats"});
    Start();
    WinARecord(*this);
    EXPECT_EQ(*store.Find("Game", "Stats"), "1/3:1,0,0,0,1,5,1,1,1") << "left alone";
    EXPECT_EQ(CurrentStatistics().Of[kFresh].Won, 1u) << "this run's game is still shown";
    EXPECT_TRUE(ClearStatistics());
    EXPECT_EQ(*store.Find("Game", "Stats"), "1");
}

TEST_F(BoardTest, AGameKeptAtTheEndingAndContinuedIsCountedOnceWhenItEnds) {
    Settings(5, 6, true);
    Start();
    PlayARow(*this);
    const std::string kept = KeepGame();
    ASSERT_FALSE(kept.empty());
    EndProgram(*app, GameAtEnding::Kept);  // the page hidden, then gone
    app.reset();
    Settings(4, 8, false);  // the kept game brings its own settings back
    Start(9, kept);
    ASSERT_EQ(BoardState.CurrentRow, 11);
    PlaceSecret();
    Act([&] { Key(Key::Space); });
    const TSettingStats s = StoredStats(*this, StatsEntry(5, 6, true));
    EXPECT_EQ(s.Played(), 1u);
    EXPECT_EQ(s.Won, 1u);
    EXPECT_EQ(s.ByRows[2], 1u);
    EXPECT_EQ(StoredStats(*this, StatsAllTogether), s);
}
