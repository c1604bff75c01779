#version 410 core

// The full-screen quad shared by every post-processing pass.
layout(location = 0) in vec3 vertPos;

out vec2 texcoords;

void main()
{
    texcoords = vertPos.xy * 0.5 + 0.5;
    gl_Position = vec4(vertPos, 1.0);
}
