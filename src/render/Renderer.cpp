#include "render/Renderer.h"

#include "gpu/Shader.h"
#include "gpu/StartupTimings.h"
#include "gpu/Texture.h"
#include "render/RenderTargets.h"

#include <GLFW/glfw3.h>

#include <array>

namespace {

const char* const shaderDir = "../Content/Shader/";

std::unique_ptr<Shader> loadProgram(const char* vertexFile, const char* fragmentFile)
{
    return std::make_unique<Shader>(std::string(shaderDir) + vertexFile, std::string(shaderDir) + fragmentFile);
}

// Two triangles over the whole of clip space.
const std::array<float, 18> quadVertices = {
    -1.0f, -1.0f, 0.1f, 1.0f, -1.0f, 0.1f, -1.0f, 1.0f, 0.1f,
    -1.0f, 1.0f,  0.1f, 1.0f, -1.0f, 0.1f, 1.0f,  1.0f, 0.1f,
};

// The lower left quarter of clip space, for looking at a texture while debugging.
const std::array<float, 18> debugQuadPositions = {
    -1.0f, -1.0f, 0.0f, 0.0f, -1.0f, 0.0f, -1.0f, 0.0f, 0.0f,
    -1.0f, 0.0f,  0.0f, 0.0f, -1.0f, 0.0f, 0.0f,  0.0f, 0.0f,
};
const std::array<float, 12> debugQuadUvs = {
    0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f,
};

// Fills a new static buffer and feeds it to the program's attribute `name`.
template <size_t N>
void attachBuffer(GLuint buffer, const std::array<float, N>& data, const Shader& shader, const char* name,
                  GLint components)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(float) * N, data.data(), GL_STATIC_DRAW);
    const GLint location = glGetAttribLocation(shader.program, name);
    if (location < 0)
        return;
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

} // namespace

Renderer::Renderer()
{
    glGenFramebuffers(1, &sceneFBO);
    glGenRenderbuffers(1, &sceneDepthRenderbuffer);
    glGenTextures(1, &sceneColorTexture);

    quadShader = loadProgram("quad.vert", "quad.frag");
    glGenVertexArrays(1, &quadVAO);
    glBindVertexArray(quadVAO);
    glGenBuffers(1, &quadVBO);
    attachBuffer(quadVBO, quadVertices, *quadShader, "vertPos", 3);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    debugQuadShader = loadProgram("debugQuad.vert", "debugQuad.frag");
    glGenVertexArrays(1, &debugQuadVAO);
    glBindVertexArray(debugQuadVAO);
    glGenBuffers(1, &debugQuadPositionVBO);
    attachBuffer(debugQuadPositionVBO, debugQuadPositions, *debugQuadShader, "vertPos", 3);
    glGenBuffers(1, &debugQuadUvVBO);
    attachBuffer(debugQuadUvVBO, debugQuadUvs, *debugQuadShader, "uv", 2);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glGenFramebuffers(1, &depthMapFBO);
    glGenTextures(1, &depthMapTexture);
    depthShader = loadProgram("depthShader.vert", "depthShader.frag");

    normalMapTexture = std::make_unique<Texture>("../Content/Images/nmap_stone_flipY.jpg");
    blackTexture = std::make_unique<Texture>("../Content/Images/black.jpg");

    glGenFramebuffers(1, &separationFBO);
    glGenFramebuffers(1, &bloomFBO);
    glGenTextures(1, &separationTexture0);
    glGenTextures(1, &separationTexture1);
    glGenTextures(1, &bloomTexture);
    glGenFramebuffers(2, pingpongFBO);
    glGenTextures(2, pingpongTexture);
    separationShader = loadProgram("quad.vert", "separation.frag");
    bloomShader = loadProgram("quad.vert", "bloom.frag");

    glGenFramebuffers(1, &lensflareFBO);
    glGenTextures(1, &lensflareTexture);
    glGenFramebuffers(1, &sunFBO);
    glGenTextures(1, &sunTexture);
    lensflareShader = loadProgram("quad.vert", "lensflare.frag");

    // The window whose context is current is the game's window. Should it
    // have no area yet (minimised), the targets start at the default size and
    // follow the real size in the first frame that has one.
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    if (GLFWwindow* window = glfwGetCurrentContext())
        glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
    if (framebufferWidth <= 0 || framebufferHeight <= 0) {
        framebufferWidth = width;
        framebufferHeight = height;
    }
    {
        const ScopedStartupTimer timer(StartupStage::RenderTargets);
        allocateTargets(framebufferWidth, framebufferHeight);
    }

    initText();
    points = 0;
}

Renderer::~Renderer()
{
    glDeleteTextures(1, &sceneColorTexture);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &sceneDepthRenderbuffer);
    glDeleteFramebuffers(1, &sceneFBO);
    glDeleteTextures(1, &depthMapTexture);
    glDeleteFramebuffers(1, &depthMapFBO);
    glDeleteTextures(1, &separationTexture0);
    glDeleteTextures(1, &separationTexture1);
    glDeleteTextures(1, &bloomTexture);
    glDeleteFramebuffers(1, &separationFBO);
    glDeleteFramebuffers(1, &bloomFBO);
    glDeleteTextures(2, pingpongTexture);
    glDeleteFramebuffers(2, pingpongFBO);
    glDeleteTextures(1, &lensflareTexture);
    glDeleteTextures(1, &sunTexture);
    glDeleteFramebuffers(1, &lensflareFBO);
    glDeleteFramebuffers(1, &sunFBO);

    glDeleteVertexArrays(1, &quadVAO);
    glDeleteBuffers(1, &quadVBO);
    glDeleteVertexArrays(1, &debugQuadVAO);
    glDeleteBuffers(1, &debugQuadPositionVBO);
    glDeleteBuffers(1, &debugQuadUvVBO);
    quadShader.reset();
    debugQuadShader.reset();
    depthShader.reset();
    separationShader.reset();
    bloomShader.reset();
    lensflareShader.reset();
    normalMapTexture.reset();
    blackTexture.reset();

    glDeleteVertexArrays(1, &textVAO);
    glDeleteBuffers(1, &textVBO);
    characterShader.reset();
    for (const auto& entry : characters)
        glDeleteTextures(1, &entry.second.textureID);
    characters.clear();
}

void Renderer::allocateTargets(int framebufferWidth, int framebufferHeight)
{
    width = framebufferWidth;
    height = framebufferHeight;
    const glm::ivec2 shadowSize = shadowMapSize(width, height);
    shadowWidth = shadowSize.x;
    shadowHeight = shadowSize.y;

    createSceneFramebuffer(sceneFBO, sceneDepthRenderbuffer, sceneColorTexture, width, height);
    createSeparationFramebuffer(separationFBO, separationTexture0, separationTexture1, separationSide(width),
                                separationSide(height));
    createColorFramebuffer(pingpongFBO[0], pingpongTexture[0], width, height);
    createColorFramebuffer(pingpongFBO[1], pingpongTexture[1], width, height);
    createColorFramebuffer(bloomFBO, bloomTexture, width, height);
    createColorFramebuffer(lensflareFBO, lensflareTexture, width, height);
    createColorFramebuffer(sunFBO, sunTexture, width, height);
    createDepthMapFramebuffer(depthMapFBO, depthMapTexture, shadowWidth, shadowHeight);
}

void Renderer::drawQuad() const
{
    glBindVertexArray(quadVAO);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
}
