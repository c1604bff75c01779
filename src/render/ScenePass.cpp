#include "render/Renderer.h"

#include "camera/Camera.h"
#include "gpu/Shader.h"
#include "gpu/Texture.h"
#include "render/InstanceLists.h"
#include "render/LightMatrix.h"
#include "render/TextureUnits.h"
#include "scene/Material.h"
#include "scene/ObstacleLoader.h"
#include "scene/SkyBox.h"
#include "scene/Sun.h"
#include "scene/World.h"

#include <iostream>
#include <vector>

namespace {

const glm::vec3 lightColor(1.0f, 1.0f, 1.0f);

void setMaterial(const Shader& shader, const MaterialP& material)
{
    shader.setFloat("mat.specularIntensity", material.specularIntensity);
    shader.setFloat("mat.specularPower", material.specularPower);
    shader.setFloat("mat.transparency", material.transparency);
}

} // namespace

void Renderer::renderScene(World* world, Camera* camera)
{
    if (blending) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    // The sky, with the camera's rotation only; it leaves the depth buffer alone.
    glDepthMask(GL_FALSE);
    const scene::SkyBox& sky = *world->skyBox;
    glUseProgram(sky.shader->program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, sky.texture->id);
    sky.shader->setMat4("view_project", camera->projection * glm::mat4(glm::mat3(camera->view)));
    sky.shader->setInt("skyBox", 0);
    world->skyBox->draw();
    glDepthMask(GL_TRUE);

    const glm::mat4 viewProject = camera->projection * camera->view;
    const glm::vec3 sunPosition = world->sun->getPosition();
    const glm::mat4 lightMatrix = lightViewProjection(sunPosition);
    const glm::vec3 lightDirection = glm::normalize(sunPosition);
    const glm::vec3 cameraPosition = camera->getPosition();

    // The obstacles' and goodies' shared program set-up: sun light with
    // shadows, with the shadow map on the given unit and the colour on unit 0.
    auto useTemplateProgram = [&](const Shader& shader, int shadowUnit, const MaterialP& material) {
        glUseProgram(shader.program);
        shader.setMat4("light_view_project", lightMatrix);
        shader.setInt("shadowMap", shadowUnit);
        shader.setMat4("view_project", viewProject);
        shader.setVec3("sunLight.lightColor", lightColor);
        shader.setVec3("sunLight.lightPos", lightDirection);
        shader.setVec3("cameraPosition", cameraPosition);
        shader.setFloat("sunLight.ambientIntensity", material.ambientIntensity);
        shader.setInt("color_texture", 0);
    };

    const std::vector<ObstacleInstance> obstacles = joinedSections(world->obstacles(1), world->obstacles(2));
    if (!obstacles.empty()) {
        const scene::ObstacleLoader& stone = *world->obstacleTemplate;
        const Shader& shader = *stone.shader;
        bindTexture2D(0, stone.texture->id);
        bindTexture2D(1, normalMapTexture->id);
        bindTexture2D(2, depthMapTexture);
        useTemplateProgram(shader, 2, *stone.material);
        shader.setInt("normalMapping", normalMapping ? 1 : 0);
        shader.setInt("normalMap", 1);
        setMaterial(shader, *stone.material);
        drawInstances(shader, obstacles);
    }

    const std::vector<GoodieInstance> goodies = joinedSections(world->goodies(1), world->goodies(2));
    if (!goodies.empty()) {
        const scene::ObstacleLoader& cogwheel = *world->goodieTemplate;
        const Shader& shader = *cogwheel.shader;
        bindTexture2D(0, cogwheel.texture->id);
        bindTexture2D(1, depthMapTexture);
        useTemplateProgram(shader, 1, *cogwheel.material);
        setMaterial(shader, *cogwheel.material);
        drawInstances(shader, goodies);
    }

    const std::vector<scene::SceneObject*>& objects = world->sceneObjects();
    if (!objects.empty()) {
        bindTexture2D(1, depthMapTexture);
        const Texture* currentTexture = nullptr;
        const Shader* currentShader = nullptr;
        int currentUniformCount = 0;
        for (scene::SceneObject* object : objects) {
            if (object->texture != currentTexture) {
                currentTexture = object->texture;
                bindTexture2D(0, currentTexture->id);
            }
            if (object->shader != currentShader) {
                currentShader = object->shader;
                glUseProgram(currentShader->program);
                currentShader->setMat4("view_project", viewProject);
                currentShader->setMat4("light_view_project", lightMatrix);
                currentShader->setInt("shadowMap", 1);
                currentUniformCount = currentShader->activeUniformCount();
                switch (currentUniformCount) {
                case 2:
                    break;
                case 4:
                    currentShader->setFloat("transparency", object->material->transparency);
                    currentShader->setInt("color_texture", 0);
                    break;
                case 12:
                    currentShader->setVec3("sunLight.lightColor", lightColor);
                    currentShader->setVec3("sunLight.lightPos", lightDirection);
                    currentShader->setVec3("cameraPosition", cameraPosition);
                    currentShader->setFloat("sunLight.ambientIntensity", object->material->ambientIntensity);
                    currentShader->setInt("color_texture", 0);
                    break;
                default:
                    std::cerr << "This should not happen!" << std::endl;
                    break;
                }
            }
            currentShader->setMat4("model", object->getModelMatrix());
            if (currentUniformCount > 4)
                setMaterial(*currentShader, *object->material);
            object->draw();
        }
    }

    if (blending)
        glDisable(GL_BLEND);
}
