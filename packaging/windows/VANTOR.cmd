@echo off
rem Starts VANTOR from any folder: the game reads its content at "..\Content\"
rem seen from the folder it runs in, so this changes into bin\ beside it and
rem runs the game there, by its full path.
rem
rem   VANTOR.cmd                             800 x 600 in a window
rem   VANTOR.cmd WIDTH HEIGHT [FULLSCREEN]   passed on to the game unchanged
rem
rem Any argument, an empty "" too, is passed on: only no arguments at all
rem means 800 x 600.
setlocal
set "arguments=%*"
cd /d "%~dp0bin"
if defined arguments (
    "%~dp0bin\vantor.exe" %*
) else (
    "%~dp0bin\vantor.exe" 800 600
)
exit /b %ERRORLEVEL%
