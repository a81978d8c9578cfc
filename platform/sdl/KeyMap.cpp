// KeyMap: SDL keycodes to portable codes.
#include "platform/sdl/KeyMap.h"

#include <SDL_keyboard.h>

#include "platform/Platform.h"

int PortableKey(int32_t key) {
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_RETURN2: return Key::Enter;
        case SDLK_ESCAPE: return Key::Escape;
        case SDLK_SPACE: return Key::Space;
        default: break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) return Key::Function(1 + int(key - SDLK_F1));
    // SDL names printable keys by their lower-case character.
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + int(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + int(key - SDLK_0);
    return 0;
}

unsigned PortableModifiers(uint16_t mod) {
    unsigned flags = 0;
    if (mod & KMOD_SHIFT) flags |= Modifier::Shift;
    if (mod & KMOD_CTRL) flags |= Modifier::Ctrl;
    if (mod & KMOD_ALT) flags |= Modifier::Alt;
    return flags;
}
