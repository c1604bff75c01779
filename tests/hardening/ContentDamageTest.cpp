// The real game started against a copy of its content with one file missing,
// empty, cut short or scrambled. Each kind of file has its own answer: a bad
// image shows black and nothing is said, a bad model or shader ends the start
// with a message and status 1, a bad font leaves the game without text and
// only prints FreeType's complaints. Never a crash, never a hang.
#include "GameRun.h"
#include "Screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

namespace {

// Generous safety limits for a slow software renderer; nothing here measures time.
constexpr double startSeconds = 120.0;
constexpr double failSeconds = 120.0;
constexpr double playedSeconds = 2.0; // game time to play before Escape

enum class Damage {
    Missing,
    Empty,
    Truncated, // only the first `keep` bytes (half the file when 0)
    Scrambled, // the start kept, the rest overwritten with noise
    Noise,     // noise only, as long as the file was
    Replaced,  // well-formed text of the right kind that the game cannot use
};

enum class Outcome {
    RunsQuietly,    // black texture, no message, exit 0 after Escape
    RunsWithoutFont, // FreeType's font line, no text on screen, exit 0 after Escape
    RunsWithGlyphErrors, // FreeType lines only (font or glyph), exit 0 after Escape
    RunsWithFontAsItLoads, // as above, but FreeType may also accept what is left
    ModelError,     // one line on standard error naming the model, status 1
    ShaderMissing,  // one line on standard error naming the shader file, status 1
    ShaderLog,      // the driver's info log on standard error, status 1
};

struct Case {
    std::string name;
    std::string file; // below Content/
    Damage damage;
    Outcome outcome;
    std::string replacement = "";
    size_t keep = 0;
};

std::string noise(std::string bytes, size_t keep)
{
    std::mt19937 random(20240611u);
    for (size_t i = keep; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(random() & 0xFF);
    return bytes;
}

void damage(const ContentCopy& content, const Case& c)
{
    const std::string original = ContentCopy::original(c.file);
    switch (c.damage) {
    case Damage::Missing:
        content.remove(c.file);
        break;
    case Damage::Empty:
        content.replace(c.file, "");
        break;
    case Damage::Truncated:
        content.replace(c.file, original.substr(0, c.keep != 0 ? c.keep : original.size() / 2));
        break;
    case Damage::Scrambled:
        content.replace(c.file, noise(original, std::min<size_t>(original.size() / 4, 1024)));
        break;
    case Damage::Noise:
        content.replace(c.file, noise(original, 0));
        break;
    case Damage::Replaced:
        content.replace(c.file, c.replacement);
        break;
    }
}

// A well-formed COLLADA document with a scene but no geometry at all.
const char* const colladaWithoutMesh = R"(<?xml version="1.0" encoding="utf-8"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">
  <asset><unit name="meter" meter="1"/><up_axis>Y_UP</up_axis></asset>
  <library_visual_scenes>
    <visual_scene id="Scene" name="Scene">
      <node id="Empty" name="Empty" type="NODE"><matrix sid="transform">1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1</matrix></node>
    </visual_scene>
  </library_visual_scenes>
  <scene><instance_visual_scene url="#Scene"/></scene>
</COLLADA>
)";

// Compiles, but a stage without main cannot be linked.
const char* const fragmentThatCannotLink = R"(#version 410 core
out vec4 color;
void paint()
{
    color = vec4(1.0);
}
)";

const std::string fontLine = "ERROR::FREETYPE: Failed to load font\n";
const std::string glyphLine = "ERROR::FREETYTPE: Failed to load Glyph\n";

class DamagedContent : public ::testing::TestWithParam<Case> {};

std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

// Plays until the game has printed `playedSeconds` of frame times (the moon
// paused, so that no stone ends the game meanwhile), then quits with Escape.
ProcessResult playAndQuit(const ContentCopy& content)
{
    ProcessOptions options;
    options.workingDirectory = content.runDirectory();
    BackgroundProcess game(gameBinary(), {"160", "120"}, options);
    const std::string window = findWindow("VANTOR", startSeconds, game.pid());
    if (window.empty()) {
        ADD_FAILURE() << "no game window appeared";
        return game.finish(0.0);
    }
    pressKey(window, "P");
    pressKey(window, "F2");
    const auto start = std::chrono::steady_clock::now();
    while (printedFrameSeconds(game.out) < playedSeconds && game.running() &&
           std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < startSeconds)
        game.pump(0.2);
    EXPECT_GE(printedFrameSeconds(game.out), playedSeconds)
        << "no frame times (the game stopped, or never got F2); stdout: " << game.out;
    holdKey(window, "Escape", 0.5);
    ProcessResult result = game.finish(failSeconds);
    EXPECT_FALSE(result.timedOut) << "Escape did not close the game";
    return result;
}

} // namespace

