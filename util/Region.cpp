// Region: shape tests in doubled integer coordinates, and the mask
// operations row by row over each shape's runs.
#include "util/Region.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

// In doubled coordinates a pixel centre is 2x + 1 and an ellipse of
// diameter d has semi-axis d, so the whole test stays in integers:
// dx^2 * h^2 + dy^2 * w^2 <= w^2 * h^2, with w and h the diameters.
bool InsideEllipse(int64_t dx2, int64_t dy2, int64_t w, int64_t h) {
    if (w <= 0 || h <= 0) return false;
    return dx2 * dx2 * h * h + dy2 * dy2 * w * w <= w * w * h * h;
}

bool InsideBox(const Shape& s, int x, int y) {
    return x >= s.Left && x < s.Right && y >= s.Top && y < s.Bottom;
}

}  // namespace

bool Shape::Contains(int x, int y) const {
    if (!InsideBox(*this, x, y)) return false;
    const int64_t px = 2 * int64_t{x} + 1, py = 2 * int64_t{y} + 1;
    const int64_t boxW = int64_t{Right} - Left, boxH = int64_t{Bottom} - Top;
    switch (Type) {
        case Kind::Rect:
            return true;
        case Kind::Ellipse:
            return InsideEllipse(px - (int64_t{Left} + Right), py - (int64_t{Top} + Bottom), boxW, boxH);
        case Kind::RoundRect: {
            const int64_t w = std::clamp<int64_t>(EllipseWidth, 0, boxW);
            const int64_t h = std::clamp<int64_t>(EllipseHeight, 0, boxH);
            if (w == 0 || h == 0) return true;
            // Distance past the centre of the nearest corner ellipse; zero on
            // the straight parts of the edges.
            const int64_t leftC = 2 * int64_t{Left} + w, rightC = 2 * int64_t{Right} - w;
            const int64_t topC = 2 * int64_t{Top} + h, bottomC = 2 * int64_t{Bottom} - h;
            const int64_t dx = px < leftC ? px - leftC : (px > rightC ? px - rightC : 0);
            const int64_t dy = py < topC ? py - topC : (py > bottomC ? py - bottomC : 0);
            if (dx == 0 || dy == 0) return true;
            return InsideEllipse(dx, dy, w, h);
        }
    }
    return false;
}

Shape RectShape(int left, int top, int right, int bottom) {
    return Shape{Shape::Kind::Rect, left, top, right, bottom, 0, 0};
}

Shape RoundRectShape(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    return Shape{Shape::Kind::RoundRect, left, top, right, bottom, ellipseWidth, ellipseHeight};
}

Shape EllipseShape(int left, int top, int right, int bottom) {
    return Shape{Shape::Kind::Ellipse, left, top, right, bottom, 0, 0};
}

Shape ScaledShape(const Shape& s, int scale) {
    return Shape{s.Type,         s.Left * scale,         s.Top * scale,         s.Right * scale,
                 s.Bottom * scale, s.EllipseWidth * scale, s.EllipseHeight * scale};
}

Region::Region(int width, int height, int scale)
    : width_(std::max(width, 0) * std::max(scale, 1)), height_(std::max(height, 0) * std::max(scale, 1)),
      scale_(std::max(scale, 1)), rowWords_((size_t(width_) + 63) / 64), bits_(rowWords_ * size_t(height_), 0) {}

// Sets or clears the pixels left..right - 1 of row y, a word at a time.
void Region::Run(int y, int left, int right, bool set) {
    uint64_t* row = bits_.data() + size_t(y) * rowWords_;
    size_t first = size_t(left) / 64, last = size_t(right - 1) / 64;
    const uint64_t head = ~uint64_t{0} << (unsigned(left) % 64);
    const uint64_t tail = ~uint64_t{0} >> (63 - unsigned(right - 1) % 64);
    auto apply = [set](uint64_t& word, uint64_t mask) { word = set ? word | mask : word & ~mask; };
    if (first == last) {
        apply(row[first], head & tail);
        return;
    }
    apply(row[first], head);
    for (size_t w = first + 1; w < last; ++w) row[w] = set ? ~uint64_t{0} : 0;
    apply(row[last], tail);
}

