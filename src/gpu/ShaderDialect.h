#pragma once

#include <string>

// A shader file's text as this platform's OpenGL compiles it. The files are
// written for OpenGL 4.1 core ("#version 410 core"); the desktop takes them
// as they are, the browser's WebGL 2 as GLSL ES 3.00 (ShaderDialectWeb.cpp).
std::string inPlatformDialect(const std::string& source);
