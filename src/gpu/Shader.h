#pragma once

#include "gpu/GlObject.h"

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <string>

// A linked vertex + fragment program built from two source files. Building
// either succeeds or ends the process with exit status 1 and a message on
// standard error. Uniforms are set by name on the program currently in use;
// a name the program does not have is silently ignored.
class Shader {
public:
    GlProgram program;
    GlShaderStage vertexShader;
    GlShaderStage fragmentShader;

    Shader(const std::string& vertexPath, const std::string& fragmentPath);
    // The same, with `fragmentDefinitions` (lines such as "#define N 4\n")
    // inserted into the fragment source right after its #version line; the
    // lines after them keep their numbers in the compiler's messages.
    Shader(const std::string& vertexPath, const std::string& fragmentPath, const std::string& fragmentDefinitions);
    // Deletes the program, then the vertex stage, then the fragment stage.
    ~Shader();

    void setFloat(const char* name, float value) const;
    void setInt(const char* name, int value) const;
    void setVec3(const char* name, const glm::vec3& value) const;
    void setMat4(const char* name, const glm::mat4& value) const;

    // GL_ACTIVE_UNIFORMS of the linked program; the lit pass tells program
    // kinds apart by it.
    int activeUniformCount() const;

private:
    static GlShaderStage loadShader(const std::string& path, GLenum type, const std::string& definitions = "");
    void link();
    GLint location(const char* name) const;
};
