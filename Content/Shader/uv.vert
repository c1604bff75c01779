#version 410 core

// Unlit, textured objects (the sun).
layout(location = 0) in vec3 position;
layout(location = 2) in vec2 uv;

uniform mat4 view_project;
uniform mat4 model;

out vec2 texCoord;

void main()
{
    texCoord = uv;
    gl_Position = view_project * model * vec4(position, 1.0);
}
