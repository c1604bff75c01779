#version 410 core

// Lens flare from the image of the sun alone (black where Saturn covers it,
// the clear grey elsewhere): ghosts, mirrored and scaled copies of the sun on
// the line through the screen centre, and a halo ring around the centre with
// a slight colour fringe. It follows the sun across the screen and vanishes
// when the sun is hidden. The frame blurs the result afterwards.

in vec2 texcoords;
out vec4 fragColor;

uniform sampler2D image; // the lit scene (not needed: the sun image says it all)
uniform sampler2D sun_texture;

const float sunThreshold = 0.45;
const int ghostCount = 4;
// Where a ghost stands relative to the sun (through the centre), and its size.
const float ghostScale[ghostCount] = float[](-0.55, -1.3, 0.45, -2.6);
const vec3 ghostTint[ghostCount] = vec3[](vec3(0.9, 0.6, 0.25), vec3(0.3, 0.5, 0.9),
                                          vec3(0.8, 0.8, 0.5), vec3(0.5, 0.8, 0.5));
const float ghostWeight = 0.45;
const float haloRadius = 0.42;
const float haloWeight = 0.22;
const float fringe = 0.025;

// The bright part of the sun image at `uv`; nothing outside the image.
vec3 sunAt(vec2 uv)
{
    ivec2 size = textureSize(sun_texture, 0);
    vec3 colour = texelFetch(sun_texture, clamp(ivec2(uv * vec2(size)), ivec2(0), size - 1), 0).rgb;
    vec2 inside = step(vec2(0.0), uv) * step(uv, vec2(1.0));
    return max(colour - sunThreshold, 0.0) * (inside.x * inside.y);
}

void main()
{
    vec2 aspect = vec2(textureSize(sun_texture, 0)) / float(textureSize(sun_texture, 0).y);
    vec2 fromCentre = texcoords - 0.5;

    vec3 flare = vec3(0.0);
    for (int i = 0; i < ghostCount; ++i)
        flare += ghostTint[i] * sunAt(0.5 + fromCentre / ghostScale[i]);
    flare *= ghostWeight;

    // Halo: the pixel lights up when the sun stands haloRadius closer to the
    // centre along its own radial line; red and blue a little apart.
    vec2 radial = normalize(fromCentre * aspect + 1e-6) / aspect;
    vec3 halo;
    halo.r = sunAt(texcoords - radial * haloRadius * (1.0 + fringe)).r;
    halo.g = sunAt(texcoords - radial * haloRadius).g;
    halo.b = sunAt(texcoords - radial * haloRadius * (1.0 - fringe)).b;
    flare += haloWeight * halo;

    fragColor = vec4(flare, 1.0);
}
