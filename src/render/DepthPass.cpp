#include "render/Renderer.h"

#include "gpu/Shader.h"
#include "render/InstanceLists.h"
#include "render/LightMatrix.h"
#include "scene/SceneObject.h"
#include "scene/Sun.h"
#include "scene/World.h"

void Renderer::renderDepthMap(World* world)
{
    const Shader& shader = *depthShader;
    glUseProgram(shader.program);
    shader.setMat4("view_project", lightViewProjection(world->sun->getPosition()));

    // Both track sections cast shadows, section 1 first.
    drawInstances(shader, joinedSections(world->obstacles(1), world->obstacles(2)));
    drawInstances(shader, joinedSections(world->goodies(1), world->goodies(2)));

    // Only the objects' vertex arrays are used: draw() binds nothing else, so
    // the depth program stays in use.
    for (scene::SceneObject* object : world->sceneObjects()) {
        shader.setMat4("model", object->getModelMatrix());
        object->draw();
    }
}
