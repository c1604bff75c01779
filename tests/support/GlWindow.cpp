#include "GlWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

GlWindow::GlWindow(int width, int height)
{
    // Under load the virtual display now and then refuses a connection: try again.
    bool initialised = false;
    for (int attempt = 0; attempt < 4 && !initialised; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        initialised = glfwInit() == GLFW_TRUE;
    }
    if (!initialised) {
        ADD_FAILURE() << "glfwInit failed (is DISPLAY set?)";
        return;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(width, height, "test", nullptr, nullptr);
    if (window == nullptr) {
        ADD_FAILURE() << "could not open a hidden OpenGL 4.1 core window";
        return;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        ADD_FAILURE() << "glewInit failed";
    glGetError(); // GLEW may leave an error behind
}

GlWindow::~GlWindow()
{
    if (window != nullptr)
        glfwDestroyWindow(window);
    glfwTerminate();
}

Rgba readPixel(int x, int y)
{
    Rgba pixel{0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
    return pixel;
}

int liveGlObjects()
{
    int count = 0;
    for (GLuint name = 1; name < 4096; ++name)
        count += glIsTexture(name) + glIsBuffer(name) + glIsVertexArray(name) + glIsProgram(name) +
                 glIsShader(name) + glIsFramebuffer(name) + glIsRenderbuffer(name);
    return count;
}
