#pragma once

#include <glm/glm.hpp>

// The sun's view-projection, shared by the shadow depth pass and the lit scene
// pass so that both see the world through the identical matrix: an
// orthographic box 160 wide, 120 high, 50 to 200 units in front of the sun,
// looking from the sun at the world origin with +Y up.
glm::mat4 lightViewProjection(const glm::vec3& sunPosition);
