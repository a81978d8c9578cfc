// ScaledPicture: the embedded pictures and the cursor at a drawing scale,
// and the one cache the windows take their pictures from. A picture is the
// one drawn for that scale where the art has one, else its 1x picture
// enlarged (plainly coarser, never missing).
#pragma once

#include <map>
#include <optional>
#include <string_view>

#include "resources/Pictures.h"
#include "util/Bitmap.h"
#include "util/Cursor.h"

// The window's picture at `scale` (its Scale set), or nothing when the
// program has no such picture.
std::optional<Bitmap> PictureAt(PictureWindow window, std::string_view name, int scale);

// The one cache of the pictures the windows draw with, at the drawing scale
// of the moment, owned by the application. A picture is decoded when it is
// first asked for (a window that never shows it never pays for it, in time
// or memory) and kept until the scale changes, when every picture goes and
// is decoded again at the new scale on its next use. A picture the program
// lacks at that scale is its 1x picture enlarged (PictureAt); one it lacks
// altogether is an empty bitmap, which every blit leaves alone.
class PictureCache {
public:
    explicit PictureCache(int scale = 1);
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    int Scale() const { return scale_; }
    // Empties the cache and draws at `scale` from now on.
    void SetScale(int scale);

    // The picture at the cache's scale. `name` must outlive the cache (the
    // names are literals). The reference stays valid until the picture is
    // released or the scale changes.
    const Bitmap& Get(PictureWindow window, std::string_view name);
    // The picture handed over to a user who keeps it as its own (a side
    // window's skin, which it draws into), decoded by the same rule and not
    // kept here as well.
    Bitmap Take(PictureWindow window, std::string_view name);
    // Lets go of a decoded picture (its user kept what it needs of it); a
    // later Get decodes it again.
    void Release(PictureWindow window, std::string_view name);
    // Whether the picture is decoded and kept now.
    bool Holds(PictureWindow window, std::string_view name) const;

private:
    struct Key {
        PictureWindow Window;
        std::string_view Name;
        friend bool operator<(const Key& a, const Key& b) {
            return a.Window != b.Window ? a.Window < b.Window : a.Name < b.Name;
        }
    };
    int scale_;
    std::map<Key, Bitmap> pictures_;
};

// The closed hand at `scale`: its picture, shape and hot spot all that
// many times the 1x ones.
std::optional<CursorImage> ClosedHandAt(int scale);
