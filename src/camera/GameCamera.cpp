#include "camera/GameCamera.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

GameCamera::GameCamera()
{
    position = glm::vec3(0.0f);
}

void GameCamera::update(GLFWwindow* window, float /*deltaTime*/, glm::vec3 target)
{
    int width = 0;
    int height = 0;
    framebufferSize(window, width, height);
    follow(width, height, target);
}

void GameCamera::follow(int framebufferWidth, int framebufferHeight, glm::vec3 target)
{
    updateProjection(framebufferWidth, framebufferHeight);

    const float r = std::sqrt(target.x * target.x + target.y * target.y + target.z * target.z);
    if (r <= 0.0f)
        return; // no direction to hang behind; keep the last view
    // acos folds the orbit angle into [0, pi]; the sign of z unfolds it.
    float a = std::acos(glm::clamp(target.x / r, -1.0f, 1.0f));
    const bool behindAxis = target.z < 0.0f;
    a = behindAxis ? a - 0.25f : a + 0.25f;
    const float distance = r + 5.5f;
    const float s = behindAxis ? -std::sin(a) : std::sin(a);
    const glm::vec3 eye(std::cos(a) * distance, target.y + 3.0f, s * distance);
    view = glm::lookAt(eye, target, glm::vec3(0.0f, 1.0f, 0.0f));
}

glm::vec3 GameCamera::getPosition()
{
    const glm::mat4 inverse = glm::inverse(view);
    return glm::vec3(inverse[3]);
}
