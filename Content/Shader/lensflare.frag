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
// only finer. The renderer builds this program once for each count it needs,
// with FLARE_READS defined as the count: loops of a constant length, which a
// shader compiler for the CPU unrolls. One loop over the reads serves the four
// ghosts and the halo, and the ghosts' directions around the circle come from
// one rotation, not from a sine and a cosine per read.

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
// Reads per ghost and along the fringe (see above).
const int reads = FLARE_READS;
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

void main()
{
    vec2 size = vec2(textureSize(sun_texture, 0));
    vec2 aspect = size / size.y;
    vec2 fromCentre = texcoords - 0.5;
    // Ghosts: the first read above the ghost's place, the others evenly
    // around the circle. Halo: a pixel lights up when the sun stands
    // haloRadius nearer the centre on the same radial line. Each read along
    // the fringe, at `along` from -1 (inside) to 1 (outside), counts towards
    // blue, green and red in proportion to its nearness to -1, 0 and 1; each
    // colour is the mean of its reads. With three reads that is one read per
    // colour.
    vec2 source[ghostCount];
    float seen[ghostCount];
    for (int i = 0; i < ghostCount; ++i) {
        source[i] = 0.5 + fromCentre / ghostScale[i];
        seen[i] = 0.0;
    }
    vec2 radial = normalize(fromCentre * aspect + vec2(1e-6)) / aspect;
    vec3 halo = vec3(0.0);
    vec3 weights = vec3(0.0);
    float step = turn / float(reads);
    mat2 rotate = mat2(cos(step), sin(step), -sin(step), cos(step));
    vec2 direction = vec2(0.0, 1.0);
    for (int k = 0; k < reads; ++k) {
        vec2 around = direction * ghostSpread / aspect;
        direction = rotate * direction;
        for (int i = 0; i < ghostCount; ++i)
            seen[i] += sunAt(source[i] + around);

        float along = 2.0 * float(k) / float(reads - 1) - 1.0;
        vec3 weight = max(vec3(0.0), 1.0 - abs(vec3(along) - vec3(1.0, 0.0, -1.0)));
        halo += weight * sunAt(texcoords - radial * haloRadius * (1.0 + fringe * along));
        weights += weight;
    }

    vec3 flare = vec3(0.0);
    for (int i = 0; i < ghostCount; ++i)
        flare += ghostTint[i] * min(seen[i], 1.0);
    flare *= ghostWeight;
    flare += haloWeight * halo / weights;
    fragColor = vec4(flare, 1.0);
}
