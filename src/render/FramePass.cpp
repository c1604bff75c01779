#include "render/Renderer.h"

#include "app/AppState.h"
#include "gpu/Shader.h"
#include "render/PassTimer.h"
#include "render/RenderTargets.h"
#include "render/TextureUnits.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <optional>

void Renderer::renderFrame(GLFWwindow* window)
{
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    if (window != nullptr)
        glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
    // A minimised window has nothing to draw into.
    if (framebufferWidth <= 0 || framebufferHeight <= 0)
        return;
    if (framebufferWidth != width || framebufferHeight != height)
        allocateTargets(framebufferWidth, framebufferHeight);

    AppState& state = appState();
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        renderScene(state.world.get(), state.activeCamera);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        return;
    }
    renderPostProcessedFrame();
}

void Renderer::renderPostProcessedFrame()
{
    AppState& state = appState();
    World* world = state.world.get();
    Camera* camera = state.activeCamera;

    // Shadow map, from the sun.
    std::optional<TimedPass> timed(std::in_place, passTimer, RenderPass::Shadow);
    glBindFramebuffer(GL_FRAMEBUFFER, depthMapFBO);
    glViewport(0, 0, shadowWidth, shadowHeight);
    glUseProgram(0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(4.0f, 0.0f);
    renderDepthMap(world);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    // The lit scene.
    timed.emplace(passTimer, RenderPass::Scene);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFBO);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, width, height);
    renderScene(world, camera);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    glDisable(GL_DEPTH_TEST);

    // Bright parts, at a quarter of the size.
    timed.emplace(passTimer, RenderPass::Separation);
    glBindFramebuffer(GL_FRAMEBUFFER, separationFBO);
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, attachments);
    glViewport(0, 0, separationSide(width), separationSide(height));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(separationShader->program);
    bindTexture2D(0, sceneColorTexture);
    separationShader->setInt("image", 0);
    drawQuad();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    timed.emplace(passTimer, RenderPass::BlurA);
    blurChain(separationTexture1);

    // Bloom: the last two blur passes combined.
    timed.emplace(passTimer, RenderPass::BloomComposite);
    glBindFramebuffer(GL_FRAMEBUFFER, bloomFBO);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, width, height);
    glUseProgram(quadShader->program);
    bindTexture2D(0, pingpongTexture[0]);
    quadShader->setInt("image", 0);
    bindTexture2D(1, pingpongTexture[1]);
    quadShader->setInt("bloom", 1);
    bindTexture2D(2, pingpongTexture[1]);
    quadShader->setInt("flare", 2);
    drawQuad();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    // The sun alone, with Saturn as a black silhouette in front of it.
    timed.emplace(passTimer, RenderPass::SunImage);
    glBindFramebuffer(GL_FRAMEBUFFER, sunFBO);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, width, height);
    renderSunImage(world, camera);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    // Lens flare from the sun image, then softened.
    timed.emplace(passTimer, RenderPass::LensFlare);
    glBindFramebuffer(GL_FRAMEBUFFER, lensflareFBO);
    glUseProgram(lensflareShader->program);
    bindTexture2D(0, sceneColorTexture);
    bindTexture2D(1, sunTexture);
    lensflareShader->setInt("image", 0);
    lensflareShader->setInt("sun_texture", 1);
    drawQuad();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    timed.emplace(passTimer, RenderPass::BlurB);
    blurChain(lensflareTexture);

    // Final composite into the window.
    timed.emplace(passTimer, RenderPass::FinalComposite);
    glUseProgram(quadShader->program);
    bindTexture2D(0, sceneColorTexture);
    bindTexture2D(1, bloomTexture);
    quadShader->setInt("scene", 0);
    quadShader->setInt("bloom", 1);
    bindTexture2D(2, pingpongTexture[0]);
    quadShader->setInt("useLensflare", 1);
    quadShader->setInt("flare", 2);
    drawQuad();

    timed.emplace(passTimer, RenderPass::Text);
    drawHud();
    timed.reset();

    glEnable(GL_DEPTH_TEST);
}

void Renderer::blurChain(GLuint input)
{
    glUseProgram(bloomShader->program);
    bool horizontal = true;
    bool firstIteration = true;
    GLuint nextFramebuffer = pingpongFBO[0];
    GLuint nextInput = input;
    for (int pass = 0; pass < 10; ++pass) {
        glBindFramebuffer(GL_FRAMEBUFFER, nextFramebuffer);
        glViewport(0, 0, width, height);
        bindTexture2D(0, firstIteration ? input : nextInput);
        firstIteration = false;
        bloomShader->setInt("horizontal", horizontal ? 1 : 0);
        bloomShader->setInt("image", 0);
        drawQuad();
        if (horizontal) {
            nextFramebuffer = pingpongFBO[1];
            nextInput = pingpongTexture[0];
        } else {
            nextFramebuffer = pingpongFBO[0];
            nextInput = pingpongTexture[1];
        }
        horizontal = !horizontal;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Renderer::drawHud()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    char score[64];
    std::snprintf(score, sizeof(score), "%d", points);
    renderText(score, static_cast<float>(width - 200), static_cast<float>(height - 60), 1.0f, glm::vec3(1.0f));
    if (gameOver)
        renderText("GAME OVER", 0.5f * static_cast<float>(width) - 280.0f, 0.5f * static_cast<float>(height) - 2.0f,
                   2.0f, glm::vec3(1.0f));
    glDisable(GL_BLEND);
}
