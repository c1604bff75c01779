#include "gpu/PictureUpload.h"

#include "gpu/Image.h"

#include <GL/glew.h>

// Desktop OpenGL takes FreeImage's blue-green-red bytes as they are.
void uploadPicture(const Image& image)
{
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width(), image.height(), 0, GL_BGR, GL_UNSIGNED_BYTE,
                 image.bits());
}
