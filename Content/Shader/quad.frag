#version 410 core

// Adds glow on top of a base image. It serves two composites:
//  - bloom: base = ninth blur pass, "bloom" = "flare" = tenth blur pass;
//    the result is a brighter, wider glow from both passes;
//  - final: base = the lit scene, "bloom" = the bloom image, "flare" = the
//    blurred lens flare. Where there is no glow the scene comes out unchanged.
// Both composites put their base image on unit 0; the bloom composite names it
// "image", the final one "scene", and a sampler left unset reads unit 0 too,
// so one sampler serves both.

in vec2 texcoords;
out vec4 fragColor;

uniform sampler2D scene;
uniform sampler2D bloom;
uniform sampler2D flare;
uniform int useLensflare;

const float bloomStrength = 0.6;
const float flareStrength = 1.0;

void main()
{
    vec3 base = texture(scene, texcoords).rgb;
    vec3 glow = bloomStrength * texture(bloom, texcoords).rgb;
    if (useLensflare == 1)
        glow += flareStrength * texture(flare, texcoords).rgb;
    fragColor = vec4(base + glow, 1.0);
}
