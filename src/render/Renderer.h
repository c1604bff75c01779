#pragma once

#include "gpu/GlObject.h"
#include "gpu/Shader.h"
#include "gpu/Texture.h"
#include "render/PassTimer.h"
#include "render/ShadowMapCache.h"
#include "render/SunVisibility.h"

#include <glm/glm.hpp>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

struct GLFWwindow;
class Camera;
class World;

// One glyph of the screen font.
struct Character {
    GlTexture textureID;
    glm::ivec2 size{0};
    glm::ivec2 bearing{0};
    unsigned int advance = 0; // 1/64 pixel
};

// What the screen text shows.
struct Hud {
    int score = 0;
    bool gameOver = false;
};

// Owns everything a frame needs beyond the scene: the off-screen targets, the
// shadow map, the full-screen quad, the post-processing programs, the screen
// font, and the flags the game and the keys change between frames. Each GL
// object has its own owner; the destructor releases them in a fixed order.
class Renderer {
public:
    // Written by the game rules and the keys.
    int points = 0;
    bool gameOver = false;
    bool wireframe = false;
    bool blending = true;
    bool normalMapping = true;

    GlFramebuffer sceneFBO;
    GlTexture sceneColorTexture;
    GlRenderbuffer sceneDepthRenderbuffer;
    int width = 800;
    int height = 600;
    GlVertexArray quadVAO;
    GlBuffer quadVBO;
    std::unique_ptr<Shader> quadShader;
    GlVertexArray debugQuadVAO;
    GlBuffer debugQuadPositionVBO;
    GlBuffer debugQuadUvVBO;
    std::unique_ptr<Shader> debugQuadShader;
    GlFramebuffer depthMapFBO;
    GlTexture depthMapTexture;
    int shadowWidth = 800;
    int shadowHeight = 600;
    std::unique_ptr<Shader> depthShader;
    GlTexture separationTexture0;
    GlTexture separationTexture1;
    GlTexture bloomTexture;
    GlFramebuffer separationFBO;
    GlFramebuffer bloomFBO;
    GlTexture pingpongTexture[2];
    GlFramebuffer pingpongFBO[2];
    std::unique_ptr<Shader> separationShader;
    std::unique_ptr<Shader> bloomShader;
    GlFramebuffer lensflareFBO;
    GlTexture lensflareTexture;
    GlFramebuffer sunFBO;
    GlTexture sunTexture;
    std::unique_ptr<Shader> lensflareShader;
    int lensflareReads = 0; // what lensflareShader was built for
    std::map<char, Character> characters;
    GlVertexArray textVAO;
    GlBuffer textVBO;
    std::unique_ptr<Shader> characterShader;
    std::unique_ptr<Texture> normalMapTexture;
    std::unique_ptr<Texture> blackTexture;

    // Draws every pass in full every frame: the whole shadow map, and the
    // sun, its flare and the flare's blur over the whole picture, even when
    // no sun can be on screen.
    // The frame looks the same either way; tests and the benchmark compare.
    // The game never sets it.
    bool drawEveryPass = false;
    // What the last drawFrame drew of the shadow map (in wireframe only a map
    // allocated anew), whether it drew the sun's chain (sun image, lens flare,
    // the flare's blur: never in wireframe or without a framebuffer area), and
    // the share of the picture that the flare's region covered (1 when the
    // chain was drawn whole, 0 without it).
    struct FrameWork {
        ShadowMapCache::Redraw shadow = ShadowMapCache::Redraw::Whole;
        bool sunChain = true;
        double sunRegionShare = 1.0;
    };
    FrameWork lastFrame;

    // Not owned; null in the game. When set, every step of a normal frame is
    // bracketed by its begin and end (the benchmark times the passes so).
    PassTimer* passTimer = nullptr;

    // Needs a current OpenGL context; the targets take the size of its
    // window's framebuffer.
    Renderer();
    ~Renderer();

    // The game's frame: the world with the active camera and the HUD of
    // `points` and `gameOver`, in the window's framebuffer. It reads the
    // application's state, so the application defines it (app/RenderFrame.cpp);
    // everything below takes what it draws as arguments.
    void renderFrame(GLFWwindow* window);

