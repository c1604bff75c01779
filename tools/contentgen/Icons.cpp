#include "Icons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "Layout.h"
#include "Noise.h"

namespace contentgen {

namespace {

// Icon space: x to the right, y up, z towards the viewer; the picture spans
// -1..1 both ways and is seen straight along -z, without perspective.
constexpr float planetRadius = 0.5f; // equatorial; the poles are flattened as in saturn.dae
// The ring and its lanes keep the game's proportions: the lane mesh is drawn
// 50 units to its mesh unit around a Saturn 35 units across.
constexpr float ringScale = planetRadius * 50.0f / 35.0f;
constexpr float laneHalfWidth = 0.02f;  // in lane mesh units
constexpr float tipAngle = 0.40f;       // the north pole leans towards the viewer: the ring's top side shows
constexpr float rollAngle = 0.30f;      // the ring rises to the right
constexpr float moonRadius = 0.06f;
constexpr float moonAngle = 0.7f;       // the moon on the middle lane, from the ring's right end towards the viewer
const glm::vec3 towardsSun = glm::normalize(glm::vec3(-0.5f, 0.55f, 0.67f));

// The planet's own axes in icon space: along the ring to the right, north, and
// the third (towards the viewer when not tipped).
struct Axes {
    glm::vec3 right, north, front;
};

Axes planetAxes() {
    const glm::vec3 right(std::cos(rollAngle), std::sin(rollAngle), 0.0f);
    const glm::vec3 north(-std::sin(rollAngle) * std::cos(tipAngle), std::cos(rollAngle) * std::cos(tipAngle),
                          std::sin(tipAngle));
    return {right, north, glm::cross(right, north)};
}

glm::vec3 moonCentre(const Axes& axes) {
    const float lane = ringScale * layout::laneRadius[1];
    return lane * (std::cos(moonAngle) * axes.right + std::sin(moonAngle) * axes.front) + moonRadius * axes.north;
}

// Bands of random width and tone from pole to pole (0 = south, 1 = north),
// lighter towards the equator; wider than on the game's texture, so that they
// still read at icon size.
struct Band {
    float end;
    glm::vec3 colour;
};

std::vector<Band> planetBands() {
    std::vector<Band> bands;
    Random rng(61);
    for (float start = 0.0f; start < 1.0f;) {
        const float width = rng.range(0.04f, 0.12f);
        const float fromEquator = std::abs(start + width * 0.5f - 0.5f) * 2.0f;
        const float tone = clamp01(rng.range(0.2f, 0.9f) + 0.35f * (0.5f - fromEquator));
        const glm::vec3 colour = tone < 0.5f ? glm::mix(glm::vec3(0.66f, 0.49f, 0.30f), glm::vec3(0.84f, 0.70f, 0.48f), tone * 2.0f)
                                             : glm::mix(glm::vec3(0.84f, 0.70f, 0.48f), glm::vec3(0.97f, 0.93f, 0.80f), tone * 2.0f - 1.0f);
        bands.push_back({std::min(start + width, 1.0f), colour});
        start += width;
    }
    return bands;
}

glm::vec3 bandColour(const std::vector<Band>& bands, float v) {
    for (const Band& b : bands)
        if (v < b.end) return b.colour;
    return bands.back().colour;
}

// The ring at a distance from the centre: its colour and how much it covers
// (bright lanes, thinner dust between them); nothing outside it.
struct Layer {
    float depth = 0.0f; // along the view ray, smaller is nearer
    glm::vec3 colour{0.0f};
    float alpha = 0.0f;
};

Layer ringAt(float distance) {
    const float r = distance / ringScale;
    Layer ring;
    if (r < layout::ringInner || r > layout::ringOuter) return ring;
    float lane = 0.0f;
    for (float l : layout::laneRadius) lane = std::max(lane, 1.0f - smoothstep(laneHalfWidth * 0.6f, laneHalfWidth, std::abs(r - l)));
    const float edges = smoothstep(layout::ringInner, layout::ringInner + 0.01f, r) *
                        smoothstep(layout::ringOuter, layout::ringOuter - 0.01f, r);
    ring.colour = glm::mix(glm::vec3(0.60f, 0.53f, 0.44f), glm::vec3(0.97f, 0.91f, 0.78f), lane);
    ring.alpha = edges * glm::mix(0.75f, 1.0f, lane);
    return ring;
}

// Distance along the ray to the flattened planet's near side, or -1 when the
// ray misses it. `normal` receives the surface normal there.
float planetDistance(glm::vec3 origin, glm::vec3 direction, const Axes& axes, glm::vec3* normal = nullptr) {
    // In the planet's axes, scaled so that the planet is the unit sphere.
    const glm::vec3 scale = glm::vec3(1.0f, 1.0f / layout::saturnPolarRadius, 1.0f) / planetRadius;
    auto local = [&](glm::vec3 v) { return glm::vec3(glm::dot(v, axes.right), glm::dot(v, axes.north), glm::dot(v, axes.front)); };
    const glm::vec3 o = local(origin) * scale;
    const glm::vec3 d = local(direction) * scale;
    const float a = glm::dot(d, d);
    const float b = 2.0f * glm::dot(o, d);
    const float disc = b * b - 4.0f * a * (glm::dot(o, o) - 1.0f);
    if (disc < 0.0f) return -1.0f;
    const float t = (-b - std::sqrt(disc)) / (2.0f * a);
    const float far = (-b + std::sqrt(disc)) / (2.0f * a);
    if (far < 0.0f) return -1.0f;
    if (normal) {
        const glm::vec3 n = (o + t * d) * scale;
        *normal = glm::normalize(n.x * axes.right + n.y * axes.north + n.z * axes.front);
    }
    return std::max(t, 0.0f);
}

// Everything one view ray meets, nearest first, blended front to back into a
// colour (not multiplied by coverage) and a coverage.
glm::vec4 shade(glm::vec2 p, const Axes& axes, const glm::vec3& moon, const std::vector<Band>& bands) {
    const glm::vec3 origin(p, 4.0f);
    const glm::vec3 view(0.0f, 0.0f, -1.0f);
    std::vector<Layer> layers;

    glm::vec3 normal;
    const float planet = planetDistance(origin, view, axes, &normal);
    if (planet >= 0.0f) {
        const glm::vec3 hit = origin + planet * view;
        const float latitude = glm::dot(hit, axes.north) / (planetRadius * layout::saturnPolarRadius);
        glm::vec3 colour = bandColour(bands, 0.5f + 0.5f * latitude);
        colour *= 0.08f + 0.95f * std::max(glm::dot(normal, towardsSun), 0.0f);
        // The ring's shadow on the planet.
        const float along = -glm::dot(hit, axes.north) / glm::dot(towardsSun, axes.north);
        if (along > 0.0f) colour *= 1.0f - 0.75f * ringAt(glm::length(hit + along * towardsSun)).alpha;
        layers.push_back({planet, colour, 1.0f});
    }

    const float ring = glm::dot(origin, axes.north) / axes.north.z; // the ray meets the ring plane
    const glm::vec3 onRing = origin + ring * view;
    Layer r = ringAt(glm::length(onRing));
    if (r.alpha > 0.0f) {
        r.depth = ring;
        r.colour *= 0.55f + 0.6f * std::abs(glm::dot(axes.north, towardsSun));
        if (planetDistance(onRing, towardsSun, axes) >= 0.0f) r.colour *= 0.2f; // in the planet's shadow
        layers.push_back(r);
    }

    const glm::vec2 offset = p - glm::vec2(moon);
    const float inside = moonRadius * moonRadius - glm::dot(offset, offset);
    if (inside > 0.0f) {
        const glm::vec3 hit(p, moon.z + std::sqrt(inside));
        const glm::vec3 n = (hit - moon) / moonRadius;
        const glm::vec3 colour = glm::vec3(0.74f, 0.74f, 0.78f) * (0.12f + 0.95f * std::max(glm::dot(n, towardsSun), 0.0f));
        layers.push_back({origin.z - hit.z, colour, 1.0f});
    }

    std::sort(layers.begin(), layers.end(), [](const Layer& a, const Layer& b) { return a.depth < b.depth; });
    glm::vec3 colour(0.0f);
    float coverage = 0.0f;
    for (const Layer& l : layers) {
        colour += (1.0f - coverage) * l.alpha * l.colour;
        coverage += (1.0f - coverage) * l.alpha;
    }
    return glm::vec4(colour, coverage);
}

std::string hex(glm::vec3 c) {
    char text[8];
    auto byte = [](float v) { return static_cast<int>(std::round(clamp01(v) * 255.0f)); };
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(c.r), byte(c.g), byte(c.b));
    return text;
}

std::string number(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

} // namespace

Image saturnIcon(int size) {
    const Axes axes = planetAxes();
    const glm::vec3 moon = moonCentre(axes);
    const std::vector<Band> bands = planetBands();
    constexpr int samples = 4; // per pixel and axis
    Image img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            glm::vec4 sum(0.0f);
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const glm::vec2 p((x + (sx + 0.5f) / samples) / size * 2.0f - 1.0f,
                                      (y + (sy + 0.5f) / samples) / size * 2.0f - 1.0f);
                    const glm::vec4 s = shade(p, axes, moon, bands);
                    sum += glm::vec4(glm::vec3(s) * s.a, s.a);
                }
            sum /= static_cast<float>(samples * samples);
            img.at(x, y) = sum.a > 0.0f ? glm::vec3(sum) / sum.a : glm::vec3(0.0f);
            img.alpha(x, y) = sum.a;
        }
    return img;
}

