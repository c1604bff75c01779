// Triangle meshes, the shapes they are built from, and the Collada writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace contentgen {

struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
};

// Indexed triangles, counter-clockwise seen from the side the normals face.
struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;

    uint32_t add(const Vertex& v);
    void triangle(uint32_t a, uint32_t b, uint32_t c);
    // a, b, c, d counter-clockwise; split along a-c.
    void quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d);
    // A flat quad with its own four vertices and the face normal taken from
    // the winding (hard edges against its neighbours).
    void flatQuad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d,
                  glm::vec2 ta, glm::vec2 tb, glm::vec2 tc, glm::vec2 td);

    // Positions by m, normals by m's inverse transpose (renormalised).
    void transform(const glm::mat4& m);
};

// Latitude/longitude ellipsoid with the radii (equatorial, polar, equatorial)
// and the sphere mapping of layout::sphereDirection. The seam column is
// duplicated (u = 0 and u = 1), each pole has one vertex per column.
Mesh uvEllipsoid(int segments, int rings, float equatorialRadius, float polarRadius);

// Unit icosahedron subdivided `levels` times (20 * 4^levels triangles), shared
// vertices, normals = positions, no texture coordinates yet.
Mesh icosphere(int levels);

// Writes a COLLADA 1.4.1 file (Y up) with one geometry named `name`:
// positions, normals and one texture coordinate set, one triangle list, and
// a scene node that instances it without a transform.
bool writeCollada(const Mesh& mesh, const std::string& name, const std::string& path);

} // namespace contentgen
