#version 410 core

// The sky cube around the viewer; view_project carries only the camera's
// rotation, so the sky never moves with the camera.
layout(location = 0) in vec3 position;

uniform mat4 view_project;

out vec3 direction;

void main()
{
    direction = position;
    gl_Position = view_project * vec4(position, 1.0);
}
