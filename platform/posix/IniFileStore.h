// IniFileStore: the per-user store on POSIX systems, an INI file with one
// "[Section]" header per section and "Name=value" lines.
//
// Every read looks at the file as it is now and every write replaces the
// whole file atomically (temporary file, flush, rename), so several store
// objects can be open at once without undoing each other's writes, and a
// crash never leaves half a file. Lines the program does not know (comments,
// other names, damaged lines) are kept as they are.
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
    std::string Location() const override { return path_.string(); }

    const std::filesystem::path& Path() const { return path_; }

private:
    enum class LoadResult { Loaded, Missing, Failed };
    LoadResult Load(std::vector<std::string>& lines) const;
    bool Replace(const std::vector<std::string>& lines) const;

    std::filesystem::path path_;
};
