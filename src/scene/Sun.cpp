#include "scene/Sun.h"

#include <glm/gtc/matrix_transform.hpp>

namespace scene {

Sun::Sun(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
         MaterialP* material)
    : Sphere(model, shader, texture, modelPath, material)
{
}

void Sun::initialize()
{
    translation = glm::translate(glm::mat4(1.0f), glm::vec3(95.0f, 25.0f, 95.0f));
    transform = translation * glm::scale(glm::mat4(1.0f), glm::vec3(2.0f));
}

std::string Sun::describe()
{
    return "I'm the sun.";
}

glm::vec3 Sun::getPosition() const
{
    return glm::vec3(translation[3]);
}

} // namespace scene
