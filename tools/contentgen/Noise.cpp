#include "Noise.h"

#include <cmath>

namespace contentgen {

namespace {

uint64_t splitMix64(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t rotl(uint32_t x, int k) { return (x << k) | (x >> (32 - k)); }

// Integer hash of a lattice point (a variant of the lowbias32 mixer).
uint32_t hashLattice(int x, int y, int z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = rotl(h, 13) * 0xC2B2AE35u;
    h ^= static_cast<uint32_t>(y) * 0x27D4EB2Fu;
    h = rotl(h, 15) * 0x165667B1u;
    h ^= static_cast<uint32_t>(z) * 0xD3A2646Cu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashUnit(uint32_t h) { return static_cast<float>(h >> 8) * (1.0f / 16777216.0f); }

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

int wrapIndex(int i, int period) {
    if (period <= 0) return i;
    int m = i % period;
    return m < 0 ? m + period : m;
}

glm::vec2 gradient2(int x, int y, uint32_t seed) {
    float a = hashUnit(hashLattice(x, y, 0, seed)) * 6.2831853f;
    return {std::cos(a), std::sin(a)};
}

glm::vec3 gradient3(int x, int y, int z, uint32_t seed) {
    uint32_t h = hashLattice(x, y, z, seed);
    float cz = hashUnit(h) * 2.0f - 1.0f;
    float a = hashUnit(h * 0x2545F491u + 0x9E37u) * 6.2831853f;
    float r = std::sqrt(std::fmax(0.0f, 1.0f - cz * cz));
    return {r * std::cos(a), r * std::sin(a), cz};
}

} // namespace

Random::Random(uint64_t seed) {
    uint64_t state = seed;
    for (int i = 0; i < 4; i += 2) {
        uint64_t v = splitMix64(state);
        s[i] = static_cast<uint32_t>(v);
        s[i + 1] = static_cast<uint32_t>(v >> 32);
    }
}

uint32_t Random::next() {
    const uint32_t result = rotl(s[1] * 5u, 7) * 9u;
    const uint32_t t = s[1] << 9;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = rotl(s[3], 11);
    return result;
}

float Random::uniform() { return hashUnit(next()); }

float Random::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

int Random::below(int n) { return static_cast<int>(uniform() * static_cast<float>(n)) % n; }

glm::vec3 Random::unitVector() {
    float z = range(-1.0f, 1.0f);
    float a = range(0.0f, 6.2831853f);
    float r = std::sqrt(std::fmax(0.0f, 1.0f - z * z));
    return {r * std::cos(a), r * std::sin(a), z};
}

float gradientNoise2(glm::vec2 p, glm::ivec2 period, uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(p.x));
    const int y0 = static_cast<int>(std::floor(p.y));
    const float fx = p.x - static_cast<float>(x0);
    const float fy = p.y - static_cast<float>(y0);
    float corner[2][2];
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) {
            glm::vec2 g = gradient2(wrapIndex(x0 + i, period.x), wrapIndex(y0 + j, period.y), seed);
            corner[j][i] = glm::dot(g, glm::vec2(fx - static_cast<float>(i), fy - static_cast<float>(j)));
        }
    const float u = fade(fx), v = fade(fy);
    const float a = corner[0][0] + (corner[0][1] - corner[0][0]) * u;
    const float b = corner[1][0] + (corner[1][1] - corner[1][0]) * u;
    return (a + (b - a) * v) * 1.41421356f;
}

float gradientNoise3(glm::vec3 p, uint32_t seed) {
    const glm::ivec3 c0(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)),
                        static_cast<int>(std::floor(p.z)));
    const glm::vec3 f = p - glm::vec3(c0);
    float corner[8];
    for (int k = 0; k < 8; ++k) {
        const glm::ivec3 o(k & 1, (k >> 1) & 1, (k >> 2) & 1);
        corner[k] = glm::dot(gradient3(c0.x + o.x, c0.y + o.y, c0.z + o.z, seed), f - glm::vec3(o));
    }
    const float u = fade(f.x), v = fade(f.y), w = fade(f.z);
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    const float x00 = lerp(corner[0], corner[1], u), x10 = lerp(corner[2], corner[3], u);
    const float x01 = lerp(corner[4], corner[5], u), x11 = lerp(corner[6], corner[7], u);
    return lerp(lerp(x00, x10, v), lerp(x01, x11, v), w) * 1.2f;
}

float fbm2(glm::vec2 p, int octaves, glm::ivec2 period, uint32_t seed) {
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * gradientNoise2(p, period, seed + static_cast<uint32_t>(o) * 1013u);
        norm += amplitude;
        amplitude *= 0.5f;
        p *= 2.0f;
        period *= 2;
    }
    return sum / norm;
}

float fbm3(glm::vec3 p, int octaves, uint32_t seed) {
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * gradientNoise3(p, seed + static_cast<uint32_t>(o) * 1013u);
        norm += amplitude;
        amplitude *= 0.5f;
        // A slight skew per octave keeps the lattice axes from lining up.
        p = glm::vec3(p.x * 2.0f + 0.31f * p.y, p.y * 2.0f - 0.27f * p.z, p.z * 2.0f + 0.23f * p.x) + 17.1f;
    }
    return sum / norm * 1.4f;
}

glm::vec2 cellular3(glm::vec3 p, uint32_t seed) {
    const glm::ivec3 c(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)),
                       static_cast<int>(std::floor(p.z)));
    float d1 = 1e9f, d2 = 1e9f;
    for (int dz = -1; dz <= 1; ++dz)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const glm::ivec3 cell = c + glm::ivec3(dx, dy, dz);
                const uint32_t h = hashLattice(cell.x, cell.y, cell.z, seed);
                const glm::vec3 jitter(hashUnit(h), hashUnit(h * 0x2545F491u + 1u), hashUnit(h * 0x9E3779B9u + 7u));
                const float d = glm::length(glm::vec3(cell) + jitter - p);
                if (d < d1) {
                    d2 = d1;
                    d1 = d;
                } else if (d < d2) {
                    d2 = d;
                }
            }
    return {d1, d2};
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float clamp01(float x) { return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x); }

} // namespace contentgen
