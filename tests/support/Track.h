#pragma once

#include "scene/World.h"

// Helpers for tests that set up the track by hand.

// Every stone record sinks far below the track, out of the moon's reach, so
// that a long scripted game never ends on a stone.
inline void sinkStones(World& world)
{
    for (auto* list : {&world.obstacleList1, &world.obstacleList2})
        for (ObstacleInstance& o : *list)
            if (o.model[3].y > -50.0f)
                o.model[3].y -= 100.0f;
}

// No stones and no cogwheels in either section.
inline void emptyTrack(World& world)
{
    for (int section : {1, 2}) {
        world.clearObstacles(section);
        world.clearGoodies(section);
    }
}
