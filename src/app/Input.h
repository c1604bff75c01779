#pragma once

struct GLFWwindow;

// The keys the game rules read, polled once per frame. Tests fill it by hand.
struct InputSnapshot {
    bool keyD = false;      // steer outwards
    bool keyA = false;      // steer inwards
    bool keySpace = false;  // jump
    bool keyEscape = false; // close the window
};

// Polls the held keys of the window (all released without a window).
InputSnapshot pollInput(GLFWwindow* window);

// Makes a key that went down and up again between two polls count as held at
// the next poll (GLFW's sticky keys), so a quick tap on a slow frame is seen
// once instead of lost. Held keys read as before. Called after the window's
// key callback is set (the browser's version calls that one from its own).
void keepKeyTaps(GLFWwindow* window);
