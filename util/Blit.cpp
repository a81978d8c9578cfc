// Blits: clipping against both bitmaps first, then one pass per row with
// the raster operation applied to whole 32-bit pixels (a plain copy is a
// block move).
#include "util/Blit.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// The part of a copy that survives clipping: destination and source corners
// and the size. Computed in 64 bits so that coordinates near the int limits
// cannot wrap into the bitmaps.
struct ClippedCopy {
    int DstX = 0, DstY = 0, SrcX = 0, SrcY = 0, Width = 0, Height = 0;
};

bool Clip(const Bitmap& canvas, int64_t x, int64_t y, int64_t width, int64_t height, int64_t srcX, int64_t srcY,
          const Bitmap& source, ClippedCopy& out) {
    if (width <= 0 || height <= 0) return false;
    int64_t dx = x, dy = y, sx = srcX, sy = srcY, w = width, h = height;
    // Cut the left/top overhang of either bitmap, moving both corners alike.
    const int64_t cutX = std::max<int64_t>({0, -dx, -sx});
    const int64_t cutY = std::max<int64_t>({0, -dy, -sy});
    dx += cutX, sx += cutX, w -= cutX;
    dy += cutY, sy += cutY, h -= cutY;
    // Then the right/bottom overhang.
    w = std::min({w, int64_t{canvas.Width} - dx, int64_t{source.Width} - sx});
    h = std::min({h, int64_t{canvas.Height} - dy, int64_t{source.Height} - sy});
    if (w <= 0 || h <= 0) return false;
    out = {int(dx), int(dy), int(sx), int(sy), int(w), int(h)};
    return true;
}

const uint32_t* PixelAt(const Bitmap& b, int x, int y) {
    return b.Pixels.data() + size_t(y) * size_t(b.Width) + size_t(x);
}

template <typename Op>
void CopyRows(Bitmap& canvas, const ClippedCopy& c, const Bitmap& source, Op op) {
    // Copying a bitmap onto itself: read the source rows out first so an
    // overlapping copy sees the pixels as they were, as a real blit does.
    std::vector<uint32_t> scratch;
    const uint32_t* rows = nullptr;
    size_t rowStep = 0;
    if (&canvas == &source) {
        scratch.resize(size_t(c.Width) * size_t(c.Height));
        for (int row = 0; row < c.Height; ++row)
            std::copy_n(PixelAt(source, c.SrcX, c.SrcY + row), c.Width, scratch.begin() + std::ptrdiff_t(row) * c.Width);
        rows = scratch.data();
        rowStep = size_t(c.Width);
    } else {
        rows = PixelAt(source, c.SrcX, c.SrcY);
        rowStep = size_t(source.Width);
    }
    // Whole rows of two bitmaps of one width are one block: one call, which
    // a large copy needs to stream past the caches.
    if (c.Width == canvas.Width && rowStep == size_t(canvas.Width)) {
        op(&canvas.At(0, c.DstY), rows, size_t(c.Width) * size_t(c.Height));
        return;
    }
    for (int row = 0; row < c.Height; ++row) {
        const uint32_t* src = rows + size_t(row) * rowStep;
        uint32_t* dst = &canvas.At(c.DstX, c.DstY + row);
        op(dst, src, size_t(c.Width));
    }
}

template <typename Op>
void ApplyRop(uint32_t rop, Op run) {
    switch (rop) {
        case RopSrcCopy: run([](uint32_t& d, uint32_t v) { d = v; }); break;
        case RopSrcAnd: run([](uint32_t& d, uint32_t v) { d &= v; }); break;
        case RopSrcPaint: run([](uint32_t& d, uint32_t v) { d |= v; }); break;
        default: break;  // an operation the program never uses: draw nothing
    }
}

// A source of another scale: every canvas pixel of the logical rectangle
// takes the nearest source pixel.
void BlitAcrossScales(Bitmap& canvas, int64_t x, int64_t y, int64_t width, int64_t height, int64_t srcX,
                      int64_t srcY, const Bitmap& source, uint32_t rop) {
    const int64_t cs = canvas.Scale, ss = source.Scale;
    const int64_t left = std::max<int64_t>(x * cs, 0), top = std::max<int64_t>(y * cs, 0);
    const int64_t right = std::min<int64_t>((x + width) * cs, canvas.Width);
    const int64_t bottom = std::min<int64_t>((y + height) * cs, canvas.Height);
    ApplyRop(rop, [&](auto op) {
        for (int64_t py = top; py < bottom; ++py) {
            const int64_t sy = srcY * ss + (py - y * cs) * ss / cs;
            if (sy < 0 || sy >= source.Height) continue;
            for (int64_t px = left; px < right; ++px) {
                const int64_t sx = srcX * ss + (px - x * cs) * ss / cs;
                if (sx < 0 || sx >= source.Width) continue;
                op(canvas.At(int(px), int(py)), source.At(int(sx), int(sy)));
            }
        }
    });
}

}  // namespace

void BlitPicture(Bitmap& canvas, int x, int y, const Bitmap& bitmap) {
    BlitRectRop(canvas, x, y, bitmap.LogicalWidth(), bitmap.LogicalHeight(), 0, 0, bitmap, RopSrcCopy);
}

void BlitRect(Bitmap& canvas, int x, int y, int width, int height, int srcX, int srcY, const Bitmap& bitmap) {
    BlitRectRop(canvas, x, y, width, height, srcX, srcY, bitmap, RopSrcCopy);
}

void BlitRectRop(Bitmap& canvas, int x, int y, int width, int height, int srcX, int srcY, const Bitmap& bitmap,
                 uint32_t rop) {
    if (width <= 0 || height <= 0) return;
    if (bitmap.Scale != canvas.Scale) {
        BlitAcrossScales(canvas, x, y, width, height, srcX, srcY, bitmap, rop);
        return;
    }
    const int64_t s = canvas.Scale;
    ClippedCopy c;
    if (!Clip(canvas, x * s, y * s, width * s, height * s, srcX * s, srcY * s, bitmap, c)) return;
    switch (rop) {
        case RopSrcCopy:
            CopyRows(canvas, c, bitmap, [](uint32_t* d, const uint32_t* s, size_t n) { std::copy_n(s, n, d); });
            break;
        case RopSrcAnd:
            CopyRows(canvas, c, bitmap, [](uint32_t* d, const uint32_t* s, size_t n) {
                for (size_t i = 0; i < n; ++i) d[i] &= s[i];
            });
            break;
        case RopSrcPaint:
            CopyRows(canvas, c, bitmap, [](uint32_t* d, const uint32_t* s, size_t n) {
                for (size_t i = 0; i < n; ++i) d[i] |= s[i];
            });
            break;
        default: break;  // an operation the program never uses: draw nothing
    }
}

Bitmap Rescaled(const Bitmap& bitmap, int scale) {
    if (scale == bitmap.Scale) return bitmap;
    Bitmap result = Bitmap::Logical(bitmap.LogicalWidth(), bitmap.LogicalHeight(), scale);
    BlitPicture(result, 0, 0, bitmap);
    return result;
}
