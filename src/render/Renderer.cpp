#include "render/Renderer.h"

#include "gpu/Content.h"
#include "gpu/StartupTimings.h"
#include "render/RenderTargets.h"

#include <GLFW/glfw3.h>

#include <array>
#include <string>

namespace {

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

// A new static buffer with `data`, fed to the program's attribute `name` of
// the bound vertex array.
template <size_t N>
GlBuffer attachBuffer(const std::array<float, N>& data, const Shader& shader, const char* name, GLint components)
{
    GlBuffer buffer = GlBuffer::create();
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(float) * N, data.data(), GL_STATIC_DRAW);
    const GLint location = glGetAttribLocation(shader.program, name);
    if (location >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    return buffer;
}

} // namespace

Renderer::Renderer()
{
    sceneFBO = GlFramebuffer::create();
    sceneDepthRenderbuffer = GlRenderbuffer::create();
    sceneColorTexture = GlTexture::create();

    quadShader = loadProgram("quad.vert", "quad.frag");
    quadVAO = GlVertexArray::create();
    glBindVertexArray(quadVAO);
    quadVBO = attachBuffer(quadVertices, *quadShader, "vertPos", 3);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    debugQuadShader = loadProgram("debugQuad.vert", "debugQuad.frag");
    debugQuadVAO = GlVertexArray::create();
    glBindVertexArray(debugQuadVAO);
    debugQuadPositionVBO = attachBuffer(debugQuadPositions, *debugQuadShader, "vertPos", 3);
    debugQuadUvVBO = attachBuffer(debugQuadUvs, *debugQuadShader, "uv", 2);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    depthMapFBO = GlFramebuffer::create();
    depthMapTexture = GlTexture::create();
    depthShader = loadProgram("depthShader.vert", "depthShader.frag");

    normalMapTexture = loadImage("nmap_stone_flipY.jpg");
    blackTexture = loadImage("black.jpg");

    separationFBO = GlFramebuffer::create();
    bloomFBO = GlFramebuffer::create();
    separationTexture0 = GlTexture::create();
    separationTexture1 = GlTexture::create();
    bloomTexture = GlTexture::create();
    for (GlFramebuffer& framebuffer : pingpongFBO)
        framebuffer = GlFramebuffer::create();
    for (GlTexture& texture : pingpongTexture)
        texture = GlTexture::create();
    separationShader = loadProgram("quad.vert", "separation.frag");
    bloomShader = loadProgram("quad.vert", "bloom.frag");

    lensflareFBO = GlFramebuffer::create();
    lensflareTexture = GlTexture::create();
    sunFBO = GlFramebuffer::create();
    sunTexture = GlTexture::create();

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
    fitLensFlare(framebufferHeight); // here, so that its build counts as a shader's, not a target's
    {
        const ScopedStartupTimer timer(StartupStage::RenderTargets);
        allocateTargets(framebufferWidth, framebufferHeight);
    }

    initText();
    points = 0;
}

// The targets first, framebuffer 0 bound early, then the programs and the
// textures, the text's program and the glyphs; the vertex arrays and buffers
// go with their owners afterwards.
Renderer::~Renderer()
{
    sceneColorTexture.reset();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    sceneDepthRenderbuffer.reset();
    sceneFBO.reset();
    depthMapTexture.reset();
    depthMapFBO.reset();
    separationTexture0.reset();
    separationTexture1.reset();
    bloomTexture.reset();
    separationFBO.reset();
    bloomFBO.reset();
    for (GlTexture& texture : pingpongTexture)
        texture.reset();
    for (GlFramebuffer& framebuffer : pingpongFBO)
        framebuffer.reset();
    lensflareTexture.reset();
    sunTexture.reset();
    lensflareFBO.reset();
    sunFBO.reset();
    for (std::unique_ptr<Shader>* program :
         {&quadShader, &debugQuadShader, &depthShader, &separationShader, &bloomShader, &lensflareShader})
        program->reset();
    normalMapTexture.reset();
    blackTexture.reset();
    characterShader.reset();
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
    shadowCache.forget();
    fitLensFlare(height);
}

// The number of reads as a constant of the program: loops of constant length,
// which a shader compiler for the CPU unrolls (one path per count chosen by an
// if would run every path there).
void Renderer::fitLensFlare(int pictureHeight)
{
    const int reads = lensFlareReads(pictureHeight);
    if (reads == lensflareReads)
        return;
    lensflareShader = loadProgram("quad.vert", "lensflare.frag", "#define FLARE_READS " + std::to_string(reads) + "\n");
    lensflareReads = reads;
}
