// StorageKeys: the names the page keeps the game's values under in the
// browser's storage for the site. One key per value,
// "QuorVex/<section>/<name>", both names in lower case (names compare
// without regard to case, as in every store). The page's own keys sit
// beside them: the game in progress of each tab under KeptGamePrefix
// followed by the tab's id, and that id in the tab's session storage under
// TabIdKey (quorvex.js uses the same two names). Standard library only, so
// the help's list of them is checked natively.
#pragma once

#include <string>

std::string LocalStorageKey(const std::string& section, const std::string& name);

constexpr const char* KeptGamePrefix = "QuorVex/kept/";
constexpr const char* TabIdKey = "QuorVex/tab";
