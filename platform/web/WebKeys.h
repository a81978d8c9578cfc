// WebKeys: the browser's keys turned into the program's portable key codes
// (the Windows virtual-key values, platform/Platform.h), as the SDL and
// Win32 backends turn their systems' keys. The page's script holds no key
// table: it hands over KeyboardEvent.code and KeyboardEvent.key as they
// come, and asks here. Standard library only, so it is tested natively.
#pragma once

#include <string_view>

// The portable code of a key: Backspace, Tab, Enter (both), Escape, Space,
// the four arrows, Delete, F1..F12, the digits of the main keyboard and the
// keypad as '0'..'9', all by the key's place (`code`, whatever the layout);
// any other key that types one ASCII character by what it types (`key`),
// letters as 'A'..'Z', so the options' Y and N follow the player's layout.
// 0 for keys the program never sees.
int WebKeyCode(std::string_view code, std::string_view key);

// Whether the page keeps the browser from acting on a key of that portable
// code: the game's keys are the game's (no help page on F1, no reload on
// F5, no going back on Backspace), the function keys with Alt too. Keys
// held with Ctrl or the system key stay the browser's, as do the keys the
// game never uses.
bool GameTakesKey(int portable, bool ctrl, bool alt, bool systemKey);
