#version 410 core

// The benchmark's yardstick: one texel read and written per pixel, the
// cheapest full-screen pass there is.
out vec4 fragColor;

uniform sampler2D image;

void main()
{
    fragColor = texelFetch(image, ivec2(gl_FragCoord.xy), 0);
}
