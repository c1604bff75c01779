#version 410 core

// Lens flare from the image of the sun alone (black where Saturn covers it,
// the clear grey elsewhere): ghosts, mirrored and scaled copies of the sun on
// the line through the screen centre, and a halo ring around the centre with
// a slight colour fringe. It follows the sun across the screen and vanishes
// when the sun is hidden. The frame blurs the result afterwards, so plain
// unfiltered reads are enough here.

in vec2 texcoords;
out vec4 fragColor;

uniform sampler2D image; // the lit scene (not needed: the sun image says it all)
uniform sampler2D sun_texture;

// Only the sun itself is bright enough; the grey background and Saturn's
// black give nothing.
const float sunThreshold = 0.5;
const int ghostCount = 4;
// Where a ghost stands relative to the sun, through the screen centre (-1 is
// the mirror image), which is also its size relative to the sun's.
const float ghostScale[ghostCount] = float[](-0.5, -1.4, 0.55, -2.6);
const vec3 ghostTint[ghostCount] = vec3[](vec3(1.0, 0.75, 0.35), vec3(0.35, 0.6, 1.0),
                                          vec3(0.9, 0.9, 0.6), vec3(0.45, 0.9, 0.55));
const float ghostWeight = 1.3;
const float haloRadius = 0.42; // in screen heights
const float haloWeight = 0.5;
const float fringe = 0.03;

// How far the sun image at `uv` is over the threshold (0 outside the image).
float sunAt(vec2 uv)
{
    ivec2 size = textureSize(sun_texture, 0);
    vec3 colour = texelFetch(sun_texture, clamp(ivec2(uv * vec2(size)), ivec2(0), size - 1), 0).rgb;
    vec2 inside = step(vec2(0.0), uv) * step(uv, vec2(1.0));
    float luminance = dot(colour, vec3(0.2126, 0.7152, 0.0722));
    return max(luminance - sunThreshold, 0.0) * (inside.x * inside.y);
}

void main()
{
    vec2 size = vec2(textureSize(sun_texture, 0));
    vec2 aspect = size / size.y;
    vec2 fromCentre = texcoords - 0.5;

    vec3 flare = vec3(0.0);
    for (int i = 0; i < ghostCount; ++i)
        flare += ghostTint[i] * sunAt(0.5 + fromCentre / ghostScale[i]);
    flare *= ghostWeight;

    // Halo: a pixel lights up when the sun stands haloRadius nearer the
    // centre on the same radial line; red reaches a little further than blue.
    vec2 radial = normalize(fromCentre * aspect + vec2(1e-6)) / aspect;
    vec3 halo;
    halo.r = sunAt(texcoords - radial * haloRadius * (1.0 + fringe));
    halo.g = sunAt(texcoords - radial * haloRadius);
    halo.b = sunAt(texcoords - radial * haloRadius * (1.0 - fringe));
    flare += haloWeight * halo;

    fragColor = vec4(flare, 1.0);
}
