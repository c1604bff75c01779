#pragma once

struct AppState;

// The browser's bench (the page's address ends in ?bench): each step of the
// frame timed by its wall time, with the GPU's work before it and in it
// waited for (the desktop bench's synchronous column), since WebGL 2 offers
// no timer queries.
// Every 60 frames drawn, the text area gets one line of median milliseconds
// per step and for the whole frame. Nothing happens without ?bench.
void benchFrame(AppState& state, double frameMs);
