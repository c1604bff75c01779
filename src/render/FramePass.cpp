#include "render/Renderer.h"

#include "camera/Camera.h"
#include "gpu/Wireframe.h"
#include "render/LightMatrix.h"
#include "render/RenderTargets.h"
#include "render/SunVisibility.h"
#include "render/TextureUnits.h"
#include "scene/Sun.h"
#include "scene/World.h"

#include <cstdio>

namespace {

// How far one blur pass spreads a pixel along its direction: bloom.frag's far tap.
constexpr int blurReach = 6;

void scissorTo(const TexelRect& rect)
{
    glScissor(rect.min.x, rect.min.y, rect.max.x - rect.min.x, rect.max.y - rect.min.y);
}

// Calls draw() once over the whole target when the cover names no
// rectangles, else once under a scissor over each of them, grown by the
// cover's `grow` and cut to a target of `size`, that is not empty.
template <typename Cover, typename Draw> void underCover(const Cover& cover, glm::ivec2 size, Draw draw)
{
    if (cover.rects == nullptr) {
        draw();
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    for (int i = 0; i < cover.count; ++i) {
        const TexelRect rect = cover.rects[i].grown(cover.grow, {glm::ivec2(0), size});
        if (!rect.empty()) {
            scissorTo(rect);
            draw();
        }
    }
    glDisable(GL_SCISSOR_TEST);
}

} // namespace

void Renderer::drawFrame(World* world, Camera* camera, const Hud& hud, glm::ivec2 framebufferSize)
{
    lastFrame = {ShadowMapCache::Redraw::Nothing, false, 0.0};
    // A minimised window has nothing to draw into.
    if (framebufferSize.x <= 0 || framebufferSize.y <= 0)
        return;
    if (framebufferSize != frameSize())
        allocateTargets(framebufferSize.x, framebufferSize.y);

    if (wireframe) {
        // The lines are lit with the shadow map as the last filled frame left
        // it; only a map allocated anew, which holds nothing yet, is drawn first.
        if (!shadowCache.holdsMap()) {
            shadowPass(world);
            glViewport(0, 0, width, height);
        }
        setWireframe(true);
        renderScene(world, camera);
        setWireframe(false);
        return;
    }
    renderPostProcessedFrame(world, camera, hud);
}

void Renderer::renderPostProcessedFrame(World* world, Camera* camera, const Hud& hud)
{
    shadowPass(world);
    litScenePass(world, camera);
    glDisable(GL_DEPTH_TEST); // only the lit scene has a depth buffer
    separationPass();
    blurChain(RenderPass::BlurA, separationTexture1);
    bloomCompositePass();
    lastFrame.sunChain = sunMayShow(world, camera);
    if (lastFrame.sunChain)
        sunChain(world, camera);
    else
        noFlarePass();
    finalCompositePass();
    hudPass(hud);
    glEnable(GL_DEPTH_TEST);
}

void Renderer::beginPass(GLuint framebuffer, glm::ivec2 viewport, Clear clear)
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, viewport.x, viewport.y);
    if (clear == Clear::Yes)
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Renderer::fullScreenPass(GLuint framebuffer, glm::ivec2 viewport, Clear clear, const Shader& program,
                              std::initializer_list<PassInput> inputs, std::initializer_list<PassSetting> settings,
                              const Cover& cover)
{
    beginPass(framebuffer, viewport, clear);
    glUseProgram(program.program);
    int unit = 0;
    for (const PassInput& input : inputs) {
        bindTexture2D(unit, input.texture);
        program.setInt(input.sampler, unit);
        ++unit;
    }
    for (const PassSetting& setting : settings)
        program.setInt(setting.name, setting.value);
    glBindVertexArray(quadVAO);
    underCover(cover, viewport, [] { glDrawArrays(GL_TRIANGLES, 0, 6); });
    glBindVertexArray(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Renderer::clearToBlack(GLuint framebuffer, const Cover& cover)
{
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    underCover(cover, frameSize(), [&black] { glClearBufferfv(GL_COLOR, 0, black); });
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

bool Renderer::sunMayShow(World* world, Camera* camera) const
{
    return drawEveryPass || mayBeInView(camera->projection * camera->view, world->sun->bounds());
}

// The shadow map, from the sun; the polygon offset keeps lit surfaces from
// shadowing themselves. The map is kept from frame to frame: only what the
// cache says has changed is cleared and drawn again.
void Renderer::shadowPass(World* world)
{
    const TimedPass timed(passTimer, RenderPass::Shadow);
    const ShadowMapCache::Plan plan = shadowCache.plan(*world, lightViewProjection(world->sun->getPosition()),
                                                       {shadowWidth, shadowHeight}, drawEveryPass);
    lastFrame.shadow = plan.redraw;
    if (plan.redraw == ShadowMapCache::Redraw::Nothing)
        return;
    glBindFramebuffer(GL_FRAMEBUFFER, depthMapFBO);
    glViewport(0, 0, shadowWidth, shadowHeight);
    if (plan.redraw == ShadowMapCache::Redraw::Region) {
        glEnable(GL_SCISSOR_TEST);
        scissorTo(plan.region);
    }
    glUseProgram(0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(4.0f, 0.0f);
    renderDepthMap(world);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Renderer::litScenePass(World* world, Camera* camera)
{
    const TimedPass timed(passTimer, RenderPass::Scene);
    beginPass(sceneFBO, frameSize(), Clear::Yes);
    renderScene(world, camera);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// The bright parts, at a quarter of the size, into the second of the
// program's two outputs (the first gets the plain image).
void Renderer::separationPass()
{
    const TimedPass timed(passTimer, RenderPass::Separation);
    glBindFramebuffer(GL_FRAMEBUFFER, separationFBO);
    const GLenum outputs[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, outputs);
    fullScreenPass(separationFBO, {separationSide(width), separationSide(height)}, Clear::Yes, *separationShader,
                   {{"image", sceneColorTexture}});
}

void Renderer::blurChain(RenderPass pass, const GlTexture& input, const SunRegion* region)
{
    const TimedPass timed(passTimer, pass);
    if (region != nullptr) {
        noFlarePass();
        clearToBlack(pingpongFBO[1], flareCover(region, {6 * blurReach, 4 * blurReach}));
    }
    bool horizontal = true;
    const GlTexture* next = &input;
    for (int i = 0; i < 10; ++i) {
        const int target = horizontal ? 0 : 1;
        // After i + 1 passes, (i + 2) / 2 of them horizontal and (i + 1) / 2 vertical.
        fullScreenPass(pingpongFBO[target], frameSize(), Clear::No, *bloomShader, {{"image", *next}},
                       {{"horizontal", horizontal ? 1 : 0}},
                       flareCover(region, blurReach * glm::ivec2((i + 2) / 2, (i + 1) / 2)));
        next = &pingpongTexture[target];
        horizontal = !horizontal;
    }
}

// The bloom: the last two blur passes combined, with the compositing program.
void Renderer::bloomCompositePass()
{
    const TimedPass timed(passTimer, RenderPass::BloomComposite);
    fullScreenPass(bloomFBO, frameSize(), Clear::Yes, *quadShader,
                   {{"scene", pingpongTexture[0]}, {"bloom", pingpongTexture[1]}, {"flare", pingpongTexture[1]}},
                   {{"useLensflare", 1}});
}

// Outside its region the sun image shows no sun and the flare is black, and
// so is its blur beyond the reach of the passes so far. Each target is black
// there already or cleared, as far as a later pass reads it: the flare up to
// the first blur pass's reach (two passes' reach across), the second ping-pong
// target up to the ninth pass's (six across, four up and down), and the first
// ping-pong target, which the final composite reads, whole. Drawn whole (every
// pass), the passes write every pixel and nothing needs clearing.
void Renderer::sunChain(World* world, Camera* camera)
{
    SunRegion region;
    const SunRegion* cover = nullptr;
    lastFrame.sunRegionShare = 1.0;
    if (!drawEveryPass) {
        region = sunRegion(camera->projection * camera->view, world->sun->bounds(), frameSize());
        cover = &region;
        lastFrame.sunRegionShare =
            static_cast<double>(region.flareArea()) / (static_cast<double>(width) * static_cast<double>(height));
    }
    sunImagePass(world, camera, cover);
    lensFlarePass(cover);
    blurChain(RenderPass::BlurB, lensflareTexture, cover);
}

Renderer::Cover Renderer::flareCover(const SunRegion* region, glm::ivec2 grow)
{
    return region != nullptr ? Cover{region->flare.data(), region->flareCount, grow} : Cover{};
}

// The sun alone, with Saturn as a black silhouette in front of it, drawn over
// the sun's rectangle of the region (the rest keeps the clear colour).
void Renderer::sunImagePass(World* world, Camera* camera, const SunRegion* region)
{
    const TimedPass timed(passTimer, RenderPass::SunImage);
    beginPass(sunFBO, frameSize(), Clear::Yes);
    if (region == nullptr) {
        renderSunImage(world, camera);
    } else if (!region->sun.empty()) {
        glEnable(GL_SCISSOR_TEST);
        scissorTo(region->sun);
        renderSunImage(world, camera);
        glDisable(GL_SCISSOR_TEST);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// No sun on screen: the flare would be black, and so would its blur. The
// final composite reads the blurred flare from the first ping-pong target.
void Renderer::noFlarePass()
{
    clearToBlack(pingpongFBO[0], {});
}

void Renderer::lensFlarePass(const SunRegion* region)
{
    const TimedPass timed(passTimer, RenderPass::LensFlare);
    if (region != nullptr)
        clearToBlack(lensflareFBO, flareCover(region, {2 * blurReach, 0}));
    fullScreenPass(lensflareFBO, frameSize(), Clear::No, *lensflareShader,
                   {{"image", sceneColorTexture}, {"sun_texture", sunTexture}}, {}, flareCover(region, glm::ivec2(0)));
}

// Scene, bloom and the blurred flare into the window, which the caller cleared.
void Renderer::finalCompositePass()
{
    const TimedPass timed(passTimer, RenderPass::FinalComposite);
    fullScreenPass(0, frameSize(), Clear::No, *quadShader,
                   {{"scene", sceneColorTexture}, {"bloom", bloomTexture}, {"flare", pingpongTexture[0]}},
                   {{"useLensflare", 1}});
}

void Renderer::hudPass(const Hud& hud)
{
    const TimedPass timed(passTimer, RenderPass::Text);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    char score[64];
    std::snprintf(score, sizeof(score), "%d", hud.score);
    renderText(score, static_cast<float>(width - 200), static_cast<float>(height - 60), 1.0f, glm::vec3(1.0f));
    if (hud.gameOver)
        renderText("GAME OVER", 0.5f * static_cast<float>(width) - 280.0f, 0.5f * static_cast<float>(height) - 2.0f,
                   2.0f, glm::vec3(1.0f));
    glDisable(GL_BLEND);
}
