#include "scene/Saturn.h"

#include <glm/gtc/matrix_transform.hpp>

namespace scene {

Saturn::Saturn(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
               MaterialP* material)
    : Sphere(model, shader, texture, modelPath, material)
{
}

void Saturn::initialize()
{
    transform = glm::scale(transform, glm::vec3(35.0f));
    // A slight tilt about the cube diagonal.
    transform = glm::rotate(transform, 0.73f, glm::vec3(0.25f, 0.25f, 0.25f));
}

std::string Saturn::describe()
{
    return "I'm a saturn";
}

} // namespace scene
