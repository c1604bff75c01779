#pragma once

// The whole game: command line, window, world, main loop, teardown. Returns
// the exit status (start-up failures end the process with status 1).
int runGame(int argc, char** argv);
