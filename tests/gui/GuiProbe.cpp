// GuiProbe: what the GUI test needs to know about the screen and the board,
// computed from the board's own tables and the embedded pictures, so the
// test script never hard-codes a coordinate or trusts the game's own text.
//
//   geometry                         shell assignments of the points the script aims at
//   outline SHOT X Y                 the desktop shows outside the board's outline (window at X, Y)
//   digits SHOT X Y N                the N digit cells at screen point (X, Y), blanks as '_'
//   pegs SHOT X Y ROW N              "RED WHITE" read from peg slots 1..N of ROW
//   ball SHOT X Y P R                the colour of the ball in hole (P, R), 0 for none
//   symbol SHOT X Y P R              the colour of the ball with its engraved symbol in hole (P, R):
//                                    it must match the symbol sheet better than the plain balls; 0 for none
//   hole SHOT X Y P R                "open" when the desktop shows through hole (P, R), else "closed"
//   lit SHOT X Y I                   "lit" when button I's highlight square differs from the bare board
//   consistent SPACES COLORS DOUBLES RED WHITE
//                                    codes the opening row scored that way leaves possible
//   guess SPACES COLORS DOUBLES [CODE RED WHITE]...
//                                    the first code every row played so far allows, one colour a line
//   record HIGH SPACES COLORS DOUBLES
//                                    "ROWS SECONDS" of that setting's record in a stored "High" text
//   high SPACES COLORS DOUBLES ROWS SECONDS
//                                    a stored "High" text holding that one record
//   stats STATS SPACES COLORS DOUBLES
//                                    "WON LOST GIVENUP" of that setting in a stored "Stats" text
//
// SHOT is a 24-bit BMP screenshot of the whole screen. With PROBE_SCALE=2
// or 3 the windows were drawn at that scale: X and Y are still the window's
// (or the text's) corner on the screen, and the checks read one pixel of
// every block of the screenshot and of the pictures alike.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "board/BoardGeometry.h"
#include "game/GameState.h"
#include "game/RecordCodec.h"
#include "game/Statistics.h"
#include "resources/Pictures.h"
#include "resources/ScaledPicture.h"
#include "util/Bmp.h"
#include "util/Region.h"
#include "windows/CombsLayout.h"
#include "windows/HighLayout.h"
#include "windows/MessageLayout.h"
#include "windows/OptionsLayout.h"
#include "windows/StatsLayout.h"
#include "windows/TimerLayout.h"

