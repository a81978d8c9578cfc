// HelpDocument: finding the HTML help and starting the viewer.
#include "platform/sdl/HelpDocument.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "util/HelpFile.h"

extern char** environ;

std::optional<std::string> FindHelpDocument(const std::string& requested, const std::string& programPath,
                                            const std::function<bool(const std::string&)>& exists) {
    namespace fs = std::filesystem;
    const fs::path asked(requested);
    if (asked.filename().empty()) return std::nullopt;
    const fs::path name = HtmlHelpFor(asked.filename().string());
    const fs::path programDir = fs::path(programPath).parent_path();
    const fs::path candidates[] = {
        asked.parent_path() / name,
        programDir / ".." / "share" / "doc" / "quorvex" / name,
        programDir / ".." / "share" / "quorvex" / name,
    };
    for (const fs::path& candidate : candidates) {
        const std::string text = candidate.lexically_normal().string();
        if (exists(text)) return text;
    }
    return std::nullopt;
}

int StartHelpViewer(const std::string& document) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The viewer's chatter does not belong in the game's output, and it must
    // not read the game's input.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char> program{'x', 'd', 'g', '-', 'o', 'p', 'e', 'n', '\0'};
    std::vector<char> argument(document.begin(), document.end());
    argument.push_back('\0');
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, program.data(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? int(pid) : -1;
}
