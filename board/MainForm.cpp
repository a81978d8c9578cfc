// MainForm: the board window's life cycle, game flow, drawing calls and
// mouse handling.
#include "board/MainForm.h"

#include <string>
#include <utility>

#include <array>
#include <cstdlib>
#include <initializer_list>

#include "board/BoardPlace.h"
#include "game/Flow.h"
#include "game/GameState.h"
#include "game/ColourNames.h"
#include "game/KeptGame.h"
#include "game/Narration.h"
#include "game/Solver.h"
#include "game/Random.h"
#include "game/Settings.h"
#include "game/Store.h"
#include "resources/ScaledPicture.h"
#include "util/Blit.h"
#include "util/Cursor.h"
#include "util/HelpFile.h"
#include "util/Scale.h"
#include "windows/UAbout.h"
#include "windows/UCombs.h"
#include "windows/UHigh.h"
#include "windows/MessageLayout.h"
#include "windows/UMessage.h"
#include "windows/UOptions.h"
#include "windows/UStats.h"
#include "windows/SidePlacement.h"
#include "windows/UTimer.h"

TfrmMain* frmMain = nullptr;

namespace {
constexpr const char* DepthWarning = "QuorVex needs 16-bit or True-color graphic modes to run properly!";

// Where the player finds the help by hand: the document shipped is the
// HTML file of the help file's name, beside the program (installed on
// Linux, in share/doc/quorvex).
std::string HelpNotOpened(const std::string& helpFile) {
    return "The help could not be opened. It is the file " + HtmlHelpFor(helpFile) +
           " (where QuorVex is installed, in share/doc/quorvex); open it with a web browser.";
}
}

TfrmMain::TfrmMain(Application& app)
    : Form(app, board::DesignWidth, board::DesignHeight), renderer_(app.Pictures()), place_("Main") {
    frmMain = this;
    SetCaption("Quor Vex the Ultimate Game");
}

TfrmMain::~TfrmMain() {
    if (frmMain == this) frmMain = nullptr;
}

// ---- life cycle --------------------------------------------------------------

void TfrmMain::OnCreate() {
    Platform& system = App().System();
    if (system.ScreenBitsPerPixel() < 16) App().ShowMessage(DepthWarning);
    SeedRandomFromClock();
    movingWindow_ = false;
    LoadSettings();
    if (!place_.Restore(*this)) {
        const Rect fallback = DefaultBoardPlace(App().Scale(), App().System().WorkArea());
        MoveToScreen(fallback.Left, fallback.Top);
    }
    dragColor_ = 0;
    DefineClosedHand();
    App().HelpFile = App().AppDir() + "QuorVex.hlp";
}

void TfrmMain::DefineClosedHand() {
    if (auto cursor = ClosedHandAt(App().Scale())) App().System().DefineCursor(CursorKind::ClosedHand, *cursor);
}

void TfrmMain::CycleScale() {
    // 1, 2, 3 and round again, passing over the sizes the board would not
    // fit the screen at; the player's choice is kept for the next start,
    // over what the desktop asks for. A press that changes nothing (no
    // larger board fits) chooses nothing either: the desktop's density
    // still decides, so a larger screen later is not ignored.
    const int next = NextFittingScale(App().Scale(), App().System().WorkArea());
    if (next == App().Scale()) return;
    WindowPositions.StoreScale(next);
    App().SetScale(next);
}

void TfrmMain::OnScaleWanted(int scale) {
    // The desktop's density decides only while the player chose no scale.
    if (WindowPositions.StoredScale() == 0) App().SetScale(LargestFittingScale(scale, App().System().WorkArea()));
}

void TfrmMain::OnScaleChanged() {
    renderer_.Rescale();
    RedrawBoard();
    ShapeWindow();
    DefineClosedHand();
}

