#version 410 core

// Adds glow on top of a base image. It serves two composites:
//  - bloom: base = ninth blur pass, "bloom" = "flare" = tenth blur pass;
//    the result is a brighter, wider glow from both passes;
//  - final: base = the lit scene, "bloom" = the bloom image, "flare" = the
//    blurred lens flare. Where there is no glow the scene comes out unchanged.
// Both composites give every input: the base image as "scene", the glow as
// "bloom" and "flare", and "useLensflare" = 1.

out vec4 fragColor;

uniform sampler2D scene;
uniform sampler2D bloom;
uniform sampler2D flare;
uniform int useLensflare;

const float bloomStrength = 1.0;
const float flareStrength = 1.0;

void main()
{
    // Every input has the target's size: read the pixel's own texel.
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 base = texelFetch(scene, pixel, 0).rgb;
    vec3 glow = bloomStrength * texelFetch(bloom, pixel, 0).rgb;
    if (useLensflare == 1)
        glow += flareStrength * texelFetch(flare, pixel, 0).rgb;
    fragColor = vec4(base + glow, 1.0);
}
