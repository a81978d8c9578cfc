// BoardRenderer: the board's drawing steps over the sprite sheets.
#include "board/BoardRenderer.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "game/GameState.h"
#include "resources/Pictures.h"
#include "resources/ScaledPicture.h"
#include "util/Blit.h"
#include "util/Scale.h"

namespace {

Shape ToShape(const board::OutlineStep& s) {
    switch (s.Shape) {
        case board::OutlineStep::Kind::RoundRect:
            return RoundRectShape(s.Left, s.Top, s.Right, s.Bottom, s.CornerW, s.CornerH);
        case board::OutlineStep::Kind::Ellipse:
            return EllipseShape(s.Left, s.Top, s.Right, s.Bottom);
        case board::OutlineStep::Kind::Rect:
            break;
    }
    return RectShape(s.Left, s.Top, s.Right, s.Bottom);
}

// A masked sprite: the mask with AND blackens the shape, the picture with
// OR colours it in; the background stays where the mask is white.
void Masked(Bitmap& canvas, const Rect& at, int srcX, int maskY, int srcY, const Bitmap& mask, const Bitmap& image) {
    BlitRectRop(canvas, at.Left, at.Top, at.Width, at.Height, srcX, maskY, mask, RopSrcAnd);
    BlitRectRop(canvas, at.Left, at.Top, at.Width, at.Height, srcX, srcY, image, RopSrcPaint);
}

}  // namespace

BoardRenderer::BoardRenderer(PictureCache& pictures)
    : BackBuffer(Bitmap::Logical(board::WindowWidth, board::WindowHeight, pictures.Scale())), pictures_(pictures) {}

void BoardRenderer::Rescale() {
    BackBuffer = Bitmap::Logical(board::WindowWidth, board::WindowHeight, pictures_.Scale());
    ground_.clear();
    groundLaid_ = false;
}

namespace {

// Every rectangle of the board a piece is ever drawn into: the colour
// column's balls (engraved or covered) and note squares, the holes (column
// 5 as the rectangle of its plug), the peg cells (column 5 likewise) and
// the toggles. Outside them the back buffer holds the bare board for good.
std::vector<Rect> PieceAreas() {
    std::vector<Rect> areas{board::BallColumn, board::PegColumn, board::ToggleSquare(1), board::ToggleSquare(2)};
    for (int c = 1; c <= board::MaxColors; ++c) {
        const board::Point centre = board::ColorCentre(c);
        areas.push_back(Rect{centre.X - 16, centre.Y - 16, 32, 32});  // the ball, and a cover over it
        areas.push_back(board::NoteSquare(c));
    }
    for (int r = 1; r <= board::Rows; ++r)
        for (int p = 1; p < board::MaxPositions; ++p) {
            areas.push_back(board::HoleBall(p, r));
            areas.push_back(board::PegCell(p, r));
        }
    return areas;
}

}  // namespace

void BoardRenderer::LayGround() {
    // The whole board once, decoded straight into a new back buffer; then
    // only the parts pieces can cover are kept of it, and a full redraw
    // restores those parts alone. A board drawn for no other scale than 1x
    // is enlarged into it instead.
    FreshPixels(BackBuffer.Pixels.data(), BackBuffer.Pixels.size() * sizeof(uint32_t));
    if (!LoadPictureInto(PictureWindow::Main, "ImgBoard", BackBuffer.Scale, BackBuffer)) {
        BlitPicture(BackBuffer, 0, 0, Sheet("ImgBoard"));
        pictures_.Release(PictureWindow::Main, "ImgBoard");
    }
    ground_.clear();
    for (const Rect& area : PieceAreas()) {
        Bitmap part = Bitmap::Logical(area.Width, area.Height, BackBuffer.Scale);
        BlitRect(part, 0, 0, area.Width, area.Height, area.Left, area.Top, BackBuffer);
        ground_.push_back(GroundPart{area, std::move(part)});
    }
    groundLaid_ = true;
}

