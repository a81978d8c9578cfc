// HelpFile: the one rule for which document the help command shows. The
// program asks for "QuorVex.hlp" beside it, a name from its Windows days;
// where WinHelp exists and that file is there, it is shown as it is, and
// otherwise the document shipped with the program is shown: the HTML file
// of the same name.
#pragma once

#include <string>

// `helpFile` with its file name's extension (if any) replaced by ".html";
// both '/' and '\' separate folders.
std::string HtmlHelpFor(const std::string& helpFile);