    // Draws one complete frame of the world seen by the camera into the
    // default framebuffer, which has the given size. The targets follow that
    // size; a framebuffer without area (a minimised window) draws nothing.
    // Precondition: the default framebuffer is bound (and, for wireframe
    // mode, cleared with its viewport set), depth testing is on and blending
    // is off; the same holds afterwards.
    void drawFrame(World* world, Camera* camera, const Hud& hud, glm::ivec2 framebufferSize);

    void renderScene(World* world, Camera* camera);
    void renderDepthMap(World* world);
    void renderSunImage(World* world, Camera* camera);
    void initText();
    void renderText(std::string text, float x, float y, float scale, glm::vec3 color);

private:
    enum class Clear { No, Yes };
    // A texture read by a full-screen pass through the named sampler.
    struct PassInput {
        const char* sampler;
        const GlTexture& texture;
    };
    // An int uniform of a full-screen pass (switches such as "horizontal").
    struct PassSetting {
        const char* name;
        int value;
    };
    // Where a full-screen pass draws: the whole target (no rectangles given),
    // or under a scissor over each of `count` rectangles, grown by `grow` and
    // cut to the target.
    // Value-initialised ({}), it is the whole target.
    struct Cover {
        const TexelRect* rects;
        int count;
        glm::ivec2 grow;
    };

    // Makes every size-dependent target fit a framebuffer of the given size
    // (scene, bright parts, ping-pong, bloom, lens flare, sun, shadow map) and
    // updates width, height, shadowWidth and shadowHeight.
    void allocateTargets(int framebufferWidth, int framebufferHeight);
    // Builds the lens flare's program anew when the picture's height asks for
    // another number of reads than it has.
    void fitLensFlare(int pictureHeight);

    // The normal frame, pass by pass.
    void renderPostProcessedFrame(World* world, Camera* camera, const Hud& hud);
    // Whether any of the sun can be in the camera's picture (else its image,
    // the lens flare and the flare's blur are all black, and are skipped).
    bool sunMayShow(World* world, Camera* camera) const;
    void shadowPass(World* world);
    void litScenePass(World* world, Camera* camera);
    void separationPass();
    // Ten alternating blur passes over `input` into the two ping-pong targets:
    // afterwards pingpongTexture[0] holds the ninth, pingpongTexture[1] the tenth
    // pass. With a region, each pass draws only where the region's rectangles,
    // spread by the passes so far, can be non-zero (the targets must be black
    // around them).
    void blurChain(RenderPass pass, const GlTexture& input, const SunRegion* region = nullptr);
    void bloomCompositePass();
    // The sun image, the lens flare and its blur, each drawn only over the
    // sun's region (whole when drawing every pass). A null region below means
    // the whole picture.
    void sunChain(World* world, Camera* camera);
    void sunImagePass(World* world, Camera* camera, const SunRegion* region);
    void lensFlarePass(const SunRegion* region);
    // The flare's rectangles grown by `grow`; the whole target without a region.
    static Cover flareCover(const SunRegion* region, glm::ivec2 grow);
    void noFlarePass();
    void finalCompositePass();
    void hudPass(const Hud& hud);

    // Binds `framebuffer` as the target with a viewport of `size`, and clears
    // its colour and depth if asked.
    void beginPass(GLuint framebuffer, glm::ivec2 size, Clear clear);
    // One full-screen pass: `program` draws the quad into `framebuffer`
    // (viewport `size`, cleared first if asked). Input i goes on texture
    // unit i and its sampler is set to i; then the settings. The default
    // framebuffer is bound again afterwards.
    void fullScreenPass(GLuint framebuffer, glm::ivec2 size, Clear clear, const Shader& program,
                        std::initializer_list<PassInput> inputs, std::initializer_list<PassSetting> settings = {},
                        const Cover& cover = {});
    // Clears the colour of `framebuffer` (a target of the frame's size) to
    // black where `cover` says.
    void clearToBlack(GLuint framebuffer, const Cover& cover);
    glm::ivec2 frameSize() const { return {width, height}; }

    // What of the shadow map the next shadow pass has to draw again.
    ShadowMapCache shadowCache;
};
