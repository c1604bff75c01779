#pragma once

#include "scene/ImportedMesh.h"
#include "scene/SceneObject.h"

#include <string>

namespace scene {

// A scene object whose geometry is the first mesh of a model file, imported
// against the object's own program; draw() draws that mesh.
class MeshObject : public SceneObject {
public:
    ImportedMesh mesh;

    MeshObject(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
               MaterialP* material, bool withTangents)
        : SceneObject(model, shader, texture, material), mesh(modelPath, shader, withTangents)
    {
    }

    void draw() override { mesh.draw(); }
    float boundingRadius() const override { return mesh.boundingRadius; }
};

} // namespace scene
