#include "render/RenderTargets.h"

#include <algorithm>
#include <iostream>

namespace {

// Level 0 of a 2D texture as 8-bit RGBA, linear filtering, clamped at the edges.
void allocateColorTexture(GLuint texture, int width, int height)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
}

void checkColorFramebuffer()
{
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        std::cout << "Error at creating FBO" << std::endl;
}

} // namespace

void createSceneFramebuffer(GLuint framebuffer, GLuint renderbuffer, GLuint texture, int width, int height)
{
    allocateColorTexture(texture, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffer);
    checkColorFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void createColorFramebuffer(GLuint framebuffer, GLuint texture, int width, int height)
{
    allocateColorTexture(texture, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    checkColorFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void createSeparationFramebuffer(GLuint framebuffer, GLuint texture0, GLuint texture1, int width, int height)
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    allocateColorTexture(texture0, width, height);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture0, 0);
    allocateColorTexture(texture1, width, height);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_TEXTURE_2D, texture1, 0);
    checkColorFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void createDepthMapFramebuffer(GLuint framebuffer, GLuint texture, int width, int height)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, width, height, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_GREATER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, texture, 0);
    const GLenum noColour = GL_NONE;
    glDrawBuffers(1, &noColour);
    glReadBuffer(GL_NONE);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        std::cout << "Error at creating Depth Map FBO" << std::endl << status << std::endl;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

int separationSide(int framebufferSide)
{
    return std::max(1, framebufferSide / 4);
}

glm::ivec2 shadowMapSize(int framebufferWidth, int framebufferHeight, glm::ivec2 maximum)
{
    return glm::ivec2(std::min(8 * framebufferWidth, maximum.x), std::min(8 * framebufferHeight, maximum.y));
}

glm::ivec2 shadowMapSize(int framebufferWidth, int framebufferHeight)
{
    GLint textureLimit = 0;
    GLint viewportLimit[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureLimit);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewportLimit);
    const glm::ivec2 maximum(std::min(textureLimit, viewportLimit[0]), std::min(textureLimit, viewportLimit[1]));
    return shadowMapSize(framebufferWidth, framebufferHeight, maximum);
}
