#pragma once

#include "gpu/GlObject.h"

#include <string>
#include <vector>

class Shader;

namespace scene {

// A model file's first mesh as a non-indexed triangle list: every face's three
// corners one after the other, shared corners duplicated, so it draws with one
// glDrawArrays call. One array buffer per attribute the mesh has, attached to
// the vertex array at the locations of the object's own program ("position",
// "normal", "uv" and, with tangents, "tangent", "bitangent").
//
// A model that cannot be read (or holds no mesh) ends the game with a message
// on standard error, like a missing shader. Without a program (no OpenGL
// context, as in the rule tests) the file is still read and the arrays filled,
// but no GL object is created and vao stays 0.
class ImportedMesh {
public:
    std::vector<float> positions;  // 9 floats per face
    std::vector<float> normals;    // 9 floats per face
    std::vector<float> tangents;   // 9 floats per face (only with tangents)
    std::vector<float> bitangents; // 9 floats per face (only with tangents)
    std::vector<float> uvs;        // 6 floats per face
    GLuint vertexCount = 0;        // 3 per face
    GLuint faceCount = 0;          // triangles imported
    float boundingRadius = 0.0f;   // farthest corner from the model's origin

    GlVertexArray vao;
    GlBuffer positionBuffer;
    GlBuffer normalBuffer;
    GlBuffer tangentBuffer;
    GlBuffer bitangentBuffer;
    GlBuffer uvBuffer;

    ImportedMesh(const std::string& path, const Shader* shader, bool withTangents);

    // Binds the vertex array and draws all triangles; sets no other state.
    void draw() const;
};

} // namespace scene
