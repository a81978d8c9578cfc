#include "platform/posix/IniFileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/StoreNames.h"

namespace {
// A store file this big was not written by the game; it is left alone.
constexpr std::uintmax_t MaxFileSize = 1 << 20;

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// "[Name]" gives Name, also with a comment after it ("[Game] ; options");
// anything else nothing.
std::optional<std::string> SectionOf(const std::string& line) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    const std::string rest = Trim(t.substr(close + 1));
    if (!rest.empty() && rest[0] != ';' && rest[0] != '#') return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// The file a write must replace: a symbolic link is followed to the file
// it names, so a config kept elsewhere (dotfiles) stays linked.
std::filesystem::path WriteTarget(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(target, ec)) return target;
        const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec) return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// "Name=value" gives both; comments and damaged lines give nothing.
bool SplitEntry(const std::string& line, std::string& name, std::string& value) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#' || t[0] == '[') return false;
    const auto eq = t.find('=');
    if (eq == std::string::npos || eq == 0) return false;
    name = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return !name.empty();
}

bool Storable(const std::string& s) { return s.find_first_of("\r\n", 0) == std::string::npos && s.find('\0') == std::string::npos; }

bool ValidName(const std::string& name) {
    return !name.empty() && Storable(name) && name.find_first_of("=[]") == std::string::npos && Trim(name) == name &&
           name[0] != ';' && name[0] != '#';
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

IniFileStore::IniFileStore(std::filesystem::path path) : path_(std::move(path)) {}

std::optional<std::filesystem::path> IniFileStore::DefaultPath() {
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home || !std::filesystem::path(home).is_absolute()) return std::nullopt;
        base = std::filesystem::path(home) / ".config";
    }
    return base / "Varnel" / "QuorVex.ini";
}

IniFileStore::LoadResult IniFileStore::Load(std::vector<std::string>& lines) const {
    lines.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(path_, ec);
    if (status.type() == std::filesystem::file_type::not_found) return LoadResult::Missing;
    if (ec || status.type() != std::filesystem::file_type::regular) return LoadResult::Failed;
    const auto size = std::filesystem::file_size(path_, ec);
    if (ec || size > MaxFileSize) return LoadResult::Failed;

    std::ifstream in(path_, std::ios::binary);
    if (!in) return LoadResult::Failed;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (in.bad()) return LoadResult::Failed;
    return LoadResult::Loaded;
}

std::optional<std::string> IniFileStore::ReadText(const std::string& section, const std::string& name) {
    std::vector<std::string> lines;
    if (Load(lines) != LoadResult::Loaded) return std::nullopt;
    bool inSection = false;
    std::string key, value;
    for (const std::string& line : lines) {
        if (auto s = SectionOf(line)) {
            inSection = SameName(*s, section);
        } else if (inSection && SplitEntry(line, key, value) && SameName(key, name)) {
            return value;
        }
    }
    return std::nullopt;
}

bool IniFileStore::WriteText(const std::string& section, const std::string& name, const std::string& value) {
    if (!ValidName(section) || !ValidName(name) || !Storable(value)) return false;
    std::vector<std::string> lines;
    // A file that exists but cannot be read is never overwritten: it may
    // hold the player's records.
    if (Load(lines) == LoadResult::Failed) return false;

    const std::string entry = name + "=" + value;
    bool inSection = false;
    std::optional<size_t> sectionEnd;  // line after the last entry of the first matching section
    std::string key, old;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (auto s = SectionOf(lines[i])) {
            inSection = SameName(*s, section);
            if (inSection && !sectionEnd) sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (SplitEntry(lines[i], key, old) && SameName(key, name)) {
            if (lines[i] == entry) return true;
            lines[i] = entry;
            return Replace(lines);
        }
        if (sectionEnd && sectionEnd == i && !Trim(lines[i]).empty()) sectionEnd = i + 1;
    }
    if (sectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    return Replace(lines);
}

bool IniFileStore::Replace(const std::vector<std::string>& lines) const {
    const std::filesystem::path target = WriteTarget(path_);
    std::error_code ec;
    const auto dir = target.parent_path();
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    if (ec) return false;

    std::ostringstream text;
    for (const std::string& line : lines) text << line << '\n';

    static std::atomic<unsigned> counter{0};
    const std::filesystem::path temp =
        target.string() + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    // The new file keeps the old one's permissions (a player who made it
    // private keeps it private) and, where allowed, its owner.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not ours to give away: the file is the player's anyway.
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            // The default mode is still a sound file.
        }
    }
    bool ok = WriteAll(fd, text.str());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here loses nothing.
    const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}
