#include "Models.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "Layout.h"
#include "Noise.h"

namespace contentgen {

Mesh sphereModel() {
    return uvEllipsoid(48, 22, 1.0f, 1.0f); // 2016 triangles
}

Mesh saturnModel() {
    Mesh mesh = uvEllipsoid(64, 32, 1.0f, layout::saturnPolarRadius);
    // The game draws Saturn with S(35) * R(0.73, (1,1,1)); undo the turn here so
    // its poles point along world y and its bands run parallel to the ring.
    const glm::vec3 diagonal = glm::normalize(glm::vec3(1.0f));
    mesh.transform(glm::rotate(glm::mat4(1.0f), -layout::saturnTurnAngle, diagonal));
    return mesh;
}

Mesh laneModel() {
    const int segments = 256;
    const int radialSteps = 4;
    Mesh mesh;
    const glm::vec3 up(0.0f, 0.0f, 1.0f);
    std::vector<std::vector<uint32_t>> column(segments + 1);
    for (int s = 0; s <= segments; ++s) {
        const float a = layout::twoPi * static_cast<float>(s) / static_cast<float>(segments);
        // u falls as the angle grows so that, with v growing outwards, the
        // picture is not mirrored seen from +z.
        const float u = static_cast<float>(layout::ringURepeats) * (1.0f - static_cast<float>(s) / segments);
        for (int r = 0; r <= radialSteps; ++r) {
            const float v = static_cast<float>(r) / static_cast<float>(radialSteps);
            const float radius = layout::ringRadius(v);
            column[s].push_back(mesh.add({{radius * std::cos(a), radius * std::sin(a), 0.0f}, up, {u, v}}));
        }
    }
    for (int s = 0; s < segments; ++s)
        for (int r = 0; r < radialSteps; ++r)
            mesh.quad(column[s][r], column[s][r + 1], column[s + 1][r + 1], column[s + 1][r]);
    return mesh;
}

Mesh stoneModel() {
    Mesh shape = icosphere(2); // 320 triangles
    // Turn the icosphere so that none of its vertices sits exactly on a pole of
    // the sphere mapping, where the longitude would be undefined.
    const glm::mat4 turn = glm::rotate(glm::mat4(1.0f), 0.37f, glm::normalize(glm::vec3(1.0f, 0.0f, 0.4f)));
    // A chipped rock: a lumpy ellipsoid cut by flat fracture planes. Broad
    // flat faces catch the sun as a whole, so the rock shows a lit and a dark
    // side from far away, where the finer relief of the normal map is lost.
    const glm::vec3 radii(0.84f, 0.62f, 0.74f);
    struct Cut {
        glm::vec3 normal;
        float distance;
    };
    std::vector<Cut> cuts;
    Random rng(73);
    for (int i = 0; i < 18; ++i) {
        const glm::vec3 n = rng.unitVector();
        // The ellipsoid's support distance along n, cut a little inside it.
        cuts.push_back({n, glm::length(radii * n) * rng.range(0.80f, 0.93f)});
    }
    std::vector<glm::vec3> directions;
    for (Vertex& v : shape.vertices) {
        const glm::vec3 d = glm::normalize(glm::vec3(turn * glm::vec4(v.position, 0.0f)));
        directions.push_back(d);
        const float bumps = 0.10f * fbm3(d * 1.5f, 3, 71u) + 0.03f * gradientNoise3(d * 5.0f, 72u);
        float r = (1.0f + bumps) / glm::length(d / radii); // along d to the bumpy ellipsoid
        for (const Cut& c : cuts) {
            const float towards = glm::dot(d, c.normal);
            if (towards > 1e-3f) r = std::min(r, c.distance / towards);
        }
        v.position = d * r;
    }
    // Centre the rock's bounding box on the origin.
    glm::vec3 lo(1e9f), hi(-1e9f);
    for (const Vertex& v : shape.vertices) {
        lo = glm::min(lo, v.position);
        hi = glm::max(hi, v.position);
    }
    const glm::vec3 centre = (lo + hi) * 0.5f;
    for (Vertex& v : shape.vertices) v.position -= centre;
    // Smooth normals (area-weighted face normals summed at the shared
    // vertices) soften the facets' edges a little below.
    std::vector<glm::vec3> smooth(shape.vertices.size(), glm::vec3(0.0f));
    for (size_t f = 0; f < shape.indices.size(); f += 3) {
        const uint32_t a = shape.indices[f], b = shape.indices[f + 1], c = shape.indices[f + 2];
        const glm::vec3 n = glm::cross(shape.vertices[b].position - shape.vertices[a].position,
                                       shape.vertices[c].position - shape.vertices[a].position);
        smooth[a] += n;
        smooth[b] += n;
        smooth[c] += n;
    }

    // Every triangle gets its own corners: the face normal, bent a quarter of
    // the way towards the smooth one, and the sphere mapping by the undisplaced
    // direction. A triangle that straddles the seam gets its small-u corners
    // shifted by one turn (the texture repeats).
    auto longitude = [](glm::vec3 d) {
        float u = std::atan2(-d.z, d.x) / layout::twoPi;
        return u < 0.0f ? u + 1.0f : u;
    };
    Mesh mesh;
    for (size_t f = 0; f < shape.indices.size(); f += 3) {
        const uint32_t* corner = &shape.indices[f];
        const glm::vec3 face = glm::normalize(glm::cross(shape.vertices[corner[1]].position - shape.vertices[corner[0]].position,
                                                         shape.vertices[corner[2]].position - shape.vertices[corner[0]].position));
        float u[3];
        for (int k = 0; k < 3; ++k) u[k] = longitude(directions[corner[k]]);
        const bool straddles = std::max({u[0], u[1], u[2]}) - std::min({u[0], u[1], u[2]}) > 0.5f;
        uint32_t made[3];
        for (int k = 0; k < 3; ++k) {
            Vertex v = shape.vertices[corner[k]];
            v.normal = glm::normalize(glm::mix(face, glm::normalize(smooth[corner[k]]), 0.25f));
            v.uv = {u[k] + (straddles && u[k] < 0.5f ? 1.0f : 0.0f), std::asin(directions[corner[k]].y) / layout::pi + 0.5f};
            made[k] = mesh.add(v);
        }
        mesh.triangle(made[0], made[1], made[2]);
    }
    return mesh;
}

Mesh cogwheelModel() {
    const int teeth = 12;
    const float tipRadius = 1.0f, rootRadius = 0.8f;
    const float hubRadius = 0.34f, holeRadius = 0.17f;
    const float rimHalf = 0.11f, hubHalf = 0.22f; // half thicknesses along z

    // Outline of one tooth period: (fraction of the period, radius). Five
    // corners a period keep the wheel at 60 segments around: every piece of it
    // is made once per segment, and twenty wheels stand on the track.
    const std::pair<float, float> toothShape[] = {
        {0.0f, rootRadius}, {0.25f, rootRadius}, {0.37f, tipRadius}, {0.63f, tipRadius}, {0.75f, rootRadius}};
    std::vector<float> angles, outline;
    for (int t = 0; t < teeth; ++t)
        for (const auto& [fraction, radius] : toothShape) {
            angles.push_back(layout::twoPi * (static_cast<float>(t) + fraction) / teeth);
            outline.push_back(radius);
        }
    const size_t n = angles.size();
    auto at = [&](size_t i, float radius, float z) {
        const float a = angles[i % n];
        return glm::vec3(radius * std::cos(a), radius * std::sin(a), z);
    };
    // Faces across the axis take planar texture coordinates, faces around it
    // wrap u around the wheel and run v along the axis.
    auto planar = [](glm::vec3 p) { return glm::vec2(p.x * 0.5f + 0.5f, p.y * 0.5f + 0.5f); };
    auto around = [&](size_t i, float z) { return glm::vec2(static_cast<float>(i) / n * 4.0f, z + 0.5f); };

    // The faces across the axis are machined in rings, each ring a shallow
    // cone whose normals lean outwards or inwards by up to `tilt` (V-grooves
    // turned into the rim, a chamfered hub). A flat face would take the sun's
    // reflection all at once and flash white when the sun stands behind the
    // player; the rings take it only in short arcs, a glint that wanders over
    // the wheel as it passes, and alternate light and dark in the sun.
    const float tilt = 0.75f; // radians
    auto leaning = [](glm::vec3 p, float side, float lean) {
        const glm::vec2 out = glm::normalize(glm::vec2(p));
        return glm::normalize(glm::vec3(out * std::tan(lean), side));
    };
    // Rings of the rim's faces from the hub outwards: (inner radius, lean); the
    // last one reaches the toothed outline. No two lean alike, so that a glint
    // lights one ring at a time.
    const std::pair<float, float> rimRings[] = {
        {hubRadius, 0.6f * tilt}, {0.46f, -tilt}, {0.54f, tilt}, {0.62f, -0.8f * tilt}, {0.7f, 0.8f * tilt}};
    Mesh mesh;
    // A piece of a ring on the +z (side 1) or -z (side -1) face: a, b, c, d
    // counter-clockwise seen from +z.
    auto turnedQuad = [&](glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d, float side, float lean) {
        if (side < 0) std::swap(b, d);
        uint32_t made[4], k = 0;
        for (glm::vec3 p : {a, b, c, d})
            made[k++] = mesh.add({p, leaning(p, side, lean), planar(p)});
        mesh.quad(made[0], made[1], made[2], made[3]);
    };
    for (size_t i = 0; i < n; ++i) {
        const size_t j = i + 1;
        const float ri = outline[i], rj = outline[j % n];
        // Front (+z) and back (-z) of the toothed rim, counter-clockwise seen from outside.
        for (float side : {1.0f, -1.0f}) {
            const float z = side * rimHalf;
            for (size_t r = 0; r < std::size(rimRings); ++r) {
                const auto [inner, lean] = rimRings[r];
                const bool last = r + 1 == std::size(rimRings);
                const float outer = last ? 0.0f : rimRings[r + 1].first;
                turnedQuad(at(i, inner, z), at(i, last ? ri : outer, z), at(j, last ? rj : outer, z), at(j, inner, z), side, lean);
            }
        }
        // Tooth flanks, tips and roots: flat faces around the outline.
        {
            glm::vec3 a = at(i, ri, -rimHalf), b = at(j, rj, -rimHalf), c = at(j, rj, rimHalf), d = at(i, ri, rimHalf);
            mesh.flatQuad(a, b, c, d, around(i, -rimHalf), around(j, -rimHalf), around(j, rimHalf), around(i, rimHalf));
        }
        // Hub faces (+z and -z), between the hole and the hub's outer edge.
        for (float side : {1.0f, -1.0f}) {
            const float z = side * hubHalf;
            turnedQuad(at(i, holeRadius, z), at(i, hubRadius, z), at(j, hubRadius, z), at(j, holeRadius, z), side, tilt);
        }
        // The hub's outer wall, standing out of the rim on both sides.
        for (float side : {1.0f, -1.0f}) {
            const float z0 = side * rimHalf, z1 = side * hubHalf;
            glm::vec3 a = at(i, hubRadius, z0), b = at(j, hubRadius, z0), c = at(j, hubRadius, z1), d = at(i, hubRadius, z1);
            glm::vec2 ta = around(i, z0), tb = around(j, z0), tc = around(j, z1), td = around(i, z1);
            if (side < 0) {
                std::swap(a, b);
                std::swap(c, d);
                std::swap(ta, tb);
                std::swap(tc, td);
            }
            mesh.flatQuad(a, b, c, d, ta, tb, tc, td);
        }
        // The wall of the hole, facing the axis.
        {
            glm::vec3 a = at(j, holeRadius, -hubHalf), b = at(i, holeRadius, -hubHalf), c = at(i, holeRadius, hubHalf),
                      d = at(j, holeRadius, hubHalf);
            mesh.flatQuad(a, b, c, d, around(j, -hubHalf), around(i, -hubHalf), around(i, hubHalf), around(j, hubHalf));
        }
    }
    return mesh;
}

} // namespace contentgen
