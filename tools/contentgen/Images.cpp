#include "Images.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "Layout.h"
#include "Noise.h"

namespace contentgen {

namespace {

using Stop = std::pair<float, glm::vec3>;

// The moon and the stones in colours of their own, so that a stone never reads
// as a little moon: cool blue-grey rock against warm sandstone.
const glm::vec3 moonHighland(0.86f, 0.97f, 1.15f), moonMaria(0.76f, 0.92f, 1.24f);
const glm::vec3 stoneRust(0.96f, 0.60f, 0.38f), stoneOchre(1.0f, 0.80f, 0.54f), stoneSand(1.0f, 0.92f, 0.72f);

// Piecewise-linear colour ramp through (position, colour) stops in increasing order.
glm::vec3 ramp(float t, std::initializer_list<Stop> stops) {
    const Stop* prev = stops.begin();
    if (t <= prev->first) return prev->second;
    for (const Stop* s = stops.begin() + 1; s != stops.end(); ++s) {
        if (t <= s->first) return glm::mix(prev->second, s->second, (t - prev->first) / (s->first - prev->first));
        prev = s;
    }
    return prev->second;
}

// A scalar field over the texels of a sphere-mapped picture (row 0 = south).
struct Field {
    int w, h;
    std::vector<float> values;
    Field(int width, int height) : w(width), h(height), values(static_cast<size_t>(width) * height) {}
    float& at(int x, int y) { return values[static_cast<size_t>(y) * w + x]; }
    float get(int x, int y) const {
        x = (x % w + w) % w; // longitude wraps
        y = std::clamp(y, 0, h - 1);
        return values[static_cast<size_t>(y) * w + x];
    }
    template <typename F> void fillSphere(F f) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                at(x, y) = f(layout::sphereDirection((x + 0.5f) / w, (y + 0.5f) / h));
    }
    // Slope of the field per unit of surface length on a unit sphere, along
    // increasing u (east) and increasing v (north).
    glm::vec2 sphereSlope(int x, int y) const {
        const float latitude = layout::pi * ((y + 0.5f) / h - 0.5f);
        const float east = layout::twoPi * std::max(std::cos(latitude), 0.05f) / w;
        const float north = layout::pi / h;
        return {(get(x + 1, y) - get(x - 1, y)) / (2.0f * east), (get(x, y + 1) - get(x, y - 1)) / (2.0f * north)};
    }
};

// Adds a soft round dot (a star) of the given colour, Gaussian with sigma in pixels.
void splat(Image& img, glm::vec2 centre, float sigma, glm::vec3 colour) {
    const int reach = static_cast<int>(std::ceil(sigma * 3.0f));
    const int cx = static_cast<int>(centre.x), cy = static_cast<int>(centre.y);
    for (int y = cy - reach; y <= cy + reach; ++y)
        for (int x = cx - reach; x <= cx + reach; ++x) {
            if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) continue;
            const glm::vec2 d = glm::vec2(x + 0.5f, y + 0.5f) - centre;
            img.at(x, y) += colour * std::exp(-glm::dot(d, d) / (2.0f * sigma * sigma));
        }
}

} // namespace

Image sunTexture() {
    Image img(512, 256);
    img.fill([](float u, float v) {
        const glm::vec3 d = layout::sphereDirection(u, v);
        // Granulation: bright convection cells with darker lanes between them.
        const glm::vec2 cells = cellular3(d * 16.0f, 11u);
        const float granule = smoothstep(0.0f, 0.6f, cells.y - cells.x) * (1.0f - 0.5f * cells.x);
        const float fine = fbm3(d * 45.0f, 2, 12u);
        const float regions = fbm3(d * 3.0f, 4, 13u); // hotter and cooler patches
        const float heat = 0.52f + 0.28f * granule + 0.08f * fine + 0.22f * regions;
        return ramp(heat, {{0.25f, {0.80f, 0.30f, 0.03f}},
                           {0.50f, {1.00f, 0.58f, 0.10f}},
                           {0.70f, {1.00f, 0.80f, 0.32f}},
                           {0.90f, {1.00f, 0.95f, 0.70f}},
                           {1.00f, {1.00f, 1.00f, 0.92f}}});
    });
    return img;
}

