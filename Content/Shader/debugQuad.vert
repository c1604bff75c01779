#version 410 core

// A quarter-screen quad for looking at a texture while debugging.
layout(location = 0) in vec3 vertPos;
layout(location = 1) in vec2 uv;

out vec2 texcoords;

void main()
{
    texcoords = uv;
    gl_Position = vec4(vertPos, 1.0);
}
