#include "platform/posix/IniFileStore.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "platform/posix/FileLock.h"
#include "platform/posix/IniText.h"

namespace {
// How long a write waits for another process's write to finish. Writes
// take milliseconds; a lock held longer belongs to a process that is stuck.
constexpr std::chrono::milliseconds LockPatience{1000};
// A temporary file this old belongs to no write still going on.
constexpr std::chrono::seconds StaleTempAge{60};

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

// Moves a file the store cannot use out of the way, beside it, under a
// name that says why and when: the player may still want what is in it.
bool SetAside(const std::filesystem::path& target) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = target.string() + ".unreadable-" + stamp;
    for (int n = 0; n < 100; ++n) {
        const std::string aside = n == 0 ? base : base + "-" + std::to_string(n);
        // link() never replaces an existing file, so no earlier one is lost.
        if (::link(target.c_str(), aside.c_str()) == 0) return ::unlink(target.c_str()) == 0;
        if (errno != EEXIST) return false;
    }
    return false;
}

// Removes "<file>.tmp<pid>-<n>" files whose writer no longer runs, or that
// are older than any write takes: what an interrupted save left behind.
void RemoveStaleTemps(const std::filesystem::path& target) {
    const std::string prefix = target.filename().string() + ".tmp";
    std::error_code ec;
    const std::filesystem::path dir = target.parent_path().empty() ? "." : target.parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        long pid = 0;
        const auto [end, err] = std::from_chars(first, last, pid);
        if (err != std::errc{} || end == last || *end != '-' || pid <= 0) continue;  // not one of ours
        bool stale = pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
        struct stat st {};
        if (!stale && ::lstat(entry.path().c_str(), &st) == 0)
            stale = std::time(nullptr) - st.st_mtime > StaleTempAge.count();
        if (stale) ::unlink(entry.path().c_str());
    }
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

    std::ifstream in(path_, std::ios::binary);
    if (!in) return LoadResult::Failed;
    // One byte past the limit tells an oversized file, even one that grew
    // since it was looked at.
    std::string text(MaxFileSize + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return LoadResult::Failed;
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > MaxFileSize || !IniLooksLikeText(text)) return LoadResult::Unusable;
    lines = IniLines(text);
    return LoadResult::Loaded;
}

std::optional<std::string> IniFileStore::ReadText(const std::string& section, const std::string& name) {
    std::vector<std::string> lines;
    if (Load(lines) != LoadResult::Loaded) return std::nullopt;
    return IniFind(lines, section, name);
}

bool IniFileStore::WriteText(const std::string& section, const std::string& name, const std::string& value) {
    return WriteTexts({StoreEntry{section, name, value}});
}

bool IniFileStore::WriteTexts(const std::vector<StoreEntry>& entries) {
    return UpdateTexts([&](Store&) { return entries; });
}

bool IniFileStore::UpdateTexts(const Update& update) {
    const std::filesystem::path target = WriteTarget(path_);
    std::error_code ec;
    const auto dir = target.parent_path();
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    if (ec) return false;
    const FileLock lock(target.string() + ".lock", LockPatience);
    if (!lock.Held()) return false;
    // Read under the lock: no other writer can change what it saw.
    const std::vector<StoreEntry> entries = update(*this);
    if (entries.empty()) return true;
    for (const StoreEntry& e : entries)
        if (!IniValidName(e.Section) || !IniValidName(e.Name) || !IniStorable(e.Value)) return false;
    RemoveStaleTemps(target);

    std::vector<std::string> lines;
    switch (Load(lines)) {
        case LoadResult::Loaded:
        case LoadResult::Missing: break;
        // A file that exists but cannot be read now (permissions, a folder)
        // is never overwritten: it may hold the player's records.
        case LoadResult::Failed: return false;
        // One that can never be used is kept aside, and saving works again.
        case LoadResult::Unusable:
            if (!SetAside(target)) return false;
            break;
    }
    bool changed = false;
    for (const StoreEntry& e : entries) changed = IniSet(lines, e.Section, e.Name, e.Value) || changed;
    if (!changed && std::filesystem::exists(target, ec)) return true;
    return Replace(target, lines);
}

bool IniFileStore::Replace(const std::filesystem::path& target, const std::vector<std::string>& lines) const {
    const auto dir = target.parent_path();
    const std::string text = IniText(lines);

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
    bool ok = WriteAll(fd, text);
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