Image moonTexture() {
    const int w = 1024, h = 512;
    // Craters: many small, few large, spread evenly over the sphere.
    struct Crater {
        glm::vec3 centre;
        float radius; // chord length, about the angular radius
        float depth;
    };
    std::vector<Crater> craters;
    Random rng(21);
    for (int i = 0; i < 900; ++i) {
        const float radius = 0.008f + 0.16f * std::pow(rng.uniform(), 7.0f);
        craters.push_back({rng.unitVector(), radius, radius * rng.range(0.15f, 0.3f)});
    }
    Field height(w, h);
    height.fillSphere([&](glm::vec3 d) {
        float z = 0.015f * fbm3(d * 6.0f, 5, 22u);
        for (const Crater& c : craters) {
            const float s = glm::length(d - c.centre) / c.radius;
            if (s >= 2.0f) continue;
            const float bowl = s < 1.0f ? (s * s - 1.0f) : 0.0f;
            const float rim = std::exp(-(s - 1.0f) * (s - 1.0f) / 0.06f) * 0.3f;
            z += c.depth * (bowl + rim);
        }
        return z;
    });
    Image img(w, h);
    // Baked light from the upper left: a slope rising towards it is in shadow.
    const glm::vec2 light = glm::normalize(glm::vec2(-0.6f, 0.8f));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const glm::vec3 d = layout::sphereDirection((x + 0.5f) / w, (y + 0.5f) / h);
            const float maria = smoothstep(0.0f, 0.3f, fbm3(d * 1.6f, 4, 23u)); // dark lowland plains
            const float grain = fbm3(d * 30.0f, 3, 24u);
            const float shade = std::clamp(-glm::dot(height.sphereSlope(x, y), light) * 0.8f, -0.16f, 0.16f);
            const float tone = 0.58f - 0.2f * maria + 0.07f * grain + shade;
            // A cool blue-grey, bluer in the maria: nothing like the warm stones.
            img.at(x, y) = tone * glm::mix(moonHighland, moonMaria, maria);
        }
    return img;
}

Image saturnTexture() {
    // Bands of random width and tone from pole to pole, lighter near the equator.
    struct Band {
        float end;
        float tone;
    };
    std::vector<Band> bands;
    Random rng(31);
    for (float start = 0.0f; start < 1.0f;) {
        const float width = rng.range(0.006f, 0.065f);
        const float fromEquator = std::abs(start + width * 0.5f - 0.5f) * 2.0f;
        bands.push_back({start + width, glm::clamp(rng.range(0.15f, 0.95f) + 0.25f * (0.5f - fromEquator), 0.0f, 1.0f)});
        start += width;
    }
    auto toneAt = [&](float v) {
        // Blend softly across each band boundary.
        const float soft = 0.004f;
        float tone = bands.back().tone;
        for (size_t i = 0; i < bands.size(); ++i) {
            if (v < bands[i].end) {
                tone = bands[i].tone;
                if (i + 1 < bands.size() && bands[i].end - v < soft)
                    tone = glm::mix(bands[i + 1].tone, tone, 0.5f + 0.5f * (bands[i].end - v) / soft);
                else if (i > 0 && v - bands[i - 1].end < soft)
                    tone = glm::mix(bands[i - 1].tone, tone, 0.5f + 0.5f * (v - bands[i - 1].end) / soft);
                break;
            }
        }
        return tone;
    };
    Image img(1024, 512);
    img.fill([&](float u, float v) {
        const glm::vec3 d = layout::sphereDirection(u, v);
        // Slight turbulence bends the band edges along the longitude.
        const float warped = v + 0.004f * fbm3(d * 7.0f, 3, 32u) + 0.0015f * fbm3(d * 25.0f, 2, 33u);
        const float streaks = fbm2(glm::vec2(warped * 180.0f, 0.5f), 3, glm::ivec2(0), 34u);
        const float tone = toneAt(warped) + 0.06f * streaks;
        glm::vec3 colour = ramp(tone, {{0.0f, {0.68f, 0.52f, 0.33f}},
                                       {0.35f, {0.80f, 0.65f, 0.43f}},
                                       {0.65f, {0.90f, 0.81f, 0.61f}},
                                       {1.0f, {0.96f, 0.92f, 0.80f}}});
        const float polar = smoothstep(0.32f, 0.45f, std::abs(v - 0.5f)); // greyer, cooler polar caps
        // Darker than the planet's true albedo: lit by the sun on top of the
        // ambient light it must stay mostly below the bloom's threshold.
        const float exposure = 0.72f;
        return exposure * glm::mix(colour, glm::vec3(0.60f, 0.61f, 0.58f) * (0.9f + 0.2f * tone), polar * 0.7f);
    });
    return img;
}

