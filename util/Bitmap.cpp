// Bitmap: the hook told of fresh blocks of pixels.
#include "util/Bitmap.h"

namespace {
FreshPixelsHook g_freshPixels = nullptr;
// Small blocks are not worth a call: their pages come with the heap's.
constexpr size_t LargeBlock = 256 * 1024;
}  // namespace

void SetFreshPixelsHook(FreshPixelsHook hook) { g_freshPixels = hook; }

void FreshPixels(void* data, size_t bytes) {
    if (g_freshPixels && data && bytes >= LargeBlock) g_freshPixels(data, bytes);
}
