// ScaledPicture: the embedded pictures and the cursor at a drawing scale.
// What the windows draw with: a picture drawn for that scale where the art
// has one, else its 1x picture enlarged (plainly coarser, never missing).
#pragma once

#include <optional>
#include <string_view>

#include "resources/Pictures.h"
#include "util/Bitmap.h"
#include "util/Cursor.h"

// The window's picture at `scale` (its Scale set), or nothing when the
// program has no such picture.
std::optional<Bitmap> PictureAt(PictureWindow window, std::string_view name, int scale);

// A picture that is decoded when it is first drawn, not before: a window
// that never shows it never pays for it, in time or memory. A missing or
// unreadable picture is an empty bitmap, which every blit leaves alone.
class LazyPicture {
public:
    LazyPicture() = default;
    // `name` must outlive the picture (the names are literals).
    LazyPicture(PictureWindow window, std::string_view name, int scale) : window_(window), name_(name), scale_(scale) {}

    const Bitmap& Get() const {
        if (!picture_) picture_ = PictureAt(window_, name_, scale_).value_or(Bitmap{});
        return *picture_;
    }
    operator const Bitmap&() const { return Get(); }
    bool Decoded() const { return picture_.has_value(); }
    // Lets go of the decoded picture (its user keeps what it needs of it);
    // a later Get decodes it again.
    void Release() const { picture_.reset(); }

private:
    PictureWindow window_ = PictureWindow::Main;
    std::string_view name_;
    int scale_ = 1;
    mutable std::optional<Bitmap> picture_;
};

// The closed hand at `scale`: its picture, shape and hot spot all that
// many times the 1x ones.
std::optional<CursorImage> ClosedHandAt(int scale);
