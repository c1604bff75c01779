#pragma once

// The whole game: command line, window, world, main loop, teardown. Returns
// the exit status (start-up failures end the process with status 1).
int runGame(int argc, char** argv);

// The OpenGL state every frame starts from: dark grey clear colour, the
// viewport, depth testing and back-face culling.
void setInitialGlState(int width, int height);