namespace {

constexpr uint32_t Desktop = 0xFFFFFF;  // the test's X server draws a white root

int Fail(const std::string& why) {
    std::fprintf(stderr, "probe: %s\n", why.c_str());
    return 2;
}

std::optional<Bitmap> LoadShot(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    auto image = DecodeBmp(bytes.data(), bytes.size(), &error);
    if (!image) {
        std::fprintf(stderr, "probe: %s: %s\n", path, error.c_str());
        return std::nullopt;
    }
    return image->Picture;
}

// The drawing scale the screenshots were taken at: PROBE_SCALE, else 1.
int ProbeScale() {
    const char* text = std::getenv("PROBE_SCALE");
    const int scale = text ? std::atoi(text) : 1;
    return scale >= 1 && scale <= 3 ? scale : 1;
}

// One pixel of every scale x scale block, the same one everywhere: a
// picture and a screenshot reduced alike compare pixel for pixel as at 1x.
Bitmap Reduced(const Bitmap& big, int scale) {
    Bitmap small(big.Width / scale, big.Height / scale);
    for (int y = 0; y < small.Height; ++y)
        for (int x = 0; x < small.Width; ++x) small.At(x, y) = big.At(x * scale + scale / 2, y * scale + scale / 2);
    return small;
}

// The screenshot with the area right and below (ox, oy) reduced about that
// corner: what was at (ox + scale * x, oy + scale * y) stands at (ox + x,
// oy + y), so the checks below work in logical pixels from the same corner.
Bitmap ReducedAbout(const Bitmap& shot, int ox, int oy, int scale) {
    Bitmap out(shot.Width, shot.Height, 0xFF000000u);
    for (int y = 0; oy + y < shot.Height; ++y)
        for (int x = 0; ox + x < shot.Width; ++x) {
            const int sx = ox + scale * x + scale / 2, sy = oy + scale * y + scale / 2;
            if (shot.Contains(sx, sy) && shot.Contains(ox + x, oy + y) && ox + x >= 0 && oy + y >= 0)
                out.At(ox + x, oy + y) = shot.At(sx, sy);
        }
    return out;
}

Bitmap Picture(PictureWindow window, const char* name) {
    auto picture = PictureAt(window, name, ProbeScale());
    if (!picture) {
        std::fprintf(stderr, "probe: no picture %s\n", name);
        std::exit(2);
    }
    return Reduced(*picture, ProbeScale());
}

uint32_t At(const Bitmap& b, int x, int y) { return b.Contains(x, y) ? b.At(x, y) & 0xFFFFFF : 0xFF000000u; }

// Pixels of the w x h block at (sx, sy) of the screen equal to the block at
// (px, py) of the picture.
int Matching(const Bitmap& shot, int sx, int sy, const Bitmap& picture, int px, int py, int w, int h) {
    int same = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (At(shot, sx + x, sy + y) == At(picture, px + x, py + y)) ++same;
    return same;
}

Region BoardOutline() {
    Region region(board::WindowWidth, board::WindowHeight, ProbeScale());
    for (const auto& step : board::Outline) {
        Shape s;
        switch (step.Shape) {
            case board::OutlineStep::Kind::Rect: s = RectShape(step.Left, step.Top, step.Right, step.Bottom); break;
            case board::OutlineStep::Kind::RoundRect:
                s = RoundRectShape(step.Left, step.Top, step.Right, step.Bottom, step.CornerW, step.CornerH);
                break;
            case board::OutlineStep::Kind::Ellipse: s = EllipseShape(step.Left, step.Top, step.Right, step.Bottom); break;
        }
        if (step.Cut)
            region.Difference(s);
        else
            region.Union(s);
    }
    return region;
}

// A point of bare board: inside the outline, clear of every colour, hole
// and button, and away from the outline's edge.
board::Point BareBoard() {
    const Region outline = BoardOutline();
    for (int y = 4; y < board::Height; ++y)
        for (int x = 60; x < board::Width; ++x) {
            bool clear = outline.Contains(x, y) && outline.Contains(x - 4, y - 4) && outline.Contains(x + 4, y + 4);
            for (int c = 1; clear && c <= board::MaxColors; ++c)
                clear = board::PointDistance(x, y, board::ColorCentre(c).X, board::ColorCentre(c).Y) > 20;
            for (int p = 1; clear && p <= board::MaxPositions; ++p)
                for (int r = 1; clear && r <= board::Rows; ++r)
                    clear = board::PointDistance(x, y, board::HoleCentre(p, r).X, board::HoleCentre(p, r).Y) > 20;
            clear = clear && board::ButtonAt(x, y) < 0;
            if (clear) return {x, y};
        }
    return {-1, -1};
}

int Geometry() {
    std::printf("MAIN_W=%d MAIN_H=%d DESIGN_W=%d DESIGN_H=%d\n", board::WindowWidth, board::WindowHeight,
                board::DesignWidth, board::DesignHeight);
    std::printf("COMBS_W=%d COMBS_H=%d COMBS_TEXT_X=%d COMBS_TEXT_Y=%d COMBS_CHARS=%d\n", CombsLayout::Width,
                CombsLayout::Height, CombsLayout::CountText.X, CombsLayout::CountText.Y, CombsLayout::CountChars);
    std::printf("TIMER_W=%d TIMER_H=%d RECORD_X=%d RECORD_Y=%d RECORD_CHARS=%d\n", TimerLayout::Width,
                TimerLayout::Height, TimerLayout::RecordText.X, TimerLayout::RecordText.Y, TimerLayout::RecordChars);
    std::printf("TIME_X=%d TIME_Y=%d TIME_CHARS=%d\n", TimerLayout::TimeText.X, TimerLayout::TimeText.Y,
                TimerLayout::TimeChars);
    const auto& field = TimerLayout::TimeField;
    std::printf("TIME_FIELD='%d,%d %d,%d'\n", field.Left, field.Top, field.Left + field.Width - 1,
                field.Top + field.Height - 1);
    std::printf("HIGH_W=%d HIGH_H=%d\n", HighLayout::Width, HighLayout::Height);
    std::printf("OPTIONS_W=%d OPTIONS_H=%d\n", OptionsLayout::Width, OptionsLayout::Height);
    std::printf("MESSAGE_W=%d MESSAGE_H=%d\n", MessageLayout::Width, MessageLayout::Height);
    std::printf("STATS_W=%d STATS_H=%d STATS_PLAYED_X=%d STATS_PLAYED_Y=%d STATS_WON_X=%d STATS_WON_Y=%d STATS_CHARS=%d\n",
                StatsLayout::Width, StatsLayout::Height, StatsLayout::Played.Text().X, StatsLayout::Played.Text().Y,
                StatsLayout::Won.Text().X, StatsLayout::Won.Text().Y, StatsLayout::Won.Chars);
    for (int c = 1; c <= board::MaxColors; ++c)
        std::printf("COLOR_%d_X=%d COLOR_%d_Y=%d\n", c, board::ColorCentre(c).X, c, board::ColorCentre(c).Y);
    for (int p = 1; p <= board::MaxPositions; ++p)
        for (int r = 1; r <= board::Rows; ++r)
            std::printf("HOLE_%d_%d_X=%d HOLE_%d_%d_Y=%d\n", p, r, board::HoleCentre(p, r).X, p, r,
                        board::HoleCentre(p, r).Y);
    for (size_t i = 0; i < board::Buttons.size(); ++i)
        std::printf("BUTTON_%zu_X=%d BUTTON_%zu_Y=%d\n", i, board::Buttons[i].Centre.X, i, board::Buttons[i].Centre.Y);
    const board::Point bare = BareBoard();
    if (bare.X < 0) return Fail("no bare board found");
    std::printf("BARE_X=%d BARE_Y=%d\n", bare.X, bare.Y);
    return 0;
}

int Outline(const Bitmap& shot, int wx, int wy) {
    // Every pixel of the window, at the scale it was drawn.
    const Region outline = BoardOutline();
    long outsideWrong = 0, outside = 0, insideDesktop = 0, inside = 0;
    for (int y = 0; y < outline.Height(); ++y)
        for (int x = 0; x < outline.Width(); ++x) {
            if (!shot.Contains(wx + x, wy + y)) continue;
            const bool desktop = At(shot, wx + x, wy + y) == Desktop;
            if (outline.Contains(x, y)) {
                ++inside;
                insideDesktop += desktop;
            } else {
                ++outside;
                outsideWrong += !desktop;
            }
        }
    std::printf("outside %ld of which not desktop %ld; inside %ld of which desktop %ld\n", outside, outsideWrong,
                inside, insideDesktop);
    // The art may hold a few pure white highlights; the board is there when
    // almost none of it looks like the desktop.
    return outside > 0 && outsideWrong == 0 && insideDesktop * 100 < inside ? 0 : 1;
}

int Digits(const Bitmap& shot, int x, int y, int n) {
    const Bitmap strip = Picture(PictureWindow::Main, "imgDigits");
    const char glyphs[] = "123456789 0_/-";  // the strip's cells in order; cell 10 is the blank
    const int cells = strip.Width / Layout::DigitWidth;
    std::string text;
    for (int i = 0; i < n; ++i) {
        char read = '?';
        for (int cell = 0; cell < cells && cell < 13; ++cell)
            if (Matching(shot, x + i * Layout::DigitWidth, y, strip, cell * Layout::DigitWidth, 0, Layout::DigitWidth,
                         Layout::DigitHeight) == Layout::DigitWidth * Layout::DigitHeight) {
                read = cell == 10 ? '_' : cell == 9 ? '0' : cell == 11 ? '/' : cell == 12 ? '-' : glyphs[cell];
                break;
            }
        text += read;
    }
    std::printf("%s\n", text.c_str());
    return text.find('?') == std::string::npos ? 0 : 1;
}

int Pegs(const Bitmap& shot, int wx, int wy, int row, int n) {
    const Bitmap red = Picture(PictureWindow::Main, "ImgRedPegs");
    const Bitmap white = Picture(PictureWindow::Main, "ImgWhitePegs");
    int reds = 0, whites = 0, unknown = 0;
    const Bitmap boardPicture = Picture(PictureWindow::Main, "ImgBoard");
    for (int k = 1; k <= n; ++k) {
        const Rect cell = board::PegCell(k, row);
        const board::Point from = board::PegSheetSource(k, row);
        const int all = cell.Width * cell.Height;
        if (Matching(shot, wx + cell.Left, wy + cell.Top, red, from.X, from.Y, cell.Width, cell.Height) == all)
            ++reds;
        else if (Matching(shot, wx + cell.Left, wy + cell.Top, white, from.X, from.Y, cell.Width, cell.Height) == all)
            ++whites;
        else if (Matching(shot, wx + cell.Left, wy + cell.Top, boardPicture, cell.Left, cell.Top, cell.Width, cell.Height) != all)
            ++unknown;
    }
    std::printf("%d %d\n", reds, whites);
    return unknown == 0 ? 0 : 1;
}

int Hole(const Bitmap& shot, int wx, int wy, int p, int r) {
    const board::Point centre = board::HoleCentre(p, r);
    std::printf("%s\n", At(shot, wx + centre.X, wy + centre.Y) == Desktop ? "open" : "closed");
    return 0;
}

int Lit(const Bitmap& shot, int wx, int wy, int i) {
    if (i < 0 || i >= int(board::Buttons.size())) return Fail("no button " + std::to_string(i));
    const Rect at = board::Buttons[size_t(i)].Lit;
    const Bitmap boardPicture = Picture(PictureWindow::Main, "ImgBoard");
    const bool bare = Matching(shot, wx + at.Left, wy + at.Top, boardPicture, at.Left, at.Top, at.Width, at.Height) == at.Width * at.Height;
    std::printf("%s\n", bare ? "unlit" : "lit");
    return 0;
}

int Ball(const Bitmap& shot, int wx, int wy, int p, int r) {
    const Bitmap colors = Picture(PictureWindow::Main, "ImgColors");
    const Rect at = board::HoleBall(p, r);
    int best = 0, bestSame = 0;
    for (int c = 1; c <= board::MaxColors; ++c) {
        // The colour sheet holds one 32 x 32 ball a colour, top to bottom.
        const int same = Matching(shot, wx + at.Left, wy + at.Top, colors, board::BallInset,
                                  32 * (c - 1) + board::BallInset, at.Width, at.Height);
        if (same > bestSame) best = c, bestSame = same;
    }
    // A ball covers most of its square; an empty hole matches no colour much.
    std::printf("%d\n", bestSame * 2 > at.Width * at.Height ? best : 0);
    return 0;
}

int SymbolBall(const Bitmap& shot, int wx, int wy, int p, int r) {
    const Bitmap symbols = Picture(PictureWindow::Main, "ImgSymbols");
    const Bitmap colors = Picture(PictureWindow::Main, "ImgColors");
    const Rect at = board::HoleBall(p, r);
    int best = 0, bestSame = 0, plainSame = 0;
    for (int c = 1; c <= board::MaxColors; ++c) {
        const int sy = 32 * (c - 1) + board::BallInset;
        const int same = Matching(shot, wx + at.Left, wy + at.Top, symbols, board::BallInset, sy, at.Width, at.Height);
        if (same > bestSame) {
            best = c, bestSame = same;
            plainSame = Matching(shot, wx + at.Left, wy + at.Top, colors, board::BallInset, sy, at.Width, at.Height);
        }
    }
    // The engraving is what tells it from the plain ball of its colour.
    std::printf("%d\n", bestSame * 2 > at.Width * at.Height && bestSame > plainSame ? best : 0);
    return 0;
}

// Red and white counts of a guess against a code, each position 1..n.
void Score(const std::vector<int>& code, const std::vector<int>& guess, int& red, int& white) {
    red = white = 0;
    int codeCount[11] = {}, guessCount[11] = {};
    for (size_t i = 0; i < code.size(); ++i) {
        if (code[i] == guess[i])
            ++red;
        else
            ++codeCount[code[i]], ++guessCount[guess[i]];
    }
    for (int c = 1; c <= 10; ++c) white += std::min(codeCount[c], guessCount[c]);
}

// Calls f(code) for every code of the settings, in order, until f says stop.
template <typename F>
void ForEachCode(int spaces, int colors, bool doubles, F f) {
    std::vector<int> code(size_t(spaces), 1);
    for (;;) {
        bool distinct = true;
        for (int i = 0; i < spaces && distinct; ++i)
            for (int j = i + 1; j < spaces; ++j) distinct = distinct && code[size_t(i)] != code[size_t(j)];
        if ((doubles || distinct) && !f(code)) return;
        int i = spaces - 1;
        while (i >= 0 && code[size_t(i)] == colors) code[size_t(i--)] = 1;
        if (i < 0) return;
        ++code[size_t(i)];
    }
}

int Consistent(int spaces, int colors, bool doubles, int red, int white) {
    std::vector<int> opening;
    for (int i = 1; i <= spaces; ++i) opening.push_back(i);
    long count = 0;
    ForEachCode(spaces, colors, doubles, [&](const std::vector<int>& code) {
        int r, w;
        Score(code, opening, r, w);
        if (r == red && w == white) ++count;
        return true;
    });
    std::printf("%ld\n", count);
    return 0;
}

// The first code that scores every given row ("CODE RED WHITE", the code
// as one digit a hole) as it scored, as its colours one a line: what a
// player who reads the pegs plays next.
int Guess(int spaces, int colors, bool doubles, char** rows, int count) {
    std::vector<std::tuple<std::vector<int>, int, int>> played;
    for (int k = 0; k + 2 < count; k += 3) {
        std::vector<int> guess;
        for (const char* c = rows[k]; *c; ++c) guess.push_back(*c - '0');
        if (int(guess.size()) != spaces) return Fail("a row of the wrong length");
        played.emplace_back(guess, std::atoi(rows[k + 1]), std::atoi(rows[k + 2]));
    }
    bool found = false;
    ForEachCode(spaces, colors, doubles, [&](const std::vector<int>& code) {
        for (const auto& [guess, red, white] : played) {
            int r, w;
            Score(code, guess, r, w);
            if (r != red || w != white) return true;
        }
        for (int c : code) std::printf("%d\n", c);
        found = true;
        return false;
    });
    return found ? 0 : Fail("no code scores the rows that way");
}

int High(int spaces, int colors, bool doubles, int rows, int seconds) {
    std::string table(HighScoreTableSize, '\0');
    const int at = HighScoreOffset(spaces, colors, doubles);
    table[size_t(at)] = char(rows);
    table[size_t(at) + 1] = char(seconds & 0xFF);  // little-endian seconds
    table[size_t(at) + 2] = char((seconds >> 8) & 0xFF);
    std::printf("%s\n", BytesToHex(ScrambleText(table)).c_str());
    return 0;
}

// The record a stored "High" text holds for the settings, as "ROWS SECONDS".
int Record(const std::string& text, int spaces, int colors, bool doubles) {
    const std::string table = UnscrambleText(HexToBytes(text));
    const size_t at = size_t(HighScoreOffset(spaces, colors, doubles));
    if (table.size() < at + 3) return Fail("the text is too short");
    const int seconds = uint8_t(table[at + 1]) | (uint8_t(table[at + 2]) << 8);
    std::printf("%d %d\n", uint8_t(table[at]), seconds);
    return 0;
}

// The games a stored "Stats" text holds for the settings, as "WON LOST
// GIVENUP".
int Stats(const std::string& text, int spaces, int colors, bool doubles) {
    const std::optional<TStatistics> stats = DecodeStatistics(text);
    if (!stats) return Fail("the statistics text cannot be read");
    const TSettingStats& s = stats->Of[StatsEntry(spaces, colors, doubles)];
    std::printf("%u %u %u\n", s.Won, s.Lost, s.GivenUp);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    auto n = [&](int i) { return std::atoi(argv[i]); };
    if (what == "geometry") return Geometry();
    if (what == "consistent" && argc == 7) return Consistent(n(2), n(3), n(4) != 0, n(5), n(6));
    if (what == "high" && argc == 7) return High(n(2), n(3), n(4) != 0, n(5), n(6));
    if (what == "record" && argc == 6) return Record(argv[2], n(3), n(4), n(5) != 0);
    if (what == "stats" && argc == 6) return Stats(argv[2], n(3), n(4), n(5) != 0);
    if (what == "guess" && argc >= 5) return Guess(n(2), n(3), n(4) != 0, argv + 5, argc - 5);
    if (argc < 5) return Fail("usage: see the head of tests/gui/GuiProbe.cpp");
    auto loaded = LoadShot(argv[2]);
    if (!loaded) return 2;
    if (what == "outline") return Outline(*loaded, n(3), n(4));
    // The other checks read logical pixels from the corner they are given.
    const std::optional<Bitmap> shot =
        ProbeScale() == 1 ? std::move(loaded) : std::optional<Bitmap>(ReducedAbout(*loaded, n(3), n(4), ProbeScale()));
    if (what == "digits" && argc == 6) return Digits(*shot, n(3), n(4), n(5));
    if (what == "pegs" && argc == 7) return Pegs(*shot, n(3), n(4), n(5), n(6));
    if (what == "ball" && argc == 7) return Ball(*shot, n(3), n(4), n(5), n(6));
    if (what == "symbol" && argc == 7) return SymbolBall(*shot, n(3), n(4), n(5), n(6));
    if (what == "hole" && argc == 7) return Hole(*shot, n(3), n(4), n(5), n(6));
    if (what == "lit" && argc == 6) return Lit(*shot, n(3), n(4), n(5));
    return Fail("unknown request " + what);
}
