#pragma once

#include "scene/Sphere.h"

namespace scene {

// The light source: a bright sphere far off, standing still.
class Sun : public Sphere {
public:
    glm::mat4 translation{1.0f}; // the sun's place; its translation column is the light position

    Sun(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
        MaterialP* material);

    void initialize() override;
    std::string describe() override;

    glm::vec3 getPosition() const;
};

} // namespace scene
