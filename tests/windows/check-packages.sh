#!/usr/bin/env bash
# Checks the two Windows packages under Wine, in a prefix of its own made anew
# (build-windows/check/wine), on the virtual display:
#   tests/windows/check-packages.sh vantor-VERSION-win64.zip vantor-VERSION-setup.exe
# The installer's /S installs the zip's files, a Start-menu shortcut and an Apps
# & features entry; the uninstaller's /S leaves no file, folder, shortcut or key.
# The zip's game passes the end-to-end tests of the Linux build in
# VANTOR_TEST_BUILD (build/ unless set) through VANTOR.cmd and started directly.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
xdpyinfo >/dev/null 2>&1 || exec "$root/scripts/with-display.sh" "$0" "$@"
[ $# -eq 2 ] || { echo "usage: $0 ZIP SETUP" >&2; exit 2; }
zip=$(realpath "$1") setup=$(realpath "$2") build=${VANTOR_TEST_BUILD:-$root/build} work=$root/build-windows/check
version=${zip##*/vantor-} && version=${version%-win64.zip}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target test_e2e >/dev/null
fail() { echo "FAILED: $*" >&2; exit 1; }
unset LD_PRELOAD # the sanitizer run's, for Linux programs only
# No menu entries on this machine for the Start menu's, no Mono or Gecko prompts, no debugger
# waiting on a crash. Mesa's llvmpipe draws in the calling thread: with its own threads, Wine
# now and then crashed as a GL context was torn down.
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=;winedbg.exe=d" \
    LP_NUM_THREADS=0
# A wineserver that is still going writes its registry into the prefix.
stop_wine() { wineserver -k 2>/dev/null || true; wineserver -w; }
stop_wine
trap stop_wine EXIT
rm -rf "$work" && mkdir -p "$work"
wineboot -i >/dev/null 2>&1; wineserver -w
drive=$WINEPREFIX/drive_c
before=$(find "$drive" | sort)

unzip -q "$zip" -d "$work"
! unzip -Z1 "$zip" | grep -v '^VANTOR/' || fail "the zip holds the files above outside VANTOR/"
for path in VANTOR.cmd README.txt bin/vantor.exe Content/{Shader,Images,Models,Fonts} \
            licences/{VANTOR,LiberationSans,GLFW,GLEW,FreeType,Assimp,FreeImage,libjpeg-turbo,zlib}.txt; do
    [ -e "$work/VANTOR/$path" ] || fail "the zip has no VANTOR/$path"
done

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

# Started as a player starts it, in a console of its own: a window titled
# VANTOR of 800 x 600 draws the score (so the game found its content from
# bin\), and Escape ends it.
starts_at_800x600() {
    echo "$1 starts the game at 800 x 600"
    local window score=0
    wine start "${@:2}"
    window=$(timeout 120 xdotool search --sync --onlyvisible --name '^VANTOR$' 2>/dev/null | head -n 1) ||
        fail "$1 opened no window titled VANTOR"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "$WIDTH x $HEIGHT" = "800 x 600" ] || fail "$1 opened $WIDTH x $HEIGHT"
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
