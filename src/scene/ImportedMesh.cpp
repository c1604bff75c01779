#include "scene/ImportedMesh.h"

#include "gpu/Shader.h"
#include "gpu/StartupTimings.h"
#include "gpu/Wireframe.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <glm/glm.hpp>

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace scene {

namespace {

[[noreturn]] void failToLoad(const std::string& path)
{
    std::cerr << "ERROR: Could not load model from file " << path << std::endl;
    std::exit(1);
}

// A face we can draw: a triangle whose corners all exist. Triangulation turns
// polygons into triangles, but lines and points of the file stay as they are.
bool isDrawableTriangle(const aiFace& face, unsigned int meshVertices)
{
    if (face.mNumIndices != 3)
        return false;
    for (unsigned int k = 0; k < 3; ++k)
        if (face.mIndices[k] >= meshVertices)
            return false;
    return true;
}

void put3(std::vector<float>& out, size_t at, const aiVector3D& v)
{
    out[at] = v.x;
    out[at + 1] = v.y;
    out[at + 2] = v.z;
}

} // namespace

ImportedMesh::ImportedMesh(const std::string& path, const Shader* shader, bool withTangents)
{
    const ScopedStartupTimer timer(StartupStage::ModelImport);
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, aiProcessPreset_TargetRealtime_Fast);
    // A file without any mesh comes back flagged incomplete, with a stand-in
    // mesh of one point made up from its node tree: that is no model either.
    if (scene == nullptr || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0 || scene->mNumMeshes == 0 ||
        scene->mMeshes == nullptr || scene->mMeshes[0] == nullptr)
        failToLoad(path);

    // Only the first mesh of the file is used.
    const aiMesh& mesh = *scene->mMeshes[0];
    for (unsigned int f = 0; f < mesh.mNumFaces; ++f)
        if (isDrawableTriangle(mesh.mFaces[f], mesh.mNumVertices))
            ++faceCount;
    vertexCount = 3 * faceCount;

    positions.assign(size_t(faceCount) * 9, 0.0f);
    normals.assign(size_t(faceCount) * 9, 0.0f);
    uvs.assign(size_t(faceCount) * 6, 0.0f);
    if (withTangents) {
        tangents.assign(size_t(faceCount) * 9, 0.0f);
        bitangents.assign(size_t(faceCount) * 9, 0.0f);
    }

    const bool hasPositions = mesh.HasPositions();
    const bool hasNormals = mesh.HasNormals();
    const bool hasUvs = mesh.HasTextureCoords(0);
    const bool hasTangents = withTangents && mesh.HasTangentsAndBitangents();

    size_t vertex = 0;
    for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (!isDrawableTriangle(face, mesh.mNumVertices))
            continue;
        for (unsigned int k = 0; k < 3; ++k, ++vertex) {
            const unsigned int i = face.mIndices[k];
            if (hasUvs) {
                uvs[vertex * 2] = mesh.mTextureCoords[0][i].x;
                uvs[vertex * 2 + 1] = mesh.mTextureCoords[0][i].y;
            }
            if (hasNormals)
                put3(normals, vertex * 3, mesh.mNormals[i]);
            if (hasPositions)
                put3(positions, vertex * 3, mesh.mVertices[i]);
            if (hasTangents) {
                put3(tangents, vertex * 3, mesh.mTangents[i]);
                put3(bitangents, vertex * 3, mesh.mBitangents[i]);
            }
        }
    }

    for (size_t p = 0; p + 2 < positions.size(); p += 3)
        boundingRadius = std::max(boundingRadius, glm::length(glm::vec3(positions[p], positions[p + 1], positions[p + 2])));

    if (shader == nullptr)
        return; // no GL context: the arrays are all there is

    // One buffer per attribute the mesh has, in the order positions, normals,
    // tangents, bitangents, uvs; then the vertex array over them.
    struct Attribute {
        bool present;
        const std::vector<float>& data;
        GLint floatsPerVertex;
        GlBuffer& buffer;
        const char* name;
    };
    const Attribute attributes[] = {
        {hasPositions, positions, 3, positionBuffer, "position"},
        {hasNormals, normals, 3, normalBuffer, "normal"},
        {hasTangents, tangents, 3, tangentBuffer, "tangent"},
        {hasTangents, bitangents, 3, bitangentBuffer, "bitangent"},
        {hasUvs, uvs, 2, uvBuffer, "uv"},
    };
    for (const Attribute& attribute : attributes) {
        if (!attribute.present)
            continue;
        attribute.buffer = GlBuffer::create();
        glBindBuffer(GL_ARRAY_BUFFER, attribute.buffer);
        glBufferData(GL_ARRAY_BUFFER,
                     GLsizeiptr(size_t(vertexCount) * size_t(attribute.floatsPerVertex) * sizeof(float)),
                     attribute.data.data(), GL_STATIC_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }

    vao = GlVertexArray::create();
    glBindVertexArray(vao);
    for (const Attribute& attribute : attributes) {
        if (!attribute.present)
            continue;
        glBindBuffer(GL_ARRAY_BUFFER, attribute.buffer);
        const GLint location = glGetAttribLocation(shader->program, attribute.name);
        if (location == -1)
            continue; // the program does not read it: the buffer stays unattached
        glEnableVertexAttribArray(GLuint(location));
        glVertexAttribPointer(GLuint(location), attribute.floatsPerVertex, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void ImportedMesh::draw() const
{
    if (vao == 0)
        return; // built without a GL context: nothing to draw
    glBindVertexArray(vao);
    drawTriangles(GLsizei(vertexCount));
    glBindVertexArray(0);
}

} // namespace scene
