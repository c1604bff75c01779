#version 410 core

// Plain white, no texture, no light.
out vec4 fragColor;

void main()
{
    fragColor = vec4(1.0);
}
