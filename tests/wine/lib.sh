# The Wine side of the GUI scripts: the X server and the window driver of
# tests/gui/lib.sh, with the game run by Wine in a fresh private prefix,
# longer waits for a program that starts and ends more slowly, and the
# registry read and written through Wine's reg tool. Sourced after setting
# `exe` (the path of QuorVex.exe).
#
# Under Wine without a window manager the keyboard follows the pointer
# (the X focus stays PointerRoot), so keys are sent with the pointer over
# a window of the game.

. "$(dirname "${BASH_SOURCE[0]}")/../gui/lib.sh"

game="$work/quorvex-wine"
printf '#!/bin/sh\nexec wine "%s"\n' "$exe" >"$game"
chmod +x "$game"

# A user with no registry key of the game. Mono and Gecko are not wanted
# (they would be offered for download).
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >"$work/wineboot.log" 2>&1 || { echo "wineboot failed"; cat "$work/wineboot.log"; exit 1; }
trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT


reg_key='HKCU\Software\Varnel\QuorVex'
reg_set() {  # reg_set SECTION NAME TEXT [TYPE]
  wine reg add "$reg_key\\$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null 2>&1
}
# The values of a section as "NAME TYPE TEXT" lines.
reg_section() { wine reg query "$reg_key\\$1" 2>/dev/null | tr -d '\r' | awk 'NF >= 2 && $2 ~ /^REG_/'; }
reg_value() { reg_section "$1" | awk -v n="$2" 'tolower($1) == tolower(n) {print $3}'; }
# The scenario's view of the store.
store_set() { reg_set "$@"; }
store_value() { reg_value "$@"; }
reg_type() { reg_section "$1" | awk -v n="$2" 'tolower($1) == tolower(n) {print $2}'; }

