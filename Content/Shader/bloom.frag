#version 410 core

// One direction of a separable Gaussian blur; the frame alternates directions
// over ten passes, which widens the kernel pass by pass. Five unfiltered reads
// two texels apart (binomial weights) keep each pass cheap. Coordinates come
// from the input's own size, so a quarter-size input is enlarged on the way.

in vec2 texcoords;
out vec4 fragColor;

uniform sampler2D image;
uniform int horizontal;

const int spacing = 2;
const float centreWeight = 6.0 / 16.0;
const float nearWeight = 4.0 / 16.0;
const float farWeight = 1.0 / 16.0;

void main()
{
    ivec2 size = textureSize(image, 0);
    ivec2 last = size - 1;
    ivec2 p = ivec2(texcoords * vec2(size));
    ivec2 step = horizontal == 1 ? ivec2(spacing, 0) : ivec2(0, spacing);

    vec3 sum = centreWeight * texelFetch(image, p, 0).rgb;
    sum += nearWeight * texelFetch(image, clamp(p + step, ivec2(0), last), 0).rgb;
    sum += nearWeight * texelFetch(image, clamp(p - step, ivec2(0), last), 0).rgb;
    sum += farWeight * texelFetch(image, clamp(p + 2 * step, ivec2(0), last), 0).rgb;
    sum += farWeight * texelFetch(image, clamp(p - 2 * step, ivec2(0), last), 0).rgb;
    fragColor = vec4(sum, 1.0);
}
