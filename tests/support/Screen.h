#pragma once

#include <string>
#include <vector>

struct GLFWwindow;

// A screenshot of an X window (taken with imagemagick's import), as RGB rows
// from the top.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    bool valid() const { return width > 0 && height > 0; }
    const unsigned char* at(int x, int yFromTop) const { return &rgb[static_cast<size_t>((yFromTop * width + x) * 3)]; }
    // Pixels of the rectangle whose channels all reach `level` (white), or any of them (not black).
    int count(int x0, int y0, int x1, int y1, int level, bool allChannels) const;
    int countBright(int x0, int y0, int x1, int y1, int level) const { return count(x0, y0, x1, y1, level, true); }
    int countLit(int x0, int y0, int x1, int y1, int level) const { return count(x0, y0, x1, y1, level, false); }
};

// The id of the first visible window with this exact title, waiting for it to
// appear (empty when none appears in time). With a process id, only that
// process's windows count (tests may run side by side on one display).
std::string findWindow(const std::string& title, double maxSeconds, int pid = 0);
// The X window id of one of the process's own GLFW windows, hidden ones too.
std::string windowIdOf(GLFWwindow* window);
Screenshot takeScreenshot(const std::string& windowId);
// Focuses the window and taps a key (pressed and released at once) with
// xdotool, e.g. "F2": enough for the toggles, which act on release.
void pressKey(const std::string& windowId, const std::string& key);
// Waits until two screenshots taken a moment apart are identical (the game
// stopped drawing) and returns the last; invalid when it never settles.
Screenshot settledScreenshot(const std::string& windowId, double maxSeconds);
