#include "gpu/Wireframe.h"

void setWireframe(bool on)
{
    glPolygonMode(GL_FRONT_AND_BACK, on ? GL_LINE : GL_FILL);
}

void drawTriangles(GLsizei vertexCount)
{
    glDrawArrays(GL_TRIANGLES, 0, vertexCount);
}
