#pragma once

#include "camera/Camera.h"

// Hangs 0.25 rad behind the moon along its orbit, 5.5 units further out and
// 3 units above it, and looks at it.
class GameCamera : public Camera {
public:
    GameCamera();
    void update(GLFWwindow* window, float deltaTime, glm::vec3 target) override;
    glm::vec3 getPosition() override;

    // The part of update() that needs no window.
    void follow(int framebufferWidth, int framebufferHeight, glm::vec3 target);
};
