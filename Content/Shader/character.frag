#version 410 core

// The glyph's coverage (red channel) becomes the alpha of the text colour.
in vec2 texcoords;
out vec4 fragColor;

uniform sampler2D text;
uniform vec3 textColor;

void main()
{
    fragColor = vec4(textColor, texture(text, texcoords).r);
}
