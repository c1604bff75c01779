#include "render/SunVisibility.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The planes come out of the matrix with rounding errors; at the far plane of
// the game's cameras they reach a few thousandths of a unit, about a quarter
// of a percent of the sun's radius. The sun is taken a hundredth larger.
constexpr float roundingAllowance = 1.01f;

// What lensflare.frag does with the sun image, in screen heights: where each
// ghost stands relative to the sun (through the centre), how far around its
// place it gathers the sun, and how far the halo reads from a pixel towards
// the centre, haloRadius times 1 - fringe .. 1 + fringe.
constexpr double ghostScales[] = {-0.6, -1.25, 0.5, -2.0};
constexpr double ghostSpread = 0.0065;
constexpr double haloRadius = 0.22;
constexpr double fringe = 0.1;

// The pixels whose centres can lie in [lo, hi] (continuous picture
// coordinates, 0 .. width and 0 .. height), with one pixel more on each side
// for the GPU's rounding of coordinates, cut to the picture.
TexelRect pixelsAround(glm::dvec2 lo, glm::dvec2 hi, glm::ivec2 size)
{
    const double left = std::floor(lo.x) - 1.0;
    const double bottom = std::floor(lo.y) - 1.0;
    const double right = std::ceil(hi.x) + 1.0;
    const double top = std::ceil(hi.y) + 1.0;
    const glm::dvec2 low = glm::clamp(glm::dvec2(left, bottom), glm::dvec2(0.0), glm::dvec2(size));
    const glm::dvec2 high = glm::clamp(glm::dvec2(right, top), glm::dvec2(0.0), glm::dvec2(size));
    return {glm::ivec2(low), glm::ivec2(high)};
}

// The range of one normalised device coordinate (axis 0: x, 1: y) that the
// sphere covers: the two planes "coordinate = k" through the eye that touch
// the sphere. With the rows r of the matrix, such a plane is r[axis] - k r[3];
// it touches when the centre's distance from it is the radius:
//   (a - k w)^2 = radius^2 |n - k m|^2,
// a and w the centre's clip coordinate and clip w, n and m the first three
// entries of r[axis] and r[3]. That is a quadratic in k; the sphere lies
// between its roots when it lies wholly in front of the eye (then the k^2
// term is positive). False when it does not, or the numbers make no sense.
bool coveredRange(const glm::dmat4& rows, const glm::dvec4& centre, double radius, int axis, double& low, double& high)
{
    const glm::dvec3 n(rows[axis]), m(rows[3]);
    const double a = glm::dot(rows[axis], centre), w = glm::dot(rows[3], centre);
    const double r2 = radius * radius;
    const double quadratic = w * w - r2 * glm::dot(m, m);
    const double half = a * w - r2 * glm::dot(n, m);
    const double constant = a * a - r2 * glm::dot(n, n);
    const double discriminant = half * half - quadratic * constant;
    if (!(w > 0.0 && quadratic > 0.0 && discriminant >= 0.0) || !std::isfinite(discriminant))
        return false;
    const double root = std::sqrt(discriminant);
    low = (half - root) / quadratic;
    high = (half + root) / quadratic;
    return true;
}

// The box of the points d * (direction of q), for every q of the box [lo, hi]
// and d from dLow to dHigh. Its extremes lie at the extreme directions, which
// are directions of corners, or on the axes where the directions cross them;
// when the box holds the origin every direction occurs.
void sectorBox(glm::dvec2 lo, glm::dvec2 hi, double dLow, double dHigh, glm::dvec2& boxLo, glm::dvec2& boxHi)
{
    if (lo.x <= 0.0 && hi.x >= 0.0 && lo.y <= 0.0 && hi.y >= 0.0) {
        boxLo = glm::dvec2(-dHigh);
        boxHi = glm::dvec2(dHigh);
        return;
    }
    boxLo = glm::dvec2(INFINITY);
    boxHi = glm::dvec2(-INFINITY);
    auto take = [&](glm::dvec2 point) {
        boxLo = glm::min(boxLo, point);
        boxHi = glm::max(boxHi, point);
    };
    for (double x : {lo.x, hi.x})
        for (double y : {lo.y, hi.y}) {
            const glm::dvec2 direction = glm::normalize(glm::dvec2(x, y));
            take(dLow * direction);
            take(dHigh * direction);
        }
    for (int axis = 0; axis < 2; ++axis) {
        const int other = 1 - axis;
        if (lo[other] <= 0.0 && hi[other] >= 0.0) {
            glm::dvec2 along(0.0);
            along[axis] = dHigh;
            if (hi[axis] > 0.0)
                take(along);
            if (lo[axis] < 0.0)
                take(-along);
        }
    }
}

void addFlare(SunRegion& region, const TexelRect& rect)
{
    if (!rect.empty() && region.flareCount < SunRegion::maxRects)
        region.flare[static_cast<size_t>(region.flareCount++)] = rect;
}

// Rectangles that overlap so much that one box around both is no larger than
// the two together become that box: fewer draws, no more pixels.
void mergeOverlaps(SunRegion& region)
{
    for (bool merged = true; merged;) {
        merged = false;
        for (int i = 0; i < region.flareCount && !merged; ++i)
            for (int j = i + 1; j < region.flareCount && !merged; ++j) {
                TexelRect both = region.flare[static_cast<size_t>(i)];
                both.add(region.flare[static_cast<size_t>(j)]);
                if (both.area() <= region.flare[static_cast<size_t>(i)].area() + region.flare[static_cast<size_t>(j)].area()) {
                    region.flare[static_cast<size_t>(i)] = both;
                    region.flare[static_cast<size_t>(j)] = region.flare[static_cast<size_t>(--region.flareCount)];
                    merged = true;
                }
            }
    }
}

