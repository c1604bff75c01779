#include "app/AppState.h"
#include "app/MainLoop.h"
#include "app/PageBench.h"

#include <GLFW/glfw3.h>
#include <emscripten.h>

// The browser draws a page only when the page's code has returned to it, so
// the game hands it one frame at a time: the browser calls it once per
// display refresh (requestAnimationFrame). Escape ends the game as on the
// desktop: the frames stop and the last one stays on the canvas.
namespace {

void (*finishGame)() = nullptr;

void browserFrame()
{
    AppState& state = appState();
    const double start = emscripten_get_now();
    runFrame(state);
    benchFrame(state, emscripten_get_now() - start);
    if (glfwWindowShouldClose(state.window)) {
        emscripten_cancel_main_loop();
        finishGame();
    }
}

} // namespace

void mainLoop(void (*finish)())
{
    finishGame = finish;
    emscripten_set_main_loop(browserFrame, 0, 1);
}
