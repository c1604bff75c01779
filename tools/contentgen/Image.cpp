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

// The picture in a FreeImage bitmap (scan line 0 is the bottom row), 24-bit,
// or 32-bit with its opacity.
FIBITMAP* bitmapOf(const Image& image, bool withAlpha) {
    const int bytes = withAlpha ? 4 : 3;
    FIBITMAP* bitmap = withAlpha ? FreeImage_Allocate(image.width(), image.height(), 32, FI_RGBA_RED_MASK,
                                                      FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK)
                                 : FreeImage_Allocate(image.width(), image.height(), 24);
    for (int y = 0; bitmap && y < image.height(); ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < image.width(); ++x) {
            const glm::vec3& c = image.at(x, y);
            line[x * bytes + FI_RGBA_RED] = toByte(c.r);
            line[x * bytes + FI_RGBA_GREEN] = toByte(c.g);
            line[x * bytes + FI_RGBA_BLUE] = toByte(c.b);
            if (withAlpha)
                line[x * bytes + FI_RGBA_ALPHA] = toByte(image.alpha(x, y));
        }
    }
    return bitmap;
}

bool save(FIBITMAP* bitmap, FREE_IMAGE_FORMAT format, const std::string& path, int flags) {
    if (!bitmap) return false;
    const bool ok = FreeImage_Save(format, bitmap, path.c_str(), flags) != 0;
    FreeImage_Unload(bitmap);
    return ok;
}

} // namespace

bool Image::writeJpeg(const std::string& path, int quality, bool fullChroma) const {
    const int flags = quality | JPEG_BASELINE | JPEG_OPTIMIZE | (fullChroma ? JPEG_SUBSAMPLING_444 : JPEG_SUBSAMPLING_420);
    return save(bitmapOf(*this, false), FIF_JPEG, path, flags);
}

bool Image::writePng(const std::string& path) const {
    return save(bitmapOf(*this, true), FIF_PNG, path, PNG_Z_BEST_COMPRESSION);
}

} // namespace contentgen
