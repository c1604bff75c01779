#include "scene/World.h"

#include "gpu/Content.h"
#include "gpu/Shader.h"
#include "gpu/Texture.h"
#include "scene/Lane.h"
#include "scene/Material.h"
#include "scene/Moon.h"
#include "scene/Moonmoon.h"
#include "scene/ObstacleLoader.h"
#include "scene/Saturn.h"
#include "scene/SkyBox.h"
#include "scene/Sun.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <iostream>

namespace {

const glm::mat4 identity(1.0f);

std::string modelFile(const std::string& file)
{
    return contentPath("Models/" + file);
}

template <typename Instance>
std::vector<Instance>* sectionList(int section, std::vector<Instance>& first, std::vector<Instance>& second)
{
    if (section == 1)
        return &first;
    if (section == 2)
        return &second;
    return nullptr;
}

} // namespace

World::World() = default;
World::~World() = default;

void World::loadResources()
{
    uvShader = loadProgram("uv.vert", "uv.frag");
    basicShader = loadProgram("basic.vert", "basic.frag");
    directionalLightShader = loadProgram("directionalLight.vert", "directionalLight.frag");
    normalMapShader = loadProgram("normalMap.vert", "normalMap.frag");

    shinyMaterial = std::make_unique<ShinyMaterial>();
    dullMaterial = std::make_unique<DullMaterial>();
    transparentMaterial = std::make_unique<TransparentMat>();

    saturnTexture = loadImage("tex_saturn.jpg");
    moonTexture = loadImage("tex_moon.jpg");
    sunSurfaceTexture = loadImage("texture_sun.jpg");
    steelTexture = loadImage("steel.jpg");
    stoneTexture = loadImage("stone.jpg");
    ringTexture = loadImage("tex_ring.jpg");

    sceneObjectList.clear();
    obstacleList1.clear();
    obstacleList2.clear();
    goodieList1.clear();
    goodieList2.clear();

    skyboxShader = loadProgram("skybox.vert", "skybox.frag");
    const std::string space = contentPath("Images/space.jpg");
    spaceCubeMap = std::make_unique<Texture>(space, space, space, space, space, space);
}

void World::buildScene()
{
    skyBox = std::make_unique<scene::SkyBox>(identity, skyboxShader.get(), spaceCubeMap.get(), dullMaterial.get());
    sun = std::make_unique<scene::Sun>(identity, uvShader.get(), sunSurfaceTexture.get(), modelFile("sphere.dae"),
                                       dullMaterial.get());
    moon = std::make_unique<scene::Moon>(identity, directionalLightShader.get(), moonTexture.get(),
                                         modelFile("sphere.dae"), dullMaterial.get());
    moonmoon = std::make_unique<scene::Moonmoon>(identity, directionalLightShader.get(), moonTexture.get(),
                                                 modelFile("sphere.dae"), dullMaterial.get());
    saturn = std::make_unique<scene::Saturn>(identity, directionalLightShader.get(), saturnTexture.get(),
                                             modelFile("saturn.dae"), dullMaterial.get());
    lane = std::make_unique<scene::Lane>(identity, directionalLightShader.get(), ringTexture.get(),
                                         modelFile("lane.dae"), transparentMaterial.get());
    createObstacleTemplate();

    fillObstacles(1);
    fillGoodies(1);

    saturn->initialize();
    moon->initialize();
    moonmoon->initialize();
    sun->initialize();
    lane->initialize();
}

void World::createObstacleTemplate()
{
    obstacleTemplate = std::make_unique<scene::ObstacleLoader>(
        identity, normalMapShader.get(), stoneTexture.get(), modelFile("stone_lores.dae"), dullMaterial.get());
}

void World::createGoodieTemplate()
{
    goodieTemplate = std::make_unique<scene::ObstacleLoader>(
        identity, directionalLightShader.get(), steelTexture.get(), modelFile("cogwheel.dae"), shinyMaterial.get());
}

std::vector<scene::SceneObject*>& World::sceneObjects()
{
    sceneObjectList.clear();
    scene::SceneObject* const objects[] = {sun.get(), moon.get(), moonmoon.get(), saturn.get(), lane.get()};
    for (scene::SceneObject* object : objects)
        if (object != nullptr)
            sceneObjectList.push_back(object);
    return sceneObjectList;
}

std::vector<ObstacleInstance> World::obstacles(int section) const
{
    return section == 2 ? obstacleList2 : obstacleList1;
}

std::vector<GoodieInstance> World::goodies(int section) const
{
    return section == 2 ? goodieList2 : goodieList1;
}

void World::fillObstacles(int section)
{
    if (!obstacleTemplate)
        createObstacleTemplate();
    std::vector<ObstacleInstance>* list = sectionList(section, obstacleList1, obstacleList2);
    for (int i = 0; i < 10; ++i) {
        const ObstacleInstance placed = obstacleTemplate->placeObstacle(section);
        if (list != nullptr)
            list->push_back(placed);
    }
}

void World::fillGoodies(int section)
{
    if (!goodieTemplate)
        createGoodieTemplate();
    std::vector<GoodieInstance>* list = sectionList(section, goodieList1, goodieList2);
    for (int i = 0; i < 10; ++i) {
        const GoodieInstance placed = goodieTemplate->placeGoodie(section);
        if (list != nullptr)
            list->push_back(placed);
    }
}

void World::clearObstacles(int section)
{
    if (std::vector<ObstacleInstance>* list = sectionList(section, obstacleList1, obstacleList2))
        list->clear();
}

void World::clearGoodies(int section)
{
    if (std::vector<GoodieInstance>* list = sectionList(section, goodieList1, goodieList2))
        list->clear();
}

void World::spinObstacles(float deltaTime)
{
    auto spin = [deltaTime](std::vector<ObstacleInstance>& list, bool report) {
        for (ObstacleInstance& obstacle : list) {
            obstacle.spinAngle += deltaTime;
            if (report)
                std::cout << obstacle.spinAngle << std::endl;
            const glm::vec3 centre(obstacle.model[3]);
            obstacle.model = glm::translate(identity, centre) *
                             glm::rotate(identity, obstacle.spinAngle, glm::vec3(0.0f, 1.0f, 0.0f));
        }
    };
    spin(obstacleList1, true);
    spin(obstacleList2, false);
}

void World::removeGoodie(GoodieInstance goodie)
{
    for (std::vector<GoodieInstance>* list : {&goodieList1, &goodieList2})
        list->erase(std::remove(list->begin(), list->end(), goodie), list->end());
}
