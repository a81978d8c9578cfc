// LinkProbe FILE.lnk: what a Windows shortcut points at, read from the file
// as Explorer reads it (the shell link format: a fixed header, an optional
// item list, the location block with the target's path, then counted
// strings), one "name value" line each:
//   target C:\...\QuorVex.exe     workdir C:\...      icon C:\...\x.ico
//   icon_index 0                  description ...
// Fields the link does not carry are left out. Exits 1 with a message on
// stderr for a file that is no shell link or is cut short. Plain C++, so
// the test builds it with one compiler call.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Reader {
    std::vector<uint8_t> Bytes;
    size_t At = 0;
    bool Failed = false;

    bool Has(size_t offset, size_t n) const { return offset <= Bytes.size() && n <= Bytes.size() - offset; }
    uint32_t U16(size_t offset)
    {
        if (!Has(offset, 2)) return Failed = true, 0;
        return Bytes[offset] | uint32_t{Bytes[offset + 1]} << 8;
    }
    uint32_t U32(size_t offset) { return U16(offset) | U16(offset + 2) << 16; }
    // A zero-ended text of one byte a character (the code page's; the
    // paths here are ASCII) or of UTF-16 units.
    std::string Ansi(size_t offset)
    {
        std::string s;
        for (; Has(offset, 1) && Bytes[offset]; ++offset) s += static_cast<char>(Bytes[offset]);
        if (!Has(offset, 1)) Failed = true;
        return s;
    }
    std::string Wide(size_t offset, size_t count)
    {
        std::string s;
        for (size_t i = 0; i < count && !Failed; ++i) {
            const uint32_t c = U16(offset + 2 * i);
            if (c < 0x80) {
                s += static_cast<char>(c);
            } else if (c < 0x800) {
                s += static_cast<char>(0xC0 | c >> 6);
                s += static_cast<char>(0x80 | (c & 0x3F));
            } else {
                s += static_cast<char>(0xE0 | c >> 12);
                s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
                s += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return s;
    }
    std::string WideZ(size_t offset)
    {
        size_t n = 0;
        while (!Failed && U16(offset + 2 * n) != 0) ++n;
        return Wide(offset, n);
    }
};

// Link flags.
constexpr uint32_t HasIdList = 0x1, HasLinkInfo = 0x2, HasName = 0x4, HasRelativePath = 0x8,
                   HasWorkingDir = 0x10, HasArguments = 0x20, HasIconLocation = 0x40, IsUnicode = 0x80;

int Fail(const char* file, const char* why)
{
    std::fprintf(stderr, "%s: %s\n", file, why);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return std::fprintf(stderr, "usage: %s FILE.lnk\n", argv[0]), 2;
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) return Fail(argv[1], "cannot be read");
    Reader r{std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {})};
    // The header: its size, then the shell link class id.
    static const uint8_t LinkClass[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
    if (r.U32(0) != 0x4C || !r.Has(4, 16) || !std::equal(LinkClass, LinkClass + 16, r.Bytes.begin() + 4))
        return Fail(argv[1], "is no shell link");
    const uint32_t flags = r.U32(0x14);
    const int32_t iconIndex = static_cast<int32_t>(r.U32(0x38));
    size_t at = 0x4C;
    if (flags & HasIdList) at += 2 + r.U16(at);

    std::vector<std::pair<std::string, std::string>> fields;
    if (flags & HasLinkInfo) {
        const size_t info = at;
        const uint32_t size = r.U32(info), headerSize = r.U32(info + 4), infoFlags = r.U32(info + 8);
        if (!r.Has(info, size) || headerSize < 0x1C) return Fail(argv[1], "has a damaged location block");
        if (infoFlags & 1) {  // on a local volume: the base path and its suffix
            std::string target;
            if (headerSize >= 0x24)
                target = r.WideZ(info + r.U32(info + 0x1C)) + r.WideZ(info + r.U32(info + 0x20));
            else
                target = r.Ansi(info + r.U32(info + 0x10)) + r.Ansi(info + r.U32(info + 0x18));
            fields.emplace_back("target", target);
        }
        at += size;
    }
    const bool unicode = flags & IsUnicode;
    const std::pair<uint32_t, const char*> strings[] = {{HasName, "description"},
                                                       {HasRelativePath, "relative_path"},
                                                       {HasWorkingDir, "workdir"},
                                                       {HasArguments, "arguments"},
                                                       {HasIconLocation, "icon"}};
    for (const auto& [bit, name] : strings) {
        if (!(flags & bit)) continue;
        const size_t count = r.U16(at);
        std::string text;
        if (unicode) {
            text = r.Wide(at + 2, count);
            at += 2 + 2 * count;
        } else {
            for (size_t i = 0; i < count && r.Has(at + 2 + i, 1); ++i) text += static_cast<char>(r.Bytes[at + 2 + i]);
            if (!r.Has(at + 2, count)) r.Failed = true;
            at += 2 + count;
        }
        fields.emplace_back(name, text);
    }
    if (r.Failed) return Fail(argv[1], "is cut short");
    if (flags & HasIconLocation) fields.emplace_back("icon_index", std::to_string(iconIndex));
    for (const auto& [name, value] : fields) std::printf("%s %s\n", name.c_str(), value.c_str());
    return 0;
}
