#include "scene/Lane.h"

#include <glm/gtc/matrix_transform.hpp>

namespace scene {

Lane::Lane(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
           MaterialP* material)
    : SceneObject(model, shader, texture, material), mesh(modelPath, shader, false)
{
}

void Lane::initialize()
{
    const glm::mat4 identity(1.0f);
    const glm::mat4 lowered = glm::translate(identity, glm::vec3(0.0f, -1.0f, 0.0f));
    const glm::mat4 laidFlat = glm::rotate(identity, 1.57f, glm::vec3(-1.0f, 0.0f, 0.0f));
    const glm::mat4 enlarged = glm::scale(identity, glm::vec3(50.0f));
    modelMatrix = lowered * laidFlat * enlarged;
}

void Lane::update(float) {}

void Lane::draw()
{
    mesh.draw();
}

std::string Lane::describe()
{
    return "I'm a lane";
}

glm::mat4 Lane::getModelMatrix()
{
    return modelMatrix;
}

} // namespace scene
