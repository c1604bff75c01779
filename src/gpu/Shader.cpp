#include "gpu/Shader.h"

#include "gpu/ShaderDialect.h"
#include "gpu/StartupTimings.h"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& message)
{
    std::cerr << message << std::endl;
    std::exit(1);
}

// Writes the info log of a shader or program object and ends the process.
template <typename GetParameter, typename GetLog>
[[noreturn]] void failWithLog(GLuint object, GetParameter getParameter, GetLog getLog)
{
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    getLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
    fail(log.data());
}

// `source` with `definitions` after its #version line (at the start without
// one), followed by a #line directive so that the compiler numbers the lines
// after them as in the file.
std::string withDefinitions(const std::string& source, const std::string& definitions)
{
    if (definitions.empty())
        return source;
    const size_t version = source.find("#version");
    const size_t lineEnd = version == std::string::npos ? std::string::npos : source.find('\n', version);
    const size_t at = lineEnd == std::string::npos ? 0 : lineEnd + 1;
    const auto linesBefore = std::count(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(at), '\n');
    return source.substr(0, at) + definitions + "#line " + std::to_string(linesBefore + 1) + "\n" + source.substr(at);
}

} // namespace

Shader::Shader(const std::string& vertexPath, const std::string& fragmentPath) : Shader(vertexPath, fragmentPath, "") {}

Shader::Shader(const std::string& vertexPath, const std::string& fragmentPath, const std::string& fragmentDefinitions)
{
    const ScopedStartupTimer timer(StartupStage::ShaderBuild);
    program = GlProgram::create();
    if (program == 0)
        fail("ERROR: Could not create Shader Program");
    vertexShader = loadShader(vertexPath, GL_VERTEX_SHADER);
    fragmentShader = loadShader(fragmentPath, GL_FRAGMENT_SHADER, fragmentDefinitions);
    link();
}

Shader::~Shader()
{
    program.reset();
    vertexShader.reset();
    fragmentShader.reset();
}

GlShaderStage Shader::loadShader(const std::string& path, GLenum type, const std::string& definitions)
{
    // Only a plain file is opened: a stream reads a folder only to throw, and a
    // fifo or a device may never end.
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error))
        file.open(path);
    if (!file.is_open())
        fail("ERROR: Could not load shader from file " + path);
    const std::string source((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.close();

    GlShaderStage out(glCreateShader(type));
    if (out == 0)
        fail("ERROR: Could not create Shader");

    const std::string text = inPlatformDialect(withDefinitions(source, definitions));
    const char* textPointer = text.c_str();
    glShaderSource(out, 1, &textPointer, nullptr);
    glCompileShader(out);

    GLint compiled = 0;
    glGetShaderiv(out, GL_COMPILE_STATUS, &compiled);
    if (compiled == 0)
        failWithLog(out, glGetShaderiv, glGetShaderInfoLog);
    return out;
}

void Shader::link()
{
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);

    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == 0)
        failWithLog(program, glGetProgramiv, glGetProgramInfoLog);
}

GLint Shader::location(const char* name) const
{
    return glGetUniformLocation(program, name);
}

void Shader::setFloat(const char* name, float value) const
{
    glUniform1fv(location(name), 1, &value);
}

void Shader::setInt(const char* name, int value) const
{
    glUniform1i(location(name), value);
}

void Shader::setVec3(const char* name, const glm::vec3& value) const
{
    glUniform3fv(location(name), 1, glm::value_ptr(value));
}

void Shader::setMat4(const char* name, const glm::mat4& value) const
{
    glUniformMatrix4fv(location(name), 1, GL_FALSE, glm::value_ptr(value));
}

int Shader::activeUniformCount() const
{
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    return count;
}
