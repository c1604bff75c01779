#pragma once

#include <chrono>

// Where start-up spends its time, summed over the whole process. The loaders
// (programs, images, models, glyphs, render targets) add to it as they run;
// the game never reads it, the benchmark prints it.
enum class StartupStage {
    ShaderBuild,   // reading, compiling and linking programs
    ImageDecode,   // FreeImage: file type, decode, conversion
    TextureUpload, // glTexImage2D and the mipmap chain
    ModelImport,   // Assimp import and the vertex arrays
    Glyphs,        // FreeType and the glyph textures
    RenderTargets, // off-screen targets and the shadow map
    Count
};

struct StartupTimings {
    double seconds[static_cast<int>(StartupStage::Count)] = {};

    double& operator[](StartupStage stage) { return seconds[static_cast<int>(stage)]; }
    double operator[](StartupStage stage) const { return seconds[static_cast<int>(stage)]; }
};

// The one accumulator of the process.
StartupTimings& startupTimings();

// Adds the time from construction to destruction to one stage.
class ScopedStartupTimer {
public:
    explicit ScopedStartupTimer(StartupStage stage) : stage(stage), start(std::chrono::steady_clock::now()) {}
    ~ScopedStartupTimer()
    {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        startupTimings()[stage] += elapsed.count();
    }
    ScopedStartupTimer(const ScopedStartupTimer&) = delete;
    ScopedStartupTimer& operator=(const ScopedStartupTimer&) = delete;

private:
    StartupStage stage;
    std::chrono::steady_clock::time_point start;
};
