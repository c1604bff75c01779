#version 410 core

// One glyph quad: position in window pixels (xy) and texture coordinates (zw).
layout(location = 0) in vec4 vertex;

out vec2 texcoords;

uniform mat4 projection;

void main()
{
    texcoords = vertex.zw;
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
}
