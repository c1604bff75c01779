#version 410 core

// Only depth is written; the shadow map has no colour buffer.
void main()
{
}
