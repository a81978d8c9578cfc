// Region: a window shape as a 1-bit mask, built in software from
// rectangles, rounded rectangles and ellipses with union and difference.
// The backends cut their windows to it, so all of them show the same shape.
//
// Shapes are given by their bounding box (left, top, right, bottom) with the
// right and bottom edges excluded, as window regions usually are. Which
// pixels a curved shape holds is decided at the pixel centre: pixel (x, y)
// belongs to an ellipse when its centre (x + 0.5, y + 0.5) lies inside or on
// the ellipse inscribed in the box. The test runs in exact integer
// arithmetic, so every shape is symmetric and never depends on rounding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One primitive shape in window coordinates.
struct Shape {
    enum class Kind { Rect, RoundRect, Ellipse };
    Kind Type = Kind::Rect;
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    // For RoundRect: the size of the ellipse whose quarters round the four
    // corners, clamped to the box (a 24 x 24 ellipse rounds each corner by
    // 12 pixels).
    int EllipseWidth = 0, EllipseHeight = 0;

    bool Contains(int x, int y) const;
};

Shape RectShape(int left, int top, int right, int bottom);
Shape RoundRectShape(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
Shape EllipseShape(int left, int top, int right, int bottom);

// A run of pixels of one row inside a region: x from Left to Right - 1.
struct Span {
    int Y = 0, Left = 0, Right = 0;
    bool operator==(const Span&) const = default;
};

// The shape with every coordinate multiplied by `scale`.
Shape ScaledShape(const Shape& shape, int scale);

// A mask of a fixed size; pixels outside it never belong to the region, so
// shapes reaching past its edges are cut there.
//
// A mask made at a scale (util/Scale.h) takes its size and its shapes in
// logical pixels and holds scale x scale pixels for each of them: a shape
// added to it is the same shape scaled, tested exactly at that size. Width,
// Height, Contains and Spans speak of the mask's own pixels, which are what
// the window system is given.
class Region {
public:
    Region() = default;
    Region(int width, int height, int scale = 1);                      // empty mask
    Region(int width, int height, const Shape& shape, int scale = 1);  // mask holding one shape

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Scale() const { return scale_; }

    Region& Union(const Shape& shape);
    Region& Difference(const Shape& shape);
    // Adds runs of the mask's own pixels, as Spans gives them (runs beyond
    // the mask are cut at its edges): a mask kept as its runs, a small part
    // of its size, is made again this way.
    Region& Union(const std::vector<Span>& spans);
    // Combining two masks uses the same coordinates; the other mask's
    // pixels beyond this one's size are ignored.
    Region& Union(const Region& other);
    Region& Difference(const Region& other);

    bool Contains(int x, int y) const;
    long Count() const;  // pixels inside
    bool Empty() const { return Count() == 0; }

    // The mask as horizontal runs, top row first, left to right within a
    // row. The backends hand these to the window system.
    std::vector<Span> Spans() const;

    bool operator==(const Region&) const = default;

private:
    void Apply(const Shape& shape, bool set);
    void Run(int y, int left, int right, bool set);

    int width_ = 0;
    int height_ = 0;
    int scale_ = 1;
    // One bit a pixel, rows top to bottom, each row starting a new 64-bit
    // word (bit x % 64 of word x / 64); bits past a row's end stay clear.
    size_t rowWords_ = 0;
    std::vector<uint64_t> bits_;
};
