#pragma once

#include <string>
#include <vector>

struct FIBITMAP;

// A picture decoded with FreeImage (the file's type found from the file
// itself), in FreeImage's layout: 24 bits per pixel (blue-green-red) or 32
// (blue-green-red-alpha), bottom row first, rows padded to 4 bytes. A file
// that cannot be read gives an invalid image; nothing is reported. Owns the
// bitmap.
class Image {
public:
    Image(const std::string& path, int bitsPerPixel);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    bool valid() const { return bitmap != nullptr && width() > 0 && height() > 0; }
    int width() const;
    int height() const;
    const unsigned char* bits() const;

    // Scales the image to the given size (cube faces must all match the first).
    void resize(int w, int h);
    // A 32-bit image as 8-bit red, green, blue and alpha, top row first,
    // without padding (what a window icon takes), scaled to w x h with each
    // colour weighted by its opacity, so that no transparent colour bleeds in.
    std::vector<unsigned char> rgba(int w, int h) const;

private:
    FIBITMAP* bitmap = nullptr;
};
