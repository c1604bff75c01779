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
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Deletions ("t" texture, "f" framebuffer, "r" renderbuffer, "p" program, "s"
// shader stage) and framebuffer bindings ("bind"), each with its name, in order.
std::vector<std::string>* calls = nullptr;
std::string call(const char* kind, GLuint name)
{
    return kind + std::to_string(name);
}
void note(const char* kind, GLsizei n, const GLuint* names)
{
    for (GLsizei i = 0; calls != nullptr && i < n; ++i)
        calls->push_back(call(kind, names[i]));
}
PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers;
PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
PFNGLDELETEPROGRAMPROC deleteProgram;
PFNGLDELETESHADERPROC deleteShader;

} // namespace

// OpenGL 1.1 entries are linked, not loaded by GLEW: this program's own
// definition takes the calls and hands them on.
void GLAPIENTRY glDeleteTextures(GLsizei n, const GLuint* names)
{
    static const auto next = reinterpret_cast<void (*)(GLsizei, const GLuint*)>(dlsym(RTLD_NEXT, "glDeleteTextures"));
    note("t", n, names);
    next(n, names);
}

TEST(GlOwners, AnOwnerDeletesItsNameOnceAndAMoveHandsItOn)
{
    GlWindow window(16, 16);
    auto texture = [] {
        GlTexture t = GlTexture::create();
        glBindTexture(GL_TEXTURE_2D, t); // a generated name becomes an object when first bound
        glBindTexture(GL_TEXTURE_2D, 0);
        return t;
    };
    GlTexture kept;
    GlTexture first = texture();
    const GLuint name = first.id();
    kept = std::move(first);
    EXPECT_EQ(first.id(), 0u);
    { const GlTexture gone(std::move(first)); } // a moved-from owner deletes nothing
    EXPECT_TRUE(glIsTexture(name)) << "deleted by the owner it was moved from";
    GlTexture other = texture();
    const GLuint replaced = other.id();
    other = std::move(kept);
    EXPECT_FALSE(glIsTexture(replaced)) << "a move assignment must delete what the owner held";
    EXPECT_EQ(other.id(), name);
    { const GlTexture last(std::move(other)); }
    EXPECT_FALSE(glIsTexture(name)) << "the last owner leaked its texture";
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
    std::vector<std::string> expected = {
        call("t", r.sceneColorTexture), "bind0", call("r", r.sceneDepthRenderbuffer), call("f", r.sceneFBO),
        call("t", r.depthMapTexture), call("f", r.depthMapFBO), call("t", r.separationTexture0),
        call("t", r.separationTexture1), call("t", r.bloomTexture), call("f", r.separationFBO), call("f", r.bloomFBO),
        call("t", r.pingpongTexture[0]), call("t", r.pingpongTexture[1]), call("f", r.pingpongFBO[0]),
        call("f", r.pingpongFBO[1]), call("t", r.lensflareTexture), call("t", r.sunTexture),
        call("f", r.lensflareFBO), call("f", r.sunFBO)};
    auto program = [&](const Shader& s) {
        expected.insert(expected.end(), {call("p", s.program), call("s", s.vertexShader), call("s", s.fragmentShader)});
    };
    for (const Shader* s : {r.quadShader.get(), r.debugQuadShader.get(), r.depthShader.get(),
                            r.separationShader.get(), r.bloomShader.get(), r.lensflareShader.get()})
        program(*s);
    expected.insert(expected.end(), {call("t", r.normalMapTexture->id), call("t", r.blackTexture->id)});
    program(*r.characterShader);
    const size_t glyphs = r.characters.size(); // last, in any order
    for (const auto& glyph : r.characters)
        expected.push_back(call("t", glyph.second.textureID));

    std::vector<std::string> recorded;
    calls = &recorded;
    deleteFramebuffers = std::exchange(__glewDeleteFramebuffers, [](GLsizei n, const GLuint* f) { note("f", n, f); deleteFramebuffers(n, f); });
    deleteRenderbuffers = std::exchange(__glewDeleteRenderbuffers, [](GLsizei n, const GLuint* b) { note("r", n, b); deleteRenderbuffers(n, b); });
    bindFramebuffer = std::exchange(__glewBindFramebuffer, [](GLenum target, GLuint f) { note("bind", 1, &f); bindFramebuffer(target, f); });
    deleteProgram = std::exchange(__glewDeleteProgram, [](GLuint p) { note("p", 1, &p); deleteProgram(p); });
    deleteShader = std::exchange(__glewDeleteShader, [](GLuint s) { note("s", 1, &s); deleteShader(s); });
    tearDownWorld();
    calls = nullptr;
    std::tie(__glewDeleteFramebuffers, __glewDeleteRenderbuffers, __glewBindFramebuffer, __glewDeleteProgram,
             __glewDeleteShader) = std::tie(deleteFramebuffers, deleteRenderbuffers, bindFramebuffer, deleteProgram,
                                            deleteShader);
    auto notTheRenderers = [&](const std::string& c) { return std::count(expected.begin(), expected.end(), c) == 0; };
    recorded.erase(std::remove_if(recorded.begin(), recorded.end(), notTheRenderers), recorded.end());
    for (auto* c : {&recorded, &expected})
        std::sort(c->end() - static_cast<std::ptrdiff_t>(std::min(glyphs, c->size())), c->end());
    EXPECT_EQ(recorded, expected);
    EXPECT_EQ(liveGlObjects(), before);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    appState().reset();
}
