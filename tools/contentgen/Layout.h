// Numbers that tie the pictures to the models and both to the game: where the
// game puts the lane and Saturn, and how sphere textures are mapped.
#pragma once

#include <cmath>

#include <glm/glm.hpp>

namespace contentgen::layout {

constexpr float pi = 3.14159265358979f;
constexpr float twoPi = 6.28318530717959f;

// The game draws the lane mesh with T(0,-1,0) * R(1.57, -x) * S(50) and keeps
// the moon on lanes 52.4, 56.0 and 59.8 units from the vertical axis, so the
// lanes are these radii in the mesh's XY plane.
constexpr float laneRadius[3] = {1.048f, 1.12f, 1.196f};
constexpr float ringInner = 1.02f;
constexpr float ringOuter = 1.23f;
// Around the ring u runs from ringURepeats (angle 0) down to 0 (full turn),
// repeating the ring picture; across it v runs from 0 at the inner edge to 1
// at the outer edge, so the picture's rows are radii.
constexpr int ringURepeats = 16;
inline float ringV(float radius) { return (radius - ringInner) / (ringOuter - ringInner); }
inline float ringRadius(float v) { return ringInner + v * (ringOuter - ringInner); }

// The game turns Saturn by this angle about the (1,1,1) diagonal after
// scaling it by 35; the model carries the inverse turn so the planet stands
// upright in the world.
constexpr float saturnTurnAngle = 0.73f;
constexpr float saturnPolarRadius = 0.9f; // equatorial radius 1

// Sphere mapping shared by the planet textures and the UV spheres:
// u = longitude 0..1 (growing eastwards, so a texture is not mirrored seen
// from outside), v = latitude 0 (south pole, bottom row of the picture) .. 1
// (north pole, top row).
inline glm::vec3 sphereDirection(float u, float v) {
    const float longitude = twoPi * u;
    const float latitude = pi * (v - 0.5f);
    return {std::cos(longitude) * std::cos(latitude), std::sin(latitude),
            -std::sin(longitude) * std::cos(latitude)};
}

} // namespace contentgen::layout
