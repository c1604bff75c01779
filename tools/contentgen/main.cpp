// vantor-contentgen: regenerates the game's images, models and font, and its
// icon for the desktop menu.
//
//   vantor-contentgen <content directory>
//
// Writes <dir>/Images/*.jpg, <dir>/Models/*.dae, <dir>/Icons/vantor.{png,svg}
// and copies the font into <dir>/Fonts. Every run writes the same bytes.
// Shaders are not touched.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <FreeImage.h>

#include "Icons.h"
#include "Images.h"
#include "Mesh.h"
#include "Models.h"

namespace fs = std::filesystem;
using namespace contentgen;

namespace {

constexpr int jpegQuality = 90;
const char* const fontSource = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
const char* const fontLicence = "/usr/share/doc/fonts-liberation2/copyright";

bool report(bool ok, const fs::path& path) {
    std::printf("%s %s\n", ok ? "wrote" : "FAILED to write", path.string().c_str());
    return ok;
}

bool writeImages(const fs::path& dir) {
    struct Entry {
        const char* name;
        std::function<Image()> make;
    };
    const std::vector<Entry> images = {
        {"texture_sun.jpg", sunTexture},   {"tex_moon.jpg", moonTexture}, {"tex_saturn.jpg", saturnTexture},
        {"tex_ring.jpg", ringTexture},     {"space.jpg", spaceTexture},   {"steel.jpg", steelTexture},
        {"black.jpg", blackTexture},
    };
    bool ok = true;
    for (const Entry& e : images) ok &= report(e.make().writeJpeg((dir / e.name).string(), jpegQuality), dir / e.name);
    const StoneTextures stone = stoneTextures();
    ok &= report(stone.albedo.writeJpeg((dir / "stone.jpg").string(), jpegQuality), dir / "stone.jpg");
    ok &= report(stone.normalMap.writeJpeg((dir / "nmap_stone_flipY.jpg").string(), jpegQuality, true),
                 dir / "nmap_stone_flipY.jpg");
    return ok;
}

bool writeModels(const fs::path& dir) {
    struct Entry {
        const char* file;
        const char* name;
        std::function<Mesh()> make;
    };
    const std::vector<Entry> models = {
        {"sphere.dae", "Sphere", sphereModel},         {"saturn.dae", "Saturn", saturnModel},
        {"lane.dae", "Lane", laneModel},               {"stone_lores.dae", "Stone", stoneModel},
        {"cogwheel.dae", "Cogwheel", cogwheelModel},
    };
    bool ok = true;
    for (const Entry& e : models) ok &= report(writeCollada(e.make(), e.name, (dir / e.file).string()), dir / e.file);
    return ok;
}

// The game does not read these: they are installed for the desktop menu.
bool writeIcons(const fs::path& dir) {
    bool ok = report(saturnIcon(256).writePng((dir / "vantor.png").string()), dir / "vantor.png");
    std::ofstream svg(dir / "vantor.svg", std::ios::binary);
    svg << saturnIconSvg();
    svg.close();
    return ok & report(svg.good(), dir / "vantor.svg");
}

bool copyFont(const fs::path& dir) {
    bool ok = true;
    for (const auto& [from, to] : {std::make_pair(fontSource, "arial.ttf"),
                                   std::make_pair(fontLicence, "LICENSE-LiberationSans.txt")}) {
        std::error_code error;
        fs::copy_file(from, dir / to, fs::copy_options::overwrite_existing, error);
        if (error) std::printf("cannot copy %s: %s (install fonts-liberation2)\n", from, error.message().c_str());
        ok &= report(!error, dir / to);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: %s <content directory>\n", argv[0]);
        return 2;
    }
    const fs::path content = argv[1];
    for (const char* sub : {"Images", "Models", "Fonts", "Icons"}) fs::create_directories(content / sub);

    FreeImage_Initialise();
    bool ok = writeImages(content / "Images");
    ok &= writeIcons(content / "Icons");
    FreeImage_DeInitialise();
    ok &= writeModels(content / "Models");
    ok &= copyFont(content / "Fonts");
    return ok ? 0 : 1;
}
