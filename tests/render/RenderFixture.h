#pragma once

// The game as start-up builds it (world, cameras, renderer) in a hidden
// window, and read-back helpers for the render tests.
#include "GlWindow.h"

#include "app/AppState.h"
#include "app/HeadlessGame.h"
#include "render/Renderer.h"

#include <glm/glm.hpp>

#include <vector>

namespace rendertest {

// An RGBA8 image read back from the GPU, bottom row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// The framebuffer bound for reading, and a texture's level 0.
Image readFramebuffer(int width, int height);
Image readTexture(GLuint texture);
glm::ivec2 textureSize(GLuint texture);
// Resizes the window, waits until its framebuffer has the new size and presents once,
// so that its buffers take that size too.
bool resizeWindow(GLFWwindow* window, int width, int height);

class GameScene {
public:
    GameScene(int width, int height) : game(HeadlessGame::Graphics::HiddenWindow, width, height) {}
    Renderer& renderer() { return *appState().renderer; }
    GLFWwindow* window() { return appState().window; }
    // One frame as the main loop draws it (the game camera following the
    // moon), presented; returns the window's image.
    Image frame();

private:
    HeadlessGame game;
};

} // namespace rendertest
