#include "gpu/Wireframe.h"

#include "gpu/GlObject.h"

#include <vector>

// OpenGL draws a triangle in line mode as its three edges, and only when it
// faces the viewer (back faces are culled). The browser draws the same edges
// as a line list: vertices 3t, 3t+1 and 3t+2 of each triangle joined in
// pairs. The triangles that face away are hidden as OpenGL culls them: the
// mesh is first drawn into the depth buffer alone, pushed back a little,
// so that the lines on its far side fail the depth test while those on its
// near side pass. The depth buffer is cleared before each mesh, so that one
// mesh's surface hides none of another's lines, as none does in line mode.
// A mesh drawn without depth writes (the sky) has all its edges drawn.
namespace {

struct LineList {
    bool on = false;
    GlBuffer indices; // for all meshes: the pairs of the first `vertices` vertices
    GLsizei vertices = 0;
};

LineList& lineList()
{
    static LineList list;
    return list;
}

// The pairs for at least `vertexCount` vertices, bound to the bound vertex
// array.
void bindIndices(LineList& list, GLsizei vertexCount)
{
    if (list.indices == 0)
        list.indices = GlBuffer::create();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, list.indices);
    if (vertexCount <= list.vertices)
        return;
    std::vector<GLuint> pairs;
    pairs.reserve(static_cast<size_t>(vertexCount) * 2);
    for (GLuint first = 0; first + 2 < static_cast<GLuint>(vertexCount); first += 3)
        for (GLuint corner = 0; corner < 3; ++corner) {
            pairs.push_back(first + corner);
            pairs.push_back(first + (corner + 1) % 3);
        }
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(pairs.size() * sizeof(GLuint)), pairs.data(),
                 GL_STATIC_DRAW);
    list.vertices = vertexCount;
}

} // namespace

void setWireframe(bool on)
{
    lineList().on = on;
}

void drawTriangles(GLsizei vertexCount)
{
    LineList& list = lineList();
    if (!list.on) {
        glDrawArrays(GL_TRIANGLES, 0, vertexCount);
        return;
    }
    GLboolean writesDepth = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writesDepth);
    if (writesDepth) {
        glClear(GL_DEPTH_BUFFER_BIT);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1.0f, 1.0f);
        glDrawArrays(GL_TRIANGLES, 0, vertexCount);
        glDisable(GL_POLYGON_OFFSET_FILL);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
    bindIndices(list, vertexCount);
    glDrawElements(GL_LINES, vertexCount / 3 * 6, GL_UNSIGNED_INT, nullptr);
}