void TfrmMain::OnShow() {
    SetSize(board::WindowWidth, board::WindowHeight);
    // The side windows' first place is beside the board at its final size.
    PlaceSideWindowsBeside(Rect{Left(), Top(), Width(), Height()});
    ShapeWindow();
    UnlightButton(cmdNew);
    RedrawBoard();
    if (!ResumeGame()) DoCommand(cmdNew);
}

// Every way the board closes (the exit button, the window's close button,
// Alt+F4, the session ending) passes here before the side windows go.
bool TfrmMain::OnCloseQuery() {
    StoreOnEnding();
    return true;
}

void TfrmMain::OnClose() { ClearShape(); }

void TfrmMain::OnDestroy() { StoreBoardPlace(); }

// Stored as the game ends and again as the window goes.
void TfrmMain::StoreBoardPlace() { place_.Store(*this); }

bool TfrmMain::StoreAll() {
    SetViews(frmTimer && frmTimer->Visible(), frmCombs && frmCombs->Visible());
    // The places too, now: at a session's end the system may end the
    // process before any window is destroyed.
    StorePlaces();
    return SaveSettings();
}

void TfrmMain::StorePlaces() {
    StoreBoardPlace();
    for (TSkinnedForm* side : std::initializer_list<TSkinnedForm*>{frmTimer, frmCombs, frmOptions, frmHigh, frmAbout,
                                                                    frmMessage, frmStats})
        if (side) side->StorePlace();
}

void TfrmMain::OnMouseLeave() {
    for (int i = 0; i < int(buttonLit_.size()); ++i)
        if (buttonLit_[size_t(i)]) UnlightButton(i);
}

void TfrmMain::OnCaptureLost() {
    // A modal window opened while a press on the board was held: a carried
    // ball goes back with nothing changed, a window move ends, and the
    // pressed button's command never runs.
    movingWindow_ = false;
    pressedButton_ = -1;
    if (dragColor_ != 0) EndCarry();
}

void TfrmMain::EndCarry() {
    dragColor_ = 0;
    App().SetCursor(CursorKind::Default);
    App().System().CarryEnded();
}

// ---- commands ----------------------------------------------------------------

// Every command with its key, its button and its action: the one place a
// command is written.
struct CommandTable {
    static constexpr std::array<BoardCommand, 14> Rows{{
        {cmdEval, Key::Space, true, &TfrmMain::Evaluate},
        {cmdNew, Key::Function(2), true, &TfrmMain::NewGame},
        {cmdOptions, Key::Function(5), true, &TfrmMain::ShowOptions},
        {cmdHint, Key::Function(6), true, &TfrmMain::Hint},
        {cmdHigh, Key::Function(7), true, &TfrmMain::ShowRecords},
        {cmdAbout, 0, true, &TfrmMain::ShowAbout},
        {cmdHelp, Key::Function(1), true, &TfrmMain::ShowHelp},
        {cmdExit, 0, true, &TfrmMain::Exit},
        {cmdTimer, Key::Function(11), true, &TfrmMain::ToggleTimer},
        {cmdCombs, Key::Function(12), true, &TfrmMain::ToggleCombs},
        {cmdOpening, Key::Function(3), false, &TfrmMain::PlayOpening},
        {cmdSymbols, Key::Function(9), false, &TfrmMain::ToggleSymbols},
        {cmdScale, Key::Function(10), false, &TfrmMain::CycleScale},
        {cmdStats, Key::Function(8), false, &TfrmMain::ToggleStats},
    }};
};

namespace {
constexpr bool TableInCodeOrderWithButtonsOnTheBoard() {
    for (size_t i = 0; i < CommandTable::Rows.size(); ++i) {
        const BoardCommand& c = CommandTable::Rows[i];
        if (c.Code != i || (c.Button && c.Code >= board::Buttons.size())) return false;
    }
    return true;
}
static_assert(TableInCodeOrderWithButtonsOnTheBoard(), "a command's row is its code, and a button is on the board");
}  // namespace

std::span<const BoardCommand> TfrmMain::Commands() { return CommandTable::Rows; }

