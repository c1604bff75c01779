#include "gpu/ShaderDialect.h"

// The desktop's OpenGL 4.1 core compiles the files as they are.
std::string inPlatformDialect(const std::string& source)
{
    return source;
}
