// CanvasPixels: 0x00RRGGBB pixels as R, G, B, A bytes.
#include "platform/web/CanvasPixels.h"

void ToCanvasPixels(const Bitmap& picture, const Rect& area, const Region* shape, std::vector<uint8_t>& out) {
    out.resize(size_t(area.Width) * size_t(area.Height) * 4);
    uint8_t* o = out.data();
    for (int y = area.Top; y < area.Bottom(); ++y) {
        const uint32_t* row = picture.Pixels.data() + size_t(y) * size_t(picture.Width);
        for (int x = area.Left; x < area.Right(); ++x, o += 4) {
            const uint32_t p = row[x];
            o[0] = uint8_t(p >> 16);
            o[1] = uint8_t(p >> 8);
            o[2] = uint8_t(p);
            o[3] = !shape || shape->Contains(x, y) ? 255 : 0;
        }
    }
}