void TfrmMain::DoCommand(uint8_t command) {
    if (command < CommandTable::Rows.size()) (this->*CommandTable::Rows[command].Action)();
}

void TfrmMain::ShowOptions() {
    if (frmOptions && frmOptions->ShowModal() == mrOk) DoCommand(cmdNew);
}

void TfrmMain::ShowRecords() {
    if (frmHigh && frmHigh->ShowModal() == mrStatistics) ShowStats();
}

void TfrmMain::ToggleStats() {
    if (!frmStats) return;
    if (frmStats->Visible())
        frmStats->Hide();
    else
        ShowStats();
}

void TfrmMain::ShowStats() {
    if (!frmStats) return;
    frmStats->Show();
    frmStats->BringToFront();
}

void TfrmMain::ShowAbout() {
    if (frmAbout) frmAbout->ShowModal();
}

void TfrmMain::ShowHelp() {
    if (!App().OpenHelpContents()) App().ShowMessage(HelpNotOpened(App().HelpFile));
}

void TfrmMain::ToggleTimer() {
    if (frmTimer) ToggleView(1, *frmTimer);
}

void TfrmMain::ToggleCombs() {
    if (frmCombs) ToggleView(2, *frmCombs);
}

void TfrmMain::PlayOpening() {
    DoCommand(cmdNew);
    DoCommand(cmdHint);
    DoCommand(cmdEval);
}

void TfrmMain::Say(const std::string& words) { App().System().Announce(words); }

void TfrmMain::SayCount() {
    if (CandidateCount == saidCount_) return;
    saidCount_ = CandidateCount;
    Say(CountWords(CandidateCount));
}

void TfrmMain::ShowMessageKind(uint8_t kind) {
    if (!frmMessage) return;
    if (kind < std::size(MessageLayout::Messages)) {
        const MessageLayout::Words& w = MessageLayout::Messages[kind];
        std::string words = w.Heading;
        for (const char* line : w.Lines)
            if (*line) words += (words.empty() ? "" : " ") + std::string(line);
        Say(words);
    }
    frmMessage->MessageKind = kind;
    frmMessage->ShowModal();
}

namespace {

// The message picture for a refused evaluation or the end of a game (a row
// that simply moves on shows none).
uint8_t MessageFor(RowEnd end) {
    switch (end) {
        case RowEnd::NoGame: return mkStart;
        case RowEnd::RowNotFull: return mkFill;
        case RowEnd::NewRecord: return mkHigh;
        case RowEnd::Lost: return mkLost;
        case RowEnd::Won:
        case RowEnd::NextRow: break;
    }
    return mkWin;
}

}  // namespace

void TfrmMain::Evaluate() {
    const RowEvaluation result = EvaluateRow();
    if (!result.Scored()) return ShowMessageKind(MessageFor(result.End));
    for (uint8_t k = 1; k <= GameSettings.Spaces; ++k) DrawPeg(result.Row, k);
    Say(RowWords(result.Row));
    if (frmTimer && result.StopsTimer()) frmTimer->Timer.SetEnabled(false);
    if (result.RecordEntered()) {
        if (frmTimer) frmTimer->DrawRecord();
        SaveRecords();  // at once: a crash after a win keeps it
    }
    if (result.GameOver()) {
        RestoreNoteSquares();
        GameChanged();  // before the message: nothing is left to keep
        // Counted as the game ended: shown before the message.
        if (frmStats) frmStats->Refresh();
        ShowMessageKind(MessageFor(result.End));
    }
    if (frmCombs) frmCombs->DrawCount();
    if (!result.GameOver()) SayCount();
}

void TfrmMain::NewGame() {
    StartGame();  // a game under way is given up
    if (frmStats) frmStats->Refresh();
    RestoreNoteSquares();
    RedrawBoard();
    if (frmCombs) frmCombs->DrawCount();
    // The game's own first tick: every game counts from 1.
    if (frmTimer) {
        frmTimer->TimerTimer();
        frmTimer->Timer.SetEnabled(true);
    }
    if (GameSettings.Holes) ShapeWindow();
    PBoxPaint();
    Say(NewGameWords());
    saidCount_ = -1;
    SayCount();
    GameChanged();
}

