#pragma once

#include "app/Input.h"
#include "app/MainLoop.h"

struct AppState;

// Plays the real game without a person: builds the world like start-up does,
// then advances it frame by frame with given frame times and held keys.
// Used by the tests (whole scripted games) and the benchmark.
//
// Without graphics the world is built with no OpenGL context at all (the
// objects have their meshes but no programs or vertex arrays), which is
// enough for the rules. With graphics a hidden window with the game's
// OpenGL 4.1 core context is opened and every frame can also be rendered.
class HeadlessGame {
public:
    enum class Graphics { None, HiddenWindow };

    explicit HeadlessGame(Graphics graphics, int width = 160, int height = 120);
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    // One frame of the given length with the given keys held: the world
    // update, the rules and the steering, and with `render` the whole frame
    // drawn and presented. Does nothing once the game is over.
    StepEvents advance(float frameTime, const InputSnapshot& input = {}, bool render = false);

    bool hasGraphics() const { return graphics == Graphics::HiddenWindow; }
    AppState& state();

private:
    Graphics graphics;
};
