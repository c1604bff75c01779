#pragma once

#include <memory>

struct GLFWwindow;
class Camera;
class GameCamera;
class GodCamera;
class World;
class Renderer;

// How the picture of the frame that ended the game was drawn. Repaints after
// game over draw with it, so that the keys, which still flip their flags,
// change nothing on screen.
struct FrozenView {
    Camera* camera = nullptr;
    bool wireframe = false;
    bool blending = true;
    bool normalMapping = true;
};

// The process-wide state of the game: the window, frame timing, score, the
// run-time toggles, the cameras and the two big owners (world and renderer).
// There is exactly one, reached through appState().
struct AppState {
    AppState();
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // Window and framebuffer.
    GLFWwindow* window = nullptr;
    int windowWidth = 0;
    int windowHeight = 0;

    // Main loop.
    float frameTime = 0.0f;
    double previousTime = 0.0;
    int score = 0;
    bool gameOver = false;
    bool paused = false;
    bool spinObstacles = false;
    bool printFrameTime = false;
    bool godMode = false;
    // After game over nothing is drawn, except once whenever the window asks
    // for a repaint (resized, uncovered).
    bool repaintRequested = false;
    FrozenView frozenView;

    // Cameras live until the process ends; activeCamera points at one of them.
    Camera* activeCamera = nullptr;
    std::unique_ptr<GameCamera> gameCamera;
    std::unique_ptr<GodCamera> godCamera;

    // Game rules: exactly one refill point is armed at any time.
    bool refillArmed1 = false;
    bool refillArmed2 = true;

    // Built by setUpWorld, released by tearDownWorld.
    std::unique_ptr<World> world;
    std::unique_ptr<Renderer> renderer;

    // Puts every field back to its start value (used between scripted games).
    void reset();
};

AppState& appState();
