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

// The closed hand at `scale`: its picture, shape and hot spot all that
// many times the 1x ones.
std::optional<CursorImage> ClosedHandAt(int scale);
