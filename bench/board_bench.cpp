// Benchmarks of the board's commands as the player meets them, each beside
// a plain version of the same work: the worst hint and the worst
// evaluation end to end, a full redraw, a whole frame put on the screen,
// the board decoded as a start-up does, the window shape with 60 holes, one
// hover move and one drop. The whole program runs on the headless backend.
#include <benchmark/benchmark.h>

#include <memory>

#include "tests/InflateWhole.h"
#include "board/BoardGeometry.h"
#include "board/BoardRenderer.h"
#include "board/MainForm.h"
#include "board/Startup.h"
#include "forms/Application.h"
#include "game/StoredValues.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/Rules.h"
#include "game/Solver.h"
#include "platform/headless/HeadlessPlatform.h"
#include "resources/Compressed.h"
#include "resources/Pictures.h"
#include "util/Blit.h"
#include "util/Scale.h"

namespace {

// The program started on the headless backend with the given settings.
struct Program {
    HeadlessPlatform platform;
    std::unique_ptr<Application> app;

    // At the drawing scale `scale`, on a screen as many times bigger.
    Program(int spaces, int colors, bool doubles, bool holes = false, int scale = 1) {
        ResetGameState();
        platform.SetScreen(1024 * scale, 768 * scale, 32);
        platform.SetPreferredScale(scale);
        auto& store = *platform.StoreContents();
        for (const StoreEntry& e : {StoredEntry(StoredId::Spaces, spaces), StoredEntry(StoredId::Colors, colors),
                                    StoredEntry(StoredId::Doubles, doubles), StoredEntry(StoredId::Holes, holes)})
            store.Set(e.Section, e.Name, e.Value);
        app = StartProgram(platform);
        SeedRandom(3);
        frmMain->Show();
    }
    ~Program() {
        EndProgram(*app);
        SetStoreOpener(nullptr);
    }
    TfrmMain& Main() { return *frmMain; }
    // The pointer onto the board's logical point, in screen pixels.
    void Move(int x, int y) {
        const int s = app->Scale();
        platform.PointerMove((Main().Left() + x) * s, (Main().Top() + y) * s);
    }
};

// The worst first row: five of ten colours with repeats, 11111 answered
// with no peg, so 59049 codes stay possible. The secret holds no colour 1.
void WorstFirstRow() {
    for (size_t p = 1; p <= 5; ++p) {
        BoardState.SecretCode[p] = static_cast<uint8_t>(2 + p);
        BoardState.Guesses[12][p] = 1;
    }
}

// The plain way to bring the list up to date: score every code of the
// space against every evaluated row.
void BuildByFullScan() {
    CandidateCount = 0;
    TCode code;
    for (int index = 0; index < 100000; ++index) {
        int rest = index;
        for (size_t p = 5; p >= 1; --p, rest /= 10) code[p] = static_cast<uint8_t>(rest % 10 + 1);
        bool consistent = true;
        for (int r = 12; r > BoardState.CurrentRow && consistent; --r)
            consistent = CompareCodes(code, BoardState.Guesses[size_t(r)]) == BoardState.RowScores[size_t(r)];
        if (consistent) CandidateSlot(++CandidateCount) = code;
    }
}

// A copy pixel by pixel with a bounds check on each, the plain way to blit.
void PlainCopy(Bitmap& dst, int x, int y, const Bitmap& src) {
    for (int sy = 0; sy < src.Height; ++sy)
        for (int sx = 0; sx < src.Width; ++sx)
            if (dst.Contains(x + sx, y + sy)) dst.At(x + sx, y + sy) = src.At(sx, sy);
}

void BM_WorstHint(benchmark::State& state) {
    Program program(5, 10, true, true);
    WorstFirstRow();
    program.Main().DoCommand(cmdEval);  // row 12 answered, row 11 current
    for (auto _ : state) program.Main().DoCommand(cmdHint);
    state.counters["codes"] = CandidateCount;
}
BENCHMARK(BM_WorstHint)->Unit(benchmark::kMicrosecond);

void BM_WorstHintPlain(benchmark::State& state) {
    Program program(5, 10, true, true);
    WorstFirstRow();
    program.Main().DoCommand(cmdEval);
    for (auto _ : state) {
        BuildByFullScan();
        BoardState.Guesses[11] = CandidateSlot(Random(CandidateCount) + 1);
        program.Main().RedrawBoard();
        program.Main().ShapeWindow();
        program.Main().PBoxPaint();
    }
    state.counters["codes"] = CandidateCount;
}
BENCHMARK(BM_WorstHintPlain)->Unit(benchmark::kMicrosecond);

template <bool Plain>
void WorstEvaluation(benchmark::State& state) {
    Program program(5, 10, true, true);
    for (auto _ : state) {
        state.PauseTiming();
        BoardState.CurrentRow = 12;
        BoardState.GameActive = true;
        BoardState.RowScores[12] = TRowScore{};
        BoardState.PegMarks[12].Fill(PegNone);
        WorstFirstRow();
        state.ResumeTiming();
        if constexpr (Plain) {
            ScoreRow();
            --BoardState.CurrentRow;
            BuildByFullScan();
            program.Main().RedrawBoard();
            program.Main().PBoxPaint();
        } else {
            program.Main().DoCommand(cmdEval);
        }
    }
    state.counters["codes"] = CandidateCount;
}
void BM_WorstEvaluation(benchmark::State& state) { WorstEvaluation<false>(state); }
void BM_WorstEvaluationPlain(benchmark::State& state) { WorstEvaluation<true>(state); }
BENCHMARK(BM_WorstEvaluation)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstEvaluationPlain)->Unit(benchmark::kMicrosecond);