Image ringTexture() {
    Image img(256, 512);
    img.fill([](float u, float v) {
        // Fine ringlets across the ring, clumps of dust along it (tiling in u).
        const float ringlets = 0.5f + 0.5f * fbm2(glm::vec2(v * 60.0f, 0.5f), 5, glm::ivec2(0), 41u);
        const float clumps = 0.5f + 0.5f * fbm2(glm::vec2(u * 8.0f, v * 40.0f), 3, glm::ivec2(8, 0), 42u);
        float lane = 0.0f;
        for (float r : layout::laneRadius) {
            const float distance = std::abs(v - layout::ringV(r));
            lane = std::max(lane, 1.0f - smoothstep(0.055f, 0.085f, distance));
        }
        // The ring's particles take the full sun whatever the angle (the lit
        // shader treats the translucent ring so), so the lanes are stored
        // darker than the ring's true brightness, and the gaps darker still:
        // the light stones on the lanes then stand out.
        const glm::vec3 laneColour = glm::mix(glm::vec3(0.43f, 0.39f, 0.33f), glm::vec3(0.64f, 0.60f, 0.52f), ringlets) *
                                     (0.88f + 0.12f * clumps);
        const glm::vec3 gapColour = glm::vec3(0.085f, 0.075f, 0.065f) * (0.5f + ringlets) * (0.8f + 0.4f * clumps);
        const float edges = smoothstep(0.0f, 0.035f, v) * smoothstep(1.0f, 0.965f, v);
        return glm::mix(gapColour, laneColour, lane) * (0.35f + 0.65f * edges);
    });
    return img;
}

Image spaceTexture() {
    const int size = 1024;
    Image img(size, size);
    // Nebula clouds fade out towards the border so that every edge is plain
    // background: the same picture lies on all six cube faces, and their
    // edges then meet without a seam whatever their orientation.
    img.fill([](float u, float v) {
        const float border = std::min(std::min(u, 1.0f - u), std::min(v, 1.0f - v));
        const float fade = smoothstep(0.0f, 0.22f, border);
        const glm::vec2 p(u * 2.5f, v * 2.5f);
        const float violet = std::pow(clamp01(fbm2(p, 6, glm::ivec2(0), 51u) * 1.3f + 0.05f), 2.0f);
        const float teal = std::pow(clamp01(fbm2(p + 7.3f, 6, glm::ivec2(0), 52u) * 1.3f - 0.05f), 2.0f);
        const float dust = 0.5f + 0.5f * fbm2(p * 3.0f, 4, glm::ivec2(0), 53u);
        const glm::vec3 nebula = violet * glm::vec3(0.30f, 0.10f, 0.38f) + teal * glm::vec3(0.05f, 0.20f, 0.30f);
        return glm::vec3(0.008f, 0.009f, 0.016f) + fade * nebula * (0.8f + 0.6f * dust);
    });
    // Stars keep a few pixels off the border for the same reason.
    Random rng(54);
    const float margin = 5.0f;
    auto starColour = [&]() {
        return ramp(rng.uniform(), {{0.0f, {1.0f, 0.72f, 0.52f}},
                                    {0.3f, {1.0f, 0.93f, 0.82f}},
                                    {0.7f, {0.95f, 0.97f, 1.0f}},
                                    {1.0f, {0.70f, 0.80f, 1.0f}}});
    };
    for (int i = 0; i < 9000; ++i) {
        const glm::vec2 p(rng.range(margin, size - margin), rng.range(margin, size - margin));
        const float brightness = 0.05f + 0.9f * std::pow(rng.uniform(), 7.0f);
        splat(img, p, 0.55f + 0.35f * brightness, starColour() * brightness * 1.6f);
    }
    for (int i = 0; i < 25; ++i) { // a few bright stars with a soft halo
        const glm::vec2 p(rng.range(4.0f * margin, size - 4.0f * margin), rng.range(4.0f * margin, size - 4.0f * margin));
        const glm::vec3 c = starColour();
        splat(img, p, 0.9f, c * 1.5f);
        splat(img, p, 3.5f, c * 0.12f);
    }
    // The sky box uploads this file's bytes as RGB although FreeImage hands them
    // over in BGR order: store red and blue exchanged so they come out right.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) std::swap(img.at(x, y).r, img.at(x, y).b);
    return img;
}

