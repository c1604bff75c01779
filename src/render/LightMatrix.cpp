#include "render/LightMatrix.h"

#include <glm/gtc/matrix_transform.hpp>

glm::mat4 lightViewProjection(const glm::vec3& sunPosition)
{
    const glm::mat4 projection = glm::ortho(-80.0f, 80.0f, -60.0f, 60.0f, 50.0f, 200.0f);
    const glm::mat4 view = glm::lookAt(sunPosition, glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    return projection * view;
}
