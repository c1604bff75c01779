#include "gpu/Texture.h"

#include "GlWindow.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Rgb {
    unsigned char r, g, b;
};

// The colour of pixel (x, y), counted from the bottom-left corner.
Rgb pattern(int x, int y)
{
    return Rgb{static_cast<unsigned char>(20 + 40 * x), static_cast<unsigned char>(10 + 50 * y),
               static_cast<unsigned char>(200 - 30 * x - 10 * y)};
}

class TextureFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("vantor-texture-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    // A lossless 24-bit image of the test pattern.
    std::string writePattern(const std::string& name, int width, int height)
    {
        FIBITMAP* bitmap = FreeImage_Allocate(width, height, 24);
        for (int y = 0; y < height; ++y) {
            BYTE* row = FreeImage_GetScanLine(bitmap, y); // row 0 is the bottom row
            for (int x = 0; x < width; ++x) {
                const Rgb c = pattern(x, y);
                row[3 * x + FI_RGBA_RED] = c.r;
                row[3 * x + FI_RGBA_GREEN] = c.g;
                row[3 * x + FI_RGBA_BLUE] = c.b;
            }
        }
        EXPECT_TRUE(FreeImage_Save(FIF_PNG, bitmap, path(name).c_str(), 0));
        FreeImage_Unload(bitmap);
        return path(name);
    }

    fs::path folder;
};

// Level 0 of the bound texture target as RGB bytes, rows packed.
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

TEST_F(TextureFiles, RowsWhoseBytesAreNotAMultipleOfFourUploadIntact)
{
    GlWindow gl;
    const std::string file = writePattern("odd.png", 5, 3); // 15 bytes a row, padded to 16
    Texture texture(file);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    int width = 0, height = 0;
    const std::vector<unsigned char> pixels = readBack(GL_TEXTURE_2D, width, height);
    ASSERT_EQ(width, 5);
    ASSERT_EQ(height, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const Rgb expected = pattern(x, y);
            const unsigned char* p = &pixels[static_cast<size_t>((y * 5 + x) * 3)];
            EXPECT_EQ(p[0], expected.r) << x << "," << y;
            EXPECT_EQ(p[1], expected.g) << x << "," << y;
            EXPECT_EQ(p[2], expected.b) << x << "," << y;
        }
    }
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    GLint levels = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &levels);
    EXPECT_EQ(levels, 1); // the mipmap chain goes down to 1 x 1
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureFiles, CubeMapFacesExchangeRedAndBlue)
{
    GlWindow gl;
    const std::string file = writePattern("face.png", 4, 4);
    Texture flat(file);
    Texture cube(file, file, file, file, file, file);

    glBindTexture(GL_TEXTURE_2D, flat.id);
    int w = 0, h = 0;
    const std::vector<unsigned char> flatPixels = readBack(GL_TEXTURE_2D, w, h);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube.id);
    for (int face = 0; face < 6; ++face) {
        int fw = 0, fh = 0;
        const std::vector<unsigned char> facePixels = readBack(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, fw, fh);
        ASSERT_EQ(fw, 4);
        ASSERT_EQ(fh, 4);
        for (size_t i = 0; i < 16; ++i) {
            EXPECT_EQ(facePixels[3 * i + 0], flatPixels[3 * i + 2]) << "face " << face;
            EXPECT_EQ(facePixels[3 * i + 1], flatPixels[3 * i + 1]) << "face " << face;
            EXPECT_EQ(facePixels[3 * i + 2], flatPixels[3 * i + 0]) << "face " << face;
        }
    }
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, &wrap);
    EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
}

