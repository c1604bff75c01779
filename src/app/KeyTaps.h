#pragma once

struct GLFWwindow;

// Whether the key is down now, or went down and up again since the last
// time it was asked about (after keepKeyTaps).
bool heldOrTapped(GLFWwindow* window, int key);
