#include "Image.h"

#include <cmath>

#include <FreeImage.h>

namespace contentgen {

Image::Image(int width, int height, glm::vec3 fillColour)
    : w(width), h(height), pixels(static_cast<size_t>(width) * height, fillColour),
      opacity(static_cast<size_t>(width) * height, 1.0f) {}

namespace {
BYTE toByte(float c) {
    const float v = std::round(glm::clamp(c, 0.0f, 1.0f) * 255.0f);
    return static_cast<BYTE>(v);
}
} // namespace

bool Image::writeJpeg(const std::string& path, int quality, bool fullChroma) const {
    FIBITMAP* bitmap = FreeImage_Allocate(w, h, 24);
    if (!bitmap) return false;
    for (int y = 0; y < h; ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap, y); // scan line 0 is the bottom row
        for (int x = 0; x < w; ++x) {
            const glm::vec3& c = at(x, y);
            line[x * 3 + FI_RGBA_RED] = toByte(c.r);
            line[x * 3 + FI_RGBA_GREEN] = toByte(c.g);
            line[x * 3 + FI_RGBA_BLUE] = toByte(c.b);
        }
    }
    const int flags = quality | JPEG_BASELINE | JPEG_OPTIMIZE | (fullChroma ? JPEG_SUBSAMPLING_444 : JPEG_SUBSAMPLING_420);
    const bool ok = FreeImage_Save(FIF_JPEG, bitmap, path.c_str(), flags) != 0;
    FreeImage_Unload(bitmap);
    return ok;
}

bool Image::writePng(const std::string& path) const {
    FIBITMAP* bitmap = FreeImage_Allocate(w, h, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!bitmap) return false;
    for (int y = 0; y < h; ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap, y); // scan line 0 is the bottom row
        for (int x = 0; x < w; ++x) {
            const glm::vec3& c = at(x, y);
            line[x * 4 + FI_RGBA_RED] = toByte(c.r);
            line[x * 4 + FI_RGBA_GREEN] = toByte(c.g);
            line[x * 4 + FI_RGBA_BLUE] = toByte(c.b);
            line[x * 4 + FI_RGBA_ALPHA] = toByte(alpha(x, y));
        }
    }
    const bool ok = FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_Z_BEST_COMPRESSION) != 0;
    FreeImage_Unload(bitmap);
    return ok;
}

} // namespace contentgen
