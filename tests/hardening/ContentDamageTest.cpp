// The real game against a copy of its content with files missing, empty, cut short,
// replaced or turned into folders: a bad image shows black and nothing is said, a bad
// font leaves the game without text and prints FreeType's line once, a bad model or
// shader ends the start with its message and status 1, as contentFailures lists them
// (and the manual page with it). Never a crash, never a hang.
#include "ContentFailures.h"
#include "Process.h"
#include "Screen.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What takes a file's place: these bytes, or one of these.
const std::string missing = "(missing)", aFolder = "(a folder)", aFifo = "(a fifo)";

// A throw-away copy of the game's content made of links to the real files,
// and a folder beside it to run the game from ("../Content/" reaches the
// copy). Single files of the copy are replaced at will.
struct ContentCopy {
    const fs::path root = fs::temp_directory_path() / ("vantor-content-" + std::to_string(::getpid()));
    ContentCopy()
    {
        fs::remove_all(root);
        fs::create_directories(root / "run");
        const fs::path real = std::string(VANTOR_SOURCE_DIR) + "/Content";
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(real)) {
            const fs::path copy = root / "Content" / fs::relative(entry.path(), real);
            entry.is_directory() ? (void)fs::create_directories(copy) : fs::create_symlink(entry.path(), copy);
        }
    }
    ~ContentCopy() { fs::remove_all(root); }
    std::string runDirectory() const { return root / "run"; }
    void replace(const std::string& relative, const std::string& by) const
    {
        const fs::path file = root / "Content" / relative;
        fs::remove(file);
        if (by == aFolder)
            fs::create_directory(file);
        else if (by == aFifo)
            ::mkfifo(file.c_str(), 0644);
        else if (by != missing)
            std::ofstream(file, std::ios::binary) << by;
    }
};

// The first part of a real content file, a `fraction`th of it.
std::string cutShort(const std::string& relative, size_t fraction)
{
    std::ifstream original(std::string(VANTOR_SOURCE_DIR) + "/Content/" + relative, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(original), {});
    return bytes.substr(0, bytes.size() / fraction);
}

const char* const colladaWithoutMesh = R"(<?xml version="1.0" encoding="utf-8"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">
  <asset><unit name="meter" meter="1"/><up_axis>Y_UP</up_axis></asset>
  <library_visual_scenes><visual_scene id="Scene" name="Scene"><node id="Empty" name="Empty"/></visual_scene></library_visual_scenes>
  <scene><instance_visual_scene url="#Scene"/></scene>
</COLLADA>
)";

} // namespace

// A font cut short opens and loads its glyphs without an error, each without a picture:
// it is reported once, as a font that failed to load.
TEST(DamagedContent, BadPicturesAndFontsLeaveAPlayableGameBadModelsAndShadersEndTheStart)
{
    const std::string fontLine = "ERROR::FREETYPE: Failed to load font\n";
    const std::string loading = "ERROR: Could not load ", driverLog = "(the driver's log)";
    struct Case {
        std::vector<std::pair<std::string, std::string>> damage; // file and what takes its place
        std::string out;                                         // after the game's path
        std::string err;                                         // empty: the game plays on
    };
    const Case cases[] = {
        {{{"Images/space.jpg", missing}, {"Images/stone.jpg", cutShort("Images/stone.jpg", 3)},
          {"Images/tex_moon.jpg", ""}, {"Images/steel.jpg", aFolder}, {"Fonts/arial.ttf", missing}}, fontLine, ""},
        {{{"Fonts/arial.ttf", aFolder}}, fontLine, ""},
        {{{"Fonts/arial.ttf", cutShort("Fonts/arial.ttf", 2)}}, fontLine, ""},
        {{{"Fonts/arial.ttf", cutShort("Fonts/arial.ttf", 10)}}, fontLine, ""},
        {{{"Models/saturn.dae", ""}}, "", loading + "model from file ../Content/Models/saturn.dae\n"},
        {{{"Models/cogwheel.dae", colladaWithoutMesh}}, "", loading + "model from file ../Content/Models/cogwheel.dae\n"},
        {{{"Models/sphere.dae", aFolder}}, "", loading + "model from file ../Content/Models/sphere.dae\n"},
        {{{"Shader/lensflare.frag", missing}}, "", loading + "shader from file ../Content/Shader/lensflare.frag\n"},
        {{{"Shader/skybox.vert", aFolder}}, "", loading + "shader from file ../Content/Shader/skybox.vert\n"},
        {{{"Shader/bloom.frag", aFifo}}, "", loading + "shader from file ../Content/Shader/bloom.frag\n"},
        {{{"Shader/skybox.frag", "#version 410 core\nvoid main() { this is not a shader }\n"}}, "", driverLog},
        {{{"Shader/character.frag", "#version 410 core\nout vec4 c;\nvoid paint() { c = vec4(1.0); }\n"}}, "", driverLog},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases) + ", " + c.damage.back().first);
        const ContentCopy content;
        for (const auto& [file, by] : c.damage) {
            content.replace(file, by);
            EXPECT_EQ(endsTheGame(file), !c.err.empty()) << "listed wrongly";
        }
        ProcessOptions options;
        options.workingDirectory = content.runDirectory();
        BackgroundProcess game(gameBinary(), {"160", "120"}, options);
        if (c.err.empty()) {
            const std::string window = findWindow("VANTOR", 120.0, game.pid());
            ASSERT_FALSE(window.empty()) << "no game window; stderr: " << game.err;
            pressKey(window, "Escape");
        }
        const ProcessResult result = game.finish(60.0);
        ASSERT_FALSE(result.timedOut);
        EXPECT_EQ(result.signal, 0) << result.err;
        EXPECT_EQ(result.exitCode, c.err.empty() ? 0 : 1);
        EXPECT_EQ(result.out, "you are executing '" + gameBinary() + "'\n" + c.out);
        if (c.err != driverLog) {
            EXPECT_EQ(result.err, c.err);
        } else {
            EXPECT_GT(result.err.size(), 1u) << "no info log";
            EXPECT_EQ(result.err.find(loading), std::string::npos) << result.err;
        }
    }
}
