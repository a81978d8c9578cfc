// Timer: a periodic tick on the UI thread, on and off like a switch.
//
// Switching on a timer that is already on changes nothing (its period runs
// on); switching it on from off starts a fresh period. Ticks also arrive
// while a modal window runs its loop.
#pragma once

#include <functional>

#include "forms/Application.h"

class Timer {
public:
    explicit Timer(Application& app, int intervalMs = 1000) : app_(app), interval_(intervalMs) {}
    ~Timer() { SetEnabled(false); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::function<void()> OnTimer;

    bool Enabled() const { return id_ != 0; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }

private:
    Application& app_;
    int interval_;
    TimerId id_ = 0;
};
