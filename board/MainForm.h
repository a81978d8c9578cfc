// MainForm: the board window, TfrmMain. It owns the back buffer (through
// its renderer), runs every game command through DoCommand, maps the keys
// to commands, and turns the mouse on the board into drags, drops, fills,
// note marks, button presses and window moves. Drawing steps live in the
// renderer and every coordinate in the geometry table; this file decides
// what happens when.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <optional>
#include <span>

#include "board/BoardRenderer.h"
#include "forms/Form.h"
#include "forms/StoredPlace.h"
#include "game/Flow.h"

// The command codes; a board button's index is its command (0..9). The
// commands above have a key and no button.
enum : uint8_t {
    cmdEval = 0,
    cmdNew = 1,
    cmdOptions = 2,
    cmdHint = 3,
    cmdHigh = 4,
    cmdAbout = 5,
    cmdHelp = 6,
    cmdExit = 7,
    cmdTimer = 8,
    cmdCombs = 9,
    cmdOpening = 10,  // a new game with the opening row played at once
    cmdSymbols = 11,
    cmdScale = 12,
    cmdStats = 13,  // the statistics window shown or hidden
};

class TfrmMain;

// One command: its code, the keys that run it (0: none), whether the board
// has a button for it (at board::Buttons[Code]) and what it does. The
// table of every command is TfrmMain::Commands(); the keys, the buttons
// and DoCommand all read it, and adding a command is adding a row.
struct BoardCommand {
    uint8_t Code;
    int Key;
    bool Button;
    void (TfrmMain::*Action)();
};

class TfrmMain : public Form {
public:
    explicit TfrmMain(Application& app);
    ~TfrmMain() override;

    // The one entry point of every game command; codes of no command do
    // nothing.
    void DoCommand(uint8_t command);
    // Every command, in code order.
    static std::span<const BoardCommand> Commands();
    void FormKeyDown(int key, unsigned modifiers);
    // Stores the options and records as the program ends, once whichever
    // ending comes first (the exit button, a close request, the main loop
    // ending for another reason); says so when they could not be stored.
    // False when the store refused them. First the game in progress is
    // given up (GiveUpGameOnEnding), unless `game` says the ending keeps it
    // to be continued: then it is not counted now, only when it really ends.
    bool StoreOnEnding(GameAtEnding game = GameAtEnding::GivenUp);
    // Stores everything the player keeps as it stands now: the view
    // switches as the windows show, every window's place, the options and
    // the records. False when the store refused.
    bool StoreAll();
    // Stores where the board and every side window stand.
    void StorePlaces();
    // A kept game (KeptGame.h) to go on with when the board is first shown,
    // instead of a new one; a text that cannot be continued starts a new
    // game as usual.
    void ContinueAtShow(std::string keptGame) { toContinue_ = std::move(keptGame); }
    // Told whenever a game starts, ends or is given up, for a home that
    // keeps the game in progress (it may have nothing left to keep).
    void SetOnGameChanged(std::function<void()> changed) { onGameChanged_ = std::move(changed); }

    // The whole board: composed into the back buffer, the window's shape
    // cut from it, and the back buffer shown.
    void RedrawBoard();
    void PBoxPaint();
    void ShapeWindow();

    const Bitmap& BackBuffer() const { return renderer_.BackBuffer; }
    bool ButtonLit(int index) const { return buttonLit_[size_t(index)]; }
    uint8_t DragColor() const { return dragColor_; }
    bool MovingWindow() const { return movingWindow_; }
    bool BackgroundHit() const { return backgroundHit_; }
    int PressedButton() const { return pressedButton_; }

protected:
    void OnCreate() override;   // FormCreate
    void OnShow() override;     // FormShow
    bool OnCloseQuery() override;  // FormCloseQuery
    void OnClose() override;    // FormClose
    void OnDestroy() override;  // FormDestroy
    void OnPaint() override;
    void OnKeyDown(int key, unsigned modifiers) override { FormKeyDown(key, modifiers); }
    void OnMouseDown(const MouseEvent& e) override { PBoxMouseDown(e); }
    void OnMouseMove(const MouseEvent& e) override { PBoxMouseMove(e); }
    void OnMouseUp(const MouseEvent& e) override { PBoxMouseUp(e); }
    void OnDblClick() override { PBoxDblClick(); }
    void OnMouseLeave() override;
    void OnCaptureLost() override;
    void OnScaleChanged() override;
    void OnScaleWanted(int scale) override;

private:
    void PBoxMouseDown(const MouseEvent& e);
    void PBoxMouseMove(const MouseEvent& e);
    void PBoxMouseUp(const MouseEvent& e);
    void PBoxDblClick();

