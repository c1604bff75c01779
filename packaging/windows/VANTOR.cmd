@echo off
rem Starts VANTOR from any folder: the game reads its content at "..\Content\"
rem seen from the folder it runs in, so this changes into bin\ beside it and
rem runs the game there, by its full path.
rem
rem   VANTOR.cmd                             800 x 600 in a window
rem   VANTOR.cmd WIDTH HEIGHT [FULLSCREEN]   passed on to the game unchanged
setlocal
cd /d "%~dp0bin"
if "%~1"=="" (
    "%~dp0bin\vantor.exe" 800 600
) else (
    "%~dp0bin\vantor.exe" %*
)
exit /b %ERRORLEVEL%
