#pragma once

#include <stdexcept>
#include <string>

// What content that cannot be used does to the game, by folder. The
// damaged-content test breaks files of every folder and expects exactly this;
// the install test expects the manual page's EXIT STATUS to name the folders
// that end the game, in these words, and no other.
struct ContentFailure {
    const char* folder; // below Content/
    const char* inManual;
    bool endsTheGame;
};

inline constexpr ContentFailure contentFailures[] = {
    {"Shader", "a shader that cannot be used", true},
    {"Models", "a model that cannot be loaded", true},
    {"Images", "a picture that cannot be read", false},
    {"Fonts", "a font that cannot be read", false},
};

// The entry of the folder that `file` (relative to Content/) lies in.
inline const ContentFailure& contentFailureOf(const std::string& file)
{
    for (const ContentFailure& failure : contentFailures)
        if (file.rfind(std::string(failure.folder) + "/", 0) == 0)
            return failure;
    throw std::invalid_argument("no content folder for " + file);
}
