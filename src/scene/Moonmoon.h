#pragma once

#include "scene/Sphere.h"

namespace scene {

// The tiny moon that circles the player's moon.
class Moonmoon : public Sphere {
public:
    glm::vec3 orbitAxis{0.0f, 1.0f, 0.0f};
    float orbitSpeed = 10.0f;    // radians per second
    float orbitDistance = 1.5f;  // from the moon's centre
    float orbitAngle = 0.0f;

    Moonmoon(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
             MaterialP* material);

    void initialize() override;
    std::string describe() override;

    // Advances around `centre` (the moon's position) and places itself there.
    void orbitAround(const glm::vec3& centre, float deltaTime);
};

} // namespace scene
