#pragma once

#include "scene/SceneObject.h"

#include <glm/glm.hpp>

// Whether any part of a sphere can be in the picture of a camera with the
// given view-projection: false only when the whole sphere lies outside one of
// the six planes of the view volume, by more than the planes' rounding. A
// matrix that gives no sensible planes says true: when in doubt, draw.
bool mayBeInView(const glm::mat4& viewProjection, const scene::BoundingSphere& sphere);
