#pragma once

struct AppState;
struct InputSnapshot;

// The rules applied once per running frame, after the world update.

// Refills the track section ahead of the moon when the moon passes the armed
// refill point.
void refillObstacles(AppState& state);
// True when the moon touches a stone.
bool hitObstacle(const AppState& state);
// True when the moon touches a cogwheel; that cogwheel is removed.
bool collectGoodie(AppState& state);
// D and A move the moon across the lanes, Space starts a jump.
void applySteering(AppState& state, const InputSnapshot& input);

// The steering factor and the distances the rules use.
namespace rules {
constexpr float refillDistance = 8.0f;
constexpr float obstacleContactDistance = 2.0f;
constexpr float goodieContactDistance = 1.5f;
constexpr int pointsPerGoodie = 10;
constexpr float steeringFactor = 20.0f;
} // namespace rules
