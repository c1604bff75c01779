#version 410 core

uniform samplerCube skyBox;

in vec3 direction;

out vec4 fragColor;

void main()
{
    fragColor = vec4(texture(skyBox, direction).rgb, 1.0);
}
