#pragma once

#include "scene/Instances.h"

#include <memory>
#include <vector>

class MaterialP;
class Shader;
class Texture;

namespace scene {
class SceneObject;
class Moon;
class Moonmoon;
class Sun;
class Saturn;
class Lane;
class ObstacleLoader;
class SkyBox;
} // namespace scene

// The single owner of the scene: the sky box, the four bodies, the lane, the
// two templates, the placed obstacles and goodies of the two track sections,
// and the programs, textures and materials they share.
class World {
public:
    // Members are destroyed from the bottom up, so they are declared in the
    // reverse of the world's teardown order: first the bodies, the lane and
    // the sky box (each deletes its vertex arrays and buffers), then the
    // lists, the programs, the textures, the materials, and last the ring
    // picture, the stone program and the two templates. No object's teardown
    // touches the program, texture or material it refers to.
    std::unique_ptr<scene::ObstacleLoader> obstacleTemplate;
    std::unique_ptr<scene::ObstacleLoader> goodieTemplate;
    std::unique_ptr<Shader> normalMapShader;
    std::unique_ptr<Texture> ringTexture;
    std::unique_ptr<MaterialP> transparentMaterial;
    std::unique_ptr<MaterialP> dullMaterial;
    std::unique_ptr<MaterialP> shinyMaterial;
    std::unique_ptr<Texture> spaceCubeMap;
    std::unique_ptr<Texture> stoneTexture;
    std::unique_ptr<Texture> steelTexture;
    std::unique_ptr<Texture> sunSurfaceTexture;
    std::unique_ptr<Texture> moonTexture;
    std::unique_ptr<Texture> saturnTexture;
    std::unique_ptr<Shader> skyboxShader;
    std::unique_ptr<Shader> directionalLightShader;
    std::unique_ptr<Shader> uvShader;
    std::unique_ptr<Shader> basicShader;

    std::vector<GoodieInstance> goodieList2;
    std::vector<GoodieInstance> goodieList1;
    std::vector<ObstacleInstance> obstacleList2;
    std::vector<ObstacleInstance> obstacleList1;
    std::vector<scene::SceneObject*> sceneObjectList;

    std::unique_ptr<scene::SkyBox> skyBox;
    std::unique_ptr<scene::Lane> lane;
    std::unique_ptr<scene::Saturn> saturn;
    std::unique_ptr<scene::Sun> sun;
    std::unique_ptr<scene::Moonmoon> moonmoon;
    std::unique_ptr<scene::Moon> moon;

    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Loads the shared programs, materials and textures (needs a current GL
    // context). Without it the scene can still be built for rule tests: the
    // objects then have no program and no vertex arrays.
    void loadResources();
    // Creates the sky box, the bodies, the lane, the templates, fills track
    // section 1 and places everything.
    void buildScene();

    // Sun, moon, moonmoon, Saturn, lane (those that exist), rebuilt per call.
    std::vector<scene::SceneObject*>& sceneObjects();
    // Copies of a section's list: 2 selects section 2, anything else section 1.
    std::vector<ObstacleInstance> obstacles(int section) const;
    std::vector<GoodieInstance> goodies(int section) const;

    void fillObstacles(int section);
    void fillGoodies(int section);
    void clearObstacles(int section);
    void clearGoodies(int section);
    // Spin mode: every obstacle turns in place about the vertical axis.
    void spinObstacles(float deltaTime);
    // A collected goodie: removes every record equal to it from both sections.
    // Takes its own copy: the caller's record usually lives in one of the
    // lists being edited, and would be overwritten while they shift.
    void removeGoodie(GoodieInstance goodie);

private:
    void createObstacleTemplate();
    void createGoodieTemplate();
};
