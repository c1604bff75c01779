#pragma once

#include <GL/glew.h>

#include <utility>

// Owner of one OpenGL object name: it deletes the object when it goes, cannot
// be copied, and hands the name on when moved (the moved-from owner then
// holds 0, which owns nothing). An owner of 0 never calls OpenGL, so owners
// that were never filled (no GL context, as in the rule tests) cost nothing.
// It converts to its name, so it goes straight into GL calls.
//
// `Kind` knows how such names are deleted and, for the kinds made with
// glGen*, made.
template <typename Kind>
class GlObject {
public:
    GlObject() = default;
    explicit GlObject(GLuint name) noexcept : name(name) {}
    ~GlObject() { reset(); }

    GlObject(GlObject&& other) noexcept : name(std::exchange(other.name, 0)) {}
    GlObject& operator=(GlObject&& other) noexcept
    {
        if (this != &other) {
            reset();
            name = std::exchange(other.name, 0);
        }
        return *this;
    }
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;

    // A new name of this kind (glGen*).
    static GlObject create() { return GlObject(Kind::create()); }

    GLuint id() const noexcept { return name; }
    operator GLuint() const noexcept { return name; }

    // Deletes the object now; the owner holds 0 afterwards.
    void reset() noexcept
    {
        if (name != 0)
            Kind::destroy(std::exchange(name, 0));
    }

private:
    GLuint name = 0;
};

namespace gl {

struct FramebufferKind {
    static GLuint create() { GLuint n = 0; glGenFramebuffers(1, &n); return n; }
    static void destroy(GLuint n) { glDeleteFramebuffers(1, &n); }
};
struct RenderbufferKind {
    static GLuint create() { GLuint n = 0; glGenRenderbuffers(1, &n); return n; }
    static void destroy(GLuint n) { glDeleteRenderbuffers(1, &n); }
};
struct TextureKind {
    static GLuint create() { GLuint n = 0; glGenTextures(1, &n); return n; }
    static void destroy(GLuint n) { glDeleteTextures(1, &n); }
};
struct BufferKind {
    static GLuint create() { GLuint n = 0; glGenBuffers(1, &n); return n; }
    static void destroy(GLuint n) { glDeleteBuffers(1, &n); }
};
struct VertexArrayKind {
    static GLuint create() { GLuint n = 0; glGenVertexArrays(1, &n); return n; }
    static void destroy(GLuint n) { glDeleteVertexArrays(1, &n); }
};
struct ProgramKind {
    static GLuint create() { return glCreateProgram(); }
    static void destroy(GLuint n) { glDeleteProgram(n); }
};
// Shader stages are made with their type: GlShaderStage(glCreateShader(type)).
struct ShaderStageKind {
    static void destroy(GLuint n) { glDeleteShader(n); }
};

} // namespace gl

using GlFramebuffer = GlObject<gl::FramebufferKind>;
using GlRenderbuffer = GlObject<gl::RenderbufferKind>;
using GlTexture = GlObject<gl::TextureKind>;
using GlBuffer = GlObject<gl::BufferKind>;
using GlVertexArray = GlObject<gl::VertexArrayKind>;
using GlProgram = GlObject<gl::ProgramKind>;
using GlShaderStage = GlObject<gl::ShaderStageKind>;
