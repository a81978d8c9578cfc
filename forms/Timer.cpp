// Timer: starting and stopping the platform's periodic timer.
#include "forms/Timer.h"

void Timer::SetEnabled(bool enabled) {
    if (enabled == Enabled()) return;
    if (enabled) {
        id_ = app_.System().StartTimer(interval_, [this] {
            if (OnTimer) OnTimer();
        });
    } else {
        app_.System().StopTimer(id_);
        id_ = 0;
    }
}
