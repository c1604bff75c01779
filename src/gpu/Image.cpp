#include "gpu/Image.h"

#include "gpu/StartupTimings.h"

#include <FreeImage.h>

#include <algorithm>

Image::Image(const std::string& path, int bitsPerPixel)
{
    const ScopedStartupTimer timer(StartupStage::ImageDecode);
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN)
        return;
    FIBITMAP* loaded = FreeImage_Load(format, path.c_str(), 0);
    if (loaded == nullptr)
        return;
    // Grey, palette, 16-bit or other images are turned into the bits per
    // pixel asked for, so that every user reads the layout it expects.
    if (FreeImage_GetImageType(loaded) != FIT_BITMAP || static_cast<int>(FreeImage_GetBPP(loaded)) != bitsPerPixel) {
        FIBITMAP* converted = bitsPerPixel == 32 ? FreeImage_ConvertTo32Bits(loaded) : FreeImage_ConvertTo24Bits(loaded);
        FreeImage_Unload(loaded);
        loaded = converted;
    }
    bitmap = loaded;
}

Image::~Image()
{
    if (bitmap != nullptr)
        FreeImage_Unload(bitmap);
}

int Image::width() const { return bitmap ? static_cast<int>(FreeImage_GetWidth(bitmap)) : 0; }
int Image::height() const { return bitmap ? static_cast<int>(FreeImage_GetHeight(bitmap)) : 0; }
const unsigned char* Image::bits() const { return bitmap ? FreeImage_GetBits(bitmap) : nullptr; }

void Image::resize(int w, int h)
{
    if (!valid() || (w == width() && h == height()))
        return;
    const ScopedStartupTimer timer(StartupStage::ImageDecode);
    FIBITMAP* scaled = FreeImage_Rescale(bitmap, w, h, FILTER_BILINEAR);
    FreeImage_Unload(bitmap);
    bitmap = scaled;
}

std::vector<unsigned char> Image::rgba(int w, int h) const
{
    if (!valid() || FreeImage_GetBPP(bitmap) != 32)
        return {};
    const ScopedStartupTimer timer(StartupStage::ImageDecode);
    const bool scale = w != width() || h != height();
    FIBITMAP* pixels = bitmap;
    if (scale) {
        FIBITMAP* weighted = FreeImage_Clone(bitmap);
        FreeImage_PreMultiplyWithAlpha(weighted);
        pixels = FreeImage_Rescale(weighted, w, h, FILTER_BILINEAR);
        FreeImage_Unload(weighted);
        if (pixels == nullptr)
            return {};
    }
    std::vector<unsigned char> out(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        const BYTE* line = FreeImage_GetScanLine(pixels, h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const BYTE* in = line + 4 * x;
            unsigned char* to = &out[(static_cast<size_t>(y) * w + x) * 4];
            const int alpha = in[FI_RGBA_ALPHA];
            const int channels[3] = {FI_RGBA_RED, FI_RGBA_GREEN, FI_RGBA_BLUE};
            for (int c = 0; c < 3; ++c) {
                const int value = in[channels[c]];
                to[c] = static_cast<unsigned char>(
                    !scale ? value : alpha == 0 ? 0 : std::min(255, (value * 255 + alpha / 2) / alpha));
            }
            to[3] = static_cast<unsigned char>(alpha);
        }
    }
    if (scale)
        FreeImage_Unload(pixels);
    return out;
}
