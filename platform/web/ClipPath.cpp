// ClipPath: region runs to a CSS path (see ClipPath.h).
#include "platform/web/ClipPath.h"

#include <vector>

namespace {

// A mask coordinate in CSS pixels: whole where it divides, else with as
// many decimals as the scale needs (a third prints as .333333).
void AppendCoordinate(std::string& out, int value, int scale) {
    const int whole = value / scale, rest = value % scale;
    out += std::to_string(whole);
    if (rest == 0) return;
    // value >= 0 here: runs never start left of the mask.
    const double fraction = double(rest) / scale;
    std::string digits = std::to_string(fraction);  // "0.500000"
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    out += digits.substr(1);  // ".5"
}

}  // namespace

std::string ClipPathCss(const Region& shape, int cssScale) {
    const int scale = cssScale < 1 ? 1 : cssScale;
    const std::vector<Span> spans = shape.Spans();
    std::string path;
    // Runs of one row, then how many rows below repeat them exactly.
    size_t i = 0;
    while (i < spans.size()) {
        const int y = spans[i].Y;
        size_t rowEnd = i;
        while (rowEnd < spans.size() && spans[rowEnd].Y == y) ++rowEnd;
        const size_t count = rowEnd - i;
        int rows = 1;
        size_t next = rowEnd;
        for (;;) {
            if (next + count > spans.size()) break;
            bool same = true;
            for (size_t k = 0; k < count && same; ++k) {
                const Span& a = spans[i + k];
                const Span& b = spans[next + k];
                same = b.Y == y + rows && b.Left == a.Left && b.Right == a.Right;
            }
            if (same && next + count < spans.size() && spans[next + count].Y == y + rows) same = false;
            if (!same) break;
            ++rows;
            next += count;
        }
        for (size_t k = i; k < rowEnd; ++k) {
            path += 'M';
            AppendCoordinate(path, spans[k].Left, scale);
            path += ' ';
            AppendCoordinate(path, y, scale);
            path += 'H';
            AppendCoordinate(path, spans[k].Right, scale);
            path += 'V';
            AppendCoordinate(path, y + rows, scale);
            path += 'H';
            AppendCoordinate(path, spans[k].Left, scale);
            path += 'Z';
        }
        i = next;
    }
    if (path.empty()) path = "M0 0Z";
    return "path('" + path + "')";
}
