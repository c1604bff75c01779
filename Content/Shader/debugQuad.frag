#version 410 core

// Shows the first channel of the texture on unit 0 as grey.
in vec2 texcoords;
out vec4 fragColor;

uniform sampler2D image;

void main()
{
    float value = texture(image, texcoords).r;
    fragColor = vec4(vec3(value), 1.0);
}
