#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <map>
#include <memory>
#include <string>

struct GLFWwindow;
class Camera;
class PassTimer;
class Shader;
class Texture;
class World;

// One glyph of the screen font.
struct Character {
    GLuint textureID = 0;
    glm::ivec2 size{0};
    glm::ivec2 bearing{0};
    GLuint advance = 0; // 1/64 pixel
};

// Owns everything a frame needs beyond the scene: the off-screen targets, the
// shadow map, the full-screen quad, the post-processing programs, the screen
// font, and the flags the game and the keys change between frames.
class Renderer {
public:
    // Written by the game rules and the keys.
    int points = 0;
    bool gameOver = false;
    bool wireframe = false;
    bool blending = true;
    bool normalMapping = true;

    GLuint sceneFBO = 0;
    GLuint sceneColorTexture = 0;
    GLuint sceneDepthRenderbuffer = 0;
    int width = 800;
    int height = 600;
    GLuint quadVAO = 0;
    GLuint quadVBO = 0;
    std::unique_ptr<Shader> quadShader;
    GLuint debugQuadVAO = 0;
    GLuint debugQuadPositionVBO = 0;
    GLuint debugQuadUvVBO = 0;
    std::unique_ptr<Shader> debugQuadShader;
    GLuint depthMapFBO = 0;
    GLuint depthMapTexture = 0;
    int shadowWidth = 800;
    int shadowHeight = 600;
    std::unique_ptr<Shader> depthShader;
    GLuint separationTexture0 = 0;
    GLuint separationTexture1 = 0;
    GLuint bloomTexture = 0;
    GLuint separationFBO = 0;
    GLuint bloomFBO = 0;
    GLuint pingpongTexture[2] = {0, 0};
    GLuint pingpongFBO[2] = {0, 0};
    std::unique_ptr<Shader> separationShader;
    std::unique_ptr<Shader> bloomShader;
    GLuint lensflareFBO = 0;
    GLuint lensflareTexture = 0;
    GLuint sunFBO = 0;
    GLuint sunTexture = 0;
    std::unique_ptr<Shader> lensflareShader;
    std::map<char, Character> characters;
    GLuint textVAO = 0;
    GLuint textVBO = 0;
    std::unique_ptr<Shader> characterShader;
    std::unique_ptr<Texture> normalMapTexture;
    std::unique_ptr<Texture> blackTexture;

    // Not owned; null in the game. When set, every step of a normal frame is
    // bracketed by its begin and end (the benchmark times the passes so).
    PassTimer* passTimer = nullptr;

    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Draws one complete frame into the window's default framebuffer, for the
    // world and the active camera of appState(). The targets follow the
    // window's framebuffer size; a framebuffer without area (a minimised
    // window) draws nothing. Precondition: the default framebuffer is bound
    // (and, for wireframe mode, cleared with its viewport set), depth testing
    // is on and blending is off; the same holds afterwards.
    void renderFrame(GLFWwindow* window);

    void renderScene(World* world, Camera* camera);
    void renderDepthMap(World* world);
    void renderSunImage(World* world, Camera* camera);
    void initText();
    void renderText(std::string text, float x, float y, float scale, glm::vec3 color);

private:
    // Makes every size-dependent target fit a framebuffer of the given size
    // (scene, bright parts, ping-pong, bloom, lens flare, sun, shadow map) and
    // updates width, height, shadowWidth and shadowHeight.
    void allocateTargets(int framebufferWidth, int framebufferHeight);
    // The normal frame: shadow map, scene, bloom, sun image, flare, composite, text.
    void renderPostProcessedFrame();
    // Ten alternating blur passes over `input` into the two ping-pong targets:
    // afterwards pingpongTexture[0] holds the ninth, pingpongTexture[1] the tenth pass.
    void blurChain(GLuint input);
    void drawQuad() const;
    void drawHud();
};
