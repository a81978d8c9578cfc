// quorvex_artgen <resources-dir>: draws every picture of the game, the
// cursor and the icon, and writes them into the given folder. The output is
// committed; running the program again must give the same bytes.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "BoardArt.h"
#include "SideArt.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources-dir>\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        GenerateBoardArt(dir);
        GenerateCursor(dir);
        GenerateIcon(dir);
        GenerateSideWindowArt(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvex_artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
