#include "scene/Moonmoon.h"

#include <glm/gtc/matrix_transform.hpp>

namespace scene {

namespace {
const glm::mat4 identity(1.0f);
const glm::vec3 smallScale(0.2f);
} // namespace

Moonmoon::Moonmoon(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
                   MaterialP* material)
    : Sphere(model, shader, texture, modelPath, material)
{
}

void Moonmoon::initialize()
{
    // Beside the moon's start; the first orbitAround replaces it.
    transform = glm::translate(identity, glm::vec3(55.95f, 0.0f, 0.0f)) *
                glm::translate(identity, glm::vec3(0.0f, 0.0f, 1.5f)) * glm::scale(identity, smallScale);
}

void Moonmoon::orbitAround(const glm::vec3& centre, float deltaTime)
{
    orbitAngle += orbitSpeed * deltaTime;
    if (orbitAngle > 360.0f)
        orbitAngle -= 360.0f;
    transform = glm::translate(identity, centre) * glm::rotate(identity, orbitAngle, orbitAxis) *
                glm::translate(identity, glm::vec3(0.0f, 0.0f, orbitDistance)) * glm::scale(identity, smallScale);
}

std::string Moonmoon::describe()
{
    return "Moonmoon!";
}

} // namespace scene
