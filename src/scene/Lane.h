#pragma once

#include "scene/MeshObject.h"

#include <string>

namespace scene {

// The ring track: the lane mesh laid flat, 50 times enlarged, one unit below
// the plane of the moon's centre.
class Lane : public MeshObject {
public:
    Lane(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
         MaterialP* material);

    void initialize() override;
    std::string describe() override;
};

} // namespace scene
