#pragma once

#include "render/PassTimer.h"

#include <GL/glew.h>

#include <memory>
#include <utility>
#include <vector>

class Shader;

// Clocks and counters of the benchmark.

// Steady wall clock, milliseconds.
double wallMs();
// CPU time of the calling thread, milliseconds.
double threadCpuMs();
// Milliseconds since the kernel started this process (clock-tick resolution,
// usually 10 ms); negative when the system does not say.
double processAgeMs();
// Peak resident set size of the process, KiB.
long peakResidentKiB();
// Calls of operator new in this process so far.
long heapAllocations();

// Times numbered slots, one at a time; every start/stop pair is one sample of
// its slot, in milliseconds.
class SlotClock {
public:
    explicit SlotClock(int slots) : samples(static_cast<size_t>(slots)) {}
    virtual ~SlotClock() = default;
    SlotClock(const SlotClock&) = delete;
    SlotClock& operator=(const SlotClock&) = delete;

    virtual void start(int slot) = 0;
    virtual void stop() = 0;
    // Collects what the frame's measurements gave (some need the frame done).
    virtual void endFrame() {}

    std::vector<std::vector<double>> samples;
};

// Wall time of each slot with glFinish before and after: what the slot's
// work really costs, rasterisation included, without overlap.
class FinishedWallClock : public SlotClock {
public:
    using SlotClock::SlotClock;
    void start(int slot) override;
    void stop() override;

private:
    int current = 0;
    double startMs = 0.0;
};

// GL_TIME_ELAPSED queries around each slot, read after the frame. What they
// span is the driver's business: a software driver may count only the
// submission of the commands.
class TimerQueryClock : public SlotClock {
public:
    explicit TimerQueryClock(int slots) : SlotClock(slots) {}
    ~TimerQueryClock() override;
    void start(int slot) override;
    void stop() override;
    void endFrame() override;

private:
    std::vector<GLuint> queries;               // pool, grows to the most used in a frame
    std::vector<std::pair<int, GLuint>> used;  // this frame: slot and query
};

// Hands the renderer's pass brackets to a clock, one slot per pass.
class RendererPassClock : public PassTimer {
public:
    explicit RendererPassClock(SlotClock& clock) : clock(clock) {}
    void begin(RenderPass pass) override { clock.start(static_cast<int>(pass)); }
    void end() override { clock.stop(); }

private:
    SlotClock& clock;
};

// The yardstick: a full-screen pass that reads one texel and writes it, at
// the frame's size and format, ping-ponging between two targets of its own.
class BaselinePass {
public:
    // quadVAO: the renderer's full-screen quad ("vertPos" at location 0).
    BaselinePass(GLuint quadVAO, int width, int height);
    ~BaselinePass();
    BaselinePass(const BaselinePass&) = delete;
    BaselinePass& operator=(const BaselinePass&) = delete;

    // One pass; pass n reads target n % 2 and writes the other.
    void draw(int n);

private:
    std::unique_ptr<Shader> shader;
    GLuint quadVAO = 0;
    int width = 0;
    int height = 0;
    GLuint textures[2] = {0, 0};
    GLuint framebuffers[2] = {0, 0};
};
