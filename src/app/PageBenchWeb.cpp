#include "app/PageBench.h"

#include "app/AppState.h"
#include "gpu/GlObject.h"
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

// Waits until the GPU has done every command given so far. WebGL's glFinish
// returns at once in Chromium; reading a pixel back waits for the commands
// before it. The pixel comes from a target of its own, so that any pass's
// target (the shadow map has no colour) may be bound.
class GpuWait {
public:
    GpuWait() : texture(GlTexture::create()), framebuffer(GlFramebuffer::create())
    {
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        GLint drawn = 0;
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawn);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(drawn));
    }
    void operator()() const
    {
        GLint read = 0;
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        unsigned char pixel[4];
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
    }

private:
    GlTexture texture;
    GlFramebuffer framebuffer;
};

// Sums the time of each step over a frame (blur chains are ten passes each);
// a step's median is over the frames that drew it.
class FinishedPassClock : public PassTimer {
public:
    void begin(RenderPass pass) override
    {
        waitForGpu();
        current = static_cast<size_t>(pass);
        startMs = emscripten_get_now();
    }
    void end() override
    {
        waitForGpu();
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
    GpuWait waitForGpu;
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