std::string saturnIconSvg() {
    // 256 units across, centred on the origin, y down; the ring drawn as
    // circles in its own plane, squeezed by the tip, so it is exact.
    const float unit = 128.0f;
    const Axes axes = planetAxes();
    const glm::vec3 moon = moonCentre(axes);
    const std::vector<Band> bands = planetBands();
    const float squeeze = std::sin(tipAngle);
    const float rollDegrees = -rollAngle * 180.0f / layout::pi;
    const float planetHalfHeight = planetRadius * std::hypot(layout::saturnPolarRadius * std::cos(tipAngle), squeeze);

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"-128 -128 256 256\">\n<defs>\n";
    svg += "<linearGradient id=\"bands\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" + number(-planetHalfHeight * unit) +
           "\" x2=\"0\" y2=\"" + number(planetHalfHeight * unit) + "\">\n";
    float start = 1.0f;
    for (auto b = bands.rbegin(); b != bands.rend(); ++b) { // north first, at the top
        const float begin = b + 1 != bands.rend() ? (b + 1)->end : 0.0f;
        for (float v : {start, begin})
            svg += "<stop offset=\"" + number(1.0f - v) + "\" stop-color=\"" + hex(b->colour) + "\"/>\n";
        start = begin;
    }
    svg += "</linearGradient>\n";
    svg += "<radialGradient id=\"shade\" gradientUnits=\"userSpaceOnUse\" cx=\"" + number(-0.35f * planetRadius * unit) +
           "\" cy=\"" + number(-0.4f * planetRadius * unit) + "\" r=\"" + number(1.45f * planetRadius * unit) + "\">\n"
           "<stop offset=\"0\" stop-color=\"#000\" stop-opacity=\"0\"/>\n"
           "<stop offset=\"0.55\" stop-color=\"#000\" stop-opacity=\"0.15\"/>\n"
           "<stop offset=\"1\" stop-color=\"#000\" stop-opacity=\"0.9\"/>\n</radialGradient>\n";
    svg += "<radialGradient id=\"moon\" cx=\"0.35\" cy=\"0.3\" r=\"0.8\">\n"
           "<stop offset=\"0\" stop-color=\"#d8d8de\"/>\n<stop offset=\"1\" stop-color=\"#3a3a40\"/>\n</radialGradient>\n";
    svg += "<clipPath id=\"near\"><rect x=\"-128\" y=\"0\" width=\"256\" height=\"128\"/></clipPath>\n</defs>\n";

    std::string ring = "<circle r=\"" + number((layout::ringInner + layout::ringOuter) * 0.5f * ringScale * unit) +
                       "\" fill=\"none\" stroke=\"" + hex(glm::vec3(0.60f, 0.53f, 0.44f)) + "\" stroke-opacity=\"0.75\" stroke-width=\"" +
                       number((layout::ringOuter - layout::ringInner) * ringScale * unit) + "\"/>\n";
    for (float lane : layout::laneRadius)
        ring += "<circle r=\"" + number(lane * ringScale * unit) + "\" fill=\"none\" stroke=\"" +
                hex(glm::vec3(0.97f, 0.91f, 0.78f)) + "\" stroke-width=\"" + number(2.0f * laneHalfWidth * ringScale * unit) + "\"/>\n";

    svg += "<g transform=\"rotate(" + number(rollDegrees) + ")\">\n";
    svg += "<g transform=\"scale(1 " + number(squeeze) + ")\">\n" + ring + "</g>\n"; // the far half, behind the planet
    for (const char* fill : {"url(#bands)", "url(#shade)"})
        svg += "<ellipse rx=\"" + number(planetRadius * unit) + "\" ry=\"" + number(planetHalfHeight * unit) + "\" fill=\"" + fill + "\"/>\n";
    svg += "<g transform=\"scale(1 " + number(squeeze) + ")\"><g clip-path=\"url(#near)\">\n" + ring + "</g></g>\n";
    svg += "</g>\n";
    svg += "<circle cx=\"" + number(moon.x * unit) + "\" cy=\"" + number(-moon.y * unit) + "\" r=\"" + number(moonRadius * unit) +
           "\" fill=\"url(#moon)\"/>\n</svg>\n";
    return svg;
}

} // namespace contentgen
