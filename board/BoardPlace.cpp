#include "board/BoardPlace.h"

#include "board/BoardGeometry.h"
#include "util/Scale.h"
#include "util/ScreenPlace.h"

bool BoardFits(int scale, const Rect& workArea) {
    return board::WindowWidth * scale <= workArea.Width && board::WindowHeight * scale <= workArea.Height;
}

int LargestFittingScale(int wanted, const Rect& workArea) {
    int scale = wanted < MinScale ? MinScale : wanted > MaxScale ? MaxScale : wanted;
    while (scale > MinScale && !BoardFits(scale, workArea)) --scale;
    return scale;
}

int NextFittingScale(int scale, const Rect& workArea) {
    int next = scale;
    do next = next % MaxScale + 1;
    while (next != MinScale && !BoardFits(next, workArea));
    return next;
}

Rect DefaultBoardPlace(int scale, const Rect& workArea) {
    const Rect design = DefaultPlace(board::DesignWidth * scale, board::DesignHeight * scale, workArea);
    return KeptWithin(Rect{design.Left, design.Top, board::WindowWidth * scale, board::WindowHeight * scale}, workArea);
}
