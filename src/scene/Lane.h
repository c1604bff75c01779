#pragma once

#include "scene/ImportedMesh.h"
#include "scene/SceneObject.h"

#include <string>

namespace scene {

// The ring track: the lane mesh laid flat, 50 times enlarged, one unit below
// the plane of the moon's centre.
class Lane : public SceneObject {
public:
    ImportedMesh mesh; // "position", "normal", "uv"

    Lane(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
         MaterialP* material);

    void initialize() override;
    void update(float deltaTime) override;
    void draw() override;
    std::string describe() override;
    glm::mat4 getModelMatrix() override;
};

} // namespace scene
