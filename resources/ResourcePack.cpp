// ResourcePack: reading packs, and the fetcher seam (see ResourcePack.h).
#include "resources/ResourcePack.h"

#include <charconv>
#include <cstring>

namespace {

constexpr std::string_view Head = "QVPACK1\n";

std::optional<ResourcePack> Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return std::nullopt;
}

}  // namespace

std::optional<ResourcePack> ResourcePack::Parse(std::vector<uint8_t> bytes, std::string* error) {
    const std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!all.starts_with(Head)) return Fail(error, "not a resource pack (no QVPACK1 head)");
    ResourcePack pack;
    size_t at = Head.size();
    std::vector<std::pair<std::string, size_t>> entries;
    for (;;) {
        const size_t end = all.find('\n', at);
        if (end == std::string_view::npos) return Fail(error, "resource pack head is cut short");
        const std::string_view line = all.substr(at, end - at);
        at = end + 1;
        if (line.empty()) break;
        const size_t space = line.find(' ');
        size_t size = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + (space == std::string_view::npos ? 0 : space), size);
        if (space == std::string_view::npos || ec != std::errc() || ptr != line.data() + space || space + 1 >= line.size())
            return Fail(error, "resource pack line does not parse: " + std::string(line.substr(0, 80)));
        entries.emplace_back(std::string(line.substr(space + 1)), size);
    }
    size_t offset = at;
    for (const auto& [path, size] : entries) {
        if (size > bytes.size() - offset) return Fail(error, "resource pack is shorter than its files: " + path);
        if (!pack.files_.emplace(path, std::make_pair(offset, size)).second)
            return Fail(error, "resource pack holds " + path + " twice");
        offset += size;
    }
    if (offset != bytes.size()) return Fail(error, "resource pack has bytes no file claims");
    pack.bytes_ = std::move(bytes);
    return pack;
}

std::span<const uint8_t> ResourcePack::File(std::string_view path) const {
    const auto it = files_.find(path);
    if (it == files_.end()) return {};
    return {bytes_.data() + it->second.first, it->second.second};
}

std::string PackFileName(int scale, std::string_view group) {
    return "quorvex-" + std::to_string(scale) + "x-" + std::string(group) + ".pack";
}

std::string PackGroup(std::string_view path) {
    const size_t afterScale = path.find('/');
    if (afterScale == std::string_view::npos) return "main";
    const std::string_view rest = path.substr(afterScale + 1);
    const size_t folder = rest.find('/');
    // Files beside the folders (the cursor, the icon) go with the board.
    return folder == std::string_view::npos ? "main" : std::string(rest.substr(0, folder));
}

std::string PackFor(std::string_view path) {
    const int scale = PathScale(path);
    return scale == 1 ? std::string() : PackFileName(scale, PackGroup(path));
}

int PathScale(std::string_view path) {
    if (path.starts_with("2x/")) return 2;
    if (path.starts_with("3x/")) return 3;
    return 1;
}
