#pragma once

#include <string>

// Content that cannot be used, by folder below Content/: whether it ends the
// game, in the manual page's words. The damaged-content test checks the game
// against it, the install test the manual page's EXIT STATUS.
struct ContentFailure {
    const char* folder;
    const char* inManual;
    bool endsTheGame;
};
inline constexpr ContentFailure contentFailures[] = {
    {"Shader/", "a shader that cannot be used", true},
    {"Models/", "a model that cannot be loaded", true},
    {"Images/", "a picture that cannot be read", false},
    {"Fonts/", "a font that cannot be read", false},
};

inline bool endsTheGame(const std::string& file)
{
    for (const ContentFailure& failure : contentFailures)
        if (file.rfind(failure.folder, 0) == 0)
            return failure.endsTheGame;
    return false;
}
