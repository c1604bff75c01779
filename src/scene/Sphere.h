#pragma once

#include "scene/ImportedMesh.h"
#include "scene/SceneObject.h"

#include <string>

namespace scene {

// Base of the celestial bodies: a scene object whose mesh comes from a model
// file and whose current placement is `transform` (identity until the body's
// initialize runs). The concrete bodies decide how `transform` is computed.
class Sphere : public SceneObject {
public:
    glm::mat4 transform{1.0f};
    ImportedMesh mesh; // "position", "normal", "uv"

    Sphere(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
           MaterialP* material);

    // The translation column of `transform`: where the body stands.
    glm::vec3 position() const { return glm::vec3(transform[3]); }
};

} // namespace scene
