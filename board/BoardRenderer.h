// BoardRenderer: composes the board from the game state, out of the main
// window's sprite sheets, into the back buffer, and draws the small pieces
// (a ball, a peg, a note mark, a toggle, a button's light) onto any
// surface. It also builds the window's shape. It knows the pictures and the
// geometry table; it knows nothing of windows, the platform or the flow.
//
// The back buffer always holds the board as it must look without any
// button light, so a light is put out by copying back from it. The board
// picture itself is needed whole only for the first redraw into a back
// buffer; after it only the parts pieces can cover are kept.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "board/BoardGeometry.h"
#include "resources/ScaledPicture.h"
#include "util/Bitmap.h"
#include "util/Geometry.h"
#include "util/Region.h"

class BoardRenderer {
public:
    // The board drawn from the main window's pictures in `pictures`, at
    // their scale. Each sheet is decoded there when first drawn: a start-up
    // draws the bare board and little else, and the lights, the symbols or
    // the pegs wait for their first use.
    explicit BoardRenderer(PictureCache& pictures);

    // Makes the back buffer at the pictures' scale, which has changed; the
    // board is then to be redrawn.
    void Rescale();

    Bitmap BackBuffer;  // 528 x 420; rows 416..419 are never drawn

    // The whole board of the current state into the back buffer: board,
    // covers, toggles, balls, pegs and note marks.
    void RedrawBoard();

    // Each returns the rectangle it drew on the canvas (empty for nothing).
    Rect DrawBall(Bitmap& canvas, int colour, int row, int position) const;
    // The hole's square as the bare board shows it: an empty hole.
    Rect ClearBall(Bitmap& canvas, int row, int position) const;
    Rect DrawPeg(Bitmap& canvas, int row, int slot) const;
    // The note square restored from the bare board, then the colour's mark.
    Rect DrawColorMark(Bitmap& canvas, int colour) const;
    Rect RestoreNoteSquare(Bitmap& canvas, int colour) const;
    // The toggle (1 timer, 2 combinations) in the state of its view switch.
    Rect DrawToggle(Bitmap& canvas, int toggle) const;

    // A button's light and caption onto the screen, and their removal from
    // the back buffer. Both give the two rectangles touched (the first is
    // empty for the toggles, which have no light of their own).
    std::array<Rect, 2> DrawLight(Bitmap& screen, int button) const;
    std::array<Rect, 2> RestoreLight(Bitmap& screen, int button) const;

    // The window's shape: the outline, less the empty holes of positions
    // 1..Spaces when the see-through holes are on.
    static Region BuildShape(int scale);

private:
    // The first redraw into a new back buffer: the whole board picture,
    // keeping only the parts of it that pieces can cover.
    void LayGround();
    // The bare board over `area`, as pieces are restored from it: with the
    // colour column engraved while the symbols are on.
    void RestoreGround(Bitmap& canvas, const Rect& area) const;
    // Its two steps: the kept parts of the board, and the engravings.
    void RestoreParts(Bitmap& canvas, const Rect& area) const;
    void Engrave(Bitmap& canvas, const Rect& area) const;

    // A sheet of the main window's pictures (missing ones are empty
    // bitmaps, which every blit leaves alone; the art tests make sure none
    // is missing).
    const Bitmap& Sheet(std::string_view name) const { return pictures_.Get(PictureWindow::Main, name); }

    PictureCache& pictures_;
    // The bare board under every place a piece is drawn; elsewhere the back
    // buffer keeps the board as the first redraw laid it.
    struct GroundPart {
        Rect At;
        Bitmap Pixels;
    };
    std::vector<GroundPart> ground_;
    bool groundLaid_ = false;
};

// The board's outline alone, as a mask the size of the window at `scale`.
Region BoardOutline(int scale = 1);
