# In the browser, GLFW is Emscripten's own (a JavaScript library inside the
# emscripten package, linked with -sUSE_GLFW=3: nothing is downloaded) and
# OpenGL is OpenGL ES 3.0 as WebGL 2 offers it. The targets the desktop build
# finds are made here under the same names, so that the layers link alike.
add_library(glfw INTERFACE)
target_link_options(glfw INTERFACE -sUSE_GLFW=3)
add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_options(OpenGL::GL INTERFACE -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2)
# Nothing to load: the functions are linked. The loader's header gives the
# OpenGL ES 3 one (packaging/web/include/GL/glew.h).
add_library(GLEW::GLEW INTERFACE IMPORTED)
target_include_directories(GLEW::GLEW INTERFACE ${PROJECT_SOURCE_DIR}/packaging/web/include)
