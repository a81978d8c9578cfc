// Pictures: lookup of the embedded files (see Pictures.h).
#include "resources/Pictures.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "resources/Compressed.h"
#include "resources/ResourcePack.h"

namespace {

ResourceFetcher& Fetcher()
{
    static ResourceFetcher fetcher;
    return fetcher;
}

#if defined(__linux__)
// Whether the embedded files lie in pages mapped read-only from the program
// file, as a linker puts constant arrays: only such pages can be dropped
// and read back unchanged. Asked once of /proc/self/maps.
bool EmbeddedPagesAreTheFiles(const void* sample)
{
    FILE* maps = std::fopen("/proc/self/maps", "r");
    if (!maps) return false;
    const auto at = reinterpret_cast<uintptr_t>(sample);
    bool fileBacked = false;
    char line[512];
    while (std::fgets(line, sizeof line, maps)) {
        unsigned long long begin = 0, end = 0, offset = 0, inode = 0;
        char perms[5] = {};
        unsigned dev1 = 0, dev2 = 0;
        if (std::sscanf(line, "%llx-%llx %4s %llx %x:%x %llu", &begin, &end, perms, &offset, &dev1, &dev2, &inode) != 7)
            continue;
        if (at < begin || at >= end) continue;
        fileBacked = inode != 0 && perms[1] == '-' && perms[3] == 'p';
        break;
    }
    std::fclose(maps);
    return fileBacked;
}
#endif

// A picture's embedded bytes are read once, as it is decoded; the program
// file's pages that hold nothing else are let go of then, rather than stay
// in the program's memory beside the picture made of them. They stay in
// the system's file cache, so a picture decoded again (at another scale
// and back) reads them back at once.
void HandBackBytes(std::span<const uint8_t> bytes)
{
#if defined(__linux__)
    static const bool droppable = EmbeddedPagesAreTheFiles(bytes.data());
    if (!droppable) return;
    static const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = (uintptr_t(bytes.data()) + page - 1) & ~(page - 1);
    const uintptr_t end = (uintptr_t(bytes.data()) + bytes.size()) & ~(page - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
#else
    (void)bytes;
#endif
}

bool KnownScale(int scale) { return scale >= MinPictureScale && scale <= MaxPictureScale; }

// "" at 1x, "2x/" and "3x/" above.
std::string ScaleFolder(int scale) { return scale == 1 ? std::string() : std::to_string(scale) + "x/"; }

}  // namespace

std::string_view WindowFolder(PictureWindow window)
{
    switch (window) {
    case PictureWindow::Main: return "main";
    case PictureWindow::Timer: return "timer";
    case PictureWindow::Combs: return "combs";
    case PictureWindow::Message: return "message";
    case PictureWindow::Options: return "options";
    case PictureWindow::High: return "high";
    case PictureWindow::About: return "about";
    case PictureWindow::Stats: return "stats";
    }
    return {};
}

std::span<const uint8_t> ResourceBytes(std::string_view path)
{
    // The table is sorted by path (the build sorts it), so a binary search
    // finds a file among the three scales' hundreds as fast as among one.
    const auto files = EmbeddedFiles();
    const auto it = std::lower_bound(files.begin(), files.end(), path,
                                     [](const EmbeddedFile& f, std::string_view p) { return f.Path < p; });
    if (it != files.end() && it->Path == path) return it->Bytes;
    // Not compiled in: the browser build fetches its 2x and 3x packs.
    return Fetcher() ? Fetcher()(path) : std::span<const uint8_t>{};
}

void SetResourceFetcher(ResourceFetcher fetcher) { Fetcher() = std::move(fetcher); }

std::string PicturePath(PictureWindow window, std::string_view name, int scale)
{
    if (!KnownScale(scale)) return {};
    std::string path = ScaleFolder(scale);
    path += WindowFolder(window);
    path += '/';
    path += name;
    path += ".bmp";
    if (scale != 1) path += packed::Suffix;
    return path;
}

std::span<const uint8_t> PictureBytes(PictureWindow window, std::string_view name, int scale)
{
    const std::string path = PicturePath(window, name, scale);
    return path.empty() ? std::span<const uint8_t>{} : ResourceBytes(path);
}

std::optional<BmpImage> LoadPicture(PictureWindow window, std::string_view name, int scale, std::string* error)
{
    if (!KnownScale(scale)) {
        if (error) *error = "no pictures at scale " + std::to_string(scale) + " (only 1, 2 and 3)";
        return std::nullopt;
    }
    const auto bytes = PictureBytes(window, name, scale);
    if (bytes.empty()) {
        if (error)
            *error = "no picture " + std::string(name) + " for window " + std::string(WindowFolder(window)) +
                     " at scale " + std::to_string(scale);
        return std::nullopt;
    }
    if (scale == 1) {
        auto image = DecodeBmp(bytes.data(), bytes.size(), error);
        HandBackBytes(bytes);
        return image;
    }
    std::string why;
    auto image = DecodePackedPicture(bytes, &why);
    HandBackBytes(bytes);
    if (!image && error) *error = PicturePath(window, name, scale) + ": " + why;
    return image;
}

bool LoadPictureInto(PictureWindow window, std::string_view name, int scale, Bitmap& into, std::string* error)
{
    const auto bytes = KnownScale(scale) ? PictureBytes(window, name, scale) : std::span<const uint8_t>{};
    if (bytes.empty()) {
        if (error) *error = "no picture " + std::string(name) + " at scale " + std::to_string(scale);
        return false;
    }
    std::string why;
    const bool decoded = scale == 1 ? DecodeBmpInto(bytes.data(), bytes.size(), into, &why).has_value()
                                    : DecodePackedPictureInto(bytes, into, &why).has_value();
    HandBackBytes(bytes);
    if (!decoded && error) *error = PicturePath(window, name, scale) + ": " + why;
    return decoded;
}

std::optional<BmpImage> LoadPicture(PictureWindow window, std::string_view name, std::string* error)
{
    return LoadPicture(window, name, 1, error);
}

std::span<const uint8_t> CursorFistBytes(int scale)
{
    return KnownScale(scale) ? ResourceBytes(ScaleFolder(scale) + "FIST.cur") : std::span<const uint8_t>{};
}

std::span<const uint8_t> ProgramIconBytes(int scale)
{
    return KnownScale(scale) ? ResourceBytes(ScaleFolder(scale) + "QuorVex.ico") : std::span<const uint8_t>{};
}
