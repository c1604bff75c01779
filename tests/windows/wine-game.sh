#!/usr/bin/env bash
# The game command of the end-to-end tests for the Windows game (VANTOR_GAME):
# runs the Windows game that VANTOR_WINE_START names (its Linux path) under
# Wine with the arguments given. VANTOR.cmd runs through the console's cmd
# from the folder the test chose; vantor.exe runs from its own folder, as a
# double-click starts it.
set -eu
start=$VANTOR_WINE_START
case "$start" in
    *.cmd) exec wine cmd /c "Z:${start//\//\\}" "$@" ;;
    *) cd "$(dirname "$start")" && exec wine "$(basename "$start")" "$@" ;;
esac
