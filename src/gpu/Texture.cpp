#include "gpu/Texture.h"

#include "gpu/Image.h"
#include "gpu/PictureUpload.h"
#include "gpu/StartupTimings.h"

#include <array>
#include <memory>
#include <vector>

namespace {

// FreeImage pads rows to 4 bytes; make sure GL reads them that way even if
// some earlier code changed the unpack alignment.
class UnpackAlignment4 {
public:
    UnpackAlignment4() { glGetIntegerv(GL_UNPACK_ALIGNMENT, &previous); glPixelStorei(GL_UNPACK_ALIGNMENT, 4); }
    ~UnpackAlignment4() { glPixelStorei(GL_UNPACK_ALIGNMENT, previous); }
    UnpackAlignment4(const UnpackAlignment4&) = delete;
    UnpackAlignment4& operator=(const UnpackAlignment4&) = delete;

private:
    GLint previous = 4;
};

} // namespace

Texture::Texture(const std::string& path)
{
    id = GlTexture::create();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, id);

    const Image image(path, 24);
    if (image.valid()) {
        const ScopedStartupTimer timer(StartupStage::TextureUpload);
        const UnpackAlignment4 alignment;
        uploadPicture(image);
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

Texture::Texture(const std::string& positiveX, const std::string& negativeX,
                 const std::string& positiveY, const std::string& negativeY,
                 const std::string& positiveZ, const std::string& negativeZ)
{
    id = GlTexture::create();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, id);

    const std::array<const std::string*, 6> paths = {&positiveX, &negativeX, &positiveY,
                                                     &negativeY, &positiveZ, &negativeZ};
    // A file named for several faces (the sky box names one picture six
    // times) is decoded once; its faces share the pixels.
    std::vector<std::unique_ptr<Image>> decoded;
    std::array<Image*, 6> faces{};
    for (size_t i = 0; i < faces.size(); ++i) {
        for (size_t j = 0; j < i && faces[i] == nullptr; ++j)
            if (*paths[j] == *paths[i])
                faces[i] = faces[j];
        if (faces[i] == nullptr) {
            decoded.push_back(std::make_unique<Image>(*paths[i], 24));
            faces[i] = decoded.back().get();
        }
    }

    // Every face takes the size of the first image; a face of another size is
    // scaled to it, a face that failed to load gets storage but no pixels.
    const int width = faces[0]->width();
    const int height = faces[0]->height();
    if (width > 0 && height > 0) {
        const UnpackAlignment4 alignment;
        for (size_t i = 0; i < faces.size(); ++i) {
            faces[i]->resize(width, height);
            const unsigned char* pixels = faces[i]->valid() ? faces[i]->bits() : nullptr;
            const ScopedStartupTimer timer(StartupStage::TextureUpload);
            glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(i), 0, GL_RGB, width, height, 0,
                         GL_RGB, GL_UNSIGNED_BYTE, pixels);
        }
    }
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
}
