// A floating-point RGB picture with an opacity per pixel, and its JPEG and
// PNG writers.
#pragma once

#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace contentgen {

class Image {
public:
    Image(int width, int height, glm::vec3 fillColour = glm::vec3(0.0f));

    int width() const { return w; }
    int height() const { return h; }

    // Row y = 0 is the BOTTOM row of the picture: that is the order FreeImage
    // keeps scan lines in and the game uploads them unflipped, so texel (x, y)
    // is sampled at the texture coordinates u = (x + 0.5) / width,
    // v = (y + 0.5) / height.
    glm::vec3& at(int x, int y) { return pixels[static_cast<size_t>(y) * w + x]; }
    const glm::vec3& at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }

    // Opacity 0..1, 1 everywhere unless set. Only the PNG writer keeps it;
    // colours are straight (not multiplied by it).
    float& alpha(int x, int y) { return opacity[static_cast<size_t>(y) * w + x]; }
    float alpha(int x, int y) const { return opacity[static_cast<size_t>(y) * w + x]; }

    // Calls f(u, v) for every texel centre and stores its colour (0..1 per channel).
    template <typename F> void fill(F f) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                at(x, y) = f((static_cast<float>(x) + 0.5f) / static_cast<float>(w),
                             (static_cast<float>(y) + 0.5f) / static_cast<float>(h));
    }

    // Writes a 24-bit baseline JPEG of the given quality; colours are clamped
    // to 0..1. Full-resolution chroma keeps fine colour detail (normal maps).
    bool writeJpeg(const std::string& path, int quality, bool fullChroma = false) const;
    // Writes a 32-bit RGBA PNG, best compression.
    bool writePng(const std::string& path) const;

private:
    int w, h;
    std::vector<glm::vec3> pixels;
    std::vector<float> opacity;
};

} // namespace contentgen
