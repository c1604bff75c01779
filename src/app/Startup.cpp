#include "app/Startup.h"

#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/Input.h"
#include "app/Console.h"
#include "app/KeyCallback.h"
#include "app/MainLoop.h"
#include "app/WorldSetup.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <iostream>

namespace {

[[noreturn]] void failStartup(std::ostream& stream, const std::string& message, bool terminateGlfw)
{
    stream << message << std::endl;
    if (terminateGlfw)
        glfwTerminate();
    waitForKeyPress();
    std::exit(1);
}

} // namespace

void requestOpenGl41Core()
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
}

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

    if (!glfwInit())
        failStartup(std::cerr, "ERROR: Failed to initialize GLFW", false);

    requestOpenGl41Core();
    GLFWmonitor* monitor = commandLine.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    // GLFW only accepts positive sizes (it asserts on negative ones), so a
    // window of no size is refused here the way GLFW refuses a zero size.
    if (state.windowWidth > 0 && state.windowHeight > 0)
        state.window = glfwCreateWindow(state.windowWidth, state.windowHeight, "Test", monitor, nullptr);
    if (state.window == nullptr)
        failStartup(std::cerr, "ERROR: Failed to open GLFW window", true);

    glfwMakeContextCurrent(state.window);
    glfwSetWindowTitle(state.window, "VANTOR");

    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        failStartup(std::cerr, "ERROR: Failed to initialize GLEW", true);
    glGetError(); // GLEW's own lookup can leave an error behind

    setUpWorld();

    setInitialGlState(state.windowWidth, state.windowHeight);

    state.previousTime = glfwGetTime();
    glfwSetKeyCallback(state.window, keyCallback);
    keepKeyTaps(state.window);
    installRepaintCallbacks(state.window);

    mainLoop();

    tearDownWorld();
    glfwTerminate();
    state.window = nullptr;
    return 0;
}
