#pragma once

#include "render/TexelRect.h"
#include "scene/SceneObject.h"

#include <glm/glm.hpp>

#include <array>

// Whether any part of a sphere can be in the picture of a camera with the
// given view-projection: false only when the whole sphere lies outside one of
// the six planes of the view volume, by more than the planes' rounding. A
// matrix that gives no sensible planes says true: when in doubt, draw.
bool mayBeInView(const glm::mat4& viewProjection, const scene::BoundingSphere& sphere);

// How many times lensflare.frag reads the sun image for each ghost and along
// the halo's fringe in a picture `pictureHeight` pixels high: one read for
// every 200 pixels, at least three, at most sixteen. The blur hides the gaps
// between reads only while they stay a few pixels apart, so the count grows
// with the height. The renderer builds the program for the count.
int lensFlareReads(int pictureHeight);

// Where the sun's chain can light pixels of a picture of `pictureSize`: the
// sun's own rectangle, and a few rectangles that hold every pixel the lens
// flare can make non-zero (lensflare.frag: four ghosts and the halo). Outside
// them the sun image shows no sun and the flare is black. Each rectangle is
// cut to the picture; an empty list means no flare at all.
struct SunRegion {
    static constexpr int maxRects = 6;
    TexelRect sun;
    std::array<TexelRect, maxRects> flare{};
    int flareCount = 0;

    // The pixels of the picture that the flare's rectangles cover, each once.
    long long flareArea() const;
};

// The region for the sun's bounding sphere seen with `viewProjection`. It errs
// only on the large side; a matrix that gives no sensible outline gives the
// whole picture for everything.
SunRegion sunRegion(const glm::mat4& viewProjection, const scene::BoundingSphere& sun, glm::ivec2 pictureSize);
