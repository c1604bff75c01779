#pragma once

#include <glm/glm.hpp>

#include <string>

class MaterialP;
class Shader;
class Texture;

namespace scene {

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
};

} // namespace scene
