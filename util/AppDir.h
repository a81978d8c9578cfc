// AppDir: the folder of the running program, where its help document lies.
//
// The program's own path comes from the platform; this unit only cuts it,
// so it stays free of any platform header.
#pragma once

#include <string>

// programPath cut after its last path separator, which stays part of the
// result ("C:\Games\QuorVex.exe" gives "C:\Games\"). Both '\' and '/' count
// as separators: Windows accepts either, and on Linux '/' is the only one.
// A path without a separator gives the empty text.
std::string AppDir(const std::string& programPath);
