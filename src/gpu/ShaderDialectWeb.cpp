#include "gpu/ShaderDialect.h"

// WebGL 2 compiles GLSL ES 3.00. Its language is the desktop's 4.1 one for
// everything the game's shaders use, but for two lines: the version, and the
// precision, which ES shaders must state for floats in fragment shaders and
// for shadow samplers everywhere. High precision for all, as the desktop
// computes. A #line directive keeps the file's own numbers in the compiler's
// messages.
std::string inPlatformDialect(const std::string& source)
{
    const size_t version = source.find("#version");
    if (version == std::string::npos)
        return source;
    const size_t lineEnd = source.find('\n', version);
    if (lineEnd == std::string::npos)
        return source.substr(0, version) + "#version 300 es\n";
    return source.substr(0, version) +
           "#version 300 es\n"
           "precision highp float; precision highp int; precision highp sampler2DShadow;\n"
           "#line 2\n" +
           source.substr(lineEnd + 1);
}
