#include "app/AppState.h"
#include "app/MainLoop.h"

#include <GLFW/glfw3.h>

void mainLoop(void (*finish)())
{
    AppState& state = appState();
    while (!glfwWindowShouldClose(state.window))
        runFrame(state);
    finish();
}
