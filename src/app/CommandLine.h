#pragma once

#include <string>

// What the command line asks for: width, height and an optional full-screen
// flag ("0" or "1"). When parsing fails, `error` holds the message to print.
struct CommandLine {
    bool ok = false;
    std::string error;
    int width = 0;
    int height = 0;
    bool fullscreen = false;
};

// The widest and the tallest window the game opens: every OpenGL 4.1 driver
// can hold textures and viewports this large, so every target can follow it.
constexpr int maxWindowSide = 16384;

// Parses argv the way the game does: each number by formatted extraction from
// a string stream, so "800abc" reads as 800; the first failure wins. Once all
// arguments are read, a width or height above maxWindowSide is refused.
CommandLine parseCommandLine(int argc, const char* const* argv);
