#pragma once

#include <glm/glm.hpp>

struct GLFWwindow;

// What the renderer draws with: a view and a projection matrix and the eye
// position. update() is called once per running frame.
class Camera {
public:
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    glm::vec3 position{0.0f};

    virtual ~Camera() = default;
    virtual void update(GLFWwindow* window, float deltaTime, glm::vec3 target) = 0;
    virtual glm::vec3 getPosition() = 0;

    // The projection both cameras use: near 0.1, far 200, tan(fovy / 2) =
    // tan(22.5) with 22.5 in radians. A framebuffer without area (a minimised
    // window) keeps the previous projection instead of dividing by zero.
    void updateProjection(int framebufferWidth, int framebufferHeight);

    // The framebuffer size of the window, or 0 x 0 without a window.
    static void framebufferSize(GLFWwindow* window, int& width, int& height);
};
