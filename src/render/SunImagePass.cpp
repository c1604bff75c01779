#include "render/Renderer.h"

#include "camera/Camera.h"
#include "gpu/Shader.h"
#include "gpu/Texture.h"
#include "render/TextureUnits.h"
#include "scene/Material.h"
#include "scene/Saturn.h"
#include "scene/Sun.h"
#include "scene/World.h"

void Renderer::renderSunImage(World* world, Camera* camera)
{
    scene::Sun& sun = *world->sun;
    scene::Saturn& saturn = *world->saturn;
    const Shader& shader = *sun.shader;

    const glm::mat4 viewProject = camera->projection * camera->view;
    bindTexture2D(0, sun.texture->id);
    glUseProgram(shader.program);
    shader.setMat4("view_project", viewProject);
    shader.setInt("color_texture", 0);
    shader.setMat4("model", sun.getModelMatrix());
    shader.setFloat("transparency", sun.material->transparency);
    sun.draw();

    // Saturn in black, drawn after the sun without depth test: wherever it
    // overlaps the sun on screen it covers it, whichever is nearer.
    glBindTexture(GL_TEXTURE_2D, blackTexture->id);
    shader.setMat4("model", saturn.getModelMatrix());
    shader.setFloat("transparency", saturn.material->transparency);
    saturn.draw();
}
