// Digits: digit texts drawn from the embedded digit strip.
#include "windows/Digits.h"

#include "util/Format.h"
#include "util/Blit.h"
#include "windows/LayoutTypes.h"

namespace {

constexpr int BlankCell = 10;

}  // namespace

int DigitCell(char ch) {
    if (ch >= '1' && ch <= '9') return ch - '1';
    if (ch == '0') return 9;
    if (ch == '/') return 11;
    if (ch == '-') return 12;
    return BlankCell;
}

std::string RecordDigits(const HighScoreEntry& record) {
    if (record.RecordRows == 0) return std::string(6, ' ');
    // A hand-edited table may hold records no game makes (13 rows in 1000 s,
    // 255/-32768). Cut to six cells such a record would read as another one
    // ("13/100"), so a record that does not fit shows dashes: plainly no
    // number at all.
    const int seconds = record.RecordSeconds;
    if (record.RecordRows > 99 || seconds < 0 || seconds > 999) return "--/---";
    return NumToStrWidth(record.RecordRows, 2) + "/" + NumToStrZero(seconds, 3);
}

void DrawDigits(PictureCache& pictures, Bitmap& canvas, int x, int y, std::string_view text) {
    // A missing strip is an empty bitmap, which the blit clips away, so the
    // displays simply stay as they are.
    const Bitmap& strip = pictures.Get(PictureWindow::Main, "imgDigits");
    for (size_t i = 0; i < text.size(); ++i)
        BlitRect(canvas, x + Layout::DigitWidth * static_cast<int>(i), y, Layout::DigitWidth, Layout::DigitHeight,
                 Layout::DigitWidth * DigitCell(text[i]), 0, strip);
}