    // A small change of the board: `draw` (a renderer step that draws one
    // piece onto the bitmap it is given and returns the rectangle it drew)
    // is run into the back buffer, then onto the screen while the window
    // shows. A hidden window's screen is left alone: showing it composes
    // it whole from the back buffer.
    template <typename Draw>
    void DrawPiece(const Draw& draw) {
        draw(renderer_.BackBuffer);
        if (Visible()) ToScreen(draw(Canvas()));
    }
    // A ball put into (or taken out of, colour 0) a hole of the current
    // row: buffer, screen and, with see-through holes, the shape.
    void ShowHole(uint8_t colour, uint8_t row, uint8_t position);
    void DrawPeg(uint8_t row, uint8_t slot);
    void DrawColorMark(uint8_t colour);
    void CycleColorMark(uint8_t colour);
    void RestoreNoteSquares();  // every note square of the colours in play drawn empty
    void DrawToggle(uint8_t toggle);
    void LightButton(int index);
    void UnlightButton(int index);

    // The commands' actions.
    void Evaluate();
    void NewGame();
    // Shows the game ContinueGame put back, as a new game is shown, with
    // the clock going on from its seconds.
    bool ResumeGame();
    void GameChanged() {
        if (onGameChanged_) onGameChanged_();
    }
    void ShowOptions();
    void Hint();
    void ShowRecords();
    void ShowAbout();
    void ShowHelp();
    void Exit();
    void ToggleTimer();
    void ToggleCombs();
    void ToggleStats();     // F8
    void ShowStats();       // from the records window's button
    void PlayOpening();    // F3: new game, hint, evaluation
    void ToggleSymbols();  // F9: the balls' engraved symbols on or off
    void ToggleView(uint8_t toggle, Form& window);
    void ShowMessageKind(uint8_t kind);
    // Tells a screen reader what just changed (Platform::Announce); the
    // count of possible codes only when it changed.
    void Say(const std::string& words);
    void SayCount();
    // Drawn onto the screen: the canvas, then the window at once. While the
    // window is hidden the screen is left alone: showing it composes it whole.
    void ToScreen(const Rect& area) { PresentRect(area); }
    void FollowWithSideWindow(Form& window, int dx, int dy);
    // Lets go of a carried ball: no colour, and the pointer's own cursor.
    void EndCarry();
    // The closed hand at the drawing scale, handed to the platform.
    void DefineClosedHand();
    // F10: the next drawing scale, kept for the next start.
    void CycleScale();
    friend struct CommandTable;
    void StoreBoardPlace();

    BoardRenderer renderer_;
    std::array<bool, 10> buttonLit_{};
    bool movingWindow_ = false;
    StoredPlace place_;
    bool endingStored_ = false;  // the options and records were stored as the program ends
    int grabX_ = 0, grabY_ = 0;
    uint8_t dragColor_ = 0;
    int pressedButton_ = -1;
    bool backgroundHit_ = false;
    // Where and when a finger pressed a colour of the column.
    struct FingerPress {
        uint64_t At;
        int X, Y;
    };
    std::optional<FingerPress> fingerOnColour_;
    std::string toContinue_;
    int32_t saidCount_ = -1;
    std::function<void()> onGameChanged_;
};

extern TfrmMain* frmMain;
