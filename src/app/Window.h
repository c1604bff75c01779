#pragma once

#include <string>

struct GLFWwindow;

// What to open: the game's window, or a hidden one for the headless driver
// and the GL tests.
struct WindowRequest {
    int width = 0;
    int height = 0;
    const char* title = "VANTOR";
    // Given to the window once its context is current (the game's window is
    // created as "Test" and renamed so).
    const char* titleWhenCurrent = nullptr;
    // A picture file the window wears as its icon once created (in the title
    // bar, the task bar and the task switcher); none when empty or unreadable.
    std::string icon;
    bool fullscreen = false; // on the primary monitor
    bool visible = true;
};

enum class WindowStatus { Ready, NoGlfw, NoWindow, NoGlew };

struct OpenedWindow {
    WindowStatus status = WindowStatus::NoGlfw;
    GLFWwindow* window = nullptr; // set from NoGlew on
    // With NoGlfw and NoWindow: GLFW's own description of what failed (from
    // its error callback), such as a display it cannot open or a context
    // version the driver does not offer.
    std::string glfwError;
};

// The one window start-up: GLFW, the context hints (OpenGL 4.1 core profile,
// or WebGL 2 in the browser: GlContext.h), the window, its context made
// current, its icon, the OpenGL functions (GLEW). Unless the
// status is NoGlfw, GLFW stays initialised and the caller terminates it.
OpenedWindow openWindow(const WindowRequest& request);
