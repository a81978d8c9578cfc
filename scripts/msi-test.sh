#!/usr/bin/env bash
# The Windows installer, QuorVex-<version>.msi, as a player meets it, under
# Wine in a private Xvfb and a fresh Wine prefix (tests/wine/lib.sh):
#   - its tables, read with msiinfo: the Start menu shortcut, the upgrade
#     rows, a per-user package, nothing written under the game's settings key
#   - the zip for those who want no installer
#   - msiexec /i /qn: the program and its help in the user's programs
#     folder, the shortcut pointing at the program, the installed-programs
#     entry; the game started from the shortcut's target plays, and finds
#     its help beside it
#   - a later version upgrades in place, another build of the same version
#     replaces it too, and an earlier one is refused
#   - msiexec /x /qn removes every file, the shortcut and the entry
# and through all of it the player's options and records under
# HKCU\Software\Varnel\QuorVex stay exactly as they were.
# Usage: scripts/msi-test.sh   (installs and builds what it needs)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. tests/wine/prepare.sh
built_exe=$exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)
msi="$root/build-win/QuorVex-$version.msi"
zip="$root/build-win/QuorVex-$version.zip"
help="$root/resources/help/QuorVex.html"
icon="$root/resources/windows/QuorVex.ico"

exe=$built_exe  # until the installed one is known
. tests/wine/lib.sh
# Wine would mirror the Start menu shortcut into this machine's own menu.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
c++ -std=c++20 -O1 -o "$work/link_probe" tests/wine/LinkProbe.cpp
eval "$("$probe" geometry)"

echo "QuorVex-$version.msi: $(stat -c %s "$msi") bytes; QuorVex-$version.zip: $(stat -c %s "$zip") bytes"

# ---- the package's tables --------------------------------------------------
# A table's rows (the export writes the streams of binary columns into a
# folder beside it, so it runs in the scratch folder).
table() { (cd "$work" && msiinfo export "$1" "$2") | tr -d '\r' | tail -n +4; }
property() { table "$1" Property | awk -F'\t' -v p="$2" '$1 == p {print $2}'; }
product_code=$(property "$msi" ProductCode)
upgrade_code=$(property "$msi" UpgradeCode)
check "the package names its product $version by Varnel" equal \
  "$(property "$msi" ProductName) $(property "$msi" ProductVersion) $(property "$msi" Manufacturer)" "QuorVex $version Varnel"
