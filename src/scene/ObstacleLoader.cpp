#include "scene/ObstacleLoader.h"

#include "scene/GameRandom.h"

#include <glm/gtc/matrix_transform.hpp>

#include <iostream>

namespace scene {

namespace {

const glm::mat4 identity(1.0f);
const glm::vec3 upAxis(0.0f, 1.0f, 0.0f);

// Distance of a random lane; 0 (with the message) for a lane that does not exist.
float randomLane(const char* invalidMessage)
{
    const int lane = gameRandom().next() % 3;
    if (lane >= 0 && lane < 3)
        return ObstacleLoader::laneDistances[lane];
    std::cout << invalidMessage << std::endl;
    return 0.0f;
}

// Random orbit angle inside the section: section 1 covers 3.142 to 6.2834,
// section 2 0 to 3.1414. Any other section draws nothing and gives 0.
float randomAngle(int section, const char* invalidMessage)
{
    if (section == 1)
        return static_cast<float>(static_cast<float>(gameRandom().next() % 31415) / 10000 + 3.142);
    if (section == 2)
        return static_cast<float>(gameRandom().next() % 31415) / 10000;
    std::cout << invalidMessage << std::endl;
    return 0.0f;
}

} // namespace

ObstacleLoader::ObstacleLoader(const glm::mat4& model, Shader* shader, Texture* texture,
                               const std::string& modelPath, MaterialP* material)
    : MeshObject(model, shader, texture, modelPath, material, true)
{
}

std::string ObstacleLoader::describe()
{
    return "I'm a Obstacle (or Goodie)";
}

ObstacleInstance ObstacleLoader::placeObstacle(int section)
{
    ObstacleInstance obstacle;
    obstacle.spinAngle = 0.0f;
    const float lane = randomLane("Invalid obstacle lane chosen!");
    const float angle = randomAngle(section, "Invalid obstacle location!");
    const glm::mat4 tilt =
        glm::rotate(identity, static_cast<float>(gameRandom().next()) * 360.0f, glm::vec3(0.0f, 0.0f, 1.0f));
    const glm::mat4 onLane = glm::translate(identity, glm::vec3(lane, -0.2f, 0.0f));
    const glm::mat4 alongRing = glm::rotate(identity, angle, upAxis);
    obstacle.model = alongRing * onLane * tilt;
    obstacle.vao = mesh.vao;
    obstacle.vertexCount = mesh.vertexCount;
    return obstacle;
}

GoodieInstance ObstacleLoader::placeGoodie(int section)
{
    GoodieInstance goodie;
    const float lane = randomLane("Invalid goodie lane chosen!");
    const float angle = randomAngle(section, "Invalid goodie location!");
    const glm::mat4 smaller = glm::scale(identity, glm::vec3(0.7f));
    const glm::mat4 floating = glm::translate(identity, glm::vec3(lane, 2.0f, 0.0f));
    const glm::mat4 alongRing = glm::rotate(identity, angle, upAxis);
    goodie.model = alongRing * floating * smaller;
    goodie.vao = mesh.vao;
    goodie.vertexCount = mesh.vertexCount;
    return goodie;
}

} // namespace scene
