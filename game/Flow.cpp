#include "game/Flow.h"

#include "game/Rules.h"
#include "game/Solver.h"
#include "game/Statistics.h"

bool BeatsRecord(int rows, int seconds, const HighScoreEntry& record) {
    const int recordRows = record.RecordRows;
    const int recordSeconds = record.RecordSeconds;  // copies: the entry is packed
    return recordRows == 0 || rows < recordRows || (rows == recordRows && seconds < recordSeconds);
}

namespace {

// The statistics entry of the game in progress: the settings it started
// with, since the options window changes them before the new game that
// gives up the old one.
size_t EntryOfGame() {
    const TGameSettings& s = GameSettings;
    return BoardState.PlayedSetting != 0 ? BoardState.PlayedSetting : StatsEntry(s.Spaces, s.Colors, s.Doubles);
}

bool GiveUp() {
    if (!GameUnderWay()) return false;
    BoardState.GameActive = false;
    CountGame(EntryOfGame(), GameEnd::GivenUp);
    return true;
}

}  // namespace

bool GameUnderWay() {
    const TBoardState& b = BoardState;
    return b.GameActive && b.CurrentRow >= 1 && b.CurrentRow < 12;
}

bool GiveUpGameOnEnding() { return GiveUp(); }

bool StartGame() {
    TBoardState& b = BoardState;
    const bool gaveUp = GiveUp();
    const TGameSettings& s = GameSettings;
    b.PlayedSetting = static_cast<uint8_t>(StatsEntry(s.Spaces, s.Colors, s.Doubles));
    GenerateSecret();
    b.ColorMarks.Fill(MarkNone);
    b.GameActive = true;
    b.CurrentRow = 12;
    b.HintUsed = false;
    ResetCandidates();  // needs row 12 current
    b.ElapsedTime = 0;
    return gaveUp;
}

namespace {

// The end of a game, won or lost: nothing more to evaluate, and the notes
// of this game go.
RowEvaluation EndGame(RowEnd end, uint8_t row) {
    TBoardState& b = BoardState;
    b.GameActive = false;
    b.ColorMarks.Fill(MarkNone);
    if (end == RowEnd::Lost)
        CountGame(EntryOfGame(), GameEnd::Lost);
    else
        CountGame(EntryOfGame(), GameEnd::Won, 13 - row, b.ElapsedTime, b.HintUsed);
    return {end, row};
}

}  // namespace

RowEvaluation EvaluateRow() {
    TBoardState& b = BoardState;
    if (!b.GameActive) return {RowEnd::NoGame, 0};
    if (!RowComplete()) return {RowEnd::RowNotFull, 0};
    ScoreRow();
    const uint8_t row = b.CurrentRow;
    if (b.RowScores[row].RedCount == GameSettings.Spaces) {
        if (b.HintUsed) return EndGame(RowEnd::Won, row);
        const int rows = 13 - row;
        HighScoreEntry& record = CurrentHighScore();
        if (!BeatsRecord(rows, b.ElapsedTime, record)) return EndGame(RowEnd::Won, row);
        record.RecordRows = static_cast<uint8_t>(rows);
        record.RecordSeconds = static_cast<int16_t>(b.ElapsedTime);
        return EndGame(RowEnd::NewRecord, row);
    }
    --b.CurrentRow;
    // Lost: the secret stays hidden.
    if (b.CurrentRow == 0) return EndGame(RowEnd::Lost, row);
    UpdateCandidates();
    return {RowEnd::NextRow, row};
}

bool PlaceHint() {
    TBoardState& b = BoardState;
    if (!b.GameActive) return false;
    UpdateCandidates();
    // All five positions are written, whatever the code length.
    b.Guesses[b.CurrentRow] = CandidateSlot(LastHint);
    if (b.CurrentRow != 12) b.HintUsed = true;
    return true;
}

uint8_t TypeColour(uint8_t colour) {
    if (colour < 1 || colour > GameSettings.Colors) return 0;
    return QuickFill(colour);
}

uint8_t TakeBackLast() {
    TBoardState& b = BoardState;
    // A row that was evaluated keeps its balls beside its pegs: after a win
    // the winning row stays current but is scored, so nothing comes out.
    if (!b.GameActive || b.CurrentRow < 1 || b.CurrentRow > 12) return 0;
    TCode& row = b.Guesses[b.CurrentRow];
    for (size_t p = GameSettings.Spaces; p >= 1; --p)
        if (row[p] != 0) {
            row[p] = 0;
            return static_cast<uint8_t>(p);
        }
    return 0;
}

uint8_t QuickFill(uint8_t colour) {
    TBoardState& b = BoardState;
    if (b.CurrentRow < 1 || b.CurrentRow > 12) return 0;
    TCode& row = b.Guesses[b.CurrentRow];
    for (size_t p = 1; p <= GameSettings.Spaces; ++p)
        if (row[p] == 0) {
            row[p] = colour;
            return static_cast<uint8_t>(p);
        }
    return 0;
}

bool DropBall(uint8_t colour, uint8_t row, uint8_t position) {
    TBoardState& b = BoardState;
    if (row < 1 || row > 12 || row != b.CurrentRow || position < 1 || position > GameSettings.Spaces) return false;
    if (colour < 1 || colour > 10) return false;
    b.Guesses[row][position] = colour;
    return true;
}

uint8_t CycleNoteMark(uint8_t colour) {
    if (colour < 1 || colour > GameSettings.Colors) return MarkNone;
    uint8_t& mark = BoardState.ColorMarks[colour];
    mark = static_cast<uint8_t>((mark + 1) % 3);
    return mark;
}

bool ToggleView(uint8_t toggle) {
    if (toggle < 1 || toggle > 2) return false;
    bool& view = GameSettings.Views[toggle];
    view = !view;
    return view;
}

bool ToggleSymbols() { return GameSettings.Symbols = !GameSettings.Symbols; }

bool ToggleHoles() { return GameSettings.Holes = !GameSettings.Holes; }

void SetViews(bool timer, bool combs) {
    GameSettings.ViewTimer() = timer;
    GameSettings.ViewCombs() = combs;
}