// A board in play: every hole of rows 12..7 filled, their pegs, marks.
void BoardInPlay() {
    for (size_t r = 7; r <= 12; ++r)
        for (size_t p = 1; p <= 5; ++p) {
            BoardState.Guesses[r][p] = static_cast<uint8_t>((r + p) % 10 + 1);
            BoardState.PegMarks[r][p] = static_cast<uint8_t>(p % 3);
        }
    BoardState.ColorMarks[2] = MarkCross;
    BoardState.ColorMarks[7] = MarkRing;
}

// The whole board composed into the back buffer, the design's full redraw,
// at scale 1, 2 and 3 (the argument).
void BM_RedrawBoard(benchmark::State& state) {
    Program program(5, 10, true, false, int(state.range(0)));
    BoardInPlay();
    for (auto _ : state) program.Main().RedrawBoard();
}
BENCHMARK(BM_RedrawBoard)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The same, then put on the screen whole: back buffer to canvas to window.
void BM_RedrawAndPaint(benchmark::State& state) {
    Program program(5, 10, true, false, int(state.range(0)));
    BoardInPlay();
    for (auto _ : state) {
        program.Main().RedrawBoard();
        program.Main().PBoxPaint();
    }
}
BENCHMARK(BM_RedrawAndPaint)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The present path alone: the back buffer put on the screen whole, drawn
// straight into the window's surface (one copy of the frame), at scale 1,
// 2 and 3.
void BM_PaintWholeBoard(benchmark::State& state) {
    Program program(5, 10, true, false, int(state.range(0)));
    BoardInPlay();
    program.Main().RedrawBoard();
    for (auto _ : state) program.Main().PBoxPaint();
}
BENCHMARK(BM_PaintWholeBoard)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The same the plain way: composed into a canvas of the form's own, which
// the window then copies into what it shows (two copies of the frame).
void BM_PaintWholeBoardPlain(benchmark::State& state) {
    Program program(5, 10, true, false, int(state.range(0)));
    BoardInPlay();
    program.Main().RedrawBoard();
    const Bitmap& back = program.Main().BackBuffer();
    Bitmap canvas(back.Width, back.Height);
    canvas.Scale = back.Scale;
    auto& window = static_cast<HeadlessWindow&>(program.Main().PlatformWindow());
    const Rect whole{0, 0, board::WindowWidth * back.Scale, board::WindowHeight * back.Scale};
    for (auto _ : state) {
        BlitPicture(canvas, 0, 0, back);
        window.Present(canvas, whole);
    }
}
BENCHMARK(BM_PaintWholeBoardPlain)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The one picture a start-up decodes whole, the board, at scale 1, 2 and 3:
// read in place at 1x, inflated from its stored stream a slice at a time
// straight into its pixels above.
void BM_DecodeBoard(benchmark::State& state) {
    const int scale = int(state.range(0));
    const auto bytes = PictureBytes(PictureWindow::Main, "ImgBoard", scale);
    for (auto _ : state) {
        if (scale == 1)
            benchmark::DoNotOptimize(DecodeBmp(bytes.data(), bytes.size()));
        else
            benchmark::DoNotOptimize(DecodePackedPicture(bytes));
    }
}
BENCHMARK(BM_DecodeBoard)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The plain way above 1x: the whole BMP file inflated (its check value
// computed), then decoded from it.
void BM_DecodeBoardPlain(benchmark::State& state) {
    const auto packed = PictureBytes(PictureWindow::Main, "ImgBoard", int(state.range(0)));
    for (auto _ : state) {
        const auto file = InflateWhole(packed);
        benchmark::DoNotOptimize(DecodeBmp(file->data(), file->size()));
    }
}
BENCHMARK(BM_DecodeBoardPlain)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The same board composed with pixel-by-pixel copies of whole pictures.
void BM_RedrawAndPaintPlain(benchmark::State& state) {
    Program program(5, 10, true);
    BoardInPlay();
    PictureCache pictures(1);
    const Bitmap& board = pictures.Get(PictureWindow::Main, "ImgBoard");
    const Bitmap& mask = pictures.Get(PictureWindow::Main, "ImgMask");
    const Bitmap& colors = pictures.Get(PictureWindow::Main, "ImgColors");
    Bitmap buffer(board::WindowWidth, board::WindowHeight), screen(board::WindowWidth, board::WindowHeight);
    Bitmap ball(24, 24);
    for (auto _ : state) {
        PlainCopy(buffer, 0, 0, board);
        for (int r = 1; r <= 12; ++r)
            for (int p = 1; p <= 5; ++p) {
                const uint8_t c = BoardState.Guesses[size_t(r)][size_t(p)];
                if (!c) continue;
                const Rect at = board::HoleBall(p, r);
                for (int y = 0; y < 24; ++y)
                    for (int x = 0; x < 24; ++x)
                        if (buffer.Contains(at.Left + x, at.Top + y))
                            buffer.At(at.Left + x, at.Top + y) = (buffer.At(at.Left + x, at.Top + y) & mask.At(4 + x, 4 + y)) |
                                                            colors.At(4 + x, 32 * (c - 1) + 4 + y);
            }
        PlainCopy(screen, 0, 0, buffer);
        static_cast<HeadlessWindow&>(program.Main().PlatformWindow()).Present(screen, Rect{0, 0, board::Width, board::Height});
    }
}
BENCHMARK(BM_RedrawAndPaintPlain)->Unit(benchmark::kMicrosecond);

void BM_ShapeWith60Holes(benchmark::State& state) {
    Program program(5, 10, true, true);
    for (auto _ : state) program.Main().ShapeWindow();
}
BENCHMARK(BM_ShapeWith60Holes)->Unit(benchmark::kMicrosecond);

// The plain shape: every pixel tested against every step and every hole.
void BM_ShapeWith60HolesPlain(benchmark::State& state) {
    Program program(5, 10, true, true);
    std::vector<Shape> holes;
    for (int p = 1; p <= 5; ++p)
        for (int r = 1; r <= 12; ++r) {
            const Rect b = board::SeeThrough(p, r);
            holes.push_back(EllipseShape(b.Left, b.Top, b.Right(), b.Bottom()));
        }
    const Region outline = BoardOutline();
    for (auto _ : state) {
        Region shape(board::WindowWidth, board::WindowHeight);
        for (int y = 0; y < board::WindowHeight; ++y)
            for (int x = 0; x < board::WindowWidth; ++x) {
                bool in = outline.Contains(x, y);
                for (const Shape& h : holes) in = in && !h.Contains(x, y);
                if (in) shape.Union(RectShape(x, y, x + 1, y + 1));
            }
        program.Main().PlatformWindow().SetShape(&shape);
    }
}
BENCHMARK(BM_ShapeWith60HolesPlain)->Unit(benchmark::kMicrosecond);

// One move onto the big ball and one off it: each lights or puts out; at
// scale 1, 2 and 3 (the argument).
void BM_HoverMove(benchmark::State& state) {
    Program program(5, 10, true, false, int(state.range(0)));
    const board::Point ball = board::BigBallCentre;
    bool on = false;
    for (auto _ : state) {
        on = !on;
        program.Move(on ? ball.X : ball.X + 50, on ? ball.Y : ball.Y - 90);
    }
}
BENCHMARK(BM_HoverMove)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The plain way: a full repaint on every move.
void BM_HoverMovePlain(benchmark::State& state) {
    Program program(5, 10, true);
    for (auto _ : state) program.Main().PBoxPaint();
}
BENCHMARK(BM_HoverMovePlain)->Unit(benchmark::kMicrosecond);

template <bool Plain>
void Drop(benchmark::State& state) {
    Program program(5, 10, true, true);
    const board::Point from = board::ColorCentre(4), to = board::HoleCentre(3, 12);
    auto& p = program.platform;
    for (auto _ : state) {
        p.PointerDown(program.Main().Left() + from.X, program.Main().Top() + from.Y);
        p.PointerUp(program.Main().Left() + to.X, program.Main().Top() + to.Y);
        if constexpr (Plain) {
            program.Main().RedrawBoard();
            program.Main().PBoxPaint();
        }
    }
}
void BM_Drop(benchmark::State& state) { Drop<false>(state); }
void BM_DropPlain(benchmark::State& state) { Drop<true>(state); }
BENCHMARK(BM_Drop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DropPlain)->Unit(benchmark::kMicrosecond);

}  // namespace