// The whole picture for everything.
SunRegion wholePicture(glm::ivec2 pictureSize)
{
    SunRegion region;
    region.sun = {glm::ivec2(0), pictureSize};
    addFlare(region, region.sun);
    return region;
}

} // namespace

bool mayBeInView(const glm::mat4& viewProjection, const scene::BoundingSphere& sphere)
{
    // A point is in view when -w <= x, y, z <= w in clip space: each plane is
    // the last row of the matrix plus or minus one of the first three. A
    // sphere counts as outside only when it is outside by more than the
    // planes' rounding.
    const float reach = sphere.radius * roundingAllowance;
    const glm::mat4 rows = glm::transpose(viewProjection);
    for (int axis = 0; axis < 3; ++axis) {
        for (float side : {1.0f, -1.0f}) {
            const glm::vec4 plane = rows[3] + side * rows[axis];
            const float length = glm::length(glm::vec3(plane));
            if (!(length > 0.0f) || !std::isfinite(length))
                return true;
            const float distance = (glm::dot(glm::vec3(plane), sphere.centre) + plane.w) / length;
            if (distance < -reach)
                return false;
        }
    }
    return true;
}

long long SunRegion::flareArea() const
{
    // Inclusion and exclusion over the sets of rectangles: the common part of
    // an odd number counts, that of an even number is taken off again.
    long long area = 0;
    for (unsigned set = 1; set < (1u << flareCount); ++set) {
        TexelRect common{glm::ivec2(std::numeric_limits<int>::min()), glm::ivec2(std::numeric_limits<int>::max())};
        int members = 0;
        for (int i = 0; i < flareCount; ++i)
            if (set & (1u << i)) {
                common.min = glm::max(common.min, flare[static_cast<size_t>(i)].min);
                common.max = glm::min(common.max, flare[static_cast<size_t>(i)].max);
                ++members;
            }
        area += members % 2 == 1 ? common.area() : -common.area();
    }
    return area;
}

// All in picture coordinates: pixels from the lower left corner, the pixel
// (i, j) covering i .. i + 1 and j .. j + 1, the centre c at half the size.
// The flare pass reads the sun image only through texelFetch of the texel
// under a point, and a read counts only where that texel shows the sun, so
// only reads that land in the sun's rectangle S (closed, whole texels) matter:
// - a ghost of scale g lights the pixel at p when one of its reads, at most
//   ghostSpread * height from c + (p - c) / g, lands in S: p lies in
//   c + g * (S grown by that spread - c);
// - the halo lights p when p - d * (direction of p - c) lands in S for some d
//   from haloRadius * (1 - fringe) to haloRadius * (1 + fringe) heights. Such
//   a point q of S has q - c on the same line as p - c, so p - c is either
//   (q - c) + d * direction(q - c), beyond the sun, or, while |q - c| < d,
//   (q - c) - d * direction(q - c), through the centre on the other side. Both
//   lie in (S - c) plus the box of the vectors +-d * direction(q - c).
// Each box takes one pixel more on each side for rounding (pixelsAround).
SunRegion sunRegion(const glm::mat4& viewProjection, const scene::BoundingSphere& sun, glm::ivec2 pictureSize)
{
    const glm::dvec2 size(pictureSize);
    const glm::dmat4 rows = glm::transpose(glm::dmat4(viewProjection));
    const glm::dvec4 centre(glm::dvec3(sun.centre), 1.0);
    glm::dvec2 low, high;
    for (int axis = 0; axis < 2; ++axis)
        if (!coveredRange(rows, centre, static_cast<double>(sun.radius * roundingAllowance), axis, low[axis], high[axis]))
            return wholePicture(pictureSize);

    SunRegion region;
    region.sun = pixelsAround(0.5 * (low + 1.0) * size, 0.5 * (high + 1.0) * size, pictureSize);
    if (region.sun.empty())
        return region;
    const glm::dvec2 c = 0.5 * size;
    const glm::dvec2 sunLo(region.sun.min), sunHi(region.sun.max);

    const double spread = ghostSpread * size.y;
    for (double scale : ghostScales) {
        const glm::dvec2 a = c + scale * (sunLo - spread - c), b = c + scale * (sunHi + spread - c);
        addFlare(region, pixelsAround(glm::min(a, b), glm::max(a, b), pictureSize));
    }

    const glm::dvec2 lo = sunLo - c, hi = sunHi - c;
    const double dLow = haloRadius * (1.0 - fringe) * size.y, dHigh = haloRadius * (1.0 + fringe) * size.y;
    glm::dvec2 boxLo, boxHi;
    sectorBox(lo, hi, dLow, dHigh, boxLo, boxHi);
    addFlare(region, pixelsAround(c + lo + boxLo, c + hi + boxHi, pictureSize));
    const double nearest = glm::length(glm::clamp(glm::dvec2(0.0), lo, hi));
    if (nearest < dHigh)
        addFlare(region, pixelsAround(c + lo - boxHi, c + hi - boxLo, pictureSize));

    mergeOverlaps(region);
    return region;
}

int lensFlareReads(int pictureHeight)
{
    return std::clamp((pictureHeight + 199) / 200, 3, 16);
}
