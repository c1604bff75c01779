#include "RenderFixture.h"

#include "camera/GameCamera.h"
#include "scene/World.h"
#include "scene/Moon.h"

#include <glm/gtc/matrix_transform.hpp>

namespace rendertest {

FixedCamera::FixedCamera(glm::vec3 eye, glm::vec3 target, int framebufferWidth, int framebufferHeight)
{
    position = eye;
    view = glm::lookAt(eye, target, glm::vec3(0.0f, 1.0f, 0.0f));
    updateProjection(framebufferWidth, framebufferHeight);
}

Image readFramebuffer(int width, int height)
{
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width * height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
    return image;
}

glm::ivec2 textureSize(GLuint texture)
{
    glm::ivec2 size(0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size.x);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size.y);
    glBindTexture(GL_TEXTURE_2D, 0);
    return size;
}

Image readTexture(GLuint texture)
{
    const glm::ivec2 size = textureSize(texture);
    Image image;
    image.width = size.x;
    image.height = size.y;
    image.pixels.resize(static_cast<size_t>(size.x * size.y));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return image;
}

bool resizeWindow(GLFWwindow* window, int width, int height)
{
    glfwSetWindowSize(window, width, height);
    for (int attempt = 0; attempt < 200; ++attempt) {
        glfwPollEvents();
        int w = 0;
        int h = 0;
        glfwGetFramebufferSize(window, &w, &h);
        if (w == width && h == height)
            return glfwSwapBuffers(window), true; // the hidden window's buffers take the new size
        glfwWaitEventsTimeout(0.01);
    }
    return false;
}

Image GameScene::frame()
{
    AppState& state = appState();
    glm::ivec2 size(0);
    glfwGetFramebufferSize(window(), &size.x, &size.y);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, size.x, size.y);
    if (state.gameCamera && state.world && state.world->moon)
        state.gameCamera->follow(size.x, size.y, glm::vec3(state.world->moon->getModelMatrix()[3]));
    state.renderer->renderFrame(state.window);
    Image image = readFramebuffer(size.x, size.y);
    // Present it, as the game does; the driver also picks up a new window size here.
    glfwSwapBuffers(state.window);
    return image;
}

} // namespace rendertest
