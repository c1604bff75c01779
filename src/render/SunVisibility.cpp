#include "render/SunVisibility.h"

#include <cmath>

bool mayBeInView(const glm::mat4& viewProjection, const scene::BoundingSphere& sphere)
{
    // A point is in view when -w <= x, y, z <= w in clip space: each plane is
    // the last row of the matrix plus or minus one of the first three.
    // The planes come out of the matrix with rounding errors; at the far plane
    // of the game's cameras they reach a few thousandths of a unit, about a
    // quarter of a percent of the sun's radius. A sphere counts as outside only
    // when it is outside by more than a hundredth of its radius.
    const float reach = sphere.radius * 1.01f;
    const glm::mat4 rows = glm::transpose(viewProjection);
    for (int axis = 0; axis < 3; ++axis) {
        for (float side : {1.0f, -1.0f}) {
            const glm::vec4 plane = rows[3] + side * rows[axis];
            const float length = glm::length(glm::vec3(plane));
            if (!(length > 0.0f) || !std::isfinite(length))
                return true;
            const float distance = (glm::dot(glm::vec3(plane), sphere.centre) + plane.w) / length;
            if (distance < -reach)
                return false;
        }
    }
    return true;
}
