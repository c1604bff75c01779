#include "render/SunVisibility.h"

#include <cmath>

bool mayBeInView(const glm::mat4& viewProjection, const scene::BoundingSphere& sphere)
{
    // A point is in view when -w <= x, y, z <= w in clip space: each plane is
    // the last row of the matrix plus or minus one of the first three.
    const glm::mat4 rows = glm::transpose(viewProjection);
    for (int axis = 0; axis < 3; ++axis) {
        for (float side : {1.0f, -1.0f}) {
            const glm::vec4 plane = rows[3] + side * rows[axis];
            const float length = glm::length(glm::vec3(plane));
            if (!(length > 0.0f) || !std::isfinite(length))
                return true;
            const float distance = (glm::dot(glm::vec3(plane), sphere.centre) + plane.w) / length;
            if (distance < -sphere.radius)
                return false;
        }
    }
    return true;
}
