// The board played from the keyboard: digits type colours into the current
// row and Backspace takes the last one back, drawn as a drop is; F9 puts
// the engraved symbols on every ball and the choice outlives the run; the
// about and message windows let a keyboard player out.
#include "BoardFixture.h"
#include "game/Flow.h"
#include "game/StoredValues.h"
#include "windows/UAbout.h"

namespace {

// The 24 x 24 square of hole (p, r) as the screen shows it, at the
// drawing scale.
Bitmap HoleOn(const Bitmap& surface, int p, int r) {
    const int s = RunScale();
    const Rect at = board::HoleBall(p, r);
    Bitmap out(at.Width * s, at.Height * s);
    for (int y = 0; y < at.Height * s; ++y)
        for (int x = 0; x < at.Width * s; ++x) out.At(x, y) = surface.At(at.Left * s + x, at.Top * s + y);
    return out;
}
// The window's shape at the logical point.
bool ShapeHolds(const Region& shape, board::Point p) {
    return shape.Contains(p.X * RunScale(), p.Y * RunScale());
}
bool Same(const Bitmap& a, const Bitmap& b) { return a.Width == b.Width && a.Height == b.Height && a.Pixels == b.Pixels; }

}  // namespace

TEST_F(BoardTest, DigitsFillTheCurrentRowFromTheLeftAsDropsDo) {
    Settings(4, 8, false);
    Start();
    const Bitmap empty = HoleOn(Screen(), 2, 12);
    Key(Key::Digit(3));
    Key(Key::Digit(8));
    Key(Key::Digit(9));  // beyond the eight colours in play: ignored
    Key(Key::Digit(0));  // colour 10: ignored as well
    Key(Key::Digit(1));
    Key(Key::Digit(1));
    Key(Key::Digit(2));  // the row is full
    const TCode& row = BoardState.Guesses[12];
    EXPECT_EQ((std::array<int, 5>{row[1], row[2], row[3], row[4], row[5]}), (std::array<int, 5>{3, 8, 1, 1, 0}));
    EXPECT_TRUE(ScreenShowsBackBuffer());
    const Bitmap typed = HoleOn(Screen(), 2, 12);

    // A ball dropped with the mouse looks the same as a typed one.
    Key(Key::Backspace);
    Key(Key::Backspace);
    Key(Key::Backspace);
    EXPECT_EQ(row[1], 3);
    EXPECT_EQ(row[2], 0);
    EXPECT_TRUE(Same(HoleOn(Screen(), 2, 12), empty));
    EXPECT_TRUE(ScreenShowsBackBuffer());
    Drop(8, 2);
    EXPECT_TRUE(Same(HoleOn(Screen(), 2, 12), typed));
    // Backspace on an empty row does nothing.
    for (int i = 0; i < 3; ++i) Key(Key::Backspace);
    EXPECT_EQ(row, TCode{});
}

TEST_F(BoardTest, TypedRowsEvaluateAndTenColoursTakeTheZero) {
    Settings(5, 10, true);
    Start();
    for (int k : {0, 9, 1, 2, 0}) Key(Key::Digit(k));
    const TCode& row = BoardState.Guesses[12];
    EXPECT_EQ((std::array<int, 5>{row[1], row[2], row[3], row[4], row[5]}), (std::array<int, 5>{10, 9, 1, 2, 10}));
    EXPECT_EQ(Act([&] { Key(Key::Space); }), NoMessage);
    EXPECT_EQ(BoardState.CurrentRow, 11);
    // The next digits go into the new current row; the scored row keeps its balls.
    Key(Key::Digit(4));
    EXPECT_EQ(BoardState.Guesses[11][1], 4);
    Key(Key::Backspace);
    Key(Key::Backspace);
    EXPECT_EQ(row[5], 10);
}

TEST_F(BoardTest, AfterALossNoKeyPlacesABallAndAWonRowKeepsItsBalls) {
    Settings(4, 6, false);
    Start();
    // Lost: twelve wrong rows (the secret never repeats a colour, 1 1 1 1
    // can never win).
    for (int r = 12; r >= 1; --r) {
        for (int i = 0; i < 4; ++i) Key(Key::Digit(1));
        const int kind = Act([&] { Key(Key::Space); });
        EXPECT_EQ(kind, r == 1 ? int(mkLost) : NoMessage);
    }
    ASSERT_EQ(BoardState.CurrentRow, 0);
    const TBoardState before = BoardState;
    Key(Key::Backspace);
    Key(Key::Digit(2));
    EXPECT_EQ(BoardState.Guesses, before.Guesses);

    // Won, with see-through holes: the scored row gives no ball back, so
    // none of its holes opens, and a typed colour finds no empty hole.
    GameSettings.Holes = true;
    Key(Key::Function(2));
    const TCode secret = BoardState.SecretCode;
    for (int p = 1; p <= 4; ++p) Key(Key::Digit(secret[size_t(p)]));
    EXPECT_EQ(Message([&] { Key(Key::Space); }), mkHigh);
    const TCode won = BoardState.Guesses[12];
    const Bitmap shown = Screen();
    Key(Key::Backspace);
    Key(Key::Backspace);
    EXPECT_EQ(BoardState.Guesses[12], won);
    Key(Key::Digit(5));
    EXPECT_EQ(BoardState.Guesses[12], won);
    for (int p = 1; p <= 4; ++p) EXPECT_TRUE(ShapeHolds(*Rec(Main()).Shape(), board::HoleCentre(p, 12))) << p;
    EXPECT_TRUE(Screen().Pixels == shown.Pixels);
    EXPECT_EQ(Message([&] { Key(Key::Space); }), mkStart);
}

