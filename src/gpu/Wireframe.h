#pragma once

#include <GL/glew.h>

// The lit scene's wireframe view (F3): while it is on, drawTriangles draws
// the edges of the triangles it is given instead of filling them. The
// desktop turns OpenGL's polygon mode to lines; WebGL 2 has none, so the
// browser draws each triangle's three edges as lines (WireframeWeb.cpp).
void setWireframe(bool on);

// Draws the bound vertex array's first `vertexCount` vertices as triangles
// (three vertices each), or their edges while the wireframe is on.
void drawTriangles(GLsizei vertexCount);
