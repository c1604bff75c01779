#version 410 core

// Lit objects: world-space position and normal for the sun light, and the
// position in the light's clip space for the shadow lookup.
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;

uniform mat4 view_project;
uniform mat4 model;
uniform mat4 light_view_project;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;
out vec4 lightSpacePosition;

void main()
{
    vec4 world = model * vec4(position, 1.0);
    worldPosition = world.xyz;
    // Every object is scaled uniformly, so the model's upper 3x3 turns
    // normals correctly once they are renormalised.
    worldNormal = mat3(model) * normal;
    texCoord = uv;
    lightSpacePosition = light_view_project * world;
    gl_Position = view_project * world;
}
