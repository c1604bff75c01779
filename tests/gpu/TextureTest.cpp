// Textures and cube maps from pictures, read back from a real OpenGL 4.1 core context.
#include "gpu/Texture.h"

#include "GlWindow.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

class GpuFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("vantor-gpu-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    // A lossless 24-bit picture whose pixel (x, y) from the bottom is (20 + 40x, 10 + 50y, 200 - 30x).
    std::string writePattern(const std::string& name, int width, int height)
    {
        FIBITMAP* bitmap = FreeImage_Allocate(width, height, 24);
        for (int y = 0; y < height; ++y) {
            BYTE* row = FreeImage_GetScanLine(bitmap, y);
            for (int x = 0; x < width; ++x) {
                row[3 * x + FI_RGBA_RED] = static_cast<BYTE>(20 + 40 * x);
                row[3 * x + FI_RGBA_GREEN] = static_cast<BYTE>(10 + 50 * y);
                row[3 * x + FI_RGBA_BLUE] = static_cast<BYTE>(200 - 30 * x);
            }
        }
        EXPECT_TRUE(FreeImage_Save(FIF_PNG, bitmap, path(name).c_str(), 0));
        FreeImage_Unload(bitmap);
        return path(name);
    }

    fs::path folder;
};

// Level 0 of a bound texture target as packed RGB rows.
std::vector<unsigned char> readBack(GLenum target, int& width, int& height)
{
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 3) + 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (width > 0 && height > 0)
        glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

} // namespace

TEST_F(GpuFiles, PicturesUploadIntactWithMipmapsAndCubeFacesExchangeRedAndBlue)
{
    GlWindow gl;
    const std::string file = writePattern("odd.png", 5, 3); // 15 bytes a row, padded to 16 in the file
    Texture flat(file);
    glBindTexture(GL_TEXTURE_2D, flat.id);
    int w = 0, h = 0;
    const std::vector<unsigned char> pixels = readBack(GL_TEXTURE_2D, w, h);
    ASSERT_EQ(w, 5);
    ASSERT_EQ(h, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const unsigned char* p = &pixels[static_cast<size_t>((y * 5 + x) * 3)];
            EXPECT_EQ(p[0], 20 + 40 * x);
            EXPECT_EQ(p[1], 10 + 50 * y);
            EXPECT_EQ(p[2], 200 - 30 * x);
        }
    }
    GLint smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(smallest, 1) << "no mipmap chain";

    // Cube faces must be square; the sky's picture is stored with red and blue exchanged.
    const std::string square = writePattern("square.png", 4, 4);
    Texture cube(square, square, square, square, square, square);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube.id);
    for (int face = 0; face < 6; ++face) {
        const std::vector<unsigned char> facePixels = readBack(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, w, h);
        ASSERT_EQ(w, 4);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(facePixels[3 * x + 0], 200 - 30 * x) << "face " << face;
            EXPECT_EQ(facePixels[3 * x + 2], 20 + 40 * x) << "face " << face;
        }
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GpuFiles, AMissingOrBrokenPictureGivesABlackTextureSilently)
{
    GlWindow gl;
    std::ofstream(path("corrupt.jpg")) << "\xFF\xD8\xFF\xE0 this is not really a JPEG";
    std::ofstream(path("empty.jpg"));
    for (const std::string name : {"missing.jpg", "corrupt.jpg", "empty.jpg"}) {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        Texture texture(path(name));
        EXPECT_EQ(::testing::internal::GetCapturedStdout() + ::testing::internal::GetCapturedStderr(), "") << name;
        glBindTexture(GL_TEXTURE_2D, texture.id);
        GLint width = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 0) << name << ": without image data the texture samples as black";
    }
    const std::string missing = path("missing.jpg");
    Texture cube(missing, missing, missing, missing, missing, missing);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
