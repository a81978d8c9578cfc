// UTimer: the timer window, counting the seconds of the game and showing
// the record of the current settings beside them. The game flow resets the
// count, ticks it once directly at every new game and switches the Timer
// on and off; the window itself only advances the count, up to 999.
//
// It never closes on request and passes every key to the main window.
#pragma once

#include "forms/Timer.h"
#include "windows/SkinnedForm.h"

class TfrmTimer : public TSkinnedForm {
public:
    explicit TfrmTimer(Application& app);
    ~TfrmTimer() override;

    // The 1000 ms tick, on from creation; ticks TimerTimer.
    ::Timer Timer;

    // One tick: ElapsedTime + 1 (at most 999), then both displays are drawn
    // and shown.
    void TimerTimer();
    // The seconds, three characters, into the picture.
    void DrawElapsed();
    // The record of the current settings (" 5/042", or six blanks when
    // there is none) into the picture, and the picture onto the window.
    void DrawRecord();

protected:
    void OnCreate() override;
    // Both displays are drawn as the window shows: while it was never shown
    // they are not drawn at all.
    void OnShow() override;
    void DrawContents() override {
        DrawElapsed();
        DrawRecord();
    }
    bool OnCloseQuery() override { return false; }
    void OnCloseRequest() override { PassCloseToMain(); }
    void OnKeyDown(int key, unsigned modifiers) override { PassKeyToMain(key, modifiers); }
};

extern TfrmTimer* frmTimer;
