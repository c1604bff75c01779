// Lane placement and the sky cube's geometry (no OpenGL needed).

#include "ColladaFixture.h"

#include "scene/Lane.h"
#include "scene/SkyBox.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

namespace {

TEST(Lane, LiesFlatFiftyTimesLargerBelowTheMoon)
{
    fixture::TempDir dir;
    const glm::mat4 given = glm::translate(glm::mat4(1.0f), glm::vec3(3.0f, 4.0f, 5.0f));
    scene::Lane lane(given, nullptr, nullptr, dir.write("tetra.dae", fixture::collada({fixture::tetrahedron()})),
                     nullptr);
    EXPECT_EQ(lane.getModelMatrix(), given);
    EXPECT_EQ(lane.describe(), "I'm a lane");
    lane.initialize();
    const glm::mat4 m = lane.getModelMatrix();
    const glm::vec3 x(m * glm::vec4(1, 0, 0, 1));
    EXPECT_NEAR(x.x, 50.0f, 1e-4f);
    EXPECT_NEAR(x.y, -1.0f, 1e-4f);
    EXPECT_NEAR(x.z, 0.0f, 1e-4f);
    const glm::vec3 y(m * glm::vec4(0, 1, 0, 1));
    EXPECT_NEAR(y.x, 0.0f, 1e-4f);
    EXPECT_NEAR(y.y, -0.9602f, 1e-3f);
    EXPECT_NEAR(y.z, -50.0f, 1e-3f);
    // The mesh's +z becomes (almost) world up.
    const glm::vec3 up(m * glm::vec4(0, 0, 1, 0));
    EXPECT_NEAR(up.y, 50.0f, 1e-3f);
    lane.update(1.0f);
    EXPECT_EQ(lane.getModelMatrix(), m);
    EXPECT_EQ(lane.mesh.vertexCount, 12u);
}

TEST(SkyBox, CubeTableFacesInwards)
{
    const auto& table = scene::SkyBox::cubeVertices;
    const glm::vec3 faceNormals[6] = {{0, 0, -1}, {-1, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}, {0, -1, 0}};
    for (int face = 0; face < 6; ++face) {
        for (int triangle = 0; triangle < 2; ++triangle) {
            glm::vec3 corner[3];
            for (int k = 0; k < 3; ++k) {
                const size_t at = size_t((face * 6 + triangle * 3 + k) * 3);
                corner[k] = glm::vec3(table[at], table[at + 1], table[at + 2]);
                // every corner lies on its face's plane
                EXPECT_EQ(glm::dot(corner[k], faceNormals[face]), 1.0f) << face;
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(std::abs(corner[k][c]), 1.0f);
            }
            // Counter-clockwise seen from inside: the winding normal points
            // to the centre, against the face's outward normal.
            const glm::vec3 winding = glm::cross(corner[1] - corner[0], corner[2] - corner[0]);
            EXPECT_LT(glm::dot(winding, faceNormals[face]), 0.0f) << "face " << face << " triangle " << triangle;
            EXPECT_EQ(glm::length(winding), 4.0f);
        }
    }
}

TEST(SkyBox, WithoutAProgramItOnlyKeepsItsMatrix)
{
    const glm::mat4 given = glm::scale(glm::mat4(1.0f), glm::vec3(2.0f));
    scene::SkyBox sky(given, nullptr, nullptr, nullptr);
    EXPECT_EQ(sky.vao, 0u);
    EXPECT_EQ(sky.getModelMatrix(), given);
    EXPECT_EQ(sky.describe(), "I'm a skybox!");
    sky.draw(); // nothing to draw, nothing to crash
}

} // namespace
