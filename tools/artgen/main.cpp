// quorvex_artgen <resources-dir> [--plain]: draws every picture of the game,
// the cursor and the icon, and writes them into the given folder: the 1x
// set at the top, the same set drawn at 2x and 3x under 2x/ and 3x/, and
// the Windows program's icon at all its sizes under windows/. The output
// is committed; running the program again must give the same bytes.
// --plain writes the 2x and 3x pictures as ordinary BMP files instead of
// compressed ones, for looking at them.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#include "ArtCommon.h"
#include "BoardArt.h"
#include "SideArt.h"

int main(int argc, char** argv)
{
    const bool plain = argc == 3 && std::strcmp(argv[2], "--plain") == 0;
    if (argc != 2 && !plain) {
        std::fprintf(stderr, "usage: %s <resources-dir> [--plain]\n", argv[0]);
        return 2;
    }
    try {
        art::SetCompressScaled(!plain);
        for (int scale = 1; scale <= 3; ++scale) {
            art::SetDrawingScale(scale);
            std::filesystem::path dir = argv[1];
            if (scale > 1) dir /= std::to_string(scale) + "x";
            GenerateBoardArt(dir);
            GenerateCursor(dir);
            GenerateIcon(dir);
            if (scale == 1) GenerateShellIcon(dir / "windows");
            if (scale == 1) GenerateWebIcons(dir / "web");
            GenerateSideWindowArt(dir);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvex_artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