Image steelTexture() {
    Image img(512, 512);
    img.fill([](float u, float v) {
        // Long, fine streaks along u (the brushing direction); everything tiles.
        const float streaks = fbm2(glm::vec2(u * 4.0f, v * 128.0f), 4, glm::ivec2(4, 128), 61u);
        const float grain = gradientNoise2(glm::vec2(u * 32.0f, v * 512.0f), glm::ivec2(32, 512), 62u);
        const float smudges = fbm2(glm::vec2(u * 3.0f, v * 3.0f), 3, glm::ivec2(3, 3), 63u);
        const float tone = 0.5f + 0.07f * streaks + 0.03f * grain + 0.05f * smudges;
        return tone * glm::vec3(0.97f, 0.99f, 1.03f);
    });
    return img;
}

Image blackTexture() { return Image(16, 16); }

StoneTextures stoneTextures() {
    const int size = 512;
    // Height in model units over the sphere mapping the stone mesh uses:
    // plates of rock split by a network of cracks, each plate bulging a
    // little, with lumps, pits and a fine grain on top. The plates are large
    // enough to show in the light from where a player has to react.
    Field height(size, size);
    height.fillSphere([](glm::vec3 d) {
        const float lumps = fbm3(d * 2.5f, 5, 81u);
        // Plates: cells of a warped cellular noise, so that their edges wander.
        const glm::vec3 warp(fbm3(d * 2.0f, 3, 88u), fbm3(d * 2.0f + 5.2f, 3, 88u), fbm3(d * 2.0f + 9.7f, 3, 88u));
        const glm::vec2 cells = cellular3((d + 0.3f * warp) * 2.6f, 82u);
        const float bulge = -cells.x * cells.x;
        // Cracks along some of the plates' edges, where a second noise lets them through.
        const float crack = (1.0f - smoothstep(0.0f, 0.07f, cells.y - cells.x)) *
                            smoothstep(-0.15f, 0.25f, gradientNoise3(d * 1.8f, 86u));
        const float pits = std::pow(clamp01(-fbm3(d * 14.0f, 3, 83u)), 2.0f);
        return 0.03f * lumps + 0.03f * bulge - 0.018f * crack - 0.01f * pits + 0.003f * fbm3(d * 40.0f, 2, 87u);
    });
    StoneTextures out{Image(size, size), Image(size, size)};
    const glm::vec3 strata = glm::normalize(glm::vec3(0.45f, 1.0f, 0.25f)); // across the layers, tilted
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const glm::vec3 d = layout::sphereDirection((x + 0.5f) / size, (y + 0.5f) / size);
            // Albedo: a warm sandstone laid down in layers, bands of ochre and
            // rust around the stone bent by its lumps (the moon has craters, the
            // stones stripes), darker in hollows and cracks, lighter on the bumps.
            const float t = clamp01(0.7f + height.get(x, y) * 12.0f);
            const float layers = 0.5f + 0.5f * std::sin(glm::dot(d, strata) * 16.0f + 4.0f * fbm3(d * 1.7f, 4, 84u));
            const glm::vec3 rock = glm::mix(glm::vec3(0.3f), glm::vec3(1.1f), t) *
                                   ramp(layers, {{0.0f, stoneRust}, {0.5f, stoneOchre}, {1.0f, stoneSand}});
            out.albedo.at(x, y) = rock * (1.0f + 0.06f * fbm3(d * 60.0f, 2, 85u));
            // Tangent-space normal: tangent along increasing u, bitangent along
            // increasing v, strength scaled from the stone's size (~0.8).
            const glm::vec2 slope = height.sphereSlope(x, y) / 0.8f;
            const glm::vec3 n = glm::normalize(glm::vec3(-slope.x, -slope.y, 1.0f));
            // "flipY": the green channel holds the negated bitangent component.
            out.normalMap.at(x, y) = glm::vec3(0.5f + 0.5f * n.x, 0.5f - 0.5f * n.y, 0.5f + 0.5f * n.z);
        }
    return out;
}

} // namespace contentgen
