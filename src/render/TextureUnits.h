#pragma once

#include <GL/glew.h>

// Makes texture unit `unit` active and binds `texture` there as its 2D texture.
inline void bindTexture2D(int unit, GLuint texture)
{
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glBindTexture(GL_TEXTURE_2D, texture);
}
