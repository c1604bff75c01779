#include "app/GameRules.h"

#include "app/AppState.h"
#include "app/Input.h"
#include "scene/Moon.h"
#include "scene/World.h"

#include <glm/glm.hpp>

#include <algorithm>

namespace {

const glm::vec3 refillPoint1(49.44f, 0.0f, -26.2f);
const glm::vec3 refillPoint2(-35.74f, 0.0f, 43.05f);

glm::vec3 moonPosition(const World& world)
{
    return world.moon->position();
}

template <typename Instance>
bool within(const Instance& instance, const glm::vec3& point, float distance)
{
    return glm::distance(point, glm::vec3(instance.model[3])) < distance;
}

void refillSection(World& world, int section)
{
    world.clearGoodies(section);
    world.fillGoodies(section);
    world.clearObstacles(section);
    world.fillObstacles(section);
}

} // namespace

void refillObstacles(AppState& state)
{
    World& world = *state.world;
    const glm::vec3 p = moonPosition(world);
    if (state.refillArmed1 && glm::distance(p, refillPoint1) < rules::refillDistance) {
        state.refillArmed1 = false;
        state.refillArmed2 = true;
        refillSection(world, 1);
    }
    if (state.refillArmed2 && glm::distance(p, refillPoint2) < rules::refillDistance) {
        state.refillArmed1 = true;
        state.refillArmed2 = false;
        refillSection(world, 2);
    }
}

bool hitObstacle(const AppState& state)
{
    const World& world = *state.world;
    const glm::vec3 p = moonPosition(world);
    for (const auto* list : {&world.obstacleList1, &world.obstacleList2})
        for (const ObstacleInstance& obstacle : *list)
            if (within(obstacle, p, rules::obstacleContactDistance))
                return true;
    return false;
}

bool collectGoodie(AppState& state)
{
    World& world = *state.world;
    const glm::vec3 p = moonPosition(world);
    for (const auto* list : {&world.goodieList1, &world.goodieList2}) {
        const auto found = std::find_if(list->begin(), list->end(),
                                        [&](const GoodieInstance& goodie) { return within(goodie, p, rules::goodieContactDistance); });
        if (found != list->end()) {
            world.removeGoodie(*found);
            return true;
        }
    }
    return false;
}

void applySteering(AppState& state, const InputSnapshot& input)
{
    scene::Moon& moon = *state.world->moon;
    const float sideways = moon.orbitSpeed * state.frameTime * rules::steeringFactor;
    auto finishMove = [&moon]() {
        if (moon.orbitAngle > moon.wrapThreshold)
            moon.orbitAngle -= moon.fullTurn;
        moon.rebuildTransform();
    };
    if (input.keyD) {
        moon.radius = moon.radius + sideways;
        if (!(moon.radius < moon.maxRadius))
            moon.radius = moon.maxRadius;
        finishMove();
    }
    if (input.keyA) {
        moon.radius = moon.radius - sideways;
        if (!(moon.radius > moon.minRadius))
            moon.radius = moon.minRadius;
        finishMove();
    }
    if (input.keySpace && !moon.jumping)
        moon.startJump();
}
