#version 410 core

// The sun glows: its surface texture is brightened well past its stored
// colour so that the bright-part extraction picks it up. Black stays black,
// which keeps Saturn's silhouette in the sun image pass dark.
uniform sampler2D color_texture;
uniform float transparency;

in vec2 texCoord;

out vec4 fragColor;

void main()
{
    vec3 surface = texture(color_texture, texCoord).rgb;
    vec3 glowing = surface * 1.5 + surface * surface * 0.8;
    fragColor = vec4(glowing, transparency);
}
