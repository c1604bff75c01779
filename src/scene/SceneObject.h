#pragma once

#include <glm/glm.hpp>

#include <limits>
#include <string>

class MaterialP;
class Shader;
class Texture;

namespace scene {

// A sphere that holds all of an object's geometry.
struct BoundingSphere {
    glm::vec3 centre{0.0f};
    float radius = 0.0f;
};

// The sphere of `radius` about the model's origin, placed by `model`: it
// grows with the model's largest scale, so it holds the placed geometry
// whatever the rotation.
inline BoundingSphere placedBounds(const glm::mat4& model, float radius)
{
    const float scale = glm::max(glm::length(glm::vec3(model[0])),
                                 glm::max(glm::length(glm::vec3(model[1])), glm::length(glm::vec3(model[2]))));
    return {glm::vec3(model[3]), radius * scale};
}

// Every drawable thing of the world. The object refers to its program,
// texture and material but never owns them (the world does). draw() binds
// only the object's own vertex array: the pass that calls it has already made
// the program current and set its uniforms and textures.
class SceneObject {
public:
    glm::mat4 modelMatrix{1.0f};
    MaterialP* material = nullptr;
    Shader* shader = nullptr;
    Texture* texture = nullptr;

    SceneObject(const glm::mat4& model, Shader* shader, Texture* texture, MaterialP* material)
        : modelMatrix(model), material(material), shader(shader), texture(texture)
    {
    }
    virtual ~SceneObject() = default;
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    // One-time placement, called once by the world's set-up; nothing to
    // compute unless the object moves away from `modelMatrix`.
    virtual void initialize() {}
    // Per-frame animation; most objects stand still.
    virtual void update(float /*deltaTime*/) {}
    virtual void draw() = 0;
    virtual std::string describe() = 0;
    // The matrix the passes put into "model".
    virtual glm::mat4 getModelMatrix() { return modelMatrix; }
    // How far the geometry reaches from the model's origin, before the model
    // matrix; without a mesh to measure, the object may reach anywhere.
    virtual float boundingRadius() const { return std::numeric_limits<float>::infinity(); }
    BoundingSphere bounds() { return placedBounds(getModelMatrix(), boundingRadius()); }
};

} // namespace scene
