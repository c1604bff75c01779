// scripts/run-game.sh, the new player's way in: it builds the game alone (no test, tool
// or benchmark) and starts it at 800 x 600. CMake and the game are stand-ins here that
// say how they were called; the scripts are the real ones.
#include "Process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(PlayScript, BuildsTheGameAloneAndStartsIt)
{
    if (gameStartedElsewhere())
        GTEST_SKIP() << "the scripts are Linux's";
    const fs::path root = fs::temp_directory_path() / ("vantor-play-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "build");
    fs::create_directories(root / "stand-ins");
    fs::copy(VANTOR_SOURCE_DIR "/scripts", root / "scripts");
    for (const fs::path& program : {root / "stand-ins/cmake", root / "build/vantor"}) {
        std::ofstream(program) << "#!/bin/sh\necho " << program.filename().string() << " \"$@\"\n";
        fs::permissions(program, fs::perms::owner_all);
    }
    ProcessOptions options;
    options.extraEnvironment = {"PATH=" + (root / "stand-ins").string() + ":" + std::getenv("PATH")};
    const ProcessResult result = runProcess((root / "scripts/run-game.sh").string(), {}, options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string build = "cmake --build " + (root / "build").string() + " -j";
    ASSERT_EQ(result.out.rfind(build, 0), 0u) << result.out;
    EXPECT_EQ(result.out.substr(result.out.find(' ', build.size())), " --target vantor\nvantor 800 600\n");
    fs::remove_all(root);
}
