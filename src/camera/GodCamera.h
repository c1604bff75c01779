#pragma once

#include "camera/Camera.h"

// What the god camera reads from the window in one update: the cursor, the
// framebuffer size and the four arrow keys.
struct GodCameraInput {
    double cursorX = 0.0;
    double cursorY = 0.0;
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    bool up = false;
    bool down = false;
    bool right = false;
    bool left = false;
};

// A free-flying camera: the mouse turns it (the cursor is put back to the
// window centre every update), the arrow keys fly it at 10 units per second.
class GodCamera : public Camera {
public:
    float yaw = 3.14f;
    float pitch = 0.0f;

    GodCamera();
    void update(GLFWwindow* window, float deltaTime, glm::vec3 target) override;
    glm::vec3 getPosition() override;

    // The part of update() that needs no window.
    void fly(const GodCameraInput& input, float deltaTime);
};
