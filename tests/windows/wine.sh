# The Wine settings of every Windows program run here, sourced with the Wine
# prefix (the Windows folders) as its argument:
#   . tests/windows/wine.sh PREFIX
# No menu entries on this machine for the Start menu's, no Mono or Gecko (the
# game needs neither, and without them Wine would offer to download them on its
# first start), no debugger: a program that crashes ends at once instead of
# waiting in winedbg.
export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=;winedbg.exe=d"
# Mesa's software renderer draws in the calling thread. With its own drawing
# threads, a window's context torn down under Wine on a busy machine now and
# then left one of them running code that was gone: 2 of 8 runs of the frame
# tests, four side by side, crashed so, at the same address each time; none of
# 12 without the threads.
export LP_NUM_THREADS=0
unset LD_PRELOAD # the sanitizer run's, for Linux programs only
# A wineserver that is still going writes its registry into the prefix.
stop_wine() { wineserver -k 2>/dev/null || true; wineserver -w; }
