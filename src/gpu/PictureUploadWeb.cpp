#include "gpu/PictureUpload.h"

#include "gpu/Image.h"

#include <GL/glew.h>

#include <cstddef>
#include <utility>
#include <vector>

// WebGL 2 has no blue-green-red upload: red and blue change places in a copy
// of the rows (padding included) before it goes up as red-green-blue.
void uploadPicture(const Image& image)
{
    const std::size_t width = static_cast<std::size_t>(image.width());
    const std::size_t height = static_cast<std::size_t>(image.height());
    const std::size_t pitch = (width * 3 + 3) / 4 * 4;
    std::vector<unsigned char> pixels(image.bits(), image.bits() + pitch * height);
    for (std::size_t row = 0; row < height; ++row)
        for (std::size_t x = 0; x < width; ++x)
            std::swap(pixels[row * pitch + x * 3], pixels[row * pitch + x * 3 + 2]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, image.width(), image.height(), 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}
