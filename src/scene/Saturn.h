#pragma once

#include "scene/Sphere.h"

namespace scene {

// The planet in the middle of the ring track; it never moves.
class Saturn : public Sphere {
public:
    Saturn(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
           MaterialP* material);

    void initialize() override;
    std::string describe() override;
};

} // namespace scene
