#pragma once

// A hidden game window with the whole world, the cameras and the renderer set
// up as the game does it, plus read-back helpers for the render tests.

#include "GlWindow.h"

#include "app/AppState.h"
#include "camera/Camera.h"
#include "render/Renderer.h"

#include <glm/glm.hpp>

#include <vector>

namespace rendertest {

// A camera that stays where a test puts it.
class FixedCamera : public Camera {
public:
    FixedCamera(glm::vec3 eye, glm::vec3 target, int framebufferWidth, int framebufferHeight);
    void update(GLFWwindow*, float, glm::vec3) override {}
    glm::vec3 getPosition() override { return position; }
};

// An RGBA8 image read back from the GPU, bottom row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// The window's framebuffer (bound for reading) and a texture's level 0.
Image readFramebuffer(int width, int height);
Image readTexture(GLuint texture);
glm::ivec2 textureSize(GLuint texture);
// Status of a framebuffer, checked while it is bound.
GLenum framebufferStatus(GLuint framebuffer);
// Resizes the window and waits until its framebuffer has the new size.
bool resizeWindow(GLFWwindow* window, int width, int height);

// Builds what setUpWorld builds (world, god and game camera, renderer) in a
// hidden window of the given size and the GL state that start-up sets; tears
// it all down again in the destructor. Without the world only the renderer
// is made.
class GameScene {
public:
    GameScene(int width, int height, bool withWorld = true);
    ~GameScene();
    GameScene(const GameScene&) = delete;
    GameScene& operator=(const GameScene&) = delete;

    Renderer& renderer() { return *appState().renderer; }
    GLFWwindow* window() { return gl.window; }
    glm::ivec2 framebufferSize() const;

    // One frame as the main loop draws it: clear, viewport, the game camera
    // follows the moon, renderFrame. Returns the window's image.
    Image frame();

private:
    GlWindow gl;
};

} // namespace rendertest
