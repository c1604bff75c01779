#pragma once

#include <string>

struct GLFWwindow;

// What the window's OpenGL context is on this platform, for openWindow: on
// the desktop OpenGL 4.1 core loaded through GLEW (GlContext.cpp), in the
// browser WebGL 2, linked directly (GlContextWeb.cpp).

// The window hints for the context, given before the window is made.
void hintContext(bool visible);
// Loads the OpenGL functions once the context is current; false if that failed.
bool loadGlFunctions();
// Why no window could be made, where GLFW does not say.
const char* noWindowReason();
// The picture file as the window's icon, where the platform has one.
void wearIcon(GLFWwindow* window, const std::string& file);
