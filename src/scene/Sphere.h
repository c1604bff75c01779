#pragma once

#include "scene/MeshObject.h"

#include <string>

namespace scene {

// Base of the celestial bodies: a mesh ("position", "normal", "uv") whose
// current placement is `transform` (identity until the body's initialize
// runs). The concrete bodies decide how `transform` is computed.
class Sphere : public MeshObject {
public:
    glm::mat4 transform{1.0f};

    Sphere(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
           MaterialP* material)
        : MeshObject(model, shader, texture, modelPath, material, false)
    {
    }

    glm::mat4 getModelMatrix() override { return transform; }

    // The translation column of `transform`: where the body stands.
    glm::vec3 position() const { return glm::vec3(transform[3]); }
};

} // namespace scene
