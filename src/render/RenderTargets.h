#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>

// Creation (and re-creation, at a new size) of the renderer's off-screen
// targets. Each function (re)allocates the storage of the given, already
// generated, names, attaches it, checks the framebuffer and binds the default
// framebuffer again. An incomplete framebuffer is reported on standard output.

// Colour texture plus a 24-bit depth renderbuffer (the lit scene).
void createSceneFramebuffer(GLuint framebuffer, GLuint renderbuffer, GLuint texture, int width, int height);
// One colour texture, no depth (ping-pong, bloom, lens flare, sun image).
void createColorFramebuffer(GLuint framebuffer, GLuint texture, int width, int height);
// Two colour textures on attachments 0 and 1, no depth (bright-part separation).
void createSeparationFramebuffer(GLuint framebuffer, GLuint texture0, GLuint texture1, int width, int height);
// A depth texture with depth comparison, no colour (the shadow map).
void createDepthMapFramebuffer(GLuint framebuffer, GLuint texture, int width, int height);

// A side of the bright-part target: a quarter of the framebuffer's (rounded
// down), but at least one texel so that even a sliver of a window stays complete.
int separationSide(int framebufferSide);

// The shadow map's size for a framebuffer: eight times each side, but never
// more than the driver can hold as a texture or render to as a viewport.
glm::ivec2 shadowMapSize(int framebufferWidth, int framebufferHeight);
// The same with the driver limit given (largest side in texels).
glm::ivec2 shadowMapSize(int framebufferWidth, int framebufferHeight, glm::ivec2 maximum);
