#pragma once

#include "render/TexelRect.h"
#include "scene/Instances.h"

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <vector>

class World;

// Keeps the shadow map from one shadow pass to the next and says what of it
// the next pass has to draw again. The sun does not move, so most of the map
// stays: while the stones, the cogwheels and every other caster that stands
// still are as they were, only the texels that a moving caster (the moon, its
// little moon) covered in the last pass or covers now can change. Any other
// change (new targets, another light, a refill, a collected cogwheel, spinning
// stones, a body that appears or goes) redraws the whole map. With depth
// testing a texel ends up with the nearest caster's depth whatever the order,
// so redrawing a region, all casters clipped to it, gives the same map as
// redrawing all of it.
class ShadowMapCache {
public:
    enum class Redraw { Nothing, Region, Whole };
    struct Plan {
        Redraw redraw = Redraw::Whole;
        TexelRect region; // with Redraw::Region
    };

    // What this frame's shadow pass must draw of a map of `mapSize` texels,
    // seen through `lightMatrix`, for the casters of `world`; `everything`
    // asks for the whole map. Remembers the casters as the map then holds them.
    Plan plan(World& world, const glm::mat4& lightMatrix, glm::ivec2 mapSize, bool everything);
    // The map's contents are lost (its storage was allocated anew).
    void forget() { valid = false; }
    // Whether the map holds what a plan last asked for (false after forget()).
    bool holdsMap() const { return valid; }

private:
    // A placed stone or cogwheel as the shadow pass draws it.
    struct Placed {
        GLuint vao = 0;
        GLuint vertexCount = 0;
        glm::mat4 model{1.0f};
        bool operator==(const Placed& other) const
        {
            return vao == other.vao && vertexCount == other.vertexCount && model == other.model;
        }
    };
    // One of the world's single objects (bodies, lane) as the shadow pass drew it.
    struct Body {
        const void* object = nullptr;
        glm::mat4 model{1.0f};
        float radius = 0.0f;
    };

    void remember(World& world);

    bool valid = false;
    glm::mat4 light{1.0f};
    glm::ivec2 size{0};
    std::vector<Placed> placed, lastPlaced;
    std::vector<Body> bodies, lastBodies;
};

// The texels of a map of `mapSize` that a sphere of `radius` about the origin
// of `model` can cover when drawn through the orthographic `lightMatrix`:
// every texel whose centre it may reach, clipped to the map.
TexelRect shadowFootprint(const glm::mat4& lightMatrix, glm::ivec2 mapSize, const glm::mat4& model, float radius);
