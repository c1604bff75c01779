// A picture whose rows are no multiple of four bytes reaches the GPU intact, with its
// mipmaps. (The reference frames and the damaged-content run cover the game's own.)
#include "gpu/Texture.h"

#include "GlWindow.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

TEST(Texture, RowsOfAnyLengthUploadIntactWithTheirMipmaps)
{
    GlWindow gl;
    // A lossless 5 x 3 picture (15 bytes a row) whose pixel (x, y) from the
    // bottom is (20 + 40x, 10 + 50y, 200 - 30x).
    const std::string file = (std::filesystem::temp_directory_path() / ("vantor-odd-" + std::to_string(::getpid()) + ".png")).string();
    FIBITMAP* bitmap = FreeImage_Allocate(5, 3, 24);
    for (int y = 0; y < 3; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < 5; ++x) {
            row[3 * x + FI_RGBA_RED] = static_cast<BYTE>(20 + 40 * x);
            row[3 * x + FI_RGBA_GREEN] = static_cast<BYTE>(10 + 50 * y);
            row[3 * x + FI_RGBA_BLUE] = static_cast<BYTE>(200 - 30 * x);
        }
    }
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap, file.c_str(), 0));
    FreeImage_Unload(bitmap);
    Texture texture(file);
    std::filesystem::remove(file);

    glBindTexture(GL_TEXTURE_2D, texture.id);
    GLint width = 0, height = 0, smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &smallest);
    ASSERT_EQ(width, 5);
    ASSERT_EQ(height, 3);
    EXPECT_EQ(smallest, 1) << "no mipmap chain";
    std::vector<unsigned char> pixels(5 * 3 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const unsigned char* p = &pixels[static_cast<size_t>((y * 5 + x) * 3)];
            EXPECT_EQ(p[0], 20 + 40 * x);
            EXPECT_EQ(p[1], 10 + 50 * y);
            EXPECT_EQ(p[2], 200 - 30 * x);
        }
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
