#!/usr/bin/env bash
# Checks the two Windows packages under Wine, in a prefix of its own made anew
# (build-windows/check/wine), on the virtual display:
#   tests/windows/check-packages.sh vantor-VERSION-win64.zip vantor-VERSION-setup.exe
# The zip holds every licence the libraries' table names, and their versions.
# The installer's /S installs the zip's files, a Start-menu shortcut and an Apps
# & features entry, and a second one goes into the first one's folder; the
# uninstaller's /S leaves no file, folder, shortcut or key. The game's window
# shows the game's icon. The zip's game passes the end-to-end tests of the
# Linux build in VANTOR_TEST_BUILD (build/ unless set) through VANTOR.cmd and
# started directly.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
xdpyinfo >/dev/null 2>&1 || exec "$root/scripts/with-display.sh" "$0" "$@"
[ $# -eq 2 ] || { echo "usage: $0 ZIP SETUP" >&2; exit 2; }
zip=$(realpath "$1") setup=$(realpath "$2") build=${VANTOR_TEST_BUILD:-$root/build} work=$root/build-windows/check
version=${zip##*/vantor-} && version=${version%-win64.zip}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target test_e2e >/dev/null
fail() { echo "FAILED: $*" >&2; exit 1; }
. "$root/tests/windows/wine.sh" "$work/wine"
stop_wine
trap stop_wine EXIT
rm -rf "$work" && mkdir -p "$work"
wineboot -i >/dev/null 2>&1; wineserver -w
drive=$WINEPREFIX/drive_c
before=$(find "$drive" | sort)

unzip -q "$zip" -d "$work"
! unzip -Z1 "$zip" | grep -v '^VANTOR/' || fail "the zip holds the files above outside VANTOR/"
table=$root/packaging/windows/libraries.tsv
for path in VANTOR.cmd README.txt vantor.ico bin/vantor.exe Content/{Shader,Images,Models,Fonts,Icons} \
            licences/{VANTOR,LiberationSans,LIBRARIES}.txt \
            $(grep -v '^#' "$table" | awk 'NF && $6 != "-" { print "licences/" $1 ".txt" }'); do
    [ -s "$work/VANTOR/$path" ] || [ -d "$work/VANTOR/$path" ] || fail "the zip has no VANTOR/$path"
done
# Windows shows the icon GLFW gives the window class, the resource GLFW_ICON
# (Wine would show the exe's first icon in any case).
wrestool -l "$work/VANTOR/bin/vantor.exe" | grep -q -- "--type=14 --name='GLFW_ICON'" ||
    fail "vantor.exe has no icon GLFW_ICON for its window"
while read -r name source version _; do
    grep -q "^$name  *$source  *$version"$'\r'"\$" "$work/VANTOR/licences/LIBRARIES.txt" ||
        fail "licences/LIBRARIES.txt does not list $name, $source $version"
done < <(grep -v '^#' "$table" | awk 'NF && ($5 != "-" || $6 != "-")')

echo "installer: silent install"
wine "$setup" /S; wineserver -w
diff -r -x uninstall.exe "$work/VANTOR" "$drive/Program Files/VANTOR" || fail "the installer did not install the zip's files"
entry=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VANTOR' | tr -s ' ') ||
    fail "no entry in Apps & features"
for value in "DisplayVersion REG_SZ $version" "Publisher REG_SZ VANTOR developers" "EstimatedSize REG_DWORD 0x" \
             "QuietUninstallString REG_SZ \"C:\\Program Files\\VANTOR\\uninstall.exe\" /S"; do
    grep -qF -- "$value" <<<"$entry" || fail "Apps & features lacks \"$value\":"$'\n'"$entry"
done
[ -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/VANTOR.lnk" ] || fail "no Start-menu shortcut"
echo "installer: a second silent install into another folder goes into the first one's"
wine "$setup" /S '/D=C:\Elsewhere'; wineserver -w
[ ! -e "$drive/Elsewhere" ] || fail "the second install went to C:\Elsewhere"
diff -r -x uninstall.exe "$work/VANTOR" "$drive/Program Files/VANTOR" || fail "the second install changed the files above"

# The window's icon (_NET_WM_ICON, as Wine sets it: width, height, then the
# ARGB pixels, for each size) is the game's: each size against
# Content/Icons/vantor.png scaled to it, both over black. A generic icon
# differs in most pixels.
wears_the_icon() { # WINDOW WHAT
    local icons size count=0 differ
    icons=$(xprop -id "$1" -notype -f _NET_WM_ICON 32c '=$0+' _NET_WM_ICON | sed 's/^[^=]*=//; s/,/ /g')
    rm -rf "$work/icon" && mkdir -p "$work/icon"
    awk -v dir="$work/icon" '{ for (i = 1; i <= NF; i++) v[n++] = $i }
        END { for (i = 0; i + 1 < n; i += 2 + w * h) {
            w = v[i]; h = v[i + 1]; f = dir "/" w "x" h ".ppm"
            printf "P3\n%d %d\n255\n", w, h > f
            for (p = i + 2; p < i + 2 + w * h; p++) {
                a = int(v[p] / 16777216) % 256
                printf "%d %d %d\n", int(int(v[p] / 65536) % 256 * a / 255), int(int(v[p] / 256) % 256 * a / 255),
                    int(v[p] % 256 * a / 255) > f
            }
            close(f) } }' <<<"$icons"
    for icon in "$work"/icon/*.ppm; do
        [ -f "$icon" ] || fail "$2 opened a window without an icon"
        size=$(basename "$icon" .ppm)
        convert "$root/Content/Icons/vantor.png" -resize "$size!" -background black -alpha remove -alpha off "$work/icon/game.ppm"
        differ=$(compare -metric AE -fuzz 10% "$icon" "$work/icon/game.ppm" null: 2>&1 || true)
        [ "$((differ * 20))" -le "$((${size%x*} * ${size#*x}))" ] || fail "$2 opened a window whose $size icon is not the game's ($differ pixels differ)"
        count=$((count + 1))
    done
    echo "$2 opened a window with the game's icon in $count sizes"
}

# Started as a player starts it, in a console of its own: a window titled
# VANTOR of 800 x 600 with the game's icon draws the score (so the game found
# its content from bin\), and Escape ends it.
starts_at_800x600() {
    echo "$1 starts the game at 800 x 600"
    local window score=0
    wine start "${@:2}"
    window=$(timeout 120 xdotool search --sync --onlyvisible --name '^VANTOR$' 2>/dev/null | head -n 1) ||
        fail "$1 opened no window titled VANTOR"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "$WIDTH x $HEIGHT" = "800 x 600" ] || fail "$1 opened $WIDTH x $HEIGHT"
    wears_the_icon "$window" "$1"
    for _ in $(seq 300); do # white pixels of the score in the top right corner
        score=$(import -window "$window" ppm:- 2>/dev/null |
            convert - -crop 80x70+600+0 +repage -threshold 92% -format '%[fx:int(mean*w*h)]' info: 2>/dev/null || echo 0)
        [ "$score" -gt 100 ] && break
        sleep 0.2
    done
    [ "$score" -gt 100 ] || fail "$1 started a game that drew no score"
    xdotool key --window "$window" Escape 2>/dev/null || true
    timeout 300 wineserver -w || fail "$1 started a game that did not end on Escape"
}
starts_at_800x600 "the Start-menu shortcut" 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\VANTOR.lnk'

echo "installer: silent uninstall"
wine 'C:\Program Files\VANTOR\uninstall.exe' /S; wineserver -w
# The uninstaller runs from a copy of itself in Temp, which Windows removes when it next starts.
diff <(echo "$before") <(find "$drive" | grep -v '/Temp/~nsu[^/]*\.tmp' | sort) || fail "the uninstaller left the above"
! grep -i vantor "$WINEPREFIX"/*.reg || fail "the uninstaller left the registry entries above"

starts_at_800x600 "VANTOR.cmd without arguments" /unix "$work/VANTOR/VANTOR.cmd"
for start in VANTOR.cmd bin/vantor.exe; do
    echo "zip: the end-to-end tests through $start"
    # Wine's cmd prints its own text for PAUSE (Windows' has ". . .").
    VANTOR_GAME=$root/tests/windows/wine-game.sh VANTOR_WINE_START=$work/VANTOR/$start \
        VANTOR_GAME_PATH="Z:${work//\//\\}\\VANTOR\\bin\\vantor.exe" VANTOR_GAME_PAUSE="Press any key to continue... " \
        "$build/tests/test_e2e"
done
echo "both packages passed"
