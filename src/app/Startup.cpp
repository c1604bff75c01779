#include "app/Startup.h"

#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/Input.h"
#include "app/Console.h"
#include "app/KeyCallback.h"
#include "app/MainLoop.h"
#include "app/Window.h"
#include "app/WorldSetup.h"
#include "gpu/Content.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <iostream>

namespace {

// `why`, when given, follows the message on a line of its own.
[[noreturn]] void failStartup(std::ostream& stream, const std::string& message, bool terminateGlfw,
                              const std::string& why = "")
{
    stream << message << std::endl;
    if (!why.empty())
        stream << why << std::endl;
    if (terminateGlfw)
        glfwTerminate();
    waitForKeyPress();
    std::exit(1);
}

// After the last frame: the world, its GL objects and the window go.
void endGame()
{
    tearDownWorld();
    glfwTerminate();
    appState().window = nullptr;
}

} // namespace

void setInitialGlState(int width, int height)
{
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
    glViewport(0, 0, width, height);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
}

int runGame(int argc, char** argv)
{
    AppState& state = appState();
    if (argc >= 3)
        std::cout << "you are executing '" << argv[0] << "'" << std::endl;

    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (!commandLine.ok)
        failStartup(std::cout, commandLine.error, false);
    state.windowWidth = commandLine.width;
    state.windowHeight = commandLine.height;

    WindowRequest request;
    request.width = state.windowWidth;
    request.height = state.windowHeight;
    request.title = "Test";
    request.titleWhenCurrent = "VANTOR";
    request.icon = contentPath("Icons/vantor.png");
    request.fullscreen = commandLine.fullscreen;
    const OpenedWindow opened = openWindow(request);
    state.window = opened.window;
    switch (opened.status) {
    case WindowStatus::NoGlfw:
        failStartup(std::cerr, "ERROR: Failed to initialize GLFW", false, opened.glfwError);
    case WindowStatus::NoWindow:
        failStartup(std::cerr, "ERROR: Failed to open GLFW window", true, opened.glfwError);
    case WindowStatus::NoGlew:
        failStartup(std::cerr, "ERROR: Failed to initialize GLEW", true);
    case WindowStatus::Ready:
        break;
    }

    setUpWorld();

    setInitialGlState(state.windowWidth, state.windowHeight);

    state.previousTime = glfwGetTime();
    glfwSetKeyCallback(state.window, keyCallback);
    keepKeyTaps(state.window);
    installRepaintCallbacks(state.window);

    mainLoop(endGame);
    return 0;
}
