#pragma once

#include "gpu/GlObject.h"

#include <string>

// One OpenGL texture made from image files: a mipmapped 2D texture from one
// file, or a cube map from six (faces +X, -X, +Y, -Y, +Z, -Z). A file that
// cannot be read leaves the texture (or that face) without image data, so it
// samples as black; nothing is reported.
class Texture {
public:
    GlTexture id;

    explicit Texture(const std::string& path);
    Texture(const std::string& positiveX, const std::string& negativeX,
            const std::string& positiveY, const std::string& negativeY,
            const std::string& positiveZ, const std::string& negativeZ);
};
