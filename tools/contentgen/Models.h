// One function per model file of Content/Models.
#pragma once

#include "Mesh.h"

namespace contentgen {

Mesh sphereModel();    // sphere.dae: unit UV sphere (sun, moon, moonmoon)
Mesh saturnModel();    // saturn.dae: flattened sphere, pre-turned against the game's placement
Mesh laneModel();      // lane.dae: the ring track, an annulus in the XY plane facing +z
Mesh stoneModel();     // stone_lores.dae: low-poly rock, about 1.6 across
Mesh cogwheelModel();  // cogwheel.dae: wheel in the XY plane, axis along z, about 2 across

} // namespace contentgen
