#pragma once

struct AppState;
struct GLFWwindow;

// The GLFW key callback: toggles act when a key is released.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);

// What releasing a key does: P pause, R spin obstacles, F2 frame-time lines,
// F3 wireframe, F6 god camera, F7 normal mapping, F9 blending.
void handleKeyRelease(AppState& state, int key);
