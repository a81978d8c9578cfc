// HelpDocument: where the help the game asks for really lies, and showing
// it with the desktop's viewer.
//
// The game asks for "QuorVex.hlp" beside the program, a name from its
// Windows days; the document it ships is HTML of the same name. It lies
// beside the program in a build folder and in the share folder once
// installed.
#pragma once

#include <functional>
#include <optional>
#include <string>

// The help document for `requested`: the same name with ".html" in the
// requested folder, else in ../share/doc/quorvex/ or ../share/quorvex/ seen
// from the program's folder. Nothing when none of them exists.
std::optional<std::string> FindHelpDocument(const std::string& requested, const std::string& programPath,
                                            const std::function<bool(const std::string&)>& exists);

// Starts `xdg-open document` (found through PATH) without waiting for it;
// its process id, or -1 when it could not be started. The caller reaps it.
int StartHelpViewer(const std::string& document);
