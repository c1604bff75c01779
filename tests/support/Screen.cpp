#include "Screen.h"

#include "Process.h"

#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>

int Screenshot::count(int x0, int y0, int x1, int y1, int level, bool allChannels) const
{
    int count = 0;
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(width, x1); ++x) {
            const unsigned char* p = at(x, y);
            const int reached = (p[0] >= level) + (p[1] >= level) + (p[2] >= level);
            count += allChannels ? reached == 3 : reached > 0;
        }
    }
    return count;
}

std::string findWindow(const std::string& title, double maxSeconds, int pid)
{
    // --all: xdotool's default is to match windows that meet ANY condition,
    // which would take another process's window of the same title.
    const std::string owner = pid > 0 ? " --all --pid " + std::to_string(pid) : "";
    for (double waited = 0.0; waited < maxSeconds; waited += 0.2) {
        const std::string found = shellOutput("xdotool search --onlyvisible" + owner + " --name '^" + title + "$' 2>/dev/null");
        if (!found.empty())
            return found.substr(0, found.find('\n'));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return "";
}

Screenshot takeScreenshot(const std::string& windowId)
{
    // A binary PPM: "P6 width height 255", one blank, then RGB rows from the top.
    const std::string ppm = shellOutput("import -window " + windowId + " -depth 8 ppm:- 2>/dev/null");
    std::istringstream in(ppm);
    std::string magic;
    int maxValue = 0;
    Screenshot shot;
    if (!(in >> magic >> shot.width >> shot.height >> maxValue) || magic != "P6" || maxValue != 255)
        return Screenshot{};
    shot.rgb.assign(ppm.begin() + static_cast<long>(in.tellg()) + 1, ppm.end());
    return shot.rgb.size() == static_cast<size_t>(shot.width * shot.height * 3) ? shot : Screenshot{};
}

void pressKey(const std::string& windowId, const std::string& key)
{
    // Sent to the window itself, not to whatever has the focus: other tests
    // may have their own windows on the same display.
    shellOutput("xdotool key --window " + windowId + " " + key + " 2>/dev/null");
}

Screenshot settledScreenshot(const std::string& windowId, double maxSeconds)
{
    Screenshot previous = takeScreenshot(windowId);
    for (double waited = 0.0; waited < maxSeconds; waited += 0.5) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        Screenshot current = takeScreenshot(windowId);
        if (current.valid() && current.rgb == previous.rgb)
            return current;
        previous = std::move(current);
    }
    return Screenshot{};
}
