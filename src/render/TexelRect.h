#pragma once

#include <glm/glm.hpp>

#include <algorithm>

// A rectangle of texels of a target (or pixels of the picture): columns
// min.x .. max.x - 1, rows min.y .. max.y - 1.
struct TexelRect {
    glm::ivec2 min{0};
    glm::ivec2 max{0};

    bool empty() const { return max.x <= min.x || max.y <= min.y; }
    long long area() const { return empty() ? 0 : static_cast<long long>(max.x - min.x) * (max.y - min.y); }
    // The smallest rectangle that holds both.
    void add(const TexelRect& other)
    {
        if (other.empty())
            return;
        if (empty()) {
            *this = other;
            return;
        }
        min = glm::min(min, other.min);
        max = glm::max(max, other.max);
    }
    // Wider by `by` on the left and right, taller by `by` below and above,
    // cut to `bounds`.
    TexelRect grown(glm::ivec2 by, const TexelRect& bounds) const
    {
        return {glm::max(min - by, bounds.min), glm::min(max + by, bounds.max)};
    }
};