per_user() {  # no ALLUSERS, and the summary's "no elevated privileges" bit
  local source
  source=$(msiinfo suminfo "$msi" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
  [ -z "$(property "$msi" ALLUSERS)" ] && [ -n "$source" ] && (( source & 8 ))
}
check "it installs for the user alone, asking for no administrator" per_user
shortcuts=$(table "$msi" Shortcut)
shortcut() { cut -f"$1" <<<"$shortcuts" | head -n1; }  # a column of the first row
sc_dir=$(shortcut 2) sc_name=$(shortcut 3) sc_target=$(shortcut 5) sc_icon=$(shortcut 9) sc_workdir=$(shortcut 12)
check "one shortcut, in the Start menu, named QuorVex" equal \
  "$(wc -l <<<"$shortcuts") $sc_dir $sc_name" "1 ProgramMenuFolder QuorVex"
check "... pointing at the program file, started in its folder" equal "$sc_target $sc_workdir" "[#QuorVex.exe] INSTALLDIR"
check "... with an icon of the package's Icon table" equal "$(table "$msi" Icon | cut -f1 | grep -x "$sc_icon")" "$sc_icon"
msiinfo extract "$msi" "Icon.$sc_icon" >"$work/package.ico" 2>/dev/null || true
check "that icon is the program's" cmp -s "$work/package.ico" "$icon"
check "... carrying all eight sizes" equal "$(identify -format '%wx%h ' "ico:$icon")" \
  "16x16 24x24 32x32 48x48 64x64 96x96 128x128 256x256 "
# The program file carries it too, every image of it (the build copies
# each one verbatim into the file's icon resource): a stretch from the
# middle of each found in the file's bytes.
hex() { od -An -v -tx1 "$@" | tr -d ' \n'; }
hex "$built_exe" >"$work/exe.hex"
in_program() {
  local i entry size offset
  for i in $(seq 0 7); do
    entry=$(hex -j $((6 + 16 * i)) -N 16 "$icon")
    size=$((16#${entry:22:2}${entry:20:2}${entry:18:2}${entry:16:2}))
    offset=$((16#${entry:30:2}${entry:28:2}${entry:26:2}${entry:24:2}))
    grep -qF "$(hex -j $((offset + size / 2)) -N 48 "$icon")" "$work/exe.hex" || { echo "     image $((i + 1)) is not in the program"; return 1; }
  done
}
check "... and the program file carries all of them" in_program
check "the installed-programs entry shows that icon" equal "$(property "$msi" ARPPRODUCTICON)" "$sc_icon"
check "upgrade rows: every version up to this one replaced, a later one detected" equal \
  "$(table "$msi" Upgrade | cut -f1-3,5,7 | LC_ALL=C sort)" \
  "$(printf '%s\t0.0.0\t%s\t768\tEARLIER_QUORVEX\n%s\t%s\t\t2\tLATER_QUORVEX' "$upgrade_code" "$version" "$upgrade_code" "$version")"
check "... and what it replaces is removed first" equal \
  "$(table "$msi" InstallExecuteSequence | cut -f1 | grep -x RemoveExistingProducts)" RemoveExistingProducts
# The registry rows as "ROOT KEY" (1: HKEY_CURRENT_USER).
registry=$(table "$msi" Registry | cut -f2,3)
check "the package has no registry row under the game's settings key" equal \
  "$(awk -F'\t' 'tolower($2) ~ /^software\\varnel\\quorvex(\\|$)/' <<<"$registry")" ""
check "... its own marks are all under HKCU\\Software\\Varnel\\Installer\\QuorVex" equal \
  "$(awk -F'\t' 'NF && !($1 == 1 && $2 == "Software\\Varnel\\Installer\\QuorVex")' <<<"$registry")" ""

# ---- the zip -----------------------------------------------------------------
check "the zip holds the program, its help and a read-me" equal \
  "$(cmake -E tar tf "$zip" | LC_ALL=C sort | tr '\n' ' ')" "QuorVex.exe QuorVex.html ReadMe.txt "
mkdir "$work/zip" && (cd "$work/zip" && cmake -E tar xf "$zip")
check "... the very program of the build" cmp -s "$work/zip/QuorVex.exe" "$built_exe"
check "... and its help" cmp -s "$work/zip/QuorVex.html" "$help"
check "... and a read-me of this version" grep -q "^QuorVex $version " "$work/zip/ReadMe.txt"
check "... in Windows line endings" equal "$(grep -c $'\r$' "$work/zip/ReadMe.txt")" "$(wc -l <"$work/zip/ReadMe.txt")"

# ---- the player's data before any install ------------------------------------
spaces=5 colors=8 doubles=0
reg_set Game Spaces $spaces
reg_set Game Colors $colors
reg_set Game Doubles $doubles
reg_set Game High "$("$probe" high $spaces $colors $doubles 6 77)"
reg_set Game Future KeptAsItWas  # a value this version of the game does not know
# The whole settings key as reg prints it (nothing when it is missing).
settings() { { wine reg query "$reg_key" /s 2>/dev/null || true; } | tr -d '\r'; }
settings >"$work/settings-before"

win_env() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
local_app_data=$(win_env LOCALAPPDATA) app_data=$(win_env APPDATA)
install_dir="$local_app_data\\Programs\\QuorVex"
dir_u=$(winepath -u "$install_dir")
link_u=$(winepath -u "$app_data\\Microsoft\\Windows\\Start Menu\\Programs\\QuorVex.lnk")
# Another program of the user's beside it, which no uninstall may touch.
mkdir -p "$(winepath -u "$local_app_data\\Programs\\Other")"
echo keep >"$(winepath -u "$local_app_data\\Programs\\Other")/keep.txt"

msiexec() {  # msiexec ARGS...: Wine's, with a log in $work/msiexec.log; its exit status
  local rc=0
  wine msiexec "$@" /l*v "$(winepath -w "$work/msiexec.log")" >/dev/null 2>&1 || rc=$?
  return $rc
}
# The installed-programs entry of a product: its key, in the user's hive or
# the machine's (Wine keeps every product's entry in HKLM, a per-user one
# too).
arp_key() {
  local r
  for r in HKCU HKLM; do
    wine reg query "$r\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" >/dev/null 2>&1 &&
      { echo "$r\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1"; return 0; }
  done
  return 1
}
reg_text() {  # reg_text KEY NAME: the value's text (REG_DWORD as reg prints it); nothing when missing
  { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^ *$2 \+REG_[A-Z_]\+ *//p"
}
# QuorVex's lines of Wine's installed-programs list, "{PRODUCT-CODE}|||QuorVex".
listed() { { wine uninstaller --list 2>/dev/null || true; } | tr -d '\r' | { grep '|||QuorVex$' || true; }; }

# ---- install -----------------------------------------------------------------
check "msiexec /i QuorVex-$version.msi /qn installs" msiexec /i "$(winepath -w "$msi")" /qn
check "the program is in the user's programs folder, as built" cmp -s "$dir_u/QuorVex.exe" "$built_exe"
check "... with its help beside it" cmp -s "$dir_u/QuorVex.html" "$help"
check "... and nothing else there" equal "$(ls "$dir_u" | tr '\n' ' ')" "QuorVex.exe QuorVex.html "
check "the Start menu has the shortcut" test -f "$link_u"
link_field() { "$work/link_probe" "$link_u" | awk -v f="$1" '$1 == f {sub(/^[^ ]+ /, ""); print}'; }
check "the shortcut's target is the installed program" equal "$(link_field target)" "$install_dir\\QuorVex.exe"
check "... started in the program's folder" equal "$(link_field workdir)" "$install_dir\\"
icon_u=$(winepath -u "$(link_field icon)" 2>/dev/null || echo /nonexistent)
check "... with the game's icon" cmp -s "$icon_u" "$icon"
check "the installer wrote nothing of the player's" equal "$(settings)" "$(cat "$work/settings-before")"

arp=$(arp_key "$product_code" || true)
echo "     (the installed-programs entry: ${arp:-none})"
check "the installed-programs list shows QuorVex" equal "$(listed)" "$product_code|||QuorVex"
check "... as $version by Varnel, in the programs folder" equal \
  "$(reg_text "$arp" DisplayVersion) $(reg_text "$arp" Publisher) $(reg_text "$arp" InstallLocation)" "$version Varnel $install_dir\\"
kb=$(( ($(stat -c %s "$built_exe") + $(stat -c %s "$help") + 1023) / 1024 ))
# Windows counts the size itself (EstimatedSize, in kilobytes); Wine leaves
# that 0 and shows the package's own count (Size).
size=$(reg_text "$arp" Size)
estimated=$(reg_text "$arp" EstimatedSize)
[ "$(( ${estimated:-0} ))" -gt 0 ] && size=$(( estimated ))
check "... of $kb KB" equal "$size" "$kb"
# The entry's icon: DisplayIcon where the entry has one; Wine keeps it with
# the product's registration only (ProductIcon, under the product code in
# the installer's packed form).
packed_guid() {
  awk -v g="${1//[\{\}-]/}" 'function rev(s,  r, i) { r = ""; for (i = length(s); i > 0; --i) r = r substr(s, i, 1); return r }
    BEGIN { o = rev(substr(g, 1, 8)) rev(substr(g, 9, 4)) rev(substr(g, 13, 4))
            for (i = 17; i < 33; i += 2) o = o substr(g, i + 1, 1) substr(g, i, 1)
            print o }'
}
entry_icon=$(reg_text "$arp" DisplayIcon)
[ -n "$entry_icon" ] || entry_icon=$(reg_text "HKCU\\Software\\Microsoft\\Installer\\Products\\$(packed_guid "$product_code")" ProductIcon)
check "... with the game's icon" cmp -s "$(winepath -u "${entry_icon%%,*}" 2>/dev/null || echo /nonexistent)" "$icon"

# ---- the game, started as the shortcut starts it -------------------------------
exe=$dir_u/QuorVex.exe
printf "#!/bin/sh\ncd '%s' && exec wine '%s'\n" "$(winepath -u "$(link_field workdir)")" "$(link_field target)" >"$game"
start_game
read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") || { echo "FAIL the installed game showed no board"; cat "$work/game.log"; exit 1; }
check "the installed game, started from the shortcut's target, shows its board" test -n "$main_x"
click $((main_x + BARE_X)) $((main_y + BARE_Y)); key F2
drag $((main_x + COLOR_5_X)) $((main_y + COLOR_5_Y)) $((main_x + HOLE_1_12_X)) $((main_y + HOLE_1_12_Y))
sleep 0.5; shot
check "... and a ball dropped into the first hole lands there" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 5
# F1: the help installed beside it, through the shell's association for
# web pages (as scripts/wine-test.sh sets it up).
wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$1" > "%s/help-request"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key F1
for _ in $(seq 100); do [ -s "$work/help-request" ] && break; sleep 0.1; done
check "F1 opens the help installed beside it" equal "$(cat "$work/help-request" 2>/dev/null)" "file://$dir_u/QuorVex.html"
click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the exit bullet ends it" wait_ended
check "it kept the player's settings and record" equal \
  "$(reg_value Game Spaces)/$(reg_value Game Colors)/$(reg_value Game Doubles) $("$probe" record "$(reg_value Game High)" $spaces $colors $doubles)" \
  "5/8/0 6 77"
settings >"$work/settings-played"

# ---- upgrade -------------------------------------------------------------------
if [[ $version =~ ^[0-9]+\.[0-9]+$ ]]; then next=${version%.*}.$(( ${version#*.} + 1 ))
else next=$(awk -F. '{printf "%d.%d.%d", $1, $2, $3 + 1}' <<<"$version"); fi
build_msi() {  # build_msi VERSION FILE: the installer of another version from the same files
  cmake -DVERSION="$1" -DOUTPUT="$2" -P build-win/packaging/BuildMsi.cmake >"$work/build-msi.log" 2>&1 ||
    { cat "$work/build-msi.log"; exit 1; }
}
no_entry() { ! arp_key "$1" >/dev/null; }
installed_as_built() {
  cmp -s "$dir_u/QuorVex.exe" "$built_exe" && cmp -s "$dir_u/QuorVex.html" "$help" && [ -f "$link_u" ]
}
build_msi "$next" "$work/QuorVex-$next.msi"
next_code=$(property "$work/QuorVex-$next.msi" ProductCode)
check "QuorVex $next installs over $version" msiexec /i "$(winepath -w "$work/QuorVex-$next.msi")" /qn
check "... in place: one entry in the list, of the new product" equal "$(listed)" "$next_code|||QuorVex"
check "... showing $next" equal "$(reg_text "$(arp_key "$next_code" || true)" DisplayVersion)" "$next"
check "... the old entry gone" no_entry "$product_code"
check "... the program, its help and the shortcut in their places" installed_as_built
check "... the player's settings and record untouched" equal "$(settings)" "$(cat "$work/settings-played")"

build_msi "$next" "$work/QuorVex-$next-rebuilt.msi"
rebuilt_code=$(property "$work/QuorVex-$next-rebuilt.msi" ProductCode)
check "another build of $next installs over it" msiexec /i "$(winepath -w "$work/QuorVex-$next-rebuilt.msi")" /qn
check "... replacing it: one entry, of the new build" equal "$(listed)" "$rebuilt_code|||QuorVex"

old_rc=0
msiexec /i "$(winepath -w "$msi")" /qn || old_rc=$?
# (An exit status is a byte here: Windows Installer's 1603, "installation
# failed", reads as 67.)
check "the earlier $version is refused over $next (msiexec exit $old_rc)" test "$old_rc" -ne 0
# Its launch condition stops it, naming what it found; the message itself
# goes to a dialog, which /qn does not show.
check "... by its launch condition, having found the later one" grep -q "LATER_QUORVEX = $rebuilt_code" "$work/msiexec.log"
check "... and $next stays as it was" equal "$(listed)" "$rebuilt_code|||QuorVex"
check "... its files too" installed_as_built
check "... and the player's settings" equal "$(settings)" "$(cat "$work/settings-played")"

# ---- uninstall -----------------------------------------------------------------
# As the installed-programs list removes it: by its product code, with no
# package file at hand.
uninstall=$(reg_text "$(arp_key "$rebuilt_code" || true)" UninstallString)
check "the entry removes it with msiexec /x and its product code" equal "${uninstall,,}" "msiexec.exe /x${rebuilt_code,,}"
mv "$work/QuorVex-$next-rebuilt.msi" "$work/moved.msi"
check "msiexec /x $rebuilt_code /qn removes QuorVex" msiexec /x "$rebuilt_code" /qn
check "the program's folder is gone" test ! -e "$dir_u"
check "the shortcut is gone" test ! -e "$link_u"
check "the icon it kept for the shortcut is gone" test ! -e "$icon_u"
check "the installed-programs list no longer shows it" equal "$(listed)" ""
check "... nor has its entry" no_entry "$rebuilt_code"
no_key() { ! wine reg query "$1" >/dev/null 2>&1; }
check "the installer's own marks are gone" no_key 'HKCU\Software\Varnel\Installer\QuorVex'
check "the user's other program is still there" equal "$(cat "$(winepath -u "$local_app_data\\Programs\\Other")/keep.txt")" keep
check "the player's settings and record are all still there" equal "$(settings)" "$(cat "$work/settings-played")"
check "... a value the game does not know included" equal "$(reg_value Game Future)" KeptAsItWas

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
