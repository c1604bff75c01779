// The game's icon for the desktop menu: Saturn seen from a little above its
// ring, the three lanes on the ring and the little moon rolling on the middle
// one. The picture and the scalable drawing share one geometry.
#pragma once

#include <string>

#include "Image.h"

namespace contentgen {

Image saturnIcon(int size);   // Icons/vantor.png: transparent background, the ring across the whole width
std::string saturnIconSvg();  // Icons/vantor.svg: the same scene in flat shapes and gradients

} // namespace contentgen
