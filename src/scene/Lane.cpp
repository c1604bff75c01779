#include "scene/Lane.h"

#include <glm/gtc/matrix_transform.hpp>

namespace scene {

Lane::Lane(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
           MaterialP* material)
    : MeshObject(model, shader, texture, modelPath, material, false)
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

std::string Lane::describe()
{
    return "I'm a lane";
}

} // namespace scene
