#pragma once

#include "scene/Sphere.h"

namespace scene {

// The player's body: rolls along the ring at a constant angular speed, can be
// steered across the lanes (radius) and jumps in a triangle over 0.3 radians
// of its orbit.
class Moon : public Sphere {
public:
    float orbitSpeed = 0.25f;      // radians of orbit per second
    float minRadius = 50.6f;
    float maxRadius = 61.3f;
    glm::vec3 spinAxis{1.0f, 0.0f, 0.0f};
    glm::vec3 orbitAxis{0.0f, 1.0f, 0.0f};
    float wrapThreshold = 6.3f;    // the orbit angle is reduced once above this
    float fullTurn = 6.28318f;     // ... by this much
    float radius = 55.95f;         // distance from Saturn's centre
    float spinAngle = 0.0f;
    float orbitAngle = 3.14f;
    bool jumping = false;
    float jumpHeight = 0.0f;
    float jumpStart = 0.0f;        // orbit angle where the current jump began
    float jumpEnd = 0.0f;          // ... and where it ends
    float jumpLength = 0.3f;
    float jumpPeak = 3.0f;

    Moon(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
         MaterialP* material);

    void initialize() override;
    void update(float deltaTime) override;
    std::string describe() override;

    // transform = R(orbitAngle) * T(radius, jumpHeight, 0) * R(spinAngle)
    void rebuildTransform();
    // Starts a jump here: it ends jumpLength further along the orbit.
    void startJump();
};

} // namespace scene
