// ScaledPicture: pictures and the cursor at a scale.
#include "resources/ScaledPicture.h"

#include <algorithm>
#include <utility>

#include "util/Blit.h"

std::optional<Bitmap> PictureAt(PictureWindow window, std::string_view name, int scale) {
    if (auto image = LoadPicture(window, name, scale)) {
        image->Picture.Scale = scale;
        return std::move(image->Picture);
    }
    // Drawn for no other scale than 1x: shown enlarged.
    auto image = LoadPicture(window, name);
    if (!image) return std::nullopt;
    return Rescaled(image->Picture, scale);
}

PictureCache::PictureCache(int scale) : scale_(std::clamp(scale, MinPictureScale, MaxPictureScale)) {}

void PictureCache::SetScale(int scale) {
    scale_ = std::clamp(scale, MinPictureScale, MaxPictureScale);
    pictures_.clear();
}

const Bitmap& PictureCache::Get(PictureWindow window, std::string_view name) {
    const Key key{window, name};
    auto it = pictures_.find(key);
    if (it == pictures_.end()) it = pictures_.emplace(key, PictureAt(window, name, scale_).value_or(Bitmap{})).first;
    return it->second;
}

Bitmap PictureCache::Take(PictureWindow window, std::string_view name) {
    if (auto it = pictures_.find(Key{window, name}); it != pictures_.end()) {
        Bitmap picture = std::move(it->second);
        pictures_.erase(it);
        return picture;
    }
    return PictureAt(window, name, scale_).value_or(Bitmap{});
}

void PictureCache::Release(PictureWindow window, std::string_view name) { pictures_.erase(Key{window, name}); }

bool PictureCache::Holds(PictureWindow window, std::string_view name) const {
    return pictures_.contains(Key{window, name});
}

std::optional<CursorImage> ClosedHandAt(int scale) {
    if (scale > 1) {
        const auto drawn = CursorFistBytes(scale);
        if (auto cursor = DecodeCur(drawn.data(), drawn.size())) return cursor;
    }
    const auto bytes = CursorFistBytes();
    auto cursor = DecodeCur(bytes.data(), bytes.size());
    if (!cursor || scale <= 1) return cursor;
    CursorImage big;
    big.Picture = Rescaled(cursor->Picture, scale);
    big.Picture.Scale = 1;  // a cursor is shown at its own pixels
    big.Shape = Region(cursor->Shape.Width() * scale, cursor->Shape.Height() * scale);
    for (int y = 0; y < big.Shape.Height(); ++y)
        for (int x = 0; x < big.Shape.Width(); ++x)
            if (cursor->Shape.Contains(x / scale, y / scale)) big.Shape.Union(RectShape(x, y, x + 1, y + 1));
    big.HotX = cursor->HotX * scale + scale / 2;
    big.HotY = cursor->HotY * scale + scale / 2;
    return big;
}
