#include "GlWindow.h"

#include "app/Window.h"

#include <gtest/gtest.h>

GlWindow::GlWindow(int width, int height)
{
    WindowRequest request;
    request.width = width;
    request.height = height;
    request.title = "test";
    request.visible = false;
    const OpenedWindow opened = openWindow(request);
    window = opened.window;
    if (opened.status != WindowStatus::Ready)
        ADD_FAILURE() << "could not open a hidden OpenGL 4.1 core window (GLFW, its window or GLEW): " << opened.glfwError;
}

GlWindow::~GlWindow()
{
    if (window != nullptr)
        glfwDestroyWindow(window);
    glfwTerminate();
}

int liveGlObjects()
{
    int count = 0;
    for (GLuint name = 1; name < 4096; ++name)
        count += glIsTexture(name) + glIsBuffer(name) + glIsVertexArray(name) + glIsProgram(name) +
                 glIsShader(name) + glIsFramebuffer(name) + glIsRenderbuffer(name);
    return count;
}
