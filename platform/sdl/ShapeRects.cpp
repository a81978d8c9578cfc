// ShapeRects: banding a region's runs into rectangles.
#include "platform/sdl/ShapeRects.h"

#include <cstddef>

std::vector<Rect> ShapeRectangles(const Region& region) {
    const std::vector<Span> spans = region.Spans();
    std::vector<Rect> rects;
    // The runs of the current band (same on each of its rows), the rows it
    // spans so far and where its rectangles start in `rects`.
    size_t bandStart = 0;
    size_t i = 0;
    int prevY = -2;
    std::vector<Span> band;
    while (i < spans.size()) {
        const int y = spans[i].Y;
        size_t j = i;
        while (j < spans.size() && spans[j].Y == y) ++j;
        bool same = (y == prevY + 1) && band.size() == j - i;
        for (size_t k = 0; same && k < band.size(); ++k)
            same = band[k].Left == spans[i + k].Left && band[k].Right == spans[i + k].Right;
        if (same) {
            for (size_t k = bandStart; k < rects.size(); ++k) ++rects[k].Height;
        } else {
            band.assign(spans.begin() + std::ptrdiff_t(i), spans.begin() + std::ptrdiff_t(j));
            bandStart = rects.size();
            for (const Span& s : band) rects.push_back(Rect{s.Left, y, s.Right - s.Left, 1});
        }
        prevY = y;
        i = j;
    }
    return rects;
}
