// The files under Content/ against what the game relies on: each one is where
// the game looks and has the kind and shape it assumes, the ring picture's
// lanes lie where the stones stand, and the generator still makes exactly the
// committed files. Runs from the build folder, like the game.
#include "Process.h"

#include "scene/ImportedMesh.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const std::string content = "../Content/";

std::string bytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(Content, EveryFileTheGameReadsIsThereInTheShapeItAssumes)
{
    for (const char* name : {"black.jpg", "nmap_stone_flipY.jpg", "texture_sun.jpg", "tex_moon.jpg", "tex_saturn.jpg",
                             "tex_ring.jpg", "stone.jpg", "steel.jpg", "space.jpg"}) {
        const std::string path = content + "Images/" + name;
        ASSERT_EQ(FreeImage_GetFileType(path.c_str(), 0), FIF_JPEG) << name;
        FIBITMAP* bitmap = FreeImage_Load(FIF_JPEG, path.c_str(), 0);
        ASSERT_NE(bitmap, nullptr) << name;
        const unsigned w = FreeImage_GetWidth(bitmap), h = FreeImage_GetHeight(bitmap);
        EXPECT_EQ(FreeImage_GetBPP(bitmap), 24u) << name;
        EXPECT_TRUE(w > 0 && (w & (w - 1)) == 0 && h > 0 && (h & (h - 1)) == 0) << name << " for mipmaps";
        FreeImage_Unload(bitmap);
    }
    // Models through the game's own import: normals everywhere, texture
    // coordinates that are not all zero, tangents for the normal-mapped stone.
    for (const char* name : {"sphere.dae", "saturn.dae", "lane.dae", "stone_lores.dae", "cogwheel.dae"}) {
        const scene::ImportedMesh mesh(content + "Models/" + name, nullptr, true);
        EXPECT_GT(mesh.vertexCount, 30u) << name;
        EXPECT_EQ(mesh.normals.size(), 3 * mesh.vertexCount) << name;
        EXPECT_TRUE(std::any_of(mesh.uvs.begin(), mesh.uvs.end(), [](float v) { return v != 0.0f; })) << name;
        EXPECT_TRUE(std::any_of(mesh.tangents.begin(), mesh.tangents.end(), [](float v) { return v != 0.0f; }))
            << name;
    }
    for (const char* name : {"quad", "uv", "directionalLight", "normalMap", "skybox", "basic", "depthShader",
                             "character", "debugQuad"}) {
        EXPECT_NE(bytes(content + "Shader/" + name + ".vert").find("#version 410 core"), std::string::npos) << name;
        EXPECT_NE(bytes(content + "Shader/" + name + ".frag").find("#version 410 core"), std::string::npos) << name;
    }
    for (const char* name : {"separation.frag", "bloom.frag", "lensflare.frag"})
        EXPECT_NE(bytes(content + "Shader/" + name).find("#version 410 core"), std::string::npos) << name;
    EXPECT_EQ(bytes(content + "Fonts/arial.ttf").substr(0, 4), std::string("\0\1\0\0", 4)) << "a TrueType font";
}

TEST(Content, TheRingPicturesLanesLieWhereTheStonesStand)
{
    // The lane model is scaled by 50: a stone on a lane at distance d stands
    // over the mesh radius d / 50. Read the ring picture's row there through
    // the mesh's own texture coordinates (v runs across the ring).
    const scene::ImportedMesh lane(content + "Models/lane.dae", nullptr, false);
    ASSERT_GT(lane.vertexCount, 0u);
    auto vAtRadius = [&](float r) {
        size_t inner = 0, outer = 0;
        auto radius = [&](size_t v) { return std::hypot(lane.positions[3 * v], lane.positions[3 * v + 1]); };
        for (size_t v = 0; v < lane.vertexCount; ++v) {
            inner = radius(v) < radius(inner) ? v : inner;
            outer = radius(v) > radius(outer) ? v : outer;
        }
        const float t = (r - radius(inner)) / (radius(outer) - radius(inner));
        return lane.uvs[2 * inner + 1] + t * (lane.uvs[2 * outer + 1] - lane.uvs[2 * inner + 1]);
    };
    const std::string path = content + "Images/tex_ring.jpg";
    FIBITMAP* ring = FreeImage_Load(FIF_JPEG, path.c_str(), 0);
    ASSERT_NE(ring, nullptr);
    const unsigned w = FreeImage_GetWidth(ring), h = FreeImage_GetHeight(ring);
    auto rowBrightness = [&](float v) {
        const BYTE* row = FreeImage_GetScanLine(ring, static_cast<int>(std::clamp(v, 0.0f, 0.999f) * h));
        double sum = 0.0;
        for (unsigned x = 0; x < 3 * w; ++x)
            sum += row[x];
        return sum / (3.0 * w);
    };
    const float lanes[3] = {52.4f, 56.0f, 59.8f};
    for (int i = 0; i < 2; ++i) {
        const double gap = rowBrightness(vAtRadius((lanes[i] + lanes[i + 1]) / 100.0f));
        EXPECT_GT(rowBrightness(vAtRadius(lanes[i] / 50.0f)), 1.5 * gap) << "lane " << i;
        EXPECT_GT(rowBrightness(vAtRadius(lanes[i + 1] / 50.0f)), 1.5 * gap) << "lane " << i + 1;
    }
    FreeImage_Unload(ring);
}

TEST(Content, TheGeneratorReproducesTheCommittedFiles)
{
    const std::string generator = std::string(VANTOR_BINARY_DIR) + "/tools/contentgen/vantor-contentgen";
    ASSERT_TRUE(fs::is_regular_file(generator)) << "the content generator was not built";
    const fs::path out = fs::temp_directory_path() / ("vantor-content-check-" + std::to_string(::getpid()));
    fs::remove_all(out);
    const ProcessResult result = runProcess(generator, {out.string()});
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file())
            continue;
        const fs::path relative = fs::relative(entry.path(), out);
        EXPECT_TRUE(bytes(entry.path()) == bytes(content + relative.string())) << relative << " differs from a fresh run";
        ++compared;
    }
    EXPECT_GE(compared, 15);
    fs::remove_all(out);
}
