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
        case SDLK_BACKSPACE: return Key::Backspace;
        case SDLK_LEFT: return Key::Left;
        case SDLK_UP: return Key::Up;
        case SDLK_RIGHT: return Key::Right;
        case SDLK_DOWN: return Key::Down;
        // The keypad's digits are digits, as on Windows with Num Lock on.
        case SDLK_KP_0: return Key::Digit(0);
        default: break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) return Key::Function(1 + int(key - SDLK_F1));
    // SDL names printable keys by their lower-case character.
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + int(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return Key::Digit(int(key - SDLK_0));
    // SDLK_KP_1..SDLK_KP_9 run in order; SDLK_KP_0 follows them.
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return Key::Digit(1 + int(key - SDLK_KP_1));
    return 0;
}

unsigned PortableModifiers(uint16_t mod) {
    unsigned flags = 0;
    if (mod & KMOD_SHIFT) flags |= Modifier::Shift;
    if (mod & KMOD_CTRL) flags |= Modifier::Ctrl;
    if (mod & KMOD_ALT) flags |= Modifier::Alt;
    return flags;
}
