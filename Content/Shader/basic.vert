#version 410 core

layout(location = 0) in vec3 position;

uniform mat4 view_project;
uniform mat4 model;

void main()
{
    gl_Position = view_project * model * vec4(position, 1.0);
}
