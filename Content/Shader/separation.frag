#version 410 core

// Splits the scene, at a quarter of its size, into the plain image (output 0)
// and its bright parts (output 1): the sun, the highlights on the cogwheels.
// Each output texel covers 4 x 4 scene pixels; four filtered reads between
// them see all sixteen, and each read is thresholded on its own so that small
// bright highlights are not averaged away.

in vec2 texcoords;
layout(location = 0) out vec4 plainColor;
layout(location = 1) out vec4 brightColor;

uniform sampler2D image;

const float threshold = 0.72;
const float knee = 0.18;

vec3 brightPart(vec3 color)
{
    float luminance = dot(color, vec3(0.2126, 0.7152, 0.0722));
    // Quadratic soft knee below the threshold, linear above it.
    float soft = clamp(luminance - threshold + knee, 0.0, 2.0 * knee);
    soft = soft * soft / (4.0 * knee + 1e-4);
    float contribution = max(soft, luminance - threshold) / max(luminance, 1e-4);
    return color * contribution;
}

void main()
{
    vec2 texel = 1.0 / vec2(textureSize(image, 0));
    vec3 a = texture(image, texcoords + texel * vec2(-1.0, -1.0)).rgb;
    vec3 b = texture(image, texcoords + texel * vec2(1.0, -1.0)).rgb;
    vec3 c = texture(image, texcoords + texel * vec2(-1.0, 1.0)).rgb;
    vec3 d = texture(image, texcoords + texel * vec2(1.0, 1.0)).rgb;
    plainColor = vec4(0.25 * (a + b + c + d), 1.0);
    brightColor = vec4(0.25 * (brightPart(a) + brightPart(b) + brightPart(c) + brightPart(d)), 1.0);
}
