// LayoutProbe: the side-window coordinates the Wine scripts need beyond
// those of the GUI test's probe, printed as shell assignments from the
// windows' own layout tables (header-only, so this builds with one
// compiler call).
#include <cstdio>

#include "windows/OptionsLayout.h"
#include "windows/TimerLayout.h"

int main() {
    std::printf("OPTIONS_W=%d OPTIONS_H=%d\n", OptionsLayout::Width, OptionsLayout::Height);
    std::printf("TIME_X=%d TIME_Y=%d TIME_CHARS=%d\n", TimerLayout::TimeText.X, TimerLayout::TimeText.Y,
                TimerLayout::TimeChars);
    const auto& f = TimerLayout::TimeField;
    std::printf("TIME_FIELD='%d,%d %d,%d'\n", f.Left, f.Top, f.Left + f.Width - 1, f.Top + f.Height - 1);
    return 0;
}