TEST_F(BoardTest, TypedBallsCloseTheirSeeThroughHoleAndBackspaceOpensIt) {
    Stored("Holes", "1");
    Start();
    const board::Point hole = board::HoleCentre(1, 12);
    ASSERT_FALSE(ShapeHolds(*Rec(Main()).Shape(), hole));
    Key(Key::Digit(2));
    EXPECT_TRUE(ShapeHolds(*Rec(Main()).Shape(), hole));
    Key(Key::Backspace);
    EXPECT_FALSE(ShapeHolds(*Rec(Main()).Shape(), hole));
}

TEST_F(BoardTest, TheTimerAndCombinationsWindowsPassTheTypingKeysOn) {
    Stored("ViewTimer", "1");
    Stored("ViewCombs", "1");
    Start();
    platform.KeyPressTo(frmTimer->PlatformWindow(), Key::Digit(4));
    platform.KeyPressTo(frmCombs->PlatformWindow(), Key::Digit(6));
    platform.KeyPressTo(frmCombs->PlatformWindow(), Key::Backspace);
    EXPECT_EQ(BoardState.Guesses[12][1], 4);
    EXPECT_EQ(BoardState.Guesses[12][2], 0);
}

TEST_F(BoardTest, F9EngravesEveryBallAtOnceAndTheChoiceIsStored) {
    Settings(4, 8, false);
    Start();
    EXPECT_FALSE(GameSettings.Symbols);  // nothing stored: off
    Key(Key::Digit(3));
    const Bitmap plainHole = HoleOn(Screen(), 1, 12);
    const board::Point column = board::ColorCentre(3);
    const uint32_t plainColumn = Screen().At(column.X * S, column.Y * S);
    BoardState.ColorMarks[3] = MarkCross;  // a note over the ball stays
    Click(board::ColorCentre(3), MouseButton::Left, Modifier::Ctrl);  // cycles it on to a ring

    Key(Key::Function(9));
    EXPECT_TRUE(GameSettings.Symbols);
    EXPECT_TRUE(ScreenShowsBackBuffer());
    EXPECT_FALSE(Same(HoleOn(Screen(), 1, 12), plainHole));
    EXPECT_NE(Screen().At(column.X * S, column.Y * S), plainColumn);
    EXPECT_EQ(BoardState.ColorMarks[3], MarkRing);
    Key(Key::Function(9));
    EXPECT_FALSE(GameSettings.Symbols);
    EXPECT_EQ(Screen().At(column.X * S, column.Y * S), plainColumn);
    Key(Key::Function(9));
    Click(board::Buttons[cmdExit].Centre);
    Stop();
    EXPECT_EQ(*platform.StoreContents()->Find("Game", "Symbols"), "1");

    // The next run starts with them on.
    Start();
    EXPECT_TRUE(GameSettings.Symbols);
    Key(Key::Digit(3));
    EXPECT_FALSE(Same(HoleOn(Screen(), 1, 12), plainHole));
}

TEST_F(BoardTest, EscapeLetsAKeyboardPlayerOutOfTheAboutAndMessageWindows) {
    Start();
    Answer(Key::Escape);
    Main().DoCommand(cmdAbout);
    EXPECT_FALSE(frmAbout->Visible());
    EXPECT_EQ(platform.PendingSteps(), 0);
    Answer(Key::Enter);
    Main().DoCommand(cmdAbout);
    EXPECT_FALSE(frmAbout->Visible());
    // Space still evaluates nothing while a message is up: Escape closes it.
    Answer(Key::Escape);
    Key(Key::Space);  // the row is empty: "fill all the spaces"
    EXPECT_FALSE(frmMessage->Visible());
    EXPECT_EQ(BoardState.CurrentRow, 12);
}

// ---- the help tells what the program does --------------------------------------

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "game/ColourNames.h"
#include "game/Solver.h"
#include "platform/StoreNames.h"
#include "platform/web/StorageKeys.h"

