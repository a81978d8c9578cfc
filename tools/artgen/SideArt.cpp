// SideArt: entry point that draws every side window's pictures. The order
// is fixed and every picture depends only on code and font files, so two
// runs write identical files.
#include "SideArt.h"

void GenerateSideWindowArt(const std::filesystem::path& resourcesDir)
{
    side::GenerateTimerArt(resourcesDir);
    side::GenerateCombsArt(resourcesDir);
    side::GenerateMessageArt(resourcesDir);
    side::GenerateOptionsArt(resourcesDir);
    side::GenerateHighArt(resourcesDir);
    side::GenerateAboutArt(resourcesDir);
    side::GenerateStatsArt(resourcesDir);
}
