// The content beyond what every reference frame shows: the ring picture's lanes
// lie where the stones stand.
#include "gpu/Content.h"

#include "scene/ImportedMesh.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string content = contentPath("");

} // namespace

TEST(Content, TheRingPicturesLanesLieWhereTheStonesStand)
{
    // The lane model is scaled by 50: a stone on a lane at distance d stands
    // over the mesh radius d / 50. Read the ring picture's row there through
    // the mesh's own texture coordinates (v runs across the ring).
    const scene::ImportedMesh lane(content + "Models/lane.dae", nullptr, false);
    ASSERT_GT(lane.vertexCount, 0u);
    auto vAtRadius = [&](float r) {
        size_t inner = 0, outer = 0;
        auto radius = [&](size_t v) { return std::hypot(lane.positions[3 * v], lane.positions[3 * v + 1]); };
        for (size_t v = 0; v < lane.vertexCount; ++v) {
            inner = radius(v) < radius(inner) ? v : inner;
            outer = radius(v) > radius(outer) ? v : outer;
        }
        const float t = (r - radius(inner)) / (radius(outer) - radius(inner));
        return lane.uvs[2 * inner + 1] + t * (lane.uvs[2 * outer + 1] - lane.uvs[2 * inner + 1]);
    };
    const std::string path = content + "Images/tex_ring.jpg";
    FIBITMAP* ring = FreeImage_Load(FIF_JPEG, path.c_str(), 0);
    ASSERT_NE(ring, nullptr);
    const unsigned w = FreeImage_GetWidth(ring), h = FreeImage_GetHeight(ring);
    auto rowBrightness = [&](float v) {
        const BYTE* row = FreeImage_GetScanLine(ring, static_cast<int>(std::clamp(v, 0.0f, 0.999f) * h));
        double sum = 0.0;
        for (unsigned x = 0; x < 3 * w; ++x)
            sum += row[x];
        return sum / (3.0 * w);
    };
    const float lanes[3] = {52.4f, 56.0f, 59.8f};
    for (int i = 0; i < 2; ++i) {
        const double gap = rowBrightness(vAtRadius((lanes[i] + lanes[i + 1]) / 100.0f));
        EXPECT_GT(rowBrightness(vAtRadius(lanes[i] / 50.0f)), 1.5 * gap) << "lane " << i;
        EXPECT_GT(rowBrightness(vAtRadius(lanes[i + 1] / 50.0f)), 1.5 * gap) << "lane " << i + 1;
    }
    FreeImage_Unload(ring);
}
