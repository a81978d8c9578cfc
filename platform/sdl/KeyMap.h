// KeyMap: SDL's key symbols turned into the program's portable key codes
// (the Windows virtual-key values) and its modifier flags.
#pragma once

#include <cstdint>

// The portable code of an SDL keycode: Enter (both), Escape, Space,
// Backspace, the four arrows, F1..F12, letters as 'A'..'Z', digits of the
// main keyboard and the keypad as '0'..'9'; 0 for keys the program never
// uses.
int PortableKey(int32_t sdlKeycode);

// Modifier flags (platform/Platform.h) from SDL's key modifier state.
unsigned PortableModifiers(uint16_t sdlKeymod);
