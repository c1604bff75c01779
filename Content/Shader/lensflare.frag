#version 410 core

// Lens flare from the image of the sun alone (black where Saturn covers it,
// the clear grey elsewhere): ghosts, coloured copies of the sun on the line
// from the sun through the screen centre, and a halo beyond the sun on the
// same line with a colour fringe. It follows the sun across the screen and
// vanishes when the sun is hidden. The frame blurs the result afterwards, so
// plain unfiltered reads are enough here.
//
// The sun is small on screen, and the blur spreads a plain copy of it thin.
// Each ghost therefore gathers the sun from three points around its own place
// and takes the full strength of its colour where it sees the sun at all: a
// soft disc half as wide again as a plain copy, bright enough to survive the
// blur as a patch of coloured light. The three copies lie half their radius
// apart, so that they merge into one disc at any window size, also where the
// blur is too narrow to hide three. (Three reads per ghost keep the pass at
// about twice the cost of a plain copy.)

in vec2 texcoords;
out vec4 fragColor;

uniform sampler2D image; // the lit scene (not needed: the sun image says it all)
uniform sampler2D sun_texture;

// Only the sun itself is bright enough; the grey background and Saturn's
// black give nothing.
const float sunThreshold = 0.5;
const float sunKnee = 0.25;
const int ghostCount = 4;
// Where a ghost stands relative to the sun, through the screen centre (-1 is
// the mirror image), which is also its size relative to the sun's.
const float ghostScale[ghostCount] = float[](-0.6, -1.25, 0.5, -2.0);
const vec3 ghostTint[ghostCount] = vec3[](vec3(1.0, 0.55, 0.15), vec3(0.25, 0.55, 1.0),
                                          vec3(0.75, 1.0, 0.35), vec3(0.7, 0.3, 1.0));
const float ghostWeight = 1.0;
// How far around its place in the sun image a ghost gathers the sun, in
// screen heights: half the sun's radius (about 0.013 on screen).
const float ghostSpread = 0.0065;
const vec2 spreadDirections[3] = vec2[](vec2(0.0, 1.0), vec2(-0.866, -0.5), vec2(0.866, -0.5));
const float haloRadius = 0.22; // in screen heights
const float haloWeight = 0.9;
const float fringe = 0.1;

// How much of the sun the sun image shows at `uv`, 0..1 (0 outside the image).
float sunAt(vec2 uv)
{
    ivec2 size = textureSize(sun_texture, 0);
    vec3 colour = texelFetch(sun_texture, clamp(ivec2(uv * vec2(size)), ivec2(0), size - 1), 0).rgb;
    vec2 inside = step(vec2(0.0), uv) * step(uv, vec2(1.0));
    float luminance = dot(colour, vec3(0.2126, 0.7152, 0.0722));
    return smoothstep(sunThreshold, sunThreshold + sunKnee, luminance) * (inside.x * inside.y);
}

void main()
{
    vec2 size = vec2(textureSize(sun_texture, 0));
    vec2 aspect = size / size.y;
    vec2 fromCentre = texcoords - 0.5;

    vec3 flare = vec3(0.0);
    for (int i = 0; i < ghostCount; ++i) {
        vec2 source = 0.5 + fromCentre / ghostScale[i];
        float seen = 0.0;
        for (int k = 0; k < 3; ++k)
            seen += sunAt(source + spreadDirections[k] * ghostSpread / aspect);
        flare += ghostTint[i] * min(seen, 1.0);
    }
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
