#include "util/HelpFile.h"

std::string HtmlHelpFor(const std::string& helpFile) {
    const size_t slash = helpFile.find_last_of("/\\");
    const size_t dot = helpFile.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? helpFile.substr(0, dot) : helpFile) + ".html";
}