bool TfrmMain::ResumeGame() {
    const std::string kept = std::exchange(toContinue_, std::string());
    if (kept.empty() || !ContinueGame(kept)) return false;
    RedrawBoard();
    if (frmCombs) frmCombs->DrawCount();
    // The seconds go on from where the game was left; the record shown is
    // that of the game's settings.
    if (frmTimer) {
        frmTimer->DrawElapsed();
        frmTimer->DrawRecord();
        frmTimer->Timer.SetEnabled(true);
    }
    if (GameSettings.Holes) ShapeWindow();
    PBoxPaint();
    return true;
}

void TfrmMain::Hint() {
    if (!PlaceHint()) return ShowMessageKind(mkStart);
    RedrawBoard();
    if (GameSettings.Holes) ShapeWindow();
    PBoxPaint();
    std::string words = "Hint:";
    for (int p = 1; p <= GameSettings.Spaces; ++p)
        words += std::string(p == 1 ? " " : ", ") + ColourName(BoardState.Guesses[BoardState.CurrentRow][size_t(p)]);
    Say(words + ".");
}

void TfrmMain::Exit() { Close(); }

bool TfrmMain::StoreOnEnding(GameAtEnding game) {
    if (endingStored_) return true;
    endingStored_ = true;
    if (game == GameAtEnding::GivenUp) GiveUpGameOnEnding();
    // Taken while the side windows still show: nothing has hidden them yet.
    if (StoreAll()) return true;
    // Losing the options and records without a word would be worse than a
    // message at the door (told without a box when the session is ending).
    const std::string where = OpenStore()->Location();
    App().ShowMessage("Your options and records could not be saved to " +
                      (where.empty() ? std::string("the settings store") : where) +
                      ". They are lost when QuorVex closes.");
    return false;
}

void TfrmMain::ToggleView(uint8_t toggle, Form& window) {
    ::ToggleView(toggle);
    DrawToggle(toggle);
    if (window.Visible()) {
        window.Hide();
    } else {
        window.Show();
        window.BringToFront();
    }
}

void TfrmMain::FormKeyDown(int key, unsigned /*modifiers*/) {
    if (key == Key::Backspace) {
        if (const uint8_t p = TakeBackLast()) {
            ShowHole(0, BoardState.CurrentRow, p);
            Say(HoleWords(0, p));
        }
    } else if (Key::IsDigit(key)) {
        // 1..9 are colours 1..9, 0 is colour 10.
        const auto colour = static_cast<uint8_t>(key == Key::Digit(0) ? 10 : key - Key::Digit(0));
        if (const uint8_t p = TypeColour(colour)) {
            ShowHole(colour, BoardState.CurrentRow, p);
            Say(HoleWords(colour, p));
        }
    } else {
        for (const BoardCommand& c : CommandTable::Rows)
            if (c.Key != 0 && c.Key == key) return DoCommand(c.Code);
    }
}

void TfrmMain::ToggleSymbols() {
    // Every ball changes its look, the colour column's included: the whole
    // board is composed again.
    ::ToggleSymbols();
    RedrawBoard();
    PBoxPaint();
}

void TfrmMain::PBoxDblClick() {
    if (!backgroundHit_) return;
    ToggleHoles();
    ShapeWindow();
}

// ---- drawing -----------------------------------------------------------------

void TfrmMain::RedrawBoard() {
    renderer_.RedrawBoard();
    // The note squares also go onto the screen at once.
    if (!Visible()) return;
    for (uint8_t c = 1; c <= GameSettings.Colors; ++c) ToScreen(renderer_.DrawColorMark(Canvas(), c));
}

