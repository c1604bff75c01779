// Deterministic randomness for the content generator: one seeded PRNG and the
// noise functions every picture and model is built from. Nothing here reads the
// clock or the C library's rand, so a run always writes the same bytes.
#pragma once

#include <cstdint>

#include <glm/glm.hpp>

namespace contentgen {

// xoshiro128** seeded through SplitMix64.
class Random {
public:
    explicit Random(uint64_t seed);
    uint32_t next();
    float uniform();                      // [0, 1)
    float range(float lo, float hi);      // [lo, hi)
    int below(int n);                     // 0 .. n-1
    glm::vec3 unitVector();               // uniform on the unit sphere
private:
    uint32_t s[4];
};

// Gradient noise in about [-1, 1]. The 2D form repeats every `period` lattice
// cells along an axis when that period is > 0, so textures can tile.
float gradientNoise2(glm::vec2 p, glm::ivec2 period, uint32_t seed);
float gradientNoise3(glm::vec3 p, uint32_t seed);

// Fractal sums of the above: octaves of doubling frequency and halving
// amplitude, normalised to about [-1, 1]. The 2D periods double with the
// frequency so the sum tiles like its first octave.
float fbm2(glm::vec2 p, int octaves, glm::ivec2 period, uint32_t seed);
float fbm3(glm::vec3 p, int octaves, uint32_t seed);

// Worley noise: distance to the nearest and second nearest feature point of a
// jittered unit lattice (one point per cell).
glm::vec2 cellular3(glm::vec3 p, uint32_t seed);

// Small shaping helpers.
float smoothstep(float edge0, float edge1, float x);
float clamp01(float x);

} // namespace contentgen
