#pragma once

#include "scene/Instances.h"
#include "scene/MeshObject.h"

#include <string>

namespace scene {

// Template of a kind of placed item (stones or cogwheels): the mesh with
// tangents, the program, texture and material that every placed copy is drawn
// with. The template itself is never drawn; placeObstacle / placeGoodie make
// the copies at pseudo-random places of a track section.
class ObstacleLoader : public MeshObject {
public:
    // Distances of lanes 0, 1, 2 from the ring's axis.
    static constexpr float laneDistances[3] = {52.4f, 56.0f, 59.8f};

    ObstacleLoader(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
                   MaterialP* material);

    // The template is never drawn itself: the passes draw its placed copies.
    void draw() override {}
    std::string describe() override;

    // A stone on a random lane at a random angle of the section (1 or 2),
    // tilted at random about its own z axis.
    ObstacleInstance placeObstacle(int section);
    // A cogwheel floating 2 units above a random lane of the section.
    GoodieInstance placeGoodie(int section);
};

} // namespace scene
