#include "RenderFixture.h"

#include "camera/GameCamera.h"
#include "scene/World.h"
#include "scene/Moon.h"

namespace rendertest {

Image readFramebuffer(int width, int height)
{
    Image image{width, height, std::vector<Rgba>(static_cast<size_t>(width * height))};
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
    Image image{size.x, size.y, std::vector<Rgba>(static_cast<size_t>(size.x * size.y))};
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
        int w = 0, h = 0;
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
    state.gameCamera->follow(size.x, size.y, state.world->moon->position());
    state.renderer->renderFrame(state.window);
    Image image = readFramebuffer(size.x, size.y);
    glfwSwapBuffers(state.window); // as the game does; the driver also picks up a new window size here

    return image;
}

} // namespace rendertest
