// vantor-bench: what a frame of the game costs on this machine.
//
//   vantor-bench width height [--laps N] [--frame-time S] [--warmup N]
//
// Builds the world and the renderer exactly like the game (in a hidden window
// of the given size on the current display), plays whole laps with frames of
// a fixed length, steered by a simple pilot, and prints the start-up times,
// the whole-frame time as the game draws it and with every pass drawn in full
// at the same moments, the time of every pass of the frame, next to a plain
// full-screen pass as yardstick, the floor (a frame of the same passes, each
// with the plain program), and one line "JSON {...}" with every figure.
// Run it from the build folder.

#include "BenchProbes.h"
#include "Pilot.h"
#include "Statistics.h"

#include "app/AppState.h"
#include "app/HeadlessGame.h"
#include "gpu/StartupTimings.h"
#include "render/PassTimer.h"
#include "render/Renderer.h"
#include "scene/Moon.h"
#include "scene/World.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <glm/gtc/constants.hpp>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Full-size passes of the post-processing per frame: two blur chains of ten,
// the bloom composite, the lens flare and the final composite.
constexpr int baselinePassesPerRound = 23;
// The floor frame's full-size passes: those, the lit scene, the sun image and
// the text (taken as one full-size pass, more than its few quads cost).
constexpr int floorFullSizePasses = baselinePassesPerRound + 3;

struct Options {
    int width = 800;
    int height = 600;
    int laps = 1;
    float frameTime = 1.0f / 60.0f;
    int warmup = 10;
};

const char* const usage = "usage: vantor-bench width height [--laps N] [--frame-time S] [--warmup N]";

bool parseCount(const char* text, int minimum, int& out)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < minimum || value > 100000)
        return false;
    out = static_cast<int>(value);
    return true;
}

