// IconArt: the program icon (see BoardArt.h).
#include "BoardArt.h"

void GenerateIcon(const std::filesystem::path& resourcesDir) { (void)resourcesDir; }