Region::Region(int width, int height, const Shape& shape, int scale) : Region(width, height, scale) { Union(shape); }

// Every shape is convex and symmetric about its centre, so each row of it
// is one run of pixels around the middle column: the run's ends are found
// by bisection with the exact pixel test, and the run is set in one go.
void Region::Apply(const Shape& logical, bool set) {
    const Shape shape = scale_ == 1 ? logical : ScaledShape(logical, scale_);
    const int x0 = std::max(shape.Left, 0), x1 = std::min(shape.Right, width_);
    const int y0 = std::max(shape.Top, 0), y1 = std::min(shape.Bottom, height_);
    if (x0 >= x1 || y0 >= y1) return;
    const int64_t mid64 = (int64_t{shape.Left} + shape.Right - 1) / 2;
    const int mid = int(mid64);
    for (int y = y0; y < y1; ++y) {
        int left, right;  // the run is left..right - 1
        if (shape.Type == Shape::Kind::Rect) {
            left = shape.Left;
            right = shape.Right;
        } else {
            int inside = mid;
            if (!shape.Contains(inside, y)) {
                inside = mid + 1;
                if (!shape.Contains(inside, y)) continue;
            }
            // The first pixel in, from the left edge; the first out, to the right.
            int lo = shape.Left, hi = inside;
            while (lo < hi) {
                const int m = lo + (hi - lo) / 2;
                if (shape.Contains(m, y)) hi = m; else lo = m + 1;
            }
            left = lo;
            lo = inside + 1, hi = shape.Right;
            while (lo < hi) {
                const int m = lo + (hi - lo) / 2;
                if (shape.Contains(m, y)) lo = m + 1; else hi = m;
            }
            right = lo;
        }
        left = std::max(left, x0);
        right = std::min(right, x1);
        if (left < right) Run(y, left, right, set);
    }
}

Region& Region::Union(const Shape& shape) {
    Apply(shape, true);
    return *this;
}

Region& Region::Difference(const Shape& shape) {
    Apply(shape, false);
    return *this;
}

Region& Region::Union(const std::vector<Span>& spans) {
    for (const Span& s : spans) {
        if (s.Y < 0 || s.Y >= height_) continue;
        const int left = std::max(s.Left, 0), right = std::min(s.Right, width_);
        if (left < right) Run(s.Y, left, right, true);
    }
    return *this;
}

Region& Region::Union(const Region& other) {
    const int w = std::min(width_, other.width_), h = std::min(height_, other.height_);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (other.Contains(x, y)) Run(y, x, x + 1, true);
    return *this;
}

Region& Region::Difference(const Region& other) {
    const int w = std::min(width_, other.width_), h = std::min(height_, other.height_);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (other.Contains(x, y)) Run(y, x, x + 1, false);
    return *this;
}

bool Region::Contains(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return (bits_[size_t(y) * rowWords_ + size_t(x) / 64] >> (unsigned(x) % 64)) & 1;
}

long Region::Count() const {
    long n = 0;
    for (const uint64_t word : bits_) n += std::popcount(word);  // bits past a row's end are never set
    return n;
}

std::vector<Span> Region::Spans() const {
    std::vector<Span> spans;
    // The ends of each run are found a word at a time: the first set bit
    // from a point on, then the first clear one.
    for (int y = 0; y < height_; ++y) {
        const uint64_t* row = bits_.data() + size_t(y) * rowWords_;
        auto next = [&](int from, bool set) {
            for (size_t w = size_t(from) / 64; w < rowWords_; ++w) {
                uint64_t word = set ? row[w] : ~row[w];
                if (w == size_t(from) / 64) word &= ~uint64_t{0} << (unsigned(from) % 64);
                if (word) return std::min(int(w * 64) + std::countr_zero(word), width_);
            }
            return width_;
        };
        for (int x = 0; x < width_;) {
            const int start = next(x, true);
            if (start >= width_) break;
            const int end = next(start, false);
            spans.push_back(Span{y, start, end});
            x = end;
        }
    }
    return spans;
}
