/* The floor for the game's start-up: a bare SDL2 window of the board's size
   with a software surface, filled once, waiting to be closed. */
#include <SDL.h>

int main(int argc, char** argv) {
    (void)argc, (void)argv;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 528, 420, 0);
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    SDL_FillRect(surface, NULL, SDL_MapRGB(surface->format, 24, 48, 160));
    SDL_UpdateWindowSurface(window);
    for (SDL_Event e; SDL_WaitEvent(&e) && e.type != SDL_QUIT;) {}
    SDL_Quit();
    return 0;
}