TEST_P(DamagedContent, GivesTheGamesOwnAnswer)
{
    const Case& c = GetParam();
    const ContentCopy content;
    damage(content, c);

    const bool runs = c.outcome == Outcome::RunsQuietly || c.outcome == Outcome::RunsWithoutFont ||
                      c.outcome == Outcome::RunsWithGlyphErrors || c.outcome == Outcome::RunsWithFontAsItLoads;
    ProcessResult result;
    if (runs) {
        result = playAndQuit(content);
    } else {
        ProcessOptions options;
        options.workingDirectory = content.runDirectory();
        options.safetyKillSeconds = failSeconds;
        result = runProcess(gameBinary(), {"160", "120"}, options);
    }
    ASSERT_FALSE(result.timedOut) << "the game hung; stdout: " << result.out << "\nstderr: " << result.err;
    ASSERT_EQ(result.signal, 0) << "the game was killed by a signal; stderr: " << result.err;

    const std::string out = withoutFrameTimeLines(result.out);
    const std::string path = "../Content/" + c.file;
    switch (c.outcome) {
    case Outcome::RunsQuietly:
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(out, executingLine());
        EXPECT_EQ(result.err, "");
        break;
    case Outcome::RunsWithoutFont:
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(out, executingLine() + fontLine);
        EXPECT_EQ(result.err, "");
        break;
    case Outcome::RunsWithGlyphErrors:
    case Outcome::RunsWithFontAsItLoads: {
        EXPECT_EQ(result.exitCode, 0);
        ASSERT_EQ(out.rfind(executingLine(), 0), 0u) << out;
        std::string rest = out.substr(executingLine().size());
        if (c.outcome == Outcome::RunsWithGlyphErrors) {
            EXPECT_FALSE(rest.empty()) << "the broken font went unnoticed";
        }
        // Either the font is refused as a whole, or single glyphs are.
        if (rest != fontLine) {
            int glyphs = 0;
            for (size_t at = 0; at < rest.size(); at += glyphLine.size(), ++glyphs)
                ASSERT_EQ(rest.compare(at, glyphLine.size(), glyphLine), 0) << rest;
            EXPECT_LE(glyphs, 129); // the probe and the codes 0 to 127
        }
        EXPECT_EQ(result.err, "");
        break;
    }
    case Outcome::ModelError:
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(out, executingLine());
        EXPECT_EQ(result.err, "ERROR: Could not load model from file " + path + "\n");
        break;
    case Outcome::ShaderMissing:
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(out, executingLine());
        EXPECT_EQ(result.err, "ERROR: Could not load shader from file " + path + "\n");
        break;
    case Outcome::ShaderLog:
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(out, executingLine());
        EXPECT_GT(result.err.size(), 1u) << "an empty info log";
        EXPECT_EQ(result.err.back(), '\n');
        EXPECT_EQ(result.err.find("ERROR: Could not load"), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("ERROR: OpenGL Error"), std::string::npos) << result.err;
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Game, DamagedContent,
    ::testing::Values(
        // Images: a black texture and not a word.
        Case{"CubeMapImageMissing", "Images/space.jpg", Damage::Missing, Outcome::RunsQuietly},
        Case{"MoonImageEmpty", "Images/tex_moon.jpg", Damage::Empty, Outcome::RunsQuietly},
        Case{"SaturnImageTruncated", "Images/tex_saturn.jpg", Damage::Truncated, Outcome::RunsQuietly},
        Case{"StoneImageScrambled", "Images/stone.jpg", Damage::Scrambled, Outcome::RunsQuietly},
        Case{"RendererImageNoise", "Images/black.jpg", Damage::Noise, Outcome::RunsQuietly},
        // Models: one line naming the file, status 1.
        Case{"SphereModelMissing", "Models/sphere.dae", Damage::Missing, Outcome::ModelError},
        Case{"SaturnModelEmpty", "Models/saturn.dae", Damage::Empty, Outcome::ModelError},
        Case{"LaneModelTruncated", "Models/lane.dae", Damage::Truncated, Outcome::ModelError},
        Case{"StoneModelScrambled", "Models/stone_lores.dae", Damage::Scrambled, Outcome::ModelError},
        Case{"CogwheelModelWithoutMesh", "Models/cogwheel.dae", Damage::Replaced, Outcome::ModelError,
             colladaWithoutMesh},
        // The font: FreeType's lines on standard output, a game without text.
        Case{"FontMissing", "Fonts/arial.ttf", Damage::Missing, Outcome::RunsWithoutFont},
        Case{"FontEmpty", "Fonts/arial.ttf", Damage::Empty, Outcome::RunsWithoutFont},
        Case{"FontCutInItsTableDirectory", "Fonts/arial.ttf", Damage::Truncated, Outcome::RunsWithoutFont, "", 100},
        // FreeType reads glyphs past the end of a cut font as empty ones.
        Case{"FontTruncated", "Fonts/arial.ttf", Damage::Truncated, Outcome::RunsWithFontAsItLoads},
        Case{"FontScrambled", "Fonts/arial.ttf", Damage::Scrambled, Outcome::RunsWithGlyphErrors},
        // Shaders: the file named when it cannot be read, else the driver's log; status 1.
        Case{"FirstWorldShaderMissing", "Shader/uv.vert", Damage::Missing, Outcome::ShaderMissing},
        Case{"RendererShaderMissing", "Shader/lensflare.frag", Damage::Missing, Outcome::ShaderMissing},
        Case{"SceneShaderEmpty", "Shader/directionalLight.frag", Damage::Empty, Outcome::ShaderLog},
        Case{"ObstacleShaderTruncated", "Shader/normalMap.vert", Damage::Truncated, Outcome::ShaderLog},
        Case{"SkyShaderNoise", "Shader/skybox.frag", Damage::Noise, Outcome::ShaderLog},
        Case{"TextShaderCannotLink", "Shader/character.frag", Damage::Replaced, Outcome::ShaderLog,
             fragmentThatCannotLink}),
    caseName);
