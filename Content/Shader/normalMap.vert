#version 410 core

// The stones: as the lit objects, plus the tangent frame for normal mapping.
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;
layout(location = 3) in vec3 tangent;
layout(location = 4) in vec3 bitangent;

uniform mat4 view_project;
uniform mat4 model;
uniform mat4 light_view_project;

out vec3 worldPosition;
out vec3 worldNormal;
out vec3 worldTangent;
out vec3 worldBitangent;
out vec2 texCoord;
out vec4 lightSpacePosition;

void main()
{
    vec4 world = model * vec4(position, 1.0);
    mat3 turn = mat3(model); // uniform scale: fine for directions once renormalised
    worldPosition = world.xyz;
    worldNormal = turn * normal;
    worldTangent = turn * tangent;
    worldBitangent = turn * bitangent;
    texCoord = uv;
    lightSpacePosition = light_view_project * world;
    gl_Position = view_project * world;
}