void TfrmMain::OnPaint() {
    BlitPicture(Canvas(), 0, 0, renderer_.BackBuffer);
    // The toggles are not lit again by a repaint: they have no light.
    for (int i = 0; i <= cmdExit; ++i)
        if (buttonLit_[size_t(i)]) renderer_.DrawLight(Canvas(), i);
}

void TfrmMain::PBoxPaint() { Repaint(); }

void TfrmMain::ShapeWindow() { SetShape(BoardRenderer::BuildShape(App().Scale())); }

void TfrmMain::ShowHole(uint8_t colour, uint8_t row, uint8_t position) {
    if (colour != 0)
        DrawPiece([&](Bitmap& on) { return renderer_.DrawBall(on, colour, row, position); });
    else
        DrawPiece([&](Bitmap& on) { return renderer_.ClearBall(on, row, position); });
    if (GameSettings.Holes) ShapeWindow();
}

void TfrmMain::DrawPeg(uint8_t row, uint8_t slot) {
    DrawPiece([&](Bitmap& on) { return renderer_.DrawPeg(on, row, slot); });
}

void TfrmMain::DrawColorMark(uint8_t colour) {
    DrawPiece([&](Bitmap& on) { return renderer_.DrawColorMark(on, colour); });
}

void TfrmMain::CycleColorMark(uint8_t colour) {
    CycleNoteMark(colour);
    DrawColorMark(colour);
}

void TfrmMain::RestoreNoteSquares() {
    for (uint8_t c = 1; c <= GameSettings.Colors; ++c)
        DrawPiece([&](Bitmap& on) { return renderer_.RestoreNoteSquare(on, c); });
}

void TfrmMain::DrawToggle(uint8_t toggle) {
    DrawPiece([&](Bitmap& on) { return renderer_.DrawToggle(on, toggle); });
}

void TfrmMain::LightButton(int index) {
    buttonLit_[size_t(index)] = true;
    if (!Visible()) return;
    for (const Rect& r : renderer_.DrawLight(Canvas(), index)) ToScreen(r);
}

void TfrmMain::UnlightButton(int index) {
    buttonLit_[size_t(index)] = false;
    if (!Visible()) return;
    for (const Rect& r : renderer_.RestoreLight(Canvas(), index)) ToScreen(r);
}

// ---- mouse -------------------------------------------------------------------

void TfrmMain::PBoxMouseDown(const MouseEvent& e) {
    const TGameSettings& s = GameSettings;
    const TBoardState& b = BoardState;
    // Another button pressed during a carry ends it, closed hand included.
    if (dragColor_ != 0) EndCarry();
    pressedButton_ = -1;
    backgroundHit_ = false;

    dragColor_ = static_cast<uint8_t>(board::ColorAt(e.X, e.Y, s.Colors));
    const bool colourPressed = dragColor_ != 0;
    board::HoleHit pressedHole{};
    if (dragColor_ == 0) {
        // A ball in any hole lends its colour; the hole keeps its ball.
        if (const board::HoleHit hole = board::HoleAt(e.X, e.Y, s.Spaces)) {
            pressedHole = hole;
            dragColor_ = b.Guesses[size_t(hole.Row)][size_t(hole.Position)];
        }
    }
    // A finger on a colour of the column may be a tap or a long press,
    // told apart when it lets go.
    fingerOnColour_.reset();
    if (e.Touch && colourPressed && e.Button == MouseButton::Left)
        fingerOnColour_ = FingerPress{e.TimeMs, e.X, e.Y};
    if (dragColor_ == 0) pressedButton_ = board::ButtonAt(e.X, e.Y);
    backgroundHit_ = dragColor_ == 0 && pressedButton_ == -1;

    switch (e.Button) {
        case MouseButton::Left:
            if (dragColor_ != 0 && (e.Modifiers & Modifier::Ctrl)) {
                if (dragColor_ <= s.Colors) CycleColorMark(dragColor_);
            } else if (dragColor_ != 0) {
                App().SetCursor(CursorKind::ClosedHand);
                const int k = App().Scale();
                const Rect ball = colourPressed ? board::ColumnBall(dragColor_) : board::HoleBall(pressedHole.Position, pressedHole.Row);
                App().System().CarryStarted(PlatformWindow(), Rect{ball.Left * k, ball.Top * k, ball.Width * k, ball.Height * k});
            } else if (pressedButton_ == -1) {
                movingWindow_ = true;
                grabX_ = e.X;
                grabY_ = e.Y;
                CaptureMouse();
            }
            break;
        case MouseButton::Right:
            if (dragColor_ != 0) QuickFill(dragColor_);
            RedrawBoard();
            if (s.Holes) ShapeWindow();
            PBoxPaint();
            break;
        case MouseButton::Middle: break;
    }
}