TEST_F(TextureFiles, MissingOrCorruptFilesGiveABlackTextureSilently)
{
    GlWindow gl;
    std::ofstream(path("corrupt.jpg")) << "\xFF\xD8\xFF\xE0 this is not really a JPEG";
    std::ofstream(path("empty.jpg"));
    // A JPEG cut off after its header.
    {
        const std::string whole = writePattern("whole.png", 8, 8);
        FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, whole.c_str(), 0);
        FreeImage_Save(FIF_JPEG, bitmap, path("whole.jpg").c_str(), 0);
        FreeImage_Unload(bitmap);
        std::ifstream in(path("whole.jpg"), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(path("truncated.jpg"), std::ios::binary) << bytes.substr(0, 40);
    }

    for (const std::string name : {"missing.jpg", "corrupt.jpg", "empty.jpg", "truncated.jpg"}) {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        Texture texture(path(name));
        const std::string out = ::testing::internal::GetCapturedStdout();
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(out, "") << name;
        EXPECT_EQ(err, "") << name;
        EXPECT_TRUE(glIsTexture(texture.id)) << name;

        // Without image data the texture is incomplete, which samples as black.
        glBindTexture(GL_TEXTURE_2D, texture.id);
        GLint width = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 0) << name;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A cube map whose files are all missing is empty too, without any GL error.
    ::testing::internal::CaptureStdout();
    const std::string missing = path("missing.jpg");
    Texture cube(missing, missing, missing, missing, missing, missing);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureFiles, GreyPaletteAndAlphaImagesUploadAsColour)
{
    GlWindow gl;
    // An 8-bit grey ramp.
    FIBITMAP* grey = FreeImage_Allocate(6, 2, 8);
    RGBQUAD* palette = FreeImage_GetPalette(grey);
    for (int i = 0; i < 256; ++i)
        palette[i].rgbRed = palette[i].rgbGreen = palette[i].rgbBlue = static_cast<BYTE>(i);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x)
            FreeImage_GetScanLine(grey, y)[x] = static_cast<BYTE>(40 * x + y);
    FreeImage_Save(FIF_PNG, grey, path("grey.png").c_str(), 0);
    FreeImage_Unload(grey);

    // A 32-bit image with alpha.
    FIBITMAP* rgba = FreeImage_Allocate(3, 3, 32);
    for (int y = 0; y < 3; ++y) {
        BYTE* row = FreeImage_GetScanLine(rgba, y);
        for (int x = 0; x < 3; ++x) {
            const Rgb c = pattern(x, y);
            row[4 * x + FI_RGBA_RED] = c.r;
            row[4 * x + FI_RGBA_GREEN] = c.g;
            row[4 * x + FI_RGBA_BLUE] = c.b;
            row[4 * x + FI_RGBA_ALPHA] = 255;
        }
    }
    FreeImage_Save(FIF_PNG, rgba, path("rgba.png").c_str(), 0);
    FreeImage_Unload(rgba);

    Texture greyTexture(path("grey.png"));
    glBindTexture(GL_TEXTURE_2D, greyTexture.id);
    int w = 0, h = 0;
    std::vector<unsigned char> pixels = readBack(GL_TEXTURE_2D, w, h);
    ASSERT_EQ(w, 6);
    ASSERT_EQ(h, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 6; ++x) {
            const unsigned char* p = &pixels[static_cast<size_t>((y * 6 + x) * 3)];
            EXPECT_EQ(p[0], 40 * x + y);
            EXPECT_EQ(p[1], 40 * x + y);
            EXPECT_EQ(p[2], 40 * x + y);
        }
    }

    Texture alphaTexture(path("rgba.png"));
    glBindTexture(GL_TEXTURE_2D, alphaTexture.id);
    pixels = readBack(GL_TEXTURE_2D, w, h);
    ASSERT_EQ(w, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            const Rgb c = pattern(x, y);
            const unsigned char* p = &pixels[static_cast<size_t>((y * 3 + x) * 3)];
            EXPECT_EQ(p[0], c.r);
            EXPECT_EQ(p[1], c.g);
            EXPECT_EQ(p[2], c.b);
        }
    }
}

TEST_F(TextureFiles, DestructionDeletesExactlyItsTexture)
{
    GlWindow gl;
    const std::string file = writePattern("keep.png", 2, 2);
    Texture kept(file);
    GLuint gone = 0;
    {
        Texture texture(file);
        gone = texture.id;
    }
    EXPECT_FALSE(glIsTexture(gone));
    EXPECT_TRUE(glIsTexture(kept.id));
}
