#include "camera/GodCamera.h"

#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

GodCamera::GodCamera()
{
    position = glm::vec3(50.0f, 2.0f, 10.0f);
}

void GodCamera::update(GLFWwindow* window, float deltaTime, glm::vec3 /*target*/)
{
    GodCameraInput input;
    if (window != nullptr) {
        glfwGetCursorPos(window, &input.cursorX, &input.cursorY);
        glfwGetFramebufferSize(window, &input.framebufferWidth, &input.framebufferHeight);
        glfwSetCursorPos(window, input.framebufferWidth / 2, input.framebufferHeight / 2);
        input.up = glfwGetKey(window, GLFW_KEY_UP) == GLFW_PRESS;
        input.down = glfwGetKey(window, GLFW_KEY_DOWN) == GLFW_PRESS;
        input.right = glfwGetKey(window, GLFW_KEY_RIGHT) == GLFW_PRESS;
        input.left = glfwGetKey(window, GLFW_KEY_LEFT) == GLFW_PRESS;
    }
    fly(input, deltaTime);
}

void GodCamera::fly(const GodCameraInput& input, float deltaTime)
{
    const int centreX = input.framebufferWidth / 2;
    const int centreY = input.framebufferHeight / 2;
    yaw += 0.005f * static_cast<float>(centreX - input.cursorX);
    pitch += 0.005f * static_cast<float>(centreY - input.cursorY);

    const glm::vec3 direction(std::cos(pitch) * std::sin(yaw), std::sin(pitch), std::cos(pitch) * std::cos(yaw));
    const glm::vec3 right(std::sin(yaw - 1.57f), 0.0f, std::cos(yaw - 1.57f));
    const glm::vec3 up = glm::cross(right, direction);

    const float step = deltaTime * 10.0f;
    if (input.up)
        position += direction * step;
    if (input.down)
        position -= direction * step;
    if (input.right)
        position += right * step;
    if (input.left)
        position -= right * step;

    updateProjection(input.framebufferWidth, input.framebufferHeight);
    view = glm::lookAt(position, position + direction, up);
}

glm::vec3 GodCamera::getPosition()
{
    return position;
}