void TfrmMain::FollowWithSideWindow(Form& window, int dx, int dy) {
    if (!window.Visible()) return;
    const Rect screen = App().LogicalScreen();
    const int left = window.Left() + dx, top = window.Top() + dy;
    // Each axis is held back at the screen's edge on its own, so the window
    // slides along an edge while the board goes on.
    const bool across = left >= 0 && left + window.Width() <= screen.Width;
    const bool down = top >= 0 && top + window.Height() <= screen.Height;
    window.MoveBy(across ? dx : 0, down ? dy : 0);
}

void TfrmMain::PBoxMouseMove(const MouseEvent& e) {
    if (movingWindow_) {
        const int dx = e.X - grabX_, dy = e.Y - grabY_;
        MoveBy(dx, dy);
        if (frmTimer) FollowWithSideWindow(*frmTimer, dx, dy);
        if (frmCombs) FollowWithSideWindow(*frmCombs, dx, dy);
        if (frmStats) FollowWithSideWindow(*frmStats, dx, dy);
        return;
    }
    // Lights go out before others come on: captions share one strip, and a
    // fast pointer can jump from one button straight onto another.
    const int hit = board::ButtonAt(e.X, e.Y);
    for (int i = 0; i < int(board::Buttons.size()); ++i)
        if (i != hit && buttonLit_[size_t(i)]) UnlightButton(i);
    if (hit != -1 && !buttonLit_[size_t(hit)]) LightButton(hit);
}

void TfrmMain::PBoxMouseUp(const MouseEvent& e) {
    if (e.Button != MouseButton::Left) return;
    movingWindow_ = false;
    ReleaseMouse();
    const std::optional<FingerPress> finger = std::exchange(fingerOnColour_, std::nullopt);
    if (finger && dragColor_ != 0 && e.Touch && std::abs(e.X - finger->X) <= board::TapSlop &&
        std::abs(e.Y - finger->Y) <= board::TapSlop) {
        // A finger that tapped a colour puts it into the first empty hole,
        // as a right click does; one held on it cycles its note, as Ctrl
        // with a click does.
        const uint8_t colour = dragColor_;
        EndCarry();
        if (e.TimeMs - finger->At >= board::LongPressMs) {
            if (colour <= GameSettings.Colors) CycleColorMark(colour);
        } else if (const uint8_t p = QuickFill(colour)) {
            ShowHole(colour, BoardState.CurrentRow, p);
        }
        return;
    }
    if (dragColor_ != 0) {
        const uint8_t colour = dragColor_;
        EndCarry();
        const board::HoleHit hole = board::HoleAt(e.X, e.Y, GameSettings.Spaces);
        const auto row = static_cast<uint8_t>(hole.Row), position = static_cast<uint8_t>(hole.Position);
        if (hole && DropBall(colour, row, position)) ShowHole(colour, row, position);
    }
    const int released = board::ButtonAt(e.X, e.Y);
    if (released != -1 && released == pressedButton_) {
        DoCommand(static_cast<uint8_t>(released));
        // The command may have ended the program; the window is still ours
        // until the application destroys it.
        UnlightButton(released);
        pressedButton_ = -1;
    }
}
