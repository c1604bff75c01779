#include "app/PageBench.h"

#include "app/AppState.h"
#include "render/Renderer.h"

#include <GL/glew.h>
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Sums the time of each step over a frame (blur chains are ten passes each);
// a step's median is over the frames that drew it.
class FinishedPassClock : public PassTimer {
public:
    void begin(RenderPass pass) override
    {
        glFinish();
        current = static_cast<size_t>(pass);
        startMs = emscripten_get_now();
    }
    void end() override
    {
        glFinish();
        thisFrame[current] += emscripten_get_now() - startMs;
    }
    // Keeps this frame's sums, and starts the next frame's.
    void endFrame()
    {
        for (size_t pass = 0; pass < thisFrame.size(); ++pass)
            if (thisFrame[pass] > 0.0) // drawn in this frame
                samples[pass].push_back(thisFrame[pass]);
        thisFrame.fill(0.0);
    }

    std::array<std::vector<double>, renderPassCount> samples;
    std::vector<double> frames;

private:
    std::array<double, renderPassCount> thisFrame{};
    size_t current = 0;
    double startMs = 0.0;
};

constexpr size_t framesPerLine = 60;

} // namespace

void benchFrame(AppState& state, double frameMs)
{
    static const bool wanted = EM_ASM_INT({ return Module.bench ? 1 : 0; }) != 0;
    if (!wanted || !state.renderer || state.gameOver)
        return;
    static FinishedPassClock clock;
    if (state.renderer->passTimer != &clock) {
        state.renderer->passTimer = &clock; // from the next frame on
        return;
    }
    clock.endFrame();
    clock.frames.push_back(frameMs);
    if (clock.frames.size() < framesPerLine)
        return;
    char line[96];
    std::snprintf(line, sizeof line, "bench: %zu frames at %dx%d, median ms:", clock.frames.size(),
                  state.windowWidth, state.windowHeight);
    std::cout << line;
    for (int pass = 0; pass < renderPassCount; ++pass) {
        std::snprintf(line, sizeof line, " %s %.2f", renderPassNames[pass], median(clock.samples[size_t(pass)]));
        std::cout << line;
        clock.samples[size_t(pass)].clear();
    }
    std::snprintf(line, sizeof line, " frame %.2f", median(clock.frames));
    std::cout << line << std::endl;
    clock.frames.clear();
}
