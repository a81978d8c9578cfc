// Platform: the services every backend shares unless it has its own.
#include "platform/Platform.h"

#include <cstdio>

void Platform::ReportUnattended(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
}
