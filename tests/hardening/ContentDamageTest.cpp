// The real game against a copy of its content with files missing, empty, cut short
// or replaced: a bad image shows black and nothing is said, a bad font leaves the
// game without text and prints FreeType's line, a bad model or shader ends the
// start with its message and status 1, as contentFailures lists them (and the
// manual page with it). Never a crash, never a hang.
#include "ContentFailures.h"
#include "Process.h"
#include "Screen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

// A throw-away copy of the game's content made of links to the real files,
// and a folder beside it to run the game from ("../Content/" reaches the
// copy). Single files of the copy are removed or replaced at will.
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
    void remove(const std::string& relative) const { fs::remove(root / "Content" / relative); }
    void replace(const std::string& relative, const std::string& bytes) const
    {
        remove(relative);
        std::ofstream(root / "Content" / relative, std::ios::binary) << bytes;
    }
};

const char* const colladaWithoutMesh = R"(<?xml version="1.0" encoding="utf-8"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">
  <asset><unit name="meter" meter="1"/><up_axis>Y_UP</up_axis></asset>
  <library_visual_scenes><visual_scene id="Scene" name="Scene"><node id="Empty" name="Empty"/></visual_scene></library_visual_scenes>
  <scene><instance_visual_scene url="#Scene"/></scene>
</COLLADA>
)";

} // namespace

TEST(DamagedContent, BrokenPicturesAndFontLeaveAPlayableGame)
{
    const ContentCopy content;
    content.remove("Images/space.jpg");
    std::ifstream original(VANTOR_SOURCE_DIR "/Content/Images/stone.jpg", std::ios::binary);
    const std::string stone(std::istreambuf_iterator<char>(original), {});
    content.replace("Images/stone.jpg", stone.substr(0, stone.size() / 3));
    content.replace("Images/tex_moon.jpg", "");
    content.remove("Fonts/arial.ttf");
    ProcessOptions options;
    options.workingDirectory = content.runDirectory();
    BackgroundProcess game(gameBinary(), {"160", "120"}, options);
    const std::string window = findWindow("VANTOR", 120.0, game.pid());
    ASSERT_FALSE(window.empty()) << "no game window; stderr: " << game.err;
    pressKey(window, "Escape");
    const ProcessResult result = game.finish(60.0);
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "you are executing '" + gameBinary() + "'\nERROR::FREETYPE: Failed to load font\n");
    EXPECT_EQ(result.err, "");
    for (const char* file : {"Images/stone.jpg", "Fonts/arial.ttf"})
        EXPECT_FALSE(endsTheGame(file)) << file << " is listed as ending the game";
}

TEST(DamagedContent, ABrokenModelOrShaderEndsTheStartWithItsMessage)
{
    struct Case {
        std::string file;
        const char* bytes; // nullptr: the file is missing
        std::string err;   // exact, or empty for the driver's log
    };
    const Case cases[] = {
        {"Models/saturn.dae", "", "ERROR: Could not load model from file ../Content/Models/saturn.dae\n"},
        {"Models/cogwheel.dae", colladaWithoutMesh,
         "ERROR: Could not load model from file ../Content/Models/cogwheel.dae\n"},
        {"Shader/lensflare.frag", nullptr, "ERROR: Could not load shader from file ../Content/Shader/lensflare.frag\n"},
        {"Shader/skybox.frag", "#version 410 core\nvoid main() { this is not a shader }\n", ""},
        {"Shader/character.frag", "#version 410 core\nout vec4 c;\nvoid paint() { c = vec4(1.0); }\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ContentCopy content;
        c.bytes ? content.replace(c.file, c.bytes) : content.remove(c.file);
        ProcessOptions options;
        options.workingDirectory = content.runDirectory();
        const ProcessResult result = runProcess(gameBinary(), {"160", "120"}, options);
        ASSERT_FALSE(result.timedOut);
        EXPECT_EQ(result.signal, 0) << result.err;
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(endsTheGame(c.file)) << "not listed as ending the game";
        EXPECT_EQ(result.out, "you are executing '" + gameBinary() + "'\n");
        if (!c.err.empty()) {
            EXPECT_EQ(result.err, c.err);
        } else {
            EXPECT_GT(result.err.size(), 1u) << "no info log";
            EXPECT_EQ(result.err.find("ERROR: Could not load"), std::string::npos) << result.err;
        }
    }
}
