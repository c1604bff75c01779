// What a player reads at a glance in frames of the game camera, found with the camera's
// own matrices (the reference frames hold the exact pictures). Brightness: luma, 0 to 255.

#include "RenderFixture.h"
#include "Track.h"

#include "camera/GameCamera.h"
#include "scene/GameRandom.h"
#include "scene/Moon.h"
#include "scene/Moonmoon.h"
#include "scene/Sun.h"
#include "scene/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace rendertest;

namespace {

constexpr float ringPlane = -1.0f; // the lane lies at y = -1

double luma(const Rgba& p) { return 0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b; }
bool onRing(float radius) { return radius > 51.5f && radius < 61.0f; }

struct Thing { // a ball that hides what lies behind it on screen
    glm::vec3 centre;
    float radius;
    bool stone;
    glm::mat4 model{1.0f};
};

struct Shot { // a frame of the game camera and the things in it
    Image image;
    glm::mat4 viewProject{1.0f};
    float focal = 0.0f; // pixels per unit at distance 1
    glm::vec3 moon{0.0f};
    std::vector<Thing> things;

    // Window x, y of a world point and its distance along the view.
    glm::vec3 pixel(glm::vec3 p) const
    {
        const glm::vec4 c = viewProject * glm::vec4(p, 1.0f);
        return {(c.x / c.w * 0.5f + 0.5f) * image.width, (c.y / c.w * 0.5f + 0.5f) * image.height, c.w};
    }
    bool onScreen(glm::vec3 q) const { return q.z > 0.1f && q.x >= 0 && q.y >= 0 && q.x < image.width && q.y < image.height; }
    double at(glm::vec2 xy) const { return luma(image.at(static_cast<int>(xy.x), static_cast<int>(xy.y))); }
    // Whether a thing nearer than `depth`, other than `except`, hides the pixel.
    bool covered(glm::vec2 xy, float depth, const Thing* except = nullptr) const
    {
        return std::any_of(things.begin(), things.end(), [&](const Thing& t) {
            const glm::vec3 q = pixel(t.centre);
            return &t != except && q.z > 0.1f && q.z < depth && glm::distance(xy, glm::vec2(q)) < t.radius * focal / q.z;
        });
    }
    // Distance from the ring's axis where the view ray through a pixel meets the ring's plane.
    float ringRadius(glm::vec2 xy) const
    {
        const glm::mat4 inverse = glm::inverse(viewProject);
        const glm::vec2 ndc = xy / glm::vec2(image.width, image.height) * 2.0f - 1.0f;
        const glm::vec4 a = inverse * glm::vec4(ndc, -1.0f, 1.0f), b = inverse * glm::vec4(ndc, 1.0f, 1.0f);
        const glm::vec3 from = glm::vec3(a) / a.w, ray = glm::vec3(b) / b.w - from;
        const glm::vec3 hit = from + (ringPlane - from.y) / ray.y * ray;
        return ray.y < 0.0f && glm::distance(hit, moon) < 45.0f ? glm::length(glm::vec2(hit.x, hit.z)) : 0.0f;
    }
};

// The game camera's frame with the moon on the middle lane at an orbit angle: at the
// start (3.14) section 1 filled as the game has it, elsewhere both halves.
constexpr float start = 3.14f;
Shot shoot(GameScene& scene, float orbitAngle)
{
    World& world = *appState().world;
    scene::gameRandom().reset();
    emptyTrack(world);
    world.fillObstacles(1);
    world.fillGoodies(1);
    if (orbitAngle != start) {
        world.fillGoodies(2);
        world.fillObstacles(2);
    }
    world.moon->orbitAngle = orbitAngle;
    world.moon->rebuildTransform();
    world.moonmoon->orbitAround(world.moon->position(), 0.0f);
    Shot shot;
    shot.image = scene.frame();
    const Camera& camera = *appState().activeCamera;
    shot.viewProject = camera.projection * camera.view;
    shot.focal = 0.5f * float(shot.image.height) * camera.projection[1][1];
    shot.moon = world.moon->position();
    shot.things = {{shot.moon, 1.05f, false}, {world.moonmoon->position(), 0.3f, false}};
    for (const auto* list : {&world.obstacleList1, &world.obstacleList2})
        for (const ObstacleInstance& o : *list)
            shot.things.push_back({glm::vec3(o.model[3]), 1.0f, true, o.model});
    for (const auto* list : {&world.goodieList1, &world.goodieList2})
        for (const GoodieInstance& g : *list)
            shot.things.push_back({glm::vec3(g.model[3]), 0.8f, false, g.model});
    return shot;
}

// Calls f(pixel middle, distance from the middle in units) for every pixel within `reach`
// units of a thing in front of the camera.
template <typename F> void around(const Shot& shot, const Thing& t, float reach, F f)
{
    const glm::vec3 q = shot.pixel(t.centre);
    const float unit = shot.focal / q.z; // pixels per unit at the thing
    const int r = static_cast<int>(reach * unit) + 1;
    for (int y = std::max(0, int(q.y) - r); q.z > 0.1f && y <= std::min(shot.image.height - 1, int(q.y) + r); ++y)
        for (int x = std::max(0, int(q.x) - r); x <= std::min(shot.image.width - 1, int(q.x) + r); ++x)
            f(glm::vec2(x + 0.5f, y + 0.5f), glm::distance(glm::vec2(x + 0.5f, y + 0.5f), glm::vec2(q)) / unit);
}

// A stone on screen, where enough of it and of the ring around it shows (else false):
// its middle 30 above the ring around it, its lit third 12 above its dark third.
bool stoneReads(const Shot& shot, const Thing& t, const std::string& where)
{
    const glm::vec3 q = shot.pixel(t.centre);
    if (!shot.onScreen(q))
        return false;
    std::vector<double> stone;
    double ring = 0.0, mean = 0.0, spread = 0.0;
    int ringPixels = 0;
    around(shot, t, 2.3f, [&](glm::vec2 xy, float d) {
        if (d < 0.45f && !shot.covered(xy, q.z, &t))
            stone.push_back(shot.at(xy));
        if (d > 1.3f && d < 2.3f && !shot.covered(xy, 1e9f, &t) && onRing(shot.ringRadius(xy))) {
            ring += shot.at(xy);
            ++ringPixels;
        }
    });
    if (stone.size() < 6 || ringPixels < 10)
        return false;
    std::sort(stone.begin(), stone.end());
    const size_t third = stone.size() / 3;
    for (size_t i = 0; i < stone.size(); ++i) {
        mean += stone[i] / stone.size();
        spread += (i < third ? -stone[i] : i >= stone.size() - third ? stone[i] : 0.0) / third;
    }
    EXPECT_GT(mean, ring / ringPixels + 30.0) << where;
    EXPECT_GT(spread, 12.0) << where;
    return true;
}

// The sum of the colours (0 to 255) of a thing's pixels within `reach` units of its
// middle that nothing nearer hides, and their number.
glm::dvec4 colours(const Shot& shot, const Thing& t, float reach)
{
    glm::dvec4 sum(0.0);
    around(shot, t, reach, [&](glm::vec2 xy, float d) {
        const Rgba& p = shot.image.at(int(xy.x), int(xy.y));
        if (d < reach && !shot.covered(xy, shot.pixel(t.centre).z, &t))
            sum += glm::dvec4(p.r, p.g, p.b, 1.0);
    });
    return sum;
}

// CIELAB (D65) of an sRGB colour, 0 to 255.
glm::dvec3 lab(glm::dvec3 srgb)
{
    auto linear = [](double c) { return (c /= 255.0) <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const glm::dmat3 toXyz(0.4124, 0.2126, 0.0193, 0.3576, 0.7152, 0.1192, 0.1805, 0.0722, 0.9505);
    const glm::dvec3 xyz = toXyz * glm::dvec3(linear(srgb.r), linear(srgb.g), linear(srgb.b)) / glm::dvec3(0.95047, 1.0, 1.08883);
    auto f = [](double t) { return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0; };
    return {116.0 * f(xyz.y) - 16.0, 500.0 * (f(xyz.x) - f(xyz.y)), 200.0 * (f(xyz.y) - f(xyz.z))};
}

// The CIEDE2000 colour difference of two CIELAB colours.
double ciede2000(glm::dvec3 a, glm::dvec3 b)
{
    const double pi = 3.14159265358979, deg = pi / 180.0, p25 = std::pow(25.0, 7.0);
    const double c7 = std::pow((std::hypot(a.y, a.z) + std::hypot(b.y, b.z)) / 2.0, 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(c7 / (c7 + p25)));
    auto prime = [&](glm::dvec3 c) { // L, C', h'
        const double h = std::atan2(c.z, (1.0 + g) * c.y);
        return glm::dvec3(c.x, std::hypot((1.0 + g) * c.y, c.z), h < 0.0 ? h + 2.0 * pi : h);
    };
    const glm::dvec3 p = prime(a), q = prime(b);
    const bool grey = p.y * q.y == 0.0;
    double dh = grey ? 0.0 : q.z - p.z;
    dh += dh > pi ? -2.0 * pi : dh < -pi ? 2.0 * pi : 0.0;
    double h = p.z + q.z;
    if (!grey)
        h = (std::abs(p.z - q.z) > pi ? h + (h < 2.0 * pi ? 2.0 * pi : -2.0 * pi) : h) / 2.0;
    const double dL = q.x - p.x, dC = q.y - p.y, dH = 2.0 * std::sqrt(p.y * q.y) * std::sin(dh / 2.0);
    const double l = (p.x + q.x) / 2.0 - 50.0, c = (p.y + q.y) / 2.0, c7m = std::pow(c, 7.0);
    const double t = 1.0 - 0.17 * std::cos(h - 30.0 * deg) + 0.24 * std::cos(2.0 * h) + 0.32 * std::cos(3.0 * h + 6.0 * deg) -
                     0.20 * std::cos(4.0 * h - 63.0 * deg);
    const double sl = 1.0 + 0.015 * l * l / std::sqrt(20.0 + l * l), sc = 1.0 + 0.045 * c, sh = 1.0 + 0.015 * c * t;
    const double rt = -2.0 * std::sqrt(c7m / (c7m + p25)) * std::sin(60.0 * deg * std::exp(-std::pow((h / deg - 275.0) / 25.0, 2.0)));
    return std::sqrt(std::pow(dL / sl, 2.0) + std::pow(dC / sc, 2.0) + std::pow(dH / sh, 2.0) + rt * dC / sc * dH / sh);
}

// How far apart the moon and the stones 8 to 30 ahead of it look: the CIEDE2000 difference
// of their mean colours (0 when too little of either shows).
double moonAgainstStones(const Shot& shot)
{
    const glm::dvec4 moon = colours(shot, shot.things[0], 0.8f);
    glm::dvec4 stones(0.0);
    for (const Thing& t : shot.things)
        if (t.stone && glm::distance(t.centre, shot.moon) > 8.0f && glm::distance(t.centre, shot.moon) < 30.0f &&
            shot.pixel(t.centre).z > shot.pixel(shot.moon).z)
            stones += colours(shot, t, 0.45f);
    return std::min(moon.w, stones.w) < 20.0 ? 0.0
                                              : ciede2000(lab(glm::dvec3(moon) / moon.w), lab(glm::dvec3(stones) / stones.w));
}

// How round a spot of light near `guess` is: around its centre (the middle of its texels
// at half its peak or more, within `reach`), the radius of its outline at half the peak
// (read bilinearly) in 72 directions, the shortest over the longest; 0 if too faint.
double roundness(const Image& image, glm::vec2 guess, int reach)
{
    auto texel = [&](glm::ivec2 t) {
        return t.x < 0 || t.y < 0 || t.x >= image.width || t.y >= image.height ? 0.0 : luma(image.at(t.x, t.y));
    };
    auto at = [&](glm::vec2 p) {
        const glm::ivec2 t(glm::floor(p - 0.5f));
        const double fx = glm::fract(p.x - 0.5f), fy = glm::fract(p.y - 0.5f);
        return glm::mix(glm::mix(texel(t), texel(t + glm::ivec2(1, 0)), fx),
                        glm::mix(texel(t + glm::ivec2(0, 1)), texel(t + 1), fx), fy);
    };
    std::vector<std::pair<glm::vec2, double>> spot;
    for (int y = -reach; y <= reach; ++y)
        for (int x = -reach; x <= reach; ++x)
            spot.push_back({glm::floor(guess) + glm::vec2(x, y) + 0.5f, texel(glm::ivec2(guess) + glm::ivec2(x, y))});
    const double half =
        0.5 * std::max_element(spot.begin(), spot.end(), [](auto& a, auto& b) { return a.second < b.second; })->second;
    glm::vec2 centre(0.0f);
    float count = 0.0f;
    for (const auto& [p, v] : spot)
        if (v >= half)
            centre += p, ++count;
    float shortest = 1e9f, longest = 0.0f;
    for (int k = 0; k < 72; ++k) {
        float r = 0.0f;
        while (r < reach && at(centre / count + r * glm::vec2(std::cos(0.0872665f * k), std::sin(0.0872665f * k))) >= half)
            r += 0.1f;
        shortest = std::min(shortest, r), longest = std::max(longest, r);
    }
    return half > 25.0 ? shortest / longest : 0.0;
}

} // namespace

// All around the lap, faults: dark, flat stones that melt into the ring; cogwheels that
// lose their teeth (14 to 28 ahead: tooth and gap 20 apart on average); stones that read
// as little moons (blue-grey moon against sandstone: 23 to 30; both grey as they were: 10
// to 13; either one plain grey again: 14 to 20). At 1920 x 1080 each lens-flare ghost one round disc, not
// copies of the sun merged into a rounded triangle (0.82 round). The reference frames hold the shadows' depth and what glows or
// burns out white (stones, or cogwheels when the sun stands behind the player).
TEST(Readability, StonesAndCogwheelsKeepTheirFormAllAroundTheLap)
{
    GameScene scene(640, 480);
    World& world = *appState().world;
    const glm::vec3 sun = world.sun->getPosition();
    int stones = 0, cogwheels = 0;
    for (float angle : {start, 0.25f, 0.75f, 1.25f, 1.75f, 2.75f, 3.75f, 4.5f, 5.25f, 5.75f}) {
        Shot shot = shoot(scene, angle);
        if (angle == start || angle == 0.25f || angle == 2.75f) { // the sun ahead, behind, ahead to the side
            EXPECT_GT(moonAgainstStones(shot), 21.0) << "the moon's colour against the stones', angle " << angle;
        }
        for (const Thing& t : shot.things) {
            const float ahead = glm::distance(t.centre, shot.moon);
            const std::string where = std::to_string(ahead) + " ahead, angle " + std::to_string(angle);
            stones += t.stone && ahead > 8.0f && ahead < 30.0f && stoneReads(shot, t, "stone " + where);
            if (t.stone || ahead < 14.0f || ahead > 28.0f)
                continue;
            double alternation = 0.0, last = -1.0; // gap and tooth middles in turn, at 0.9 of the radius
            int seen = 0;
            for (int k = 0; k <= 24; ++k) {
                const float a = 6.2831853f * float(k) / 24.0f;
                const glm::vec3 q = shot.pixel(glm::vec3(t.model * glm::vec4(0.9f * std::cos(a), 0.9f * std::sin(a), 0.0f, 1.0f)));
                const double v = shot.onScreen(q) && !shot.covered(glm::vec2(q), q.z - 0.5f, &t) ? shot.at(glm::vec2(q)) : -1.0;
                if (v >= 0.0 && last >= 0.0)
                    alternation += std::abs(v - last), ++seen;
                last = v;
            }
            if (seen >= 12) {
                ++cogwheels;
                EXPECT_GT(alternation / seen, 20.0) << "cogwheel " << where;
            }
        }
    }
    EXPECT_GE(stones, 10); // of 14
    EXPECT_GE(cogwheels, 4); // of 5

    const glm::ivec2 large(1920, 1080);
    world.moon->orbitAngle = 4.0f;
    world.moon->rebuildTransform();
    GameCamera& camera = *appState().gameCamera;
    camera.follow(large.x, large.y, world.moon->position());
    glViewport(0, 0, large.x, large.y);
    scene.renderer().drawFrame(&world, &camera, Hud{}, large);
    const Image flare = readTexture(scene.renderer().pingpongTexture[0]);
    const glm::vec4 clip = camera.projection * camera.view * glm::vec4(sun, 1.0f);
    const glm::vec2 middle = glm::vec2(large) * 0.5f, sunPixel = (glm::vec2(clip) / clip.w + 1.0f) * middle;
    for (float scale : {-0.6f, -1.25f, 0.5f}) // where the flare puts its ghosts on screen here
        EXPECT_GT(roundness(flare, middle + scale * (sunPixel - middle), 60), 0.9) << "ghost " << scale;
}
