// What the benchmark relies on at start-up: the loaders charge their time to
// the right stage of the accumulator, and a cube map decodes a file named for
// several faces once without mixing up the faces.

#include "gpu/Shader.h"
#include "gpu/StartupTimings.h"
#include "gpu/Texture.h"
#include "scene/ImportedMesh.h"

#include "GlWindow.h"

#include <FreeImage.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int stageCount = static_cast<int>(StartupStage::Count);

// Which stages grew while `work` ran.
template <typename Work>
std::array<bool, stageCount> stagesCharged(Work work)
{
    const StartupTimings before = startupTimings();
    work();
    const StartupTimings after = startupTimings();
    std::array<bool, stageCount> grew{};
    for (int s = 0; s < stageCount; ++s)
        grew[static_cast<size_t>(s)] = after.seconds[s] > before.seconds[s];
    return grew;
}

std::array<bool, stageCount> only(std::initializer_list<StartupStage> stages)
{
    std::array<bool, stageCount> expected{};
    for (StartupStage stage : stages)
        expected[static_cast<size_t>(stage)] = true;
    return expected;
}

} // namespace

TEST(StartupTimings, EachLoaderChargesItsOwnStages)
{
    GlWindow gl;
    const std::string content = "../Content/";

    EXPECT_EQ(stagesCharged([&] { Shader shader(content + "Shader/quad.vert", content + "Shader/quad.frag"); }),
              only({StartupStage::ShaderBuild}));
    EXPECT_EQ(stagesCharged([&] { Texture texture(content + "Images/stone.jpg"); }),
              only({StartupStage::ImageDecode, StartupStage::TextureUpload}));
    EXPECT_EQ(stagesCharged([&] {
                  const std::string sky = content + "Images/space.jpg";
                  Texture cube(sky, sky, sky, sky, sky, sky);
              }),
              only({StartupStage::ImageDecode, StartupStage::TextureUpload}));
    EXPECT_EQ(stagesCharged([&] { scene::ImportedMesh mesh(content + "Models/stone_lores.dae", nullptr, true); }),
              only({StartupStage::ModelImport}));
    // A picture that is not there is looked for, but nothing is uploaded.
    EXPECT_EQ(stagesCharged([&] { Texture texture(content + "Images/no-such-picture.jpg"); }),
              only({StartupStage::ImageDecode}));
    EXPECT_EQ(stagesCharged([] { const ScopedStartupTimer timer(StartupStage::Glyphs); }),
              only({StartupStage::Glyphs}));
}

TEST(StartupTimings, CubeFacesKeepTheirOwnPicturesWhenFilesRepeat)
{
    GlWindow gl;
    const fs::path folder = fs::temp_directory_path() / ("vantor-cube-" + std::to_string(::getpid()));
    fs::create_directories(folder);

    // Three one-colour 2 x 2 pictures.
    struct Colour {
        BYTE r, g, b;
    };
    const Colour colours[3] = {{200, 10, 20}, {30, 180, 40}, {50, 60, 220}};
    std::vector<std::string> files;
    for (int i = 0; i < 3; ++i) {
        FIBITMAP* bitmap = FreeImage_Allocate(2, 2, 24);
        for (unsigned y = 0; y < 2; ++y) {
            BYTE* row = FreeImage_GetScanLine(bitmap, static_cast<int>(y));
            for (unsigned x = 0; x < 2; ++x) {
                row[3 * x + FI_RGBA_RED] = colours[i].r;
                row[3 * x + FI_RGBA_GREEN] = colours[i].g;
                row[3 * x + FI_RGBA_BLUE] = colours[i].b;
            }
        }
        files.push_back((folder / ("face" + std::to_string(i) + ".png")).string());
        ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap, files.back().c_str(), 0));
        FreeImage_Unload(bitmap);
    }

    // Faces +X .. -Z from pictures 0, 1, 0, 2, 1, 0.
    const int picture[6] = {0, 1, 0, 2, 1, 0};
    Texture cube(files[0], files[1], files[0], files[2], files[1], files[0]);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int face = 0; face < 6; ++face) {
        std::array<unsigned char, 2 * 2 * 3> pixels{};
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(face), 0, GL_RGB, GL_UNSIGNED_BYTE,
                      pixels.data());
        // Cube faces go up without reordering: the file's blue lands in red.
        const Colour& expected = colours[picture[face]];
        EXPECT_EQ(pixels[0], expected.b) << "face " << face;
        EXPECT_EQ(pixels[1], expected.g) << "face " << face;
        EXPECT_EQ(pixels[2], expected.r) << "face " << face;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    fs::remove_all(folder);
}
