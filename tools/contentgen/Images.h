// One function per picture of Content/Images. Each returns the finished image;
// main() writes them.
#pragma once

#include "Image.h"

namespace contentgen {

Image sunTexture();       // texture_sun.jpg: glowing granular surface, drawn unlit
Image moonTexture();      // tex_moon.jpg: cool blue-grey cratered rock, sphere-mapped
Image saturnTexture();    // tex_saturn.jpg: cream and butterscotch bands along v
Image ringTexture();      // tex_ring.jpg: rows are ring radii, three bright lanes
Image spaceTexture();     // space.jpg: star field whose four edges match (cube faces)
Image steelTexture();     // steel.jpg: brushed metal, tiles both ways
Image blackTexture();     // black.jpg

// stone.jpg and nmap_stone_flipY.jpg share one height field.
struct StoneTextures {
    Image albedo;
    Image normalMap;
};
StoneTextures stoneTextures();

} // namespace contentgen
