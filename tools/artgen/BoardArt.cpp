// BoardArt: the main window's pictures (see BoardArt.h).
#include "BoardArt.h"

#include "ArtCommon.h"

void GenerateBoardArt(const std::filesystem::path& resourcesDir)
{
    (void)resourcesDir;  // drawn picture by picture
}
