#version 410 core

// One direction of a separable Gaussian blur; the frame alternates directions
// over ten passes, which widens the kernel pass by pass. Five unfiltered reads
// keep each pass cheap. At 2 and 6 pixels out they widen the glow while
// cancelling the 4-pixel blocks of the enlarged quarter-size input (half a
// block apart); the wide part of the glow comes from the bright-part pass.
// The taps are placed in the target's pixels and mapped to the input's own
// texels, so the quarter-size bright parts are enlarged on the way.

in vec2 texcoords;
out vec4 fragColor;

uniform sampler2D image;
uniform int horizontal;

const float nearOffset = 2.0;
const float farOffset = 6.0;
const float centreWeight = 0.4;
const float nearWeight = 0.2;
const float farWeight = 0.1;

void main()
{
    vec2 inputSize = vec2(textureSize(image, 0));
    ivec2 last = textureSize(image, 0) - 1;
    // One target pixel in texture coordinates (the quad's coordinates are linear).
    vec2 pixel = abs(vec2(dFdx(texcoords.x), dFdy(texcoords.y)));
    vec2 direction = horizontal == 1 ? vec2(pixel.x, 0.0) : vec2(0.0, pixel.y);
    vec2 near = nearOffset * direction;
    vec2 far = farOffset * direction;

    vec3 sum = centreWeight * texelFetch(image, clamp(ivec2(texcoords * inputSize), ivec2(0), last), 0).rgb;
    sum += nearWeight * texelFetch(image, clamp(ivec2((texcoords + near) * inputSize), ivec2(0), last), 0).rgb;
    sum += nearWeight * texelFetch(image, clamp(ivec2((texcoords - near) * inputSize), ivec2(0), last), 0).rgb;
    sum += farWeight * texelFetch(image, clamp(ivec2((texcoords + far) * inputSize), ivec2(0), last), 0).rgb;
    sum += farWeight * texelFetch(image, clamp(ivec2((texcoords - far) * inputSize), ivec2(0), last), 0).rgb;
    fragColor = vec4(sum, 1.0);
}
