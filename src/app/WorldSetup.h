#pragma once

// Builds the world, the god camera, the game camera and last the renderer
// (needs a current OpenGL context).
void setUpWorld();
// Releases the world, then the renderer. The cameras stay until the process ends.
void tearDownWorld();
