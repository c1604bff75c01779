#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>

// A hidden window with a current OpenGL 4.1 core context, as the game opens
// it. Needs a display (the test script starts Xvfb when none is set).
class GlWindow {
public:
    explicit GlWindow(int width = 64, int height = 64);
    ~GlWindow();
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    GLFWwindow* window = nullptr;
};

// An RGBA8 pixel read back from the GPU.
struct Rgba {
    unsigned char r, g, b, a;
};

// Live OpenGL objects of every kind the game makes, found by probing the
// first few thousand names: a count that must not grow frame after frame.
int liveGlObjects();
