// Bitmap: a 32-bit pixel buffer of the program. Every picture, the board's
// back buffer and each window's client surface is one of these; the blits
// and the backends work on them.
//
// Pixels are 0x00RRGGBB, rows top to bottom, no padding, in a block of the
// bitmap's own or one lent to it (a window's surface, see PixelBuffer).
// The top byte is kept at 0 by everything that writes pixels, so raster
// operations on two bitmaps stay plain 32-bit AND / OR.
//
// Width, Height and At are in the bitmap's own pixels. Scale says how many
// of them make one logical pixel each way (util/Scale.h): a picture drawn
// for a 2x screen is twice as wide as its 1x twin, with Scale 2. The blits
// address bitmaps in logical coordinates.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

// Told of every large block of pixels just made to be written whole at once
// (a decoded picture, a back buffer laid in one go), before the writing: a
// system where first touching each page of memory is slow can make all of
// the block's pages in one go. Nothing is done by default.
using FreshPixelsHook = void (*)(void* data, size_t bytes);
void SetFreshPixelsHook(FreshPixelsHook hook);
void FreshPixels(void* data, size_t bytes);

// The pixels of a Bitmap: a block of its own, or one lent by whoever owns
// the memory (a window's surface, which the system shows from), which the
// Bitmap neither frees nor may outlive. Copying always makes a block of
// its own, so a copy of a lent picture stays valid after the lender is gone.
class PixelBuffer {
public:
    PixelBuffer() = default;
    // `count` black pixels. A large block comes from the system already
    // zeroed, so nothing is written (or made resident) until drawn on.
    explicit PixelBuffer(size_t count) : PixelBuffer(Allocate(count, true), count, true) {}
    // `count` pixels of no particular value, for a writer that sets every
    // one of them (a decoder) and would only waste a pass clearing them.
    static PixelBuffer Uninitialised(size_t count) {
        PixelBuffer block(Allocate(count, false), count, true);
        FreshPixels(block.data_, count * sizeof(uint32_t));
        return block;
    }
    // `count` pixels at `data`, owned by the caller.
    static PixelBuffer Lent(uint32_t* data, size_t count) { return PixelBuffer(data, count, false); }

    PixelBuffer(const PixelBuffer& other) : PixelBuffer(Allocate(other.size_, false), other.size_, true) {
        if (size_) std::memcpy(data_, other.data_, size_ * sizeof(uint32_t));
    }
    PixelBuffer(PixelBuffer&& other) noexcept : data_(other.data_), size_(other.size_), owned_(other.owned_) {
        other.data_ = nullptr, other.size_ = 0, other.owned_ = false;
    }
    PixelBuffer& operator=(PixelBuffer other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(owned_, other.owned_);
        return *this;
    }
    ~PixelBuffer() {
        if (owned_) std::free(data_);
    }

    // True when the memory is someone else's.
    bool IsLent() const { return data_ && !owned_; }

    uint32_t* data() { return data_; }
    const uint32_t* data() const { return data_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    uint32_t* begin() { return data_; }
    uint32_t* end() { return data_ + size_; }
    const uint32_t* begin() const { return data_; }
    const uint32_t* end() const { return data_ + size_; }
    uint32_t& operator[](size_t i) { return data_[i]; }
    uint32_t operator[](size_t i) const { return data_[i]; }
    // `count` pixels of `value` in a block of the buffer's own.
    void assign(size_t count, uint32_t value) {
        *this = PixelBuffer(count);
        if (value != 0) std::fill(begin(), end(), value);
    }

    friend bool operator==(const PixelBuffer& a, const PixelBuffer& b) {
        return a.size_ == b.size_ && (a.size_ == 0 || std::memcmp(a.data_, b.data_, a.size_ * sizeof(uint32_t)) == 0);
    }

private:
    PixelBuffer(uint32_t* data, size_t count, bool owned) : data_(count ? data : nullptr), size_(count), owned_(owned && count) {}
    static uint32_t* Allocate(size_t count, bool zeroed) {
        if (count == 0) return nullptr;
        void* p = zeroed ? std::calloc(count, sizeof(uint32_t)) : std::malloc(count * sizeof(uint32_t));
        if (!p) throw std::bad_alloc();
        return static_cast<uint32_t*>(p);
    }

    uint32_t* data_ = nullptr;
    size_t size_ = 0;
    bool owned_ = false;
};

struct Bitmap {
    int Width = 0;
    int Height = 0;
    PixelBuffer Pixels;
    int Scale = 1;

    Bitmap() = default;
    // A black picture is zeroed as one block; another fill goes pixel by pixel.
    Bitmap(int width, int height, uint32_t fill = 0)
        : Width(width > 0 ? width : 0), Height(height > 0 ? height : 0),
          Pixels(static_cast<size_t>(Width) * static_cast<size_t>(Height)) {
        if (fill != 0) std::fill(Pixels.begin(), Pixels.end(), fill);
    }

    // A picture of the given size whose every pixel the caller is about to
    // set (a decoder's output).
    static Bitmap Uninitialised(int width, int height) {
        Bitmap b;
        b.Width = width > 0 ? width : 0;
        b.Height = height > 0 ? height : 0;
        b.Pixels = PixelBuffer::Uninitialised(static_cast<size_t>(b.Width) * static_cast<size_t>(b.Height));
        return b;
    }

    // A black picture of the given logical size at the scale, pixels made.
    static Bitmap Logical(int width, int height, int scale) {
        Bitmap b(width * scale, height * scale);
        b.Scale = scale;
        return b;
    }

    bool Empty() const { return Width == 0 || Height == 0; }
    int LogicalWidth() const { return Width / Scale; }
    int LogicalHeight() const { return Height / Scale; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }

    // Unchecked access; callers clip first.
    uint32_t& At(int x, int y) { return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)]; }
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)]; }
};

inline constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b};
}
