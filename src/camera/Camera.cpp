#include "camera/Camera.h"

#include <GLFW/glfw3.h>

#include <cmath>

void Camera::updateProjection(int framebufferWidth, int framebufferHeight)
{
    if (framebufferWidth <= 0 || framebufferHeight <= 0)
        return;
    const float aspect = static_cast<float>(framebufferWidth) / static_cast<float>(framebufferHeight);
    const float t = static_cast<float>(std::tan(22.5));
    const float nearPlane = 0.1f;
    const float farPlane = 200.0f;
    glm::mat4 p(0.0f);
    p[0][0] = 1.0f / (aspect * t);
    p[1][1] = 1.0f / t;
    p[2][2] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    p[2][3] = -1.0f;
    p[3][2] = -(2.0f * farPlane * nearPlane) / (farPlane - nearPlane);
    projection = p;
}

void Camera::framebufferSize(GLFWwindow* window, int& width, int& height)
{
    width = 0;
    height = 0;
    if (window != nullptr)
        glfwGetFramebufferSize(window, &width, &height);
}
