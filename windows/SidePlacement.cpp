// SidePlacement: the first place of the timer and combinations windows.
#include "windows/SidePlacement.h"

#include <algorithm>

#include "forms/Application.h"
#include "windows/UCombs.h"
#include "windows/UTimer.h"

Rect BesideBoard(const Rect& board, int width, int height, int below, int screenWidth, int screenHeight) {
    int left = board.Left + board.Width;
    int top = board.Top + below;
    // Off the right or bottom edge first, then the left and top win: a
    // screen smaller than the window shows its upper left corner.
    left = std::max(0, std::min(left, screenWidth - width));
    top = std::max(0, std::min(top, screenHeight - height));
    return {left, top, width, height};
}

void PlaceSideWindowsBeside(const Rect& board) {
    int below = 0;
    for (TSkinnedForm* window : {static_cast<TSkinnedForm*>(frmTimer), static_cast<TSkinnedForm*>(frmCombs)}) {
        if (!window) continue;
        if (!window->PlaceStored()) {
            const Platform& screen = window->App().System();
            const Rect at = BesideBoard(board, window->Width(), window->Height(), below, screen.ScreenWidth(),
                                        screen.ScreenHeight());
            window->MoveTo(at.Left, at.Top);
        }
        below += window->Height();
    }
}