void BoardRenderer::RestoreParts(Bitmap& canvas, const Rect& area) const {
    if (!groundLaid_) {
        BlitRect(canvas, area.Left, area.Top, area.Width, area.Height, area.Left, area.Top, Sheet("ImgBoard"));
        return;
    }
    for (const GroundPart& part : ground_) {
        const Rect both = Intersect(part.At, area);
        if (!both.Empty())
            BlitRect(canvas, both.Left, both.Top, both.Width, both.Height, both.Left - part.At.Left,
                     both.Top - part.At.Top, part.Pixels);
    }
}

void BoardRenderer::Engrave(Bitmap& canvas, const Rect& area) const {
    // Each engraving lies inside its ball, so the covers of colours not in
    // play hide it with the ball.
    for (int c = 1; c <= board::MaxColors; ++c) {
        const board::Point centre = board::ColorCentre(c);
        const Rect ball{centre.X - 16, centre.Y - 16, 32, 32};
        const Rect both = Intersect(ball, area);
        if (both.Empty()) continue;
        const int dx = both.Left - ball.Left, dy = both.Top - ball.Top + 32 * (c - 1);
        Masked(canvas, both, dx, dy, dy, Sheet("ImgSymbolColumnMask"), Sheet("ImgSymbolColumn"));
    }
}

void BoardRenderer::RestoreGround(Bitmap& canvas, const Rect& area) const {
    RestoreParts(canvas, area);
    if (GameSettings.Symbols) Engrave(canvas, area);
}

void BoardRenderer::RedrawBoard() {
    const TGameSettings& s = GameSettings;
    const TBoardState& b = BoardState;
    // A back buffer's first redraw lays the whole bare board; later ones
    // restore only what pieces can cover.
    if (!groundLaid_)
        LayGround();
    else
        RestoreParts(BackBuffer, Rect{0, 0, board::Width, board::Height});
    if (s.Symbols) Engrave(BackBuffer, Rect{0, 0, board::Width, board::Height});
    if (s.Colors == 6) BlitPicture(BackBuffer, board::NoBalls1.Left, board::NoBalls1.Top, Sheet("ImgNoBalls1"));
    if (s.Colors != 10) BlitPicture(BackBuffer, board::NoBalls2.Left, board::NoBalls2.Top, Sheet("ImgNoBalls2"));
    if (s.Spaces == 4) {
        BlitPicture(BackBuffer, board::PegColumn.Left, board::PegColumn.Top, Sheet("ImgPegColumn"));
        BlitPicture(BackBuffer, board::BallColumn.Left, board::BallColumn.Top, Sheet("ImgBallColumn"));
    }
    // An off toggle needs nothing: the bare board shows it raised.
    for (int t = 1; t <= 2; ++t)
        if (s.Views[size_t(t)]) DrawToggle(BackBuffer, t);
    for (int p = 1; p <= s.Spaces; ++p)
        for (int r = 1; r <= board::Rows; ++r)
            if (const uint8_t c = b.Guesses[size_t(r)][size_t(p)]; c != 0) DrawBall(BackBuffer, c, r, p);
    for (int k = 1; k <= s.Spaces; ++k)
        for (int r = 1; r <= board::Rows; ++r) DrawPeg(BackBuffer, r, k);
    for (int c = 1; c <= s.Colors; ++c) DrawColorMark(BackBuffer, c);
}

Rect BoardRenderer::DrawBall(Bitmap& canvas, int colour, int row, int position) const {
    const Rect at = board::HoleBall(position, row);
    constexpr int inset = board::BallInset;
    const Bitmap& balls = GameSettings.Symbols ? Sheet("ImgSymbols") : Sheet("ImgColors");
    Masked(canvas, at, inset, inset, 32 * (colour - 1) + inset, Sheet("ImgMask"), balls);
    return at;
}

Rect BoardRenderer::ClearBall(Bitmap& canvas, int row, int position) const {
    const Rect at = board::HoleBall(position, row);
    RestoreGround(canvas, at);
    return at;
}

Rect BoardRenderer::DrawPeg(Bitmap& canvas, int row, int slot) const {
    const uint8_t mark = BoardState.PegMarks[size_t(row)][size_t(slot)];
    const Bitmap* sheet = mark == PegWhite ? &Sheet("ImgWhitePegs") : mark == PegRed ? &Sheet("ImgRedPegs") : nullptr;
    if (!sheet) return {};
    const Rect at = board::PegCell(slot, row);
    const board::Point from = board::PegSheetSource(slot, row);
    BlitRect(canvas, at.Left, at.Top, at.Width, at.Height, from.X, from.Y, *sheet);
    return at;
}

