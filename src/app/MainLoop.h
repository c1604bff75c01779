#pragma once

struct AppState;
struct GLFWwindow;
struct InputSnapshot;

// What happened in one step of the game.
struct StepEvents {
    bool goodieCollected = false;
    bool obstacleHit = false;
};

// The longest stretch of time the game advances in one go. A longer frame (a
// stalled machine) is split into equal sub-steps no longer than this, so the
// moon cannot pass through a stone or skip a refill point.
constexpr float maxStepTime = 0.25f;

// Advances the moon, the small moon, spinning stones and the cameras by
// state.frameTime.
void updateWorld();
// One running frame of the game without drawing: the world update, refill,
// contact tests, score, game over and steering, for state.frameTime seconds.
StepEvents stepGame(AppState& state, const InputSnapshot& input);
// The part of a frame that runs while the game is not over: clear, follow the
// framebuffer size, step the game, render and present.
StepEvents playFrame(AppState& state, const InputSnapshot& input);
// After game over: draws the frozen world once more at the window's current
// size, as the fatal frame showed it (its camera, wireframe, blending and
// normal mapping; HUD and "GAME OVER" included), and presents it. Nothing
// moves, no rule runs and nothing is printed.
void repaintFrozenFrame(AppState& state);
// Makes the window ask for a repaint whenever it is resized or uncovered.
void installRepaintCallbacks(GLFWwindow* window);
// One whole frame: timing, the game step, rendering, Escape, events, GL check.
void runFrame(AppState& state);
// Runs frames until the window is asked to close, then `finish`. The desktop
// loops here and returns after `finish` (Loop.cpp). The browser runs one
// frame per display refresh and the call leaves at once without returning
// (LoopWeb.cpp): nothing after it may count on the game having run.
void mainLoop(void (*finish)());
