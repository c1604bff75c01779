#include "app/HeadlessGame.h"

#include "app/AppState.h"
#include "app/Startup.h"
#include "app/WorldSetup.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"
#include "scene/GameRandom.h"
#include "scene/World.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <stdexcept>
#include <thread>

HeadlessGame::HeadlessGame(Graphics graphics, int width, int height) : graphics(graphics)
{
    AppState& s = appState();
    s.reset();
    scene::gameRandom().reset(); // every game places the same stones
    s.windowWidth = width;
    s.windowHeight = height;

    if (graphics == Graphics::None) {
        s.world = std::make_unique<World>();
        s.world->buildScene();
        s.godCamera = std::make_unique<GodCamera>();
        s.gameCamera = std::make_unique<GameCamera>();
        s.activeCamera = s.gameCamera.get();
        return;
    }

    // A busy virtual display now and then refuses a connection: try again.
    bool initialised = false;
    for (int attempt = 0; attempt < 4 && !initialised; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        initialised = glfwInit() == GLFW_TRUE;
    }
    if (!initialised)
        throw std::runtime_error("glfwInit failed (no display?)");
    requestOpenGl41Core();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    s.window = glfwCreateWindow(width, height, "VANTOR", nullptr, nullptr);
    if (s.window == nullptr) {
        glfwTerminate();
        throw std::runtime_error("could not open a hidden OpenGL 4.1 core window");
    }
    glfwMakeContextCurrent(s.window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        throw std::runtime_error("glewInit failed");
    glGetError();
    setUpWorld();
    setInitialGlState(width, height);
}

HeadlessGame::~HeadlessGame()
{
    AppState& s = appState();
    if (graphics == Graphics::HiddenWindow) {
        tearDownWorld();
        glfwDestroyWindow(s.window);
        glfwTerminate();
    }
    s.reset();
}

StepEvents HeadlessGame::advance(float frameTime, const InputSnapshot& input, bool render)
{
    AppState& s = appState();
    if (s.gameOver)
        return {};
    s.frameTime = frameTime;
    if (render && hasGraphics())
        return playFrame(s, input);
    return stepGame(s, input);
}

AppState& HeadlessGame::state()
{
    return appState();
}
