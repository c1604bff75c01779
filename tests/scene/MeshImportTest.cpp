// Importing model files into non-indexed triangle lists (without OpenGL).

#include "ColladaFixture.h"

#include "scene/ImportedMesh.h"

#include <gtest/gtest.h>

namespace {

TEST(MeshImport, ThreeVerticesPerFace)
{
    fixture::TempDir dir;
    const std::string file = dir.write("tetra.dae", fixture::collada({fixture::tetrahedron()}));
    scene::ImportedMesh mesh(file, nullptr, false);
    EXPECT_EQ(mesh.faceCount, 4u);
    EXPECT_EQ(mesh.vertexCount, 12u);
    EXPECT_EQ(mesh.positions.size(), 36u);
    EXPECT_EQ(mesh.normals.size(), 36u);
    EXPECT_EQ(mesh.uvs.size(), 24u);
    EXPECT_TRUE(mesh.tangents.empty());
    EXPECT_EQ(mesh.vao, 0u);
    EXPECT_EQ(mesh.positionBuffer, 0u);

    // Corner j of the arrays is corner j % 3 of face j / 3, shared corners
    // repeated: every tetrahedron corner shows up three times.
    const fixture::Mesh tetra = fixture::tetrahedron();
    for (const glm::vec3& corner : tetra.positions) {
        int seen = 0;
        for (size_t v = 0; v < mesh.vertexCount; ++v)
            if (glm::vec3(mesh.positions[v * 3], mesh.positions[v * 3 + 1], mesh.positions[v * 3 + 2]) == corner)
                ++seen;
        EXPECT_EQ(seen, 3);
    }
    // Each vertex keeps its own normal and texture coordinate (no flip).
    for (size_t v = 0; v < mesh.vertexCount; ++v) {
        const glm::vec3 p(mesh.positions[v * 3], mesh.positions[v * 3 + 1], mesh.positions[v * 3 + 2]);
        const glm::vec3 n(mesh.normals[v * 3], mesh.normals[v * 3 + 1], mesh.normals[v * 3 + 2]);
        EXPECT_NEAR(glm::distance(n, glm::normalize(p)), 0.0f, 1e-5f);
        EXPECT_NEAR(mesh.uvs[v * 2], p.x * 0.5f + 0.5f, 1e-6f);
        EXPECT_NEAR(mesh.uvs[v * 2 + 1], p.y * 0.5f + 0.5f, 1e-6f);
    }
}

TEST(MeshImport, QuadsAreSplitIntoTriangles)
{
    // Four triangles written as two quads would come out the same; here a
    // plain triangle list of six faces keeps its count.
    fixture::Mesh mesh = fixture::triangles({{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1},
                                             {2, 0}, {3, 0}, {3, 1}, {2, 0}, {3, 1}, {2, 1},
                                             {4, 0}, {5, 0}, {5, 1}, {4, 0}, {5, 1}, {4, 1}},
                                            true);
    fixture::TempDir dir;
    scene::ImportedMesh imported(dir.write("six.dae", fixture::collada({mesh})), nullptr, false);
    EXPECT_EQ(imported.faceCount, 6u);
    EXPECT_EQ(imported.vertexCount, 18u);
}

TEST(MeshImport, OnlyTheFirstMeshOfAFileIsUsed)
{
    const fixture::Mesh one = fixture::triangles({{-1, -1}, {0, -1}, {-1, 0}}, true);
    const fixture::Mesh two = fixture::triangles({{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}}, true);
    fixture::TempDir dir;
    scene::ImportedMesh mesh(dir.write("two.dae", fixture::collada({one, two})), nullptr, false);
    EXPECT_EQ(mesh.faceCount, 1u);
    EXPECT_EQ(mesh.vertexCount, 3u);
    for (size_t v = 0; v < 3; ++v)
        EXPECT_LE(mesh.positions[v * 3], 0.0f);
}

TEST(MeshImport, MissingUvsLeaveZeros)
{
    fixture::TempDir dir;
    const fixture::Mesh plain = fixture::triangles({{0, 0}, {1, 0}, {1, 1}}, false);
    scene::ImportedMesh mesh(dir.write("plain.dae", fixture::collada({plain})), nullptr, true);
    EXPECT_EQ(mesh.vertexCount, 3u);
    ASSERT_EQ(mesh.uvs.size(), 6u);
    for (float uv : mesh.uvs)
        EXPECT_EQ(uv, 0.0f);
    // Without texture coordinates no tangent frame can be computed: the
    // arrays exist but stay empty-valued.
    EXPECT_EQ(mesh.tangents.size(), 9u);
    EXPECT_EQ(mesh.positions[3], 1.0f);
}

TEST(MeshImport, TangentsComeWithTextureCoordinates)
{
    fixture::TempDir dir;
    const fixture::Mesh quad = fixture::triangles({{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}}, true);
    scene::ImportedMesh mesh(dir.write("quad.dae", fixture::collada({quad})), nullptr, true);
    ASSERT_EQ(mesh.tangents.size(), 18u);
    // u grows along +x and v along +y in this flat quad.
    for (size_t v = 0; v < mesh.vertexCount; ++v) {
        EXPECT_NEAR(mesh.tangents[v * 3], 1.0f, 1e-4f);
        EXPECT_NEAR(mesh.bitangents[v * 3 + 1], 1.0f, 1e-4f);
    }
}

TEST(MeshImport, LinesAreNotReadAsTriangles)
{
    fixture::Mesh lines = fixture::triangles({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    lines.asLines = true; // two line segments
    fixture::TempDir dir;
    scene::ImportedMesh mesh(dir.write("lines.dae", fixture::collada({lines})), nullptr, false);
    EXPECT_EQ(mesh.faceCount, 0u);
    EXPECT_EQ(mesh.vertexCount, 0u);
    EXPECT_TRUE(mesh.positions.empty());
}

TEST(MeshImportDeath, UnreadableModelEndsTheGame)
{
    fixture::TempDir dir;
    const std::string broken = dir.write("broken.dae", "this is not a model\n");
    EXPECT_EXIT(scene::ImportedMesh(broken, nullptr, false), testing::ExitedWithCode(1),
                "^ERROR: Could not load model from file " + broken + "\n$");
    EXPECT_EXIT(scene::ImportedMesh(dir.path + "/missing.dae", nullptr, false), testing::ExitedWithCode(1),
                "ERROR: Could not load model from file " + dir.path + "/missing.dae");
}

} // namespace
