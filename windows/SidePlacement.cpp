// SidePlacement: the first place of the timer and combinations windows.
#include "windows/SidePlacement.h"


#include "forms/Application.h"
#include "util/ScreenPlace.h"
#include "windows/UCombs.h"
#include "windows/UTimer.h"

Rect BesideBoard(const Rect& board, int width, int height, int below, const Rect& workArea) {
    return KeptWithin(Rect{board.Left + board.Width, board.Top + below, width, height}, workArea);
}

void PlaceSideWindowsBeside(const Rect& board) {
    int below = 0;
    for (TSkinnedForm* window : {static_cast<TSkinnedForm*>(frmTimer), static_cast<TSkinnedForm*>(frmCombs)}) {
        if (!window) continue;
        if (!window->PlaceStored()) {
            const Rect at = BesideBoard(board, window->Width(), window->Height(), below, window->App().LogicalWorkArea());
            window->MoveTo(at.Left, at.Top);
        }
        below += window->Height();
    }
}
