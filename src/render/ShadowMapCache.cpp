#include "render/ShadowMapCache.h"

#include "scene/SceneObject.h"
#include "scene/World.h"

#include <algorithm>
#include <cmath>

TexelRect shadowFootprint(const glm::mat4& lightMatrix, glm::ivec2 mapSize, const glm::mat4& model, float radius)
{
    const TexelRect wholeMap{glm::ivec2(0), mapSize};
    const scene::BoundingSphere sphere = scene::placedBounds(model, radius);
    const glm::vec4 centre = lightMatrix * glm::vec4(sphere.centre, 1.0f);
    // Orthographic only (w stays 1); anything else may reach anywhere.
    if (!(std::abs(centre.w - 1.0f) < 1e-5f) || !std::isfinite(sphere.radius))
        return wholeMap;

    // A sphere reaches along a clip axis as far as its radius times the
    // length of that row of the matrix; clip -1..1 spans the map.
    TexelRect rect;
    for (int axis = 0; axis < 2; ++axis) {
        const glm::vec3 row(lightMatrix[0][axis], lightMatrix[1][axis], lightMatrix[2][axis]);
        const float reach = sphere.radius * glm::length(row);
        const float texels = static_cast<float>(mapSize[axis]);
        const float low = (0.5f * (centre[axis] - reach) + 0.5f) * texels;
        const float high = (0.5f * (centre[axis] + reach) + 0.5f) * texels;
        // A texel is drawn when its centre (i + 0.5) lies inside: from
        // floor(low) to ceil(high), with half a texel to spare on each side.
        const float first = std::max(std::floor(low), 0.0f);
        const float last = std::min(std::ceil(high), texels);
        if (!(first < last))
            return {};
        rect.min[axis] = static_cast<int>(first);
        rect.max[axis] = static_cast<int>(last);
    }
    return rect;
}

void ShadowMapCache::remember(World& world)
{
    placed.clear();
    for (const auto* list : {&world.obstacleList1, &world.obstacleList2})
        for (const ObstacleInstance& stone : *list)
            placed.push_back({stone.vao, stone.vertexCount, stone.model});
    for (const auto* list : {&world.goodieList1, &world.goodieList2})
        for (const GoodieInstance& cogwheel : *list)
            placed.push_back({cogwheel.vao, cogwheel.vertexCount, cogwheel.model});
    bodies.clear();
    for (scene::SceneObject* object : world.sceneObjects())
        bodies.push_back({object, object->getModelMatrix(), object->boundingRadius()});
}

ShadowMapCache::Plan ShadowMapCache::plan(World& world, const glm::mat4& lightMatrix, glm::ivec2 mapSize,
                                          bool everything)
{
    std::swap(placed, lastPlaced);
    std::swap(bodies, lastBodies);
    remember(world);

    const bool sameSetting = valid && light == lightMatrix && size == mapSize;
    const bool sameBodies = bodies.size() == lastBodies.size() &&
                            std::equal(bodies.begin(), bodies.end(), lastBodies.begin(), [](const Body& a, const Body& b) {
                                return a.object == b.object && a.radius == b.radius;
                            });
    valid = true;
    light = lightMatrix;
    size = mapSize;
    if (everything || !sameSetting || !sameBodies || placed != lastPlaced)
        return {};

    // Only bodies moved: where each was and where it is now.
    Plan plan;
    for (size_t i = 0; i < bodies.size(); ++i) {
        if (bodies[i].model == lastBodies[i].model)
            continue;
        plan.region.add(shadowFootprint(light, size, lastBodies[i].model, lastBodies[i].radius));
        plan.region.add(shadowFootprint(light, size, bodies[i].model, bodies[i].radius));
    }
    plan.redraw = plan.region.empty() ? Redraw::Nothing : Redraw::Region;
    return plan;
}
