// CursorArt: the closed-hand cursor FIST (see BoardArt.h).
#include "BoardArt.h"

void GenerateCursor(const std::filesystem::path& resourcesDir) { (void)resourcesDir; }
