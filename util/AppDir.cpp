// AppDir: cut a program path after its last separator.
#include "util/AppDir.h"

std::string AppDir(const std::string& programPath) {
    const auto cut = programPath.find_last_of("\\/");
    if (cut == std::string::npos) return std::string();
    return programPath.substr(0, cut + 1);
}
