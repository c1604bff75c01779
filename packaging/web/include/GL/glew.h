#pragma once

// The browser build's stand-in for GLEW: WebGL 2 is OpenGL ES 3.0, whose
// functions Emscripten links directly, so there is nothing to load and the
// game's GL header is the OpenGL ES 3 one. What desktop OpenGL has beyond it
// (polygon modes, BGR uploads, timer queries) is used only in the desktop's
// own files.
#include <GLES3/gl3.h>