std::optional<Options> parseOptions(int argc, char** argv)
{
    Options options;
    if (argc < 3 || !parseCount(argv[1], 1, options.width) || !parseCount(argv[2], 1, options.height))
        return std::nullopt;
    for (int i = 3; i < argc; i += 2) {
        const std::string name = argv[i];
        if (i + 1 >= argc)
            return std::nullopt;
        if (name == "--laps") {
            if (!parseCount(argv[i + 1], 1, options.laps))
                return std::nullopt;
        } else if (name == "--frame-time") {
            char* end = nullptr;
            const double seconds = std::strtod(argv[i + 1], &end);
            if (end == argv[i + 1] || *end != '\0' || !(seconds >= 0.001 && seconds <= 0.25))
                return std::nullopt;
            options.frameTime = static_cast<float>(seconds);
        } else if (name == "--warmup") {
            if (!parseCount(argv[i + 1], 0, options.warmup))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// Figures in print order, also the keys of the JSON line.
class Figures {
public:
    void add(const std::string& key, double value) { entries.emplace_back(key, value); }
    std::string json(const std::string& renderer) const
    {
        std::ostringstream out;
        out.precision(6);
        out << "{\"renderer\": \"" << renderer << "\"";
        for (const auto& [key, value] : entries)
            out << ", \"" << key << "\": " << value;
        out << "}";
        return out.str();
    }

private:
    std::vector<std::pair<std::string, double>> entries;
};

// Quotes and backslashes out of a driver string, for the JSON line.
std::string plain(const char* text)
{
    std::string out;
    for (const char* c = text ? text : ""; *c != '\0'; ++c)
        if (*c != '"' && *c != '\\')
            out += *c;
    return out;
}

// a / b, or 0 where nothing was measured to compare with.
double ratio(double a, double b)
{
    return b > 0.0 ? a / b : 0.0;
}

void printRow(const char* label, double value, const char* unit, const char* note = "")
{
    std::printf("  %-34s %10.2f %-4s %s\n", label, value, unit, note);
}

} // namespace

int main(int argc, char** argv)
{
    const double mainMs = wallMs();
    const double processAtMain = processAgeMs();
    const double sinceProcessStart = processAtMain >= 0.0 ? processAtMain : 0.0;

    const std::optional<Options> parsed = parseOptions(argc, argv);
    if (!parsed) {
        std::cerr << usage << std::endl;
        return 2;
    }
    const Options options = *parsed;

    // Start-up: the game's own world and renderer.
    std::optional<HeadlessGame> game;
    try {
        game.emplace(HeadlessGame::Graphics::HiddenWindow, options.width, options.height);
    } catch (const std::exception& error) {
        std::cerr << "vantor-bench: " << error.what() << std::endl;
        return 1;
    }
    const double readyMs = sinceProcessStart + (wallMs() - mainMs);
    const StartupTimings loading = startupTimings();
    AppState& state = game->state();
    Renderer& renderer = *state.renderer;

    // The pilot keeps the moon alive; should it still hit a stone, the game
    // draws nothing any more and measuring stops there.
    const float frameTime = options.frameTime;
    int played = 0;
    int endedAt = 0;        // the frame that hit the stone, 0 while playing
    float orbitTravel = 0.0f; // radians the moon has gone round since measuring began
    float lastAngle = state.world->moon->orbitAngle;
    auto play = [&]() {
        if (state.gameOver)
            return false;
        game->advance(frameTime, pilot(*state.world), true);
        ++played;
        if (state.gameOver)
            endedAt = played;
        const float angle = state.world->moon->orbitAngle;
        orbitTravel += angle >= lastAngle - glm::pi<float>() ? angle - lastAngle : angle - lastAngle + glm::two_pi<float>();
        lastAngle = angle;
        return true;
    };
    // The moment just played drawn again, every pass in full, as the main loop
    // draws a frame (nothing in the game advances), each pass handed to
    // `passes` if given. False when the frame still skipped work: its time
    // would not be that of every pass.
    auto drawEveryPass = [&](PassTimer* passes) {
        renderer.drawEveryPass = true;
        renderer.passTimer = passes;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        renderer.renderFrame(state.window);
        glfwSwapBuffers(state.window);
        renderer.drawEveryPass = false;
        renderer.passTimer = nullptr;
        return renderer.lastFrame.shadow == ShadowMapCache::Redraw::Whole && renderer.lastFrame.sunChain &&
               renderer.lastFrame.sunRegionShare == 1.0;
    };

    const double firstFrameStart = wallMs();
    play();
    glFinish();
    const double firstFrameMs = sinceProcessStart + (wallMs() - mainMs);
    const double firstFrameDraw = wallMs() - firstFrameStart;

    for (int i = 0; i < options.warmup && play(); ++i) {
    }
    glFinish();
    orbitTravel = 0.0f;

    // Rounds of three game frames, the yardstick and the floor. The first
    // frame is measured whole as the game draws it, then drawn again with
    // every pass (the same moment), once whole and once with glFinish around
    // each pass; the second has glFinish around each pass, the third a timer
    // query. All of them see the same stretch of the track.
    std::vector<double> frameWall, frameCpu, frameAllocations, allPassesWall;
    std::vector<double> sunFrameWall, sunAllPassesWall; // frames with the sun's chain drawn
    std::vector<double> sunRegionShares;                // of the picture, in those frames
    int sunChainSkipped = 0;
    int shadowRedraws[3] = {0, 0, 0}; // nothing, region, whole
    TimerQueryClock queryClock(renderPassCount);
    FinishedWallClock finishClock(renderPassCount);
    FinishedWallClock everyPassClock(renderPassCount);
    RendererPassClock queryPasses(queryClock);
    RendererPassClock finishedPasses(finishClock);
    RendererPassClock everyPassPasses(everyPassClock);
    int passFrames[2] = {0, 0};
    auto playTimed = [&](PassTimer& passes, SlotClock& clock, int& count) {
        renderer.passTimer = &passes;
        const bool drawn = play();
        renderer.passTimer = nullptr;
        clock.endFrame();
        count += drawn ? 1 : 0;
        return drawn;
    };
    // The yardstick, at the size the frame's targets have, measured in the same
    // rounds so that both see the machine in the same state.
    BaselinePass baseline(renderer.quadVAO, renderer.width, renderer.height);
    TimerQueryClock baselineQueries(1);
    FinishedWallClock baselineFinished(1);
    auto playBaseline = [&](SlotClock& clock) {
        glDisable(GL_DEPTH_TEST); // as in the post-processing
        for (int n = 0; n < baselinePassesPerRound; ++n) {
            clock.start(0);
            baseline.draw(n);
            clock.stop();
        }
        clock.endFrame();
        glEnable(GL_DEPTH_TEST);
    };

    // The game's memory, read before the floor's targets (two of the shadow
    // map's size) add theirs; what the lap allocates is freed in each frame.
    const long peakKiB = peakResidentKiB();
    // The floor: a frame of the same passes at the same sizes, each with the
    // plain program: one pass of the shadow map's size, the full-size passes
    // and the bright-part separation at a quarter of each side.
    BaselinePass shadowSizePass(renderer.quadVAO, renderer.shadowWidth, renderer.shadowHeight);
    BaselinePass quarterSizePass(renderer.quadVAO, renderer.width / 4, renderer.height / 4);
    std::vector<double> floorWall;
    auto playFloor = [&]() {
        glDisable(GL_DEPTH_TEST);
        glFinish();
        const double start = wallMs();
        shadowSizePass.draw(0);
        quarterSizePass.draw(0);
        for (int n = 0; n < floorFullSizePasses; ++n)
            baseline.draw(n);
        glFinish();
        floorWall.push_back(wallMs() - start);
        glEnable(GL_DEPTH_TEST);
    };

    const float lapsToPlay = glm::two_pi<float>() * static_cast<float>(options.laps);
    while (orbitTravel < lapsToPlay) {
        glFinish();
        const double wall0 = wallMs();
        const double cpu0 = threadCpuMs();
        const long allocations0 = heapAllocations();
        if (!play())
            break;
        const double cpu1 = threadCpuMs();
        const long allocations1 = heapAllocations();
        glFinish();
        const double wall1 = wallMs();
        const Renderer::FrameWork work = renderer.lastFrame;
        if (!drawEveryPass(nullptr)) {
            std::cerr << "vantor-bench: the frame meant to draw every pass skipped work (shadow map or sun's chain); "
                         "no figures"
                      << std::endl;
            return 1;
        }
        glFinish();
        const double allPassesMs = wallMs() - wall1;
        drawEveryPass(&everyPassPasses);
        everyPassClock.endFrame();
        frameWall.push_back(wall1 - wall0);
        allPassesWall.push_back(allPassesMs);
        frameCpu.push_back(cpu1 - cpu0);
        frameAllocations.push_back(static_cast<double>(allocations1 - allocations0));
        ++shadowRedraws[static_cast<int>(work.shadow)];
        if (work.sunChain) {
            sunFrameWall.push_back(frameWall.back());
            sunAllPassesWall.push_back(allPassesWall.back());
            sunRegionShares.push_back(work.sunRegionShare);
        } else {
            ++sunChainSkipped;
        }

        if (!playTimed(finishedPasses, finishClock, passFrames[1]) || !playTimed(queryPasses, queryClock, passFrames[0]))
            break;
        playBaseline(baselineQueries);
        playBaseline(baselineFinished);
        playFloor();
    }

    const double baselineFinishedMs = median(baselineFinished.samples[0]);
    const double baselineQueryMs = median(baselineQueries.samples[0]);

    const std::string rendererName = plain(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    const double laps = orbitTravel / glm::two_pi<double>();
    const double measured = static_cast<double>(frameWall.size());
    auto share = [&](int count) { return measured > 0.0 ? count / measured : 0.0; };

    Figures figures;
    figures.add("width", renderer.width);
    figures.add("height", renderer.height);
    figures.add("frame_time_s", frameTime);
    figures.add("laps", laps);
    figures.add("frames", measured);
    figures.add("warmup", options.warmup);
    figures.add("frames_played", played);
    figures.add("frames_measured", measured);
    figures.add("frames_measured_gl_passes", passFrames[0]);
    figures.add("frames_measured_sync_passes", passFrames[1]);
    figures.add("game_over_at_frame", endedAt);
    figures.add("score", state.score);

    std::printf("vantor-bench %dx%d on %s: frame time %.4f s, %d warm-up frames, %.2f laps played by the pilot "
                "in %d frames (%zu rounds of 3 frames, the first also drawn with every pass, the plain pass and the floor)\n",
                renderer.width, renderer.height, rendererName.c_str(), static_cast<double>(frameTime), options.warmup,
                laps, played, frameWall.size());
    if (endedAt > 0)
        std::printf("note: the moon hit a stone in frame %d, after which the game draws nothing; frames measured: "
                    "%zu whole, %d gl passes, %d sync passes\n",
                    endedAt, frameWall.size(), passFrames[0], passFrames[1]);

    std::printf("\nStart-up (milliseconds)\n");
    struct Stage {
        const char* key;
        const char* label;
        StartupStage stage;
    };
    const Stage stages[] = {
        {"startup_shader_build_ms", "shader read/compile/link", StartupStage::ShaderBuild},
        {"startup_image_decode_ms", "image decoding (FreeImage)", StartupStage::ImageDecode},
        {"startup_texture_upload_ms", "texture upload + mipmaps", StartupStage::TextureUpload},
        {"startup_model_import_ms", "model import (Assimp + buffers)", StartupStage::ModelImport},
        {"startup_glyphs_ms", "glyphs (FreeType + textures)", StartupStage::Glyphs},
        {"startup_render_targets_ms", "render targets + shadow map", StartupStage::RenderTargets},
    };
    double stagesMs = 0.0;
    printRow("process start -> main()", sinceProcessStart, "ms",
             processAtMain >= 0.0 ? "(kernel start time, clock-tick resolution)" : "(not available)");
    printRow("process start -> world+renderer", readyMs, "ms");
    printRow("process start -> first frame shown", firstFrameMs, "ms");
    figures.add("startup_process_to_main_ms", sinceProcessStart);
    figures.add("startup_ready_ms", readyMs);
    figures.add("startup_first_frame_ms", firstFrameMs);
    for (const Stage& stage : stages) {
        const double ms = loading[stage.stage] * 1e3;
        stagesMs += ms;
        printRow(stage.label, ms, "ms");
        figures.add(stage.key, ms);
    }
    const double otherMs = readyMs - sinceProcessStart - stagesMs;
    printRow("other (GLFW, context, driver, objects)", otherMs, "ms");
    printRow("first frame (incl. driver code gen.)", firstFrameDraw, "ms");
    figures.add("startup_other_ms", otherMs);
    figures.add("startup_first_frame_draw_ms", firstFrameDraw);

    std::printf("\nWhole frame (%zu frames over the lap; wall time with glFinish before each clock read)\n",
                frameWall.size());
    printRow("wall time, median", median(frameWall), "ms");
    printRow("wall time, 90th percentile", percentile90(frameWall), "ms");
    printRow("every pass drawn: median", median(allPassesWall), "ms", "(the same moments)");
    printRow("every pass drawn: 90th percentile", percentile90(allPassesWall), "ms");
    printRow("median / every pass drawn", ratio(median(frameWall), median(allPassesWall)), "x");
    printRow("sun on screen: median", median(sunFrameWall), "ms", "(frames that drew the sun's chain)");
    printRow("sun on screen: 90th percentile", percentile90(sunFrameWall), "ms");
    printRow("sun on screen: every pass, median", median(sunAllPassesWall), "ms", "(the chain whole)");
    printRow("sun on screen: every pass, p90", percentile90(sunAllPassesWall), "ms");
    printRow("sun on screen / every pass drawn", ratio(median(sunFrameWall), median(sunAllPassesWall)), "x");
    printRow("sun's region: share, median", 100.0 * median(sunRegionShares), "%", "(of the picture: the flare's)");
    printRow("sun's region: share, largest", 100.0 * largest(sunRegionShares), "%");
    printRow("frames without the sun's chain", 100.0 * share(sunChainSkipped), "%");
    printRow("shadow map: kept / region / whole", 100.0 * share(shadowRedraws[0]), "%");
    std::printf("  %-34s %10.2f %-4s\n  %-34s %10.2f %-4s\n", "", 100.0 * share(shadowRedraws[1]), "%", "",
                100.0 * share(shadowRedraws[2]), "%");
    printRow("main-thread CPU time, median", median(frameCpu), "ms", "(game, GL calls, driver front end)");
    printRow("heap allocations (operator new)", median(frameAllocations), "", "(median per frame)");
    printRow("whole frame / baseline pass", ratio(median(frameWall), baselineFinishedMs), "x");
    const double floorMs = median(floorWall);
    printRow("floor: plain passes, median", floorMs, "ms", "(every pass of a frame, each with the plain program)");
    printRow("every pass drawn / floor", ratio(median(allPassesWall), floorMs), "x", "(medians)");
    printRow("wall time / floor", ratio(median(frameWall), floorMs), "x", "(medians)");
    printRow("90th percentile / floor", ratio(percentile90(frameWall), floorMs), "x", "(over the floor's median)");
    figures.add("floor_wall_median_ms", floorMs);
    figures.add("frame_all_passes_over_floor", ratio(median(allPassesWall), floorMs));
    figures.add("frame_wall_median_over_floor", ratio(median(frameWall), floorMs));
    figures.add("frame_wall_p90_over_floor", ratio(percentile90(frameWall), floorMs));
    figures.add("frame_wall_median_ms", median(frameWall));
    figures.add("frame_wall_p90_ms", percentile90(frameWall));
    figures.add("frame_all_passes_wall_median_ms", median(allPassesWall));
    figures.add("frame_all_passes_wall_p90_ms", percentile90(allPassesWall));
    figures.add("frame_sun_on_screen_wall_median_ms", median(sunFrameWall));
    figures.add("frame_sun_on_screen_wall_p90_ms", percentile90(sunFrameWall));
    figures.add("frame_sun_on_screen_all_passes_wall_median_ms", median(sunAllPassesWall));
    figures.add("frame_sun_on_screen_all_passes_wall_p90_ms", percentile90(sunAllPassesWall));
    figures.add("sun_region_share_median", median(sunRegionShares));
    figures.add("sun_region_share_largest", largest(sunRegionShares));
    figures.add("sun_chain_skipped_share", share(sunChainSkipped));
    figures.add("shadow_kept_share", share(shadowRedraws[0]));
    figures.add("shadow_region_share", share(shadowRedraws[1]));
    figures.add("shadow_whole_share", share(shadowRedraws[2]));
    figures.add("frame_cpu_median_ms", median(frameCpu));
    figures.add("frame_allocations_median", median(frameAllocations));

    std::printf("\nPasses as the game draws them (median over the frames that ran each, milliseconds)\n"
                "  sync = wall time with glFinish before and after the pass (the real cost, used for 'x base')\n"
                "  gl   = GL_TIME_ELAPSED query (on llvmpipe it may cover only the submission of the commands)\n"
                "  x base = sync time of one pass over the sync time of one plain full-screen pass\n"
                "  whole  = sync time and x base of the pass with every pass drawn in full, the same moments\n");
    std::printf("  %-16s %10s %10s %8s %10s %8s\n", "pass", "sync", "gl", "x base", "whole", "x base");
    for (int p = 0; p < renderPassCount; ++p) {
        const char* name = renderPassNames[p];
        const RenderPass pass = static_cast<RenderPass>(p);
        const bool chain = pass == RenderPass::BlurA || pass == RenderPass::BlurB;
        const double syncMs = median(finishClock.samples[static_cast<size_t>(p)]);
        const double glMs = median(queryClock.samples[static_cast<size_t>(p)]);
        const double times = ratio(syncMs / (chain ? 10.0 : 1.0), baselineFinishedMs);
        const double wholeMs = median(everyPassClock.samples[static_cast<size_t>(p)]);
        const double wholeTimes = ratio(wholeMs / (chain ? 10.0 : 1.0), baselineFinishedMs);
        std::printf("  %-16s %10.3f %10.3f %8.2f %10.3f %8.2f%s\n", name, syncMs, glMs, times, wholeMs, wholeTimes,
                    chain ? "  (10 passes; x base per pass)" : "");
        const std::string x = chain ? "_per_pass_x_baseline" : "_x_baseline";
        figures.add(std::string("pass_") + name + "_sync_ms", syncMs);
        figures.add(std::string("pass_") + name + "_gl_ms", glMs);
        figures.add(std::string("pass_") + name + x, times);
        figures.add(std::string("pass_") + name + "_whole_sync_ms", wholeMs);
        figures.add(std::string("pass_") + name + "_whole" + x, wholeTimes);
    }
    std::printf("  %-16s %10.3f %10.3f %8.2f  (one pass: 1 texel read and written, %d per round)\n", "baseline",
                baselineFinishedMs, baselineQueryMs, 1.0, baselinePassesPerRound);
    figures.add("baseline_sync_ms", baselineFinishedMs);
    figures.add("baseline_gl_ms", baselineQueryMs);

    std::printf("\nMemory\n");
    printRow("peak resident set", static_cast<double>(peakKiB) / 1024.0, "MiB");
    figures.add("memory_peak_rss_kib", static_cast<double>(peakKiB));

    std::printf("\nJSON %s\n", figures.json(rendererName).c_str());
    std::fflush(stdout);
    return 0;
}
