// ResourcePack: many resource files in one download, and the seam through
// which files that are not compiled into the program are found.
//
// The browser build compiles in only the 1x pictures; the 2x and 3x sets
// are files beside the page, one per window's folder and scale
// ("quorvex-2x-main.pack" for the board, "quorvex-3x-about.pack"...),
// each fetched the first time one of its pictures is needed: a player at
// 1x downloads nothing more than the 1x game, and one at 2x fetches the
// about window's large pictures only when it opens. A pack is a text head
// and the files' bytes one after the other:
//
//     QVPACK1\n
//     <size> <path below resources/>\n      (one line per file, in order)
//     \n
//     <the bytes of every file, in the order of the lines>
//
// ResourceBytes (Pictures.h) asks the installed fetcher for any path it
// does not hold itself; desktop builds install none.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ResourcePack {
public:
    // Reads a pack; nothing (with *error saying why) when the head is not a
    // pack's, a line does not parse, a path repeats or the sizes do not add
    // up to the bytes that follow. The pack keeps its own copy.
    static std::optional<ResourcePack> Parse(std::vector<uint8_t> bytes, std::string* error = nullptr);

    // A file's bytes, empty when the pack does not hold it.
    std::span<const uint8_t> File(std::string_view path) const;
    size_t FileCount() const { return files_.size(); }

private:
    std::vector<uint8_t> bytes_;
    std::map<std::string, std::pair<size_t, size_t>, std::less<>> files_;  // offset, size
};

// The scale a resource path belongs to (2 for "2x/...", 3 for "3x/...", 1
// for every other); the window folder whose pack holds it ("main" for
// "2x/main/ImgBoard.bmp.z", and for the files beside the folders); and
// the file name of that pack, empty for a 1x path (compiled in).
int PathScale(std::string_view path);
std::string PackGroup(std::string_view path);
std::string PackFileName(int scale, std::string_view group);
std::string PackFor(std::string_view path);

// Where ResourceBytes looks for a file the program does not hold: the
// bytes must stay valid for the rest of the run. Empty (the default)
// means nowhere.
using ResourceFetcher = std::function<std::span<const uint8_t>(std::string_view path)>;
void SetResourceFetcher(ResourceFetcher fetcher);
