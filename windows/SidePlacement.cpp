// SidePlacement: the first place of the timer, combinations and statistics
// windows.
#include "windows/SidePlacement.h"


#include "forms/Application.h"
#include "util/ScreenPlace.h"
#include "windows/UCombs.h"
#include "windows/UStats.h"
#include "windows/UTimer.h"

Rect BesideBoard(const Rect& board, int width, int height, int below, const Rect& workArea) {
    return KeptWithin(Rect{board.Left + board.Width, board.Top + below, width, height}, workArea);
}

Rect BelowBoard(const Rect& board, int width, int height, int across, const Rect& workArea) {
    return KeptWithin(Rect{board.Left + across, board.Top + board.Height, width, height}, workArea);
}

void PlaceSideWindowsBeside(const Rect& board) {
    int offset = 0;
    for (TSkinnedForm* window : {static_cast<TSkinnedForm*>(frmTimer), static_cast<TSkinnedForm*>(frmCombs),
                                 static_cast<TSkinnedForm*>(frmStats)}) {
        if (!window) continue;
        const Rect work = window->App().LogicalWorkArea();
        const bool upright = work.Height > work.Width;
        if (!window->PlaceStored()) {
            const Rect at = upright ? BelowBoard(board, window->Width(), window->Height(), offset, work)
                                    : BesideBoard(board, window->Width(), window->Height(), offset, work);
            window->MoveTo(at.Left, at.Top);
        }
        offset += upright ? window->Width() : window->Height();
    }
}
