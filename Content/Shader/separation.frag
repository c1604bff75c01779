#version 410 core

// Splits the scene, at a quarter of its size, into the plain image (output 0)
// and its bright parts (output 1): the sun, the highlights on the cogwheels.
// Each output texel covers 4 x 4 scene pixels; four filtered reads between
// them see all sixteen, and each read is thresholded on its own so that small
// highlights are not averaged away. Two rings of reads further out spread a
// wide, soft glow around bright things; at this size they are cheap, and the
// blur passes that follow smooth the rings out.

in vec2 texcoords;
layout(location = 0) out vec4 plainColor;
layout(location = 1) out vec4 brightColor;

uniform sampler2D image;

// The colours are 8-bit, so the bright parts keep their full colour once past
// the threshold; a smooth knee of +-knee around it avoids a hard edge.
const float threshold = 0.9;
const float knee = 0.08;

// Glow rings: radius in output texels (4 scene pixels each) and weight per read.
const float innerRadius = 2.5;
const float innerWeight = 0.11;
const float outerRadius = 5.5;
const float outerWeight = 0.06;
// A half step (22.5 degrees) between the two rings so that their reads interleave.
const mat2 halfStep = mat2(0.9239, 0.3827, -0.3827, 0.9239);
const vec2 ringDirections[8] = vec2[](vec2(1.0, 0.0), vec2(0.7071, 0.7071), vec2(0.0, 1.0), vec2(-0.7071, 0.7071),
                                      vec2(-1.0, 0.0), vec2(-0.7071, -0.7071), vec2(0.0, -1.0), vec2(0.7071, -0.7071));

vec3 brightPart(vec3 color)
{
    float luminance = dot(color, vec3(0.2126, 0.7152, 0.0722));
    return color * smoothstep(threshold - knee, threshold + knee, luminance);
}

void main()
{
    vec2 texel = 1.0 / vec2(textureSize(image, 0));
    vec3 a = texture(image, texcoords + texel * vec2(-1.0, -1.0)).rgb;
    vec3 b = texture(image, texcoords + texel * vec2(1.0, -1.0)).rgb;
    vec3 c = texture(image, texcoords + texel * vec2(-1.0, 1.0)).rgb;
    vec3 d = texture(image, texcoords + texel * vec2(1.0, 1.0)).rgb;
    plainColor = vec4(0.25 * (a + b + c + d), 1.0);

    vec3 bright = 0.25 * (brightPart(a) + brightPart(b) + brightPart(c) + brightPart(d));
    // The ring reads are plain texel reads (a third of the cost of a filtered one).
    ivec2 size = textureSize(image, 0);
    ivec2 last = size - 1;
    vec2 centre = texcoords * vec2(size);
    for (int i = 0; i < 8; ++i) {
        vec2 inner = centre + 4.0 * innerRadius * ringDirections[i];
        vec2 outer = centre + 4.0 * outerRadius * (halfStep * ringDirections[i]);
        bright += innerWeight * brightPart(texelFetch(image, clamp(ivec2(inner), ivec2(0), last), 0).rgb);
        bright += outerWeight * brightPart(texelFetch(image, clamp(ivec2(outer), ivec2(0), last), 0).rgb);
    }
    brightColor = vec4(bright, 1.0);
}
