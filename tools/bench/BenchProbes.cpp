#include "BenchProbes.h"

#include "gpu/Shader.h"
#include "render/RenderTargets.h"

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

namespace {

std::atomic<long> allocationCount{0};

double toMs(const timespec& t)
{
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

double clockMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return toMs(t);
}

} // namespace

namespace {

void* countedAllocation(std::size_t size) noexcept
{
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size != 0 ? size : 1);
}

} // namespace

// The replacements are kept out of line: inlined into an optimised caller, the
// malloc and free inside them would be taken for a mismatch with new and delete.
// Every heap allocation of the C++ code in this process goes through here
// (the C parts of the driver use malloc directly and are not counted). The
// plain and the array forms, with and without nothrow, are all replaced, so
// that every pair of them meets in malloc and free.
[[gnu::noinline]] void* operator new(std::size_t size)
{
    if (void* memory = countedAllocation(size))
        return memory;
    throw std::bad_alloc();
}

[[gnu::noinline]] void* operator new[](std::size_t size)
{
    return operator new(size);
}

[[gnu::noinline]] void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return countedAllocation(size);
}

[[gnu::noinline]] void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return countedAllocation(size);
}

[[gnu::noinline]] void operator delete(void* memory) noexcept
{
    std::free(memory);
}

[[gnu::noinline]] void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

[[gnu::noinline]] void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

[[gnu::noinline]] void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

[[gnu::noinline]] void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

double wallMs()
{
    return clockMs(CLOCK_MONOTONIC);
}

double threadCpuMs()
{
    return clockMs(CLOCK_THREAD_CPUTIME_ID);
}

double processAgeMs()
{
    // Field 22 of /proc/self/stat: start time in clock ticks after boot. The
    // command name (field 2) may hold blanks, so count from its closing bracket.
    std::ifstream stat("/proc/self/stat");
    const std::string line((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = line.rfind(')');
    if (close == std::string::npos)
        return -1.0;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int n = 3; n <= 22 && (fields >> field); ++n) {
    }
    if (!fields)
        return -1.0;
    const double startMs = std::stod(field) * 1e3 / static_cast<double>(sysconf(_SC_CLK_TCK));
    const double age = clockMs(CLOCK_BOOTTIME) - startMs;
    return age >= 0.0 && age < 60e3 ? age : -1.0;
}

long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long heapAllocations()
{
    return allocationCount.load(std::memory_order_relaxed);
}

void FinishedWallClock::start(int slot)
{
    glFinish();
    current = slot;
    startMs = wallMs();
}

void FinishedWallClock::stop()
{
    glFinish();
    samples[static_cast<size_t>(current)].push_back(wallMs() - startMs);
}

TimerQueryClock::~TimerQueryClock()
{
    if (!queries.empty())
        glDeleteQueries(static_cast<GLsizei>(queries.size()), queries.data());
}

void TimerQueryClock::start(int slot)
{
    if (used.size() == queries.size()) {
        GLuint query = 0;
        glGenQueries(1, &query);
        queries.push_back(query);
    }
    const GLuint query = queries[used.size()];
    used.emplace_back(slot, query);
    glBeginQuery(GL_TIME_ELAPSED, query);
}

void TimerQueryClock::stop()
{
    glEndQuery(GL_TIME_ELAPSED);
}

void TimerQueryClock::endFrame()
{
    for (const auto& [slot, query] : used) {
        GLuint64 nanoseconds = 0;
        glGetQueryObjectui64v(query, GL_QUERY_RESULT, &nanoseconds);
        samples[static_cast<size_t>(slot)].push_back(static_cast<double>(nanoseconds) * 1e-6);
    }
    used.clear();
}

BaselinePass::BaselinePass(GLuint quadVAO, int width, int height)
    : shader(std::make_unique<Shader>("../tools/bench/baseline.vert", "../tools/bench/baseline.frag")),
      quadVAO(quadVAO), width(width), height(height)
{
    glGenTextures(2, textures);
    glGenFramebuffers(2, framebuffers);
    for (int i = 0; i < 2; ++i) {
        createColorFramebuffer(framebuffers[i], textures[i], width, height);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffers[i]);
        glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f); // the game's clear colour again
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

BaselinePass::~BaselinePass()
{
    glDeleteTextures(2, textures);
    glDeleteFramebuffers(2, framebuffers);
}

void BaselinePass::draw(int n)
{
    const int from = n % 2;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffers[1 - from]);
    glViewport(0, 0, width, height);
    glUseProgram(shader->program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, textures[from]);
    shader->setInt("image", 0);
    glBindVertexArray(quadVAO);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
