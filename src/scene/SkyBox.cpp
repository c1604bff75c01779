#include "scene/SkyBox.h"

#include "gpu/Shader.h"
#include "gpu/Wireframe.h"

namespace scene {

// clang-format off
const std::array<float, 108> SkyBox::cubeVertices = {
    -1.0f,  1.0f, -1.0f,  -1.0f, -1.0f, -1.0f,   1.0f, -1.0f, -1.0f,
     1.0f, -1.0f, -1.0f,   1.0f,  1.0f, -1.0f,  -1.0f,  1.0f, -1.0f,

    -1.0f, -1.0f,  1.0f,  -1.0f, -1.0f, -1.0f,  -1.0f,  1.0f, -1.0f,
    -1.0f,  1.0f, -1.0f,  -1.0f,  1.0f,  1.0f,  -1.0f, -1.0f,  1.0f,

     1.0f, -1.0f, -1.0f,   1.0f, -1.0f,  1.0f,   1.0f,  1.0f,  1.0f,
     1.0f,  1.0f,  1.0f,   1.0f,  1.0f, -1.0f,   1.0f, -1.0f, -1.0f,

    -1.0f, -1.0f,  1.0f,  -1.0f,  1.0f,  1.0f,   1.0f,  1.0f,  1.0f,
     1.0f,  1.0f,  1.0f,   1.0f, -1.0f,  1.0f,  -1.0f, -1.0f,  1.0f,

    -1.0f,  1.0f, -1.0f,   1.0f,  1.0f, -1.0f,   1.0f,  1.0f,  1.0f,
     1.0f,  1.0f,  1.0f,  -1.0f,  1.0f,  1.0f,  -1.0f,  1.0f, -1.0f,

    -1.0f, -1.0f, -1.0f,  -1.0f, -1.0f,  1.0f,   1.0f, -1.0f, -1.0f,
     1.0f, -1.0f, -1.0f,  -1.0f, -1.0f,  1.0f,   1.0f, -1.0f,  1.0f,
};
// clang-format on

SkyBox::SkyBox(const glm::mat4& model, Shader* shader, Texture* cubeMap, MaterialP* material)
    : SceneObject(model, shader, cubeMap, material)
{
    if (shader == nullptr)
        return;
    vao = GlVertexArray::create();
    vertexBuffer = GlBuffer::create();
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(sizeof(float) * cubeVertices.size()), cubeVertices.data(),
                 GL_STATIC_DRAW);
    const GLint location = glGetAttribLocation(shader->program, "position");
    if (location != -1) {
        glEnableVertexAttribArray(GLuint(location));
        glVertexAttribPointer(GLuint(location), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindVertexArray(0);
}

void SkyBox::draw()
{
    if (vao == 0)
        return;
    glBindVertexArray(vao);
    drawTriangles(36);
    glBindVertexArray(0);
}

std::string SkyBox::describe()
{
    return "I'm a skybox!";
}

} // namespace scene
