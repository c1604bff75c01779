// Packages the game as a player gets it (a Debian package; cmake --install follows the
// same rules), unpacks it and starts it from folders that have nothing to do with the build.
#include "ContentFailures.h"
#include "Process.h"
#include "Screen.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Generous safety limits for a slow software renderer; nothing here measures time.
constexpr double startSeconds = 120.0;

struct TemporaryFolder {
    fs::path path = fs::temp_directory_path() / ("vantor-install-" + std::to_string(::getpid()));
    TemporaryFolder() { fs::remove_all(path); fs::create_directories(path); path = fs::canonical(path); }
    ~TemporaryFolder() { fs::remove_all(path); }
};

std::set<std::string> wordsOf(const std::string& text)
{
    std::istringstream in(text);
    std::set<std::string> words;
    for (std::string word; in >> word;) words.insert(word);
    return words;
}

const char* const menuEntry = "share/applications/org.example.vantor.desktop";
const char* const metadata = "share/metainfo/org.example.vantor.metainfo.xml";
const char* const manualPage = "share/man/man6/vantor.6.gz";

// Every file an installation holds, below its prefix: the game, all of its
// content, the launcher, the menu entry, the icons, the metadata for software
// centres, the manual page, the licences and the changelog; nothing else.
std::set<std::string> expectedFiles(const std::string& prefix)
{
    std::set<std::string> files;
    for (const char* f : {"games/vantor", "lib/vantor/bin/vantor", menuEntry, metadata, manualPage,
                          "share/icons/hicolor/256x256/apps/vantor.png", "share/icons/hicolor/scalable/apps/vantor.svg",
                          "share/doc/vantor/copyright", "share/doc/vantor/changelog.gz"})
        files.insert(prefix + f);
    const fs::path content = fs::path(VANTOR_SOURCE_DIR) / "Content";
    for (const char* folder : {"Shader", "Images", "Models", "Fonts", "Icons"})
        for (const auto& entry : fs::directory_iterator(content / folder))
            files.insert(prefix + "lib/vantor/Content/" + fs::relative(entry.path(), content).string());
    return files;
}

// The icons an X window carries (_NET_WM_ICON, read whole: by default xprop reads only part of a long property),
// each as its width and how far it is from the game's icon at that size (scaled by imagemagick), in levels of 255:
// the largest difference of a channel weighted by opacity, so that the colour of transparent parts does not count.
std::vector<std::pair<int, int>> iconDifferences(const std::string& window)
{
    std::istringstream in(shellOutput("xprop -len 100000000 -notype -id " + window +
                                      " -f _NET_WM_ICON 32c _NET_WM_ICON | tr -c '0-9\\n' ' '"));
    std::vector<std::pair<int, int>> icons;
    for (int width = 0, height = 0; in >> width >> height && width > 0 && height > 0;) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        const std::string rgba = shellOutput("convert '" VANTOR_SOURCE_DIR "/Content/Icons/vantor.png' " +
                                             (size == "256x256" ? "" : "-filter Triangle -resize " + size + "! ") + "-depth 8 rgba:-");
        int largest = rgba.size() == 4u * width * height ? 0 : 255;
        for (size_t i = 0; i < rgba.size() && largest < 255; i += 4) {
            unsigned long argb = 0;
            in >> argb;
            const auto at = [&](size_t c) { return static_cast<int>(static_cast<unsigned char>(rgba[i + c])); };
            const auto shown = [&](int c) { return static_cast<int>((argb >> (c == 3 ? 24 : 16 - 8 * c)) & 255); };
            largest = std::max(largest, std::abs(at(3) - shown(3)));
            for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(at(c) * at(3) - shown(c) * shown(3)) / 255);
        }
        icons.emplace_back(width, largest);
    }
    return icons;
}

// A checker run through the shell must accept the file (exit status 0); its report is the failure message.
void expectAccepted(const std::string& command)
{
    const ProcessResult check = runProcess("/bin/sh", {"-c", command + " 2>&1"});
    EXPECT_EQ(check.exitCode, 0) << command << "\n" << check.out;
}

} // namespace

