#include "scene/Sphere.h"

namespace scene {

Sphere::Sphere(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
               MaterialP* material)
    : SceneObject(model, shader, texture, material), mesh(modelPath, shader, false)
{
}

} // namespace scene