namespace {

std::string HelpDocument() {
    std::ifstream in(std::string(QUORVEX_SOURCE_DIR) + "/resources/help/QuorVex.html");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The part of the help from the heading with `id` to the next heading,
// in lower case.
std::string HelpSection(const std::string& id) {
    const std::string help = HelpDocument();
    const size_t start = help.find("id=\"" + id + "\"");
    if (start == std::string::npos) return {};
    const size_t end = help.find("<h2", start);
    std::string section = help.substr(start, end == std::string::npos ? std::string::npos : end - start);
    for (char& c : section) c = char(std::tolower(static_cast<unsigned char>(c)));
    return section;
}

}  // namespace

TEST(BoardCommands, TheHelpsKeyTableListsExactlyTheCommandKeys) {
    // The keys the help's table names in its first column, alone or with Alt.
    const std::string keys = HelpSection("keys");
    ASSERT_FALSE(keys.empty());
    std::set<std::string> listed;
    const std::regex row("<tr><td>((?:<kbd>[^<]+</kbd>\\+?)+)</td>");
    for (auto it = std::sregex_iterator(keys.begin(), keys.end(), row); it != std::sregex_iterator(); ++it) {
        const std::string cell = std::regex_replace((*it)[1].str(), std::regex("</?kbd>"), "");
        if (cell.find('f') != std::string::npos || cell == "space") listed.insert(cell);
    }
    // The command table's keys, and Alt+F4, which every window takes as a
    // close request.
    std::set<std::string> commands{"alt+f4"};
    for (const BoardCommand& c : TfrmMain::Commands()) {
        if (c.Key == Key::Space) commands.insert("space");
        if (c.Key >= Key::F1 && c.Key <= Key::F12) commands.insert("f" + std::to_string(c.Key - Key::F1 + 1));
    }
    EXPECT_EQ(listed, commands);
}

TEST_F(BoardTest, TheHelpNamesEveryValueTheGameStoresOnEveryHomeAndSaysItIsKeptHoweverTheGameEnds) {
    Start();
    Key(Key::Function(11));
    Key(Key::Function(10));
    Key(Key::Function(3));  // a game under way, given up at the end: the statistics are stored too
    platform.EndSession();
    Stop();
    // The desktops' section names values as they are; the browser's as the
    // page stores them. Names are case-folded; places are named as a range.
    const std::string data = HelpSection("data"), browser = HelpSection("browser");
    ASSERT_FALSE(browser.empty());
    auto isPlace = [](const std::string& name) { return name.ends_with("left") || name.ends_with("top"); };
    for (const auto& [key, value] : platform.StoreContents()->Values) {
        if (isPlace(key.second)) continue;
        EXPECT_NE(data.find("<code>" + key.second + "</code>"), std::string::npos)
            << key.second << " is stored but the help does not name it";
        const std::string web = FoldCase(LocalStorageKey(key.first, key.second));
        EXPECT_NE(browser.find("<code>" + web + "</code>"), std::string::npos)
            << web << " is stored but the help's browser section does not name it";
    }
    // And every value of the table, stored in this session or not.
    for (const StoredValue& row : StoredValues) {
        std::string name(row.Name);
        for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(data.find("<code>" + name + "</code>"), std::string::npos) << row.Name << " is not in the help";
    }
    EXPECT_NE(data.find("however the game ends"), std::string::npos);
    EXPECT_EQ(data.find("keeps only the places"), std::string::npos);
    for (const char* pageOwn : {KeptGamePrefix, TabIdKey})
        EXPECT_NE(browser.find("<code>" + FoldCase(pageOwn) + "</code>"), std::string::npos) << pageOwn;
    for (const char* told : {"reload", "closing the tab", "private window", "exit"})
        EXPECT_NE(browser.find(told), std::string::npos) << told;
}

TEST_F(BoardTest, AScreenReaderHearsEachRowTheCountAndTheMessagesInTheHelpsColourNames) {
    Start();
    ASSERT_FALSE(platform.Announced().empty());
    EXPECT_EQ(platform.Announced().back(), "1680 codes possible.");
    // Typed colours, a taken-back one, an evaluated row and the new count.
    for (int k : {1, 2, 3, 3}) Key(Key::Digit(k));
    EXPECT_EQ(platform.Announced().back(), "Hole 4: green.");
    Key(Key::Backspace);
    EXPECT_EQ(platform.Announced().back(), "Hole 4 emptied.");
    Answer();
    Key(Key::Space);
    EXPECT_EQ(platform.Announced().back(), "You must fill all the spaces before evaluation.");
    Key(Key::Digit(4));
    const size_t before = platform.Announced().size();
    Key(Key::Space);
    const TRowScore score = BoardState.RowScores[12];
    ASSERT_GE(platform.Announced().size(), before + 2);
    EXPECT_EQ(platform.Announced()[before], "Guess 1: red, yellow, green, blue. " + std::to_string(score.RedCount) +
                                                 (score.RedCount == 1 ? " red peg, " : " red pegs, ") +
                                                 std::to_string(score.WhiteCount) +
                                                 (score.WhiteCount == 1 ? " white peg." : " white pegs."));
    if (BoardState.GameActive)
        EXPECT_EQ(platform.Announced().back(), std::to_string(CandidateCount) + " codes possible.");
    // Every colour name is the help's.
    const std::string colours = HelpSection("colours");
    size_t at = 0;
    for (size_t c = 0; c < ColourNames.size(); ++c) {
        const std::string named = "<kbd>" + std::to_string((c + 1) % 10) + "</kbd> " + ColourNames[c];
        at = colours.find(named, at);
        EXPECT_NE(at, std::string::npos) << named;
    }
}