TEST(DebianPackage, HoldsTheGameAndItsLibrariesAndStartsThroughItsLauncherFromAnyFolder)
{
    const TemporaryFolder out;
    const ProcessResult cpack = runProcess(VANTOR_CPACK_COMMAND, {"-G", "DEB", "-B", out.path.string(), "--config",
                                                                  std::string(VANTOR_BINARY_DIR) + "/CPackConfig.cmake"});
    ASSERT_EQ(cpack.exitCode, 0) << cpack.out << cpack.err;
    const std::string debName = "/vantor_" VANTOR_VERSION "_" + *wordsOf(shellOutput("dpkg --print-architecture")).begin() + ".deb";
    const std::string deb = "'" + out.path.string() + debName + "'";

    // Debian's package checker: no error, no warning. Informational tags left: font and licence sit where the game reads
    // them (font-in-non-font-package, font-outside-font-dir, package-contains-documentation-outside-usr-share-doc); no
    // hardening flags here, scripts/package.sh adds them (hardening-no-bindnow, -no-fortify-functions); CPack's strip
    // keeps .comment (binary-has-unneeded-section).
    expectAccepted("lintian --allow-root --fail-on error,warning " + deb);

    // Every library the game links comes from a package that it depends on.
    EXPECT_EQ(shellOutput("dpkg-deb -f " + deb + " Package"), "vantor\n");
    const std::set<std::string> depends =
        wordsOf(shellOutput("dpkg-deb -f " + deb + " Depends | sed 's/([^)]*)//g; s/[,|]/ /g'"));
    std::istringstream owners(shellOutput("for lib in $(objdump -p '" + gameBinary() + "' | awk '/NEEDED/ {print $2}'); "
                                          "do echo $lib $(dpkg -S \"*/$lib\" | cut -d: -f1 | sort -u); done"));
    int libraries = 0;
    for (std::string line; std::getline(owners, line); ++libraries) {
        const std::set<std::string> words = wordsOf(line);
        EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const std::string& w) { return depends.count(w) == 1; }))
            << "no package that the game depends on holds " << line;
    }
    EXPECT_GE(libraries, 5);

    // Unpacked anywhere: an installation under usr/, and nothing from the tests or the tools.
    const std::string at = out.path.string() + "/usr";
    ASSERT_EQ(shellOutput("dpkg-deb -x " + deb + " '" + out.path.string() + "' && echo unpacked"), "unpacked\n");
    EXPECT_EQ(wordsOf(shellOutput("find '" + at + "' ! -type d")), expectedFiles(at + "/"));
    const std::string launcher = at + "/games/vantor";
    const std::string entry = shellOutput("cat '" + at + "/" + menuEntry + "'");
    for (const std::string line : {"Name=VANTOR", "Exec=/usr/games/vantor", "Icon=vantor", "Categories=Game;ArcadeGame;"})
        EXPECT_NE(("\n" + entry).find("\n" + line + "\n"), std::string::npos) << line << " missing from\n" << entry;
    // Not one hint, warning or error about the menu entry; for the metadata not even an informational one.
    expectAccepted("desktop-file-validate '" + at + "/" + menuEntry + "' | (! grep .)");
    expectAccepted("appstreamcli validate --no-net --strict '" + at + "/" + metadata + "'");
    // Both licence texts in the copyright file, as Debian reads them.
    const std::string copyright = shellOutput("cat '" + at + "/share/doc/vantor/copyright'");
    for (const char* text : {"\nLicense: Expat\n Permission is hereby granted", "\nLicense: OFL-1.1\n This Font Software"})
        EXPECT_NE(copyright.find(text), std::string::npos) << text << " missing from\n" << copyright;
    const std::string manual = shellOutput("MANWIDTH=80 man -l '" + at + "/" + manualPage + "'");
    EXPECT_NE(manual.find("\nNAME\n       vantor - "), std::string::npos) << manual;
    EXPECT_NE(manual.find("\nSYNOPSIS\n       vantor [width height [fullscreen]]\n"), std::string::npos) << manual;
    // EXIT STATUS names the content failures that end the game, as the damaged-content test finds them.
    const std::string page = shellOutput("MANWIDTH=1000 man -l '" + at + "/" + manualPage + "'");
    const size_t from = page.find("\nEXIT STATUS\n");
    const std::string exitStatus = page.substr(from, page.find("\nFILES\n") - from);
    for (const ContentFailure& failure : contentFailures)
        EXPECT_EQ(exitStatus.find(failure.inManual) != std::string::npos, failure.endsTheGame) << failure.inManual << exitStatus;

    const std::string game = at + "/lib/vantor/bin/vantor";
    const std::string executing = "you are executing '" + game + "'\n";
    ProcessOptions fromRoot;
    fromRoot.workingDirectory = "/";
    fromRoot.safetyKillSeconds = startSeconds;

    // Without arguments, as from the menu: an 800 x 600 window; Escape ends it.
    BackgroundProcess menuStart(launcher, {}, fromRoot);
    const std::string window = findWindow("VANTOR", startSeconds, menuStart.pid());
    ASSERT_FALSE(window.empty()) << "no window titled VANTOR; stdout: " << menuStart.out << "\nstderr: " << menuStart.err;
    const Screenshot shot = takeScreenshot(window);
    EXPECT_EQ(shot.width, 800);
    EXPECT_EQ(shot.height, 600);
    // It wears the game's icon, at its own size to the pixel and scaled for small task bars, and its class is the
    // one the menu entry names, so that a dock shows the icon and counts the window as the entry's.
    const std::vector<std::pair<int, int>> icons = iconDifferences(window);
    ASSERT_FALSE(icons.empty()) << "the window has no icon";
    EXPECT_EQ(icons[0], std::make_pair(256, 0)) << "not the game's icon, pixel for pixel";
    for (const auto& [width, difference] : icons) EXPECT_LE(difference, 8) << "the " << width << " pixel icon";
    const size_t key = entry.find("\nStartupWMClass=");
    ASSERT_NE(key, std::string::npos) << entry;
    const std::string startupWMClass = entry.substr(key + 16, entry.find('\n', key + 1) - key - 16);
    const std::string wmClass = shellOutput("xprop -notype -id " + window + " WM_CLASS"); // WM_CLASS = "name", "class"
    EXPECT_EQ(wmClass.substr(wmClass.rfind(", ") + 2), "\"" + startupWMClass + "\"\n") << wmClass;
    pressKey(window, "Escape");
    const ProcessResult played = menuStart.finish(60.0);
    EXPECT_FALSE(played.timedOut) << "Escape did not close the game";
    EXPECT_EQ(played.exitCode, 0);
    EXPECT_EQ(played.err, "");
    EXPECT_EQ(played.out.rfind(executing, 0), 0u) << played.out;

    // Arguments reach the game unchanged.
    const ProcessResult badHeight = runProcess(launcher, {"800", "high"}, fromRoot);
    EXPECT_EQ(badHeight.exitCode, 1);
    EXPECT_EQ(badHeight.out, executing + "Second cmd line arg could not be read!\n");

    // The game itself, run from a folder without ../Content, stops at its first shader.
    fromRoot.workingDirectory = at + "/share";
    const ProcessResult noContent = runProcess(game, {"320", "240"}, fromRoot);
    EXPECT_EQ(noContent.exitCode, 1);
    EXPECT_EQ(noContent.out, executing);
    EXPECT_EQ(noContent.err.rfind("ERROR: Could not load shader from file ../Content/Shader/", 0), 0u) << noContent.err;

    // The same bytes from a second build of this commit, in another folder and at another time: the game alone,
    // built with this build's settings, and packaged. A difference is named file by file.
    if (VANTOR_SANITIZED) return;
    const std::string second = out.path.string() + "/second";
    std::vector<std::string> configure = {"-S", VANTOR_SOURCE_DIR, "-B", second,
                                          "-DVANTOR_BUILD_TESTS=OFF", "-DVANTOR_BUILD_TOOLS=OFF"};
    std::istringstream settings(shellOutput("grep -E '^(CMAKE_BUILD_TYPE|CMAKE_(C|CXX|EXE_LINKER)_FLAGS|"
                                            "VANTOR_(SANITIZE|MAINTAINER|HOMEPAGE)):' '" VANTOR_BINARY_DIR "/CMakeCache.txt'"));
    for (std::string setting; std::getline(settings, setting);) configure.push_back("-D" + setting);
    const std::string jobs = "-j" + std::to_string(std::thread::hardware_concurrency());
    for (const std::vector<std::string>& step : {configure, {"--build", second, "--target", "vantor", jobs}}) {
        ProcessOptions building;
        building.safetyKillSeconds = 1800.0;
        const ProcessResult built = runProcess(VANTOR_CMAKE_COMMAND, step, building);
        ASSERT_EQ(built.exitCode, 0) << built.out << built.err;
    }
    const ProcessResult repackaged =
        runProcess(VANTOR_CPACK_COMMAND, {"-G", "DEB", "-B", second, "--config", second + "/CPackConfig.cmake"});
    ASSERT_EQ(repackaged.exitCode, 0) << repackaged.out << repackaged.err;
    const char* const compare =
        "cmp \"$1\" \"$2\" 2>&1 || if command -v diffoscope >/dev/null; then diffoscope --text - \"$1\" \"$2\"; else "
        "for d in \"$1\" \"$2\"; do dpkg-deb -c \"$d\" >\"$d.list\"; dpkg-deb -R \"$d\" \"$d.tree\"; done; "
        "diff \"$1.list\" \"$2.list\"; diff -r \"$1.tree\" \"$2.tree\"; fi";
    EXPECT_EQ(runProcess("/bin/sh", {"-c", compare, "compare", out.path.string() + debName, second + debName}).out, "");
}
