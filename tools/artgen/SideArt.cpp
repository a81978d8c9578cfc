// SideArt: entry point that draws every side window's pictures in a fixed
// order so repeated runs write identical files.
#include "SideArt.h"

void GenerateSideWindowArt(const std::filesystem::path& resourcesDir)
{
    (void)resourcesDir; // windows are added one by one as they are drawn
}
