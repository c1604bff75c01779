#include "Pilot.h"

#include "scene/Moon.h"
#include "scene/ObstacleLoader.h"
#include "scene/World.h"

#include <glm/gtc/constants.hpp>

#include <cmath>

namespace {

constexpr float fullTurn = glm::two_pi<float>();
// How far ahead (radians of orbit) the pilot looks for stones when it picks a lane.
constexpr float lookAhead = 0.7f;
// A jump reaches its top half-way along its 0.3 radians: start it this far
// before a stone or a cogwheel to be at the top above it.
constexpr float jumpLead = 0.15f;
constexpr float jumpWindow = 0.03f;

struct Placed {
    float ahead;  // radians of orbit ahead of the moon (negative: just behind)
    float radius; // distance from Saturn's axis
};

Placed relativeTo(const scene::Moon& moon, const glm::mat4& model)
{
    const glm::vec3 at(model[3]);
    float ahead = std::atan2(-at.z, at.x) - moon.orbitAngle;
    ahead -= fullTurn * std::floor((ahead + 0.1f) / fullTurn); // -0.1 .. 2 pi - 0.1
    return {ahead, std::hypot(at.x, at.z)};
}

} // namespace

InputSnapshot pilot(const World& world)
{
    const scene::Moon& moon = *world.moon;
    // The nearest stone ahead on each lane.
    float clearAhead[3] = {lookAhead, lookAhead, lookAhead};
    bool stoneToJump = false;
    for (const auto* list : {&world.obstacleList1, &world.obstacleList2})
        for (const ObstacleInstance& stone : *list) {
            const Placed p = relativeTo(moon, stone.model);
            for (int lane = 0; lane < 3; ++lane)
                if (std::abs(p.radius - scene::ObstacleLoader::laneDistances[lane]) < 1.0f && p.ahead > -0.05f)
                    clearAhead[lane] = std::min(clearAhead[lane], p.ahead);
            const bool inTheWay = std::abs(p.radius - moon.radius) < 2.5f;
            stoneToJump = stoneToJump || (inTheWay && std::abs(p.ahead - jumpLead) < jumpWindow);
        }

    // The lane that stays clear longest; the nearest of those that tie.
    int best = 0;
    for (int lane = 1; lane < 3; ++lane) {
        const float gain = clearAhead[lane] - clearAhead[best];
        const bool nearer = std::abs(scene::ObstacleLoader::laneDistances[lane] - moon.radius) <
                            std::abs(scene::ObstacleLoader::laneDistances[best] - moon.radius);
        if (gain > 0.05f || (gain > -0.05f && nearer))
            best = lane;
    }
    const float target = scene::ObstacleLoader::laneDistances[best];

    bool cogwheelToTake = false;
    for (const auto* list : {&world.goodieList1, &world.goodieList2})
        for (const GoodieInstance& cogwheel : *list) {
            const Placed p = relativeTo(moon, cogwheel.model);
            cogwheelToTake = cogwheelToTake || (std::abs(p.radius - moon.radius) < 0.8f &&
                                                std::abs(p.ahead - jumpLead) < jumpWindow);
        }

    InputSnapshot keys;
    keys.keyD = moon.radius < target - 0.3f;
    keys.keyA = moon.radius > target + 0.3f;
    keys.keySpace = stoneToJump || cogwheelToTake;
    return keys;
}
