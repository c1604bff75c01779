// GL owners on a real OpenGL 4.1 core context: an owner deletes its one name and
// hands it on when moved; the world and the renderer release all they made, the
// renderer in its fixed order.
#include "GlWindow.h"

#include "app/AppState.h"
#include "app/WorldSetup.h"
#include "gpu/GlObject.h"
#include "render/Renderer.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// While recording: each deletion and framebuffer binding, as a letter and the
// name (t texture, f framebuffer, r renderbuffer, p program, s stage, b bind).
std::vector<std::string>* calls = nullptr;
void note(char kind, GLuint name)
{
    if (calls != nullptr)
        calls->push_back(kind + std::to_string(name));
}
PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers;
PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
PFNGLDELETEPROGRAMPROC deleteProgram;
PFNGLDELETESHADERPROC deleteShader;

} // namespace

// GLEW loads no OpenGL 1.1 entry: this program's own glDeleteTextures takes the calls on.
void GLAPIENTRY glDeleteTextures(GLsizei n, const GLuint* names)
{
    static const auto next = reinterpret_cast<void (*)(GLsizei, const GLuint*)>(dlsym(RTLD_NEXT, "glDeleteTextures"));
    std::for_each(names, names + n, [](GLuint t) { note('t', t); });
    next(n, names);
}

TEST(GlOwners, AnOwnerDeletesItsNameOnceAndAMoveHandsItOn)
{
    GlWindow window(16, 16);
    std::vector<std::string> recorded;
    calls = &recorded;
    GlTexture first = GlTexture::create();
    GlTexture other = GlTexture::create();
    const std::vector<std::string> order = {'t' + std::to_string(other.id()), 't' + std::to_string(first.id())};
    GlTexture kept(std::move(first));
    other = std::move(kept); // deletes what `other` held
    EXPECT_EQ(first.id(), 0u);
    { const GlTexture last(std::move(other)); }
    first.reset(), kept.reset(), other.reset(); // moved from: they own nothing
    calls = nullptr;
    EXPECT_EQ(recorded, order);
}

TEST(GlOwners, TheWorldAndTheRendererReleaseEveryGlObjectTheyMade)
{
    GlWindow window(16, 16);
    ASSERT_NE(window.window, nullptr);
    const int before = liveGlObjects();
    appState().window = window.window;
    setUpWorld();
    EXPECT_GT(liveGlObjects(), before + 50);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // The renderer goes after the world: its targets in a fixed order, then
    // each program (program, vertex stage, fragment stage) and texture.
    const Renderer& r = *appState().renderer;
    std::vector<std::string> expected;
    auto expect = [&](char kind, std::initializer_list<GLuint> names) {
        for (GLuint name : names)
            expected.push_back(kind + std::to_string(name));
    };
    expect('t', {r.sceneColorTexture}), expect('b', {0}), expect('r', {r.sceneDepthRenderbuffer});
    expect('f', {r.sceneFBO}), expect('t', {r.depthMapTexture}), expect('f', {r.depthMapFBO});
    expect('t', {r.separationTexture0, r.separationTexture1, r.bloomTexture}), expect('f', {r.separationFBO, r.bloomFBO});
    expect('t', {r.pingpongTexture[0], r.pingpongTexture[1]}), expect('f', {r.pingpongFBO[0], r.pingpongFBO[1]});
    expect('t', {r.lensflareTexture, r.sunTexture}), expect('f', {r.lensflareFBO, r.sunFBO});
    auto program = [&](const Shader* s) { expect('p', {s->program}), expect('s', {s->vertexShader, s->fragmentShader}); };
    for (const Shader* s : {r.quadShader.get(), r.debugQuadShader.get(), r.depthShader.get(), r.separationShader.get(),
                            r.bloomShader.get(), r.lensflareShader.get()})
        program(s);
    expect('t', {r.normalMapTexture->id, r.blackTexture->id}), program(r.characterShader.get());

    std::vector<std::string> recorded; // GLEW's entries stay swapped: they hand every call on
    calls = &recorded;
    deleteFramebuffers = std::exchange(__glewDeleteFramebuffers, [](GLsizei n, const GLuint* f) { note('f', *f), deleteFramebuffers(n, f); });
    deleteRenderbuffers = std::exchange(__glewDeleteRenderbuffers, [](GLsizei n, const GLuint* b) { note('r', *b), deleteRenderbuffers(n, b); });
    bindFramebuffer = std::exchange(__glewBindFramebuffer, [](GLenum target, GLuint f) { note('b', f), bindFramebuffer(target, f); });
    deleteProgram = std::exchange(__glewDeleteProgram, [](GLuint p) { note('p', p), deleteProgram(p); });
    deleteShader = std::exchange(__glewDeleteShader, [](GLuint s) { note('s', s), deleteShader(s); });
    tearDownWorld();
    calls = nullptr;
    auto notInTheList = [&](const std::string& c) { return std::count(expected.begin(), expected.end(), c) == 0; };
    recorded.erase(std::remove_if(recorded.begin(), recorded.end(), notInTheList), recorded.end());
    EXPECT_EQ(recorded, expected);
    EXPECT_EQ(liveGlObjects(), before);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    appState().reset();
}
