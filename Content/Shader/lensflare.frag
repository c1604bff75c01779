#version 410 core

// Lens flare from the image of the sun alone (black where Saturn covers it,
// the clear grey elsewhere): ghosts, coloured copies of the sun on the line
// from the sun through the screen centre, and a halo beyond the sun on the
// same line with a colour fringe. It follows the sun across the screen and
// vanishes when the sun is hidden. The frame blurs the result afterwards, so
// plain unfiltered reads are enough here.
//
// The sun is small on screen, and the blur spreads a plain copy of it thin.
// Each ghost therefore gathers the sun from points on a circle half the sun's
// radius around its own place and takes the full strength of its colour
// where it sees the sun at all: a soft disc half as wide again as a plain
// copy, bright enough to survive the blur as a patch of coloured light. The
// halo's fringe reads the sun at points spread along the radial line, from
// blue on the inside to red on the outside.
//
// The blur reaches a fixed number of pixels, whatever the picture's size, so
// it only hides the gaps between neighbouring reads while they are that many
// pixels apart. The number of reads therefore grows with the picture's
// height: three up to 600 pixels, one more for every further 200, so that a
// ghost stays one round disc and the fringe one band of colour at every size,
// only finer. The count is the same for every pixel: the common counts get
// loops of constant length, which the compiler unrolls with each read's
// direction worked out once, at compile time; other counts loop as often as
// needed and work the directions out as they go. (Three reads per ghost keep
// the pass at about five times the cost of a plain copy at 800 x 600.)

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
const float haloRadius = 0.22; // in screen heights
const float haloWeight = 0.9;
// The fringe reaches this part of the halo's radius inwards (blue) and
// outwards (red).
const float fringe = 0.1;
// Reads per ghost and along the fringe: one for every this many pixels of the
// picture's height, at least three.
const int heightPerRead = 200;
const int maxReads = 16;
const float turn = 6.2831853;

// How much of the sun the sun image shows at `uv`, 0..1 (0 outside the image).
float sunAt(vec2 uv)
{
    ivec2 size = textureSize(sun_texture, 0);
    vec3 colour = texelFetch(sun_texture, clamp(ivec2(uv * vec2(size)), ivec2(0), size - 1), 0).rgb;
    vec2 inside = step(vec2(0.0), uv) * step(uv, vec2(1.0));
    float luminance = dot(colour, vec3(0.2126, 0.7152, 0.0722));
    return smoothstep(sunThreshold, sunThreshold + sunKnee, luminance) * (inside.x * inside.y);
}

// The flare at this pixel with `reads` reads per ghost and along the fringe.
vec3 lensFlare(int reads)
{
    vec2 size = vec2(textureSize(sun_texture, 0));
    vec2 aspect = size / size.y;
    vec2 fromCentre = texcoords - 0.5;

    // Ghosts: the first read above the ghost's place, the others evenly
    // around the circle.
    vec3 flare = vec3(0.0);
    for (int i = 0; i < ghostCount; ++i) {
        vec2 source = 0.5 + fromCentre / ghostScale[i];
        float seen = 0.0;
        for (int k = 0; k < reads; ++k) {
            float angle = turn * float(k) / float(reads);
            seen += sunAt(source + vec2(-sin(angle), cos(angle)) * ghostSpread / aspect);
        }
        flare += ghostTint[i] * min(seen, 1.0);
    }
    flare *= ghostWeight;

    // Halo: a pixel lights up when the sun stands haloRadius nearer the
    // centre on the same radial line. Each read along the fringe, at `along`
    // from -1 (inside) to 1 (outside), counts towards blue, green and red in
    // proportion to its nearness to -1, 0 and 1; each colour is the mean of
    // its reads. With three reads that is one read per colour.
    vec2 radial = normalize(fromCentre * aspect + vec2(1e-6)) / aspect;
    vec3 halo = vec3(0.0);
    vec3 weights = vec3(0.0);
    for (int k = 0; k < reads; ++k) {
        float along = 2.0 * float(k) / float(reads - 1) - 1.0;
        vec3 weight = max(vec3(0.0), 1.0 - abs(vec3(along) - vec3(1.0, 0.0, -1.0)));
        halo += weight * sunAt(texcoords - radial * haloRadius * (1.0 + fringe * along));
        weights += weight;
    }
    return flare + haloWeight * halo / weights;
}

void main()
{
    // Whole numbers: a division of floats could come out a hair above 3 at
    // exactly 600 pixels and round up to 4.
    int reads = clamp((textureSize(sun_texture, 0).y + heightPerRead - 1) / heightPerRead, 3, maxReads);
    vec3 flare;
    if (reads == 3)
        flare = lensFlare(3); // up to 600 pixels high
    else if (reads == 4)
        flare = lensFlare(4); // 720, 768, 800
    else if (reads == 6)
        flare = lensFlare(6); // 1080, 1200
    else if (reads == 8)
        flare = lensFlare(8); // 1440, 1600
    else
        flare = lensFlare(reads);
    fragColor = vec4(flare, 1.0);
}
