// TextWrap: breaking a message into lines a message box can show whole.
// The desktops' message boxes size themselves to their longest line, and
// some never wrap at all, so a long file path would make a box wider than
// the screen.
#pragma once

#include <string>

// The text with every line at most `columns` characters long: lines break
// at blanks; a word longer than a line (a path) breaks after a '/' or '\'
// where it has one in reach, else at the line's end. Line breaks already in
// the text stay. A column count below 8 counts as 8.
std::string WrapText(const std::string& text, int columns);

// How many characters a message line may have on a work area `width`
// pixels wide: room for the box's frame and icon, at the widest average
// character of the desktops' message fonts, and never more than is easy to
// read.
int MessageColumns(int width);
