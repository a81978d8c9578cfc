// IniFileStore: the per-user store on POSIX systems, an INI file with one
// "[Section]" header per section and "Name=value" lines.
//
// Every read looks at the file as it is now and every write replaces the
// whole file atomically (temporary file, flush, rename), so a crash never
// leaves half a file. Each read-modify-write holds an advisory lock on a
// file beside it ("QuorVex.ini.lock"), so store objects in several processes
// never undo each other's writes; the lock is waited for about a second at
// most, then the write reports failure rather than hang the game. Lines the
// program does not know (comments, other names, damaged lines) are kept as
// they are; a UTF-8 byte-order mark is skipped and CR, LF and CRLF all end
// a line.
//
// A file the store cannot use (over MaxFileSize, not text, UTF-16) reads as
// empty; the next write moves it aside under a name that says so
// ("QuorVex.ini.unreadable-<time>"), never deletes it, and starts a fresh
// file. Temporary files of saves that never finished are removed by the next
// save once their writer is gone or they are a minute old.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game/Store.h"

class IniFileStore final : public Store {
public:
    explicit IniFileStore(std::filesystem::path path);

    // ${XDG_CONFIG_HOME:-$HOME/.config}/Varnel/QuorVex.ini, or nothing when
    // neither variable names an absolute directory.
    static std::optional<std::filesystem::path> DefaultPath();

    std::optional<std::string> ReadText(const std::string& section, const std::string& name) override;
    bool WriteText(const std::string& section, const std::string& name, const std::string& value) override;
    // One lock, one read, one replace for all the entries.
    bool WriteTexts(const std::vector<StoreEntry>& entries) override;
    // The read and the write under one hold of the lock.
    bool UpdateTexts(const Update& update) override;
    std::string Location() const override { return path_.string(); }

    const std::filesystem::path& Path() const { return path_; }

    static constexpr std::uintmax_t MaxFileSize = 1 << 20;

private:
    enum class LoadResult { Loaded, Missing, Unusable, Failed };
    LoadResult Load(std::vector<std::string>& lines) const;
    bool Replace(const std::filesystem::path& target, const std::vector<std::string>& lines) const;

    std::filesystem::path path_;
};
