#pragma once

#include "scene/SceneObject.h"

#include "gpu/GlObject.h"

#include <array>

namespace scene {

// The space background: a cube of edge 2 around the viewer whose 12 triangles
// face inwards, textured with the cube map by its own program.
class SkyBox : public SceneObject {
public:
    // 36 corners (x, y, z), six per face: z = -1, x = -1, x = +1, z = +1,
    // y = +1, y = -1; counter-clockwise as seen from inside.
    static const std::array<float, 108> cubeVertices;

    GlVertexArray vao;
    GlBuffer vertexBuffer;

    // Without a program (no GL context) no GL object is made.
    SkyBox(const glm::mat4& model, Shader* shader, Texture* cubeMap, MaterialP* material);

    void draw() override;
    std::string describe() override;
};

} // namespace scene
