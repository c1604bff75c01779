#pragma once

#include "app/Input.h"

class World;

// A simple player for the benchmark: looks at the stones and cogwheels ahead
// of the moon and holds D, A and Space as a person would, to stay alive (and
// take a cogwheel now and then) over whole laps. It reads the world and plays
// by the rules: the game itself does not know it is there.
InputSnapshot pilot(const World& world);