Rect BoardRenderer::RestoreNoteSquare(Bitmap& canvas, int colour) const {
    const Rect at = board::NoteSquare(colour);
    RestoreGround(canvas, at);
    return at;
}

Rect BoardRenderer::DrawColorMark(Bitmap& canvas, int colour) const {
    const Rect at = RestoreNoteSquare(canvas, colour);
    const uint8_t mark = BoardState.ColorMarks[size_t(colour)];
    if (mark != MarkCross && mark != MarkRing) return at;
    const int srcX = mark == MarkCross ? 0 : 18;
    Masked(canvas, at, srcX, 0, 0, Sheet("imgXOMask"), Sheet("imgXO"));
    return at;
}

Rect BoardRenderer::DrawToggle(Bitmap& canvas, int toggle) const {
    const Rect at = board::ToggleSquare(toggle);
    if (GameSettings.Views[size_t(toggle)]) {
        const board::Point frame = board::ToggleFrame(toggle);
        BlitRect(canvas, at.Left, at.Top, at.Width, at.Height, frame.X, frame.Y, Sheet("imgToggles"));
    } else {
        RestoreGround(canvas, at);
    }
    return at;
}

std::array<Rect, 2> BoardRenderer::DrawLight(Bitmap& screen, int button) const {
    const board::Button& b = board::Buttons[size_t(button)];
    Rect light{};
    if (b.Kind == board::Highlight::BigBall) {
        light = b.Lit;
        BlitPicture(screen, light.Left, light.Top, Sheet("ImgBigBall"));
    } else if (b.Kind == board::Highlight::Bullet) {
        light = b.Lit;
        const board::Point frame = board::BulletFrame(button);
        BlitRect(screen, light.Left, light.Top, light.Width, light.Height, frame.X, frame.Y, Sheet("ImgBullets"));
    }
    const Bitmap& caption = Sheet(b.Caption);
    BlitPicture(screen, b.CaptionX, board::CaptionTop, caption);
    return {light, Rect{b.CaptionX, board::CaptionTop, caption.LogicalWidth(), caption.LogicalHeight()}};
}

std::array<Rect, 2> BoardRenderer::RestoreLight(Bitmap& screen, int button) const {
    const board::Button& b = board::Buttons[size_t(button)];
    Rect light{};
    if (b.Kind != board::Highlight::None) {
        light = b.Lit;
        BlitRect(screen, light.Left, light.Top, light.Width, light.Height, light.Left, light.Top, BackBuffer);
    }
    const Rect strip{b.CaptionX, board::CaptionTop, b.RestoreW, board::CaptionStripHeight};
    BlitRect(screen, strip.Left, strip.Top, strip.Width, strip.Height, strip.Left, strip.Top, BackBuffer);
    return {light, strip};
}

Region BoardOutline(int scale) {
    // Built once for each drawing scale and kept as its runs (a small part
    // of the mask's size): the outline never changes, and every new game,
    // hint and drop with see-through holes starts the shape from it again.
    static std::array<std::optional<std::vector<Span>>, MaxScale + 1> outlines;
    scale = ClampScale(scale);
    std::optional<std::vector<Span>>& runs = outlines[size_t(scale)];
    Region shape(board::WindowWidth, board::WindowHeight, scale);
    if (runs) return std::move(shape.Union(*runs));
    for (const board::OutlineStep& step : board::Outline) {
        if (step.Cut)
            shape.Difference(ToShape(step));
        else
            shape.Union(ToShape(step));
    }
    runs = shape.Spans();
    return shape;
}

Region BoardRenderer::BuildShape(int scale) {
    Region shape = BoardOutline(scale);
    if (!GameSettings.Holes) return shape;
    for (int p = 1; p <= GameSettings.Spaces; ++p)
        for (int r = 1; r <= board::Rows; ++r) {
            if (BoardState.Guesses[size_t(r)][size_t(p)] != 0) continue;
            const Rect box = board::SeeThrough(p, r);
            shape.Difference(EllipseShape(box.Left, box.Top, box.Right(), box.Bottom()));
        }
    return shape;
}
