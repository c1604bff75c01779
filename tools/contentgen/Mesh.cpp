#include "Mesh.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "Layout.h"

namespace contentgen {

uint32_t Mesh::add(const Vertex& v) {
    vertices.push_back(v);
    return static_cast<uint32_t>(vertices.size() - 1);
}

void Mesh::triangle(uint32_t a, uint32_t b, uint32_t c) {
    indices.insert(indices.end(), {a, b, c});
}

void Mesh::quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    triangle(a, b, c);
    triangle(a, c, d);
}

void Mesh::flatQuad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d,
                    glm::vec2 ta, glm::vec2 tb, glm::vec2 tc, glm::vec2 td) {
    const glm::vec3 n = glm::normalize(glm::cross(c - a, d - b));
    quad(add({a, n, ta}), add({b, n, tb}), add({c, n, tc}), add({d, n, td}));
}

void Mesh::transform(const glm::mat4& m) {
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(m)));
    for (Vertex& v : vertices) {
        v.position = glm::vec3(m * glm::vec4(v.position, 1.0f));
        v.normal = glm::normalize(normalMatrix * v.normal);
    }
}

Mesh uvEllipsoid(int segments, int rings, float equatorialRadius, float polarRadius) {
    Mesh mesh;
    const glm::vec3 radii(equatorialRadius, polarRadius, equatorialRadius);
    auto vertexAt = [&](float u, float v) {
        const glm::vec3 d = layout::sphereDirection(u, v);
        // Gradient of the ellipsoid's implicit function: the outward normal.
        return Vertex{d * radii, glm::normalize(d / radii), {u, v}};
    };
    // Row r holds segments + 1 vertices (seam duplicated); pole rows hold one
    // vertex per column, at the middle of the column.
    std::vector<std::vector<uint32_t>> row(rings + 1);
    for (int r = 0; r <= rings; ++r) {
        const float v = static_cast<float>(r) / static_cast<float>(rings);
        const bool pole = (r == 0 || r == rings);
        const int count = pole ? segments : segments + 1;
        for (int s = 0; s < count; ++s) {
            const float u = (static_cast<float>(s) + (pole ? 0.5f : 0.0f)) / static_cast<float>(segments);
            Vertex vx = vertexAt(u, v);
            if (pole) { // exact pole, whatever the rounding of the trigonometry
                vx.position = glm::vec3(0.0f, r == 0 ? -polarRadius : polarRadius, 0.0f);
                vx.normal = glm::vec3(0.0f, r == 0 ? -1.0f : 1.0f, 0.0f);
            }
            row[r].push_back(mesh.add(vx));
        }
    }
    // u grows eastwards and v northwards, so (s, r) -> (s+1, r) -> (s+1, r+1)
    // is counter-clockwise seen from outside.
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            if (r == 0)
                mesh.triangle(row[0][s], row[1][s + 1], row[1][s]);
            else if (r == rings - 1)
                mesh.triangle(row[r][s], row[r][s + 1], row[rings][s]);
            else
                mesh.quad(row[r][s], row[r][s + 1], row[r + 1][s + 1], row[r + 1][s]);
        }
    return mesh;
}

Mesh icosphere(int levels) {
    const float t = (1.0f + std::sqrt(5.0f)) * 0.5f;
    std::vector<glm::vec3> points = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0},
                                     {0, -1, t}, {0, 1, t}, {0, -1, -t}, {0, 1, -t},
                                     {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
    for (glm::vec3& p : points) p = glm::normalize(p);
    std::vector<uint32_t> faces = {0, 11, 5, 0, 5, 1, 0, 1, 7, 0, 7, 10, 0, 10, 11,
                                   1, 5, 9, 5, 11, 4, 11, 10, 2, 10, 7, 6, 7, 1, 8,
                                   3, 9, 4, 3, 4, 2, 3, 2, 6, 3, 6, 8, 3, 8, 9,
                                   4, 9, 5, 2, 4, 11, 6, 2, 10, 8, 6, 7, 9, 8, 1};
    for (int level = 0; level < levels; ++level) {
        std::map<std::pair<uint32_t, uint32_t>, uint32_t> midpoints;
        auto midpoint = [&](uint32_t a, uint32_t b) {
            const auto key = std::make_pair(std::min(a, b), std::max(a, b));
            auto it = midpoints.find(key);
            if (it != midpoints.end()) return it->second;
            points.push_back(glm::normalize(points[a] + points[b]));
            const uint32_t index = static_cast<uint32_t>(points.size() - 1);
            midpoints.emplace(key, index);
            return index;
        };
        std::vector<uint32_t> next;
        for (size_t f = 0; f < faces.size(); f += 3) {
            const uint32_t a = faces[f], b = faces[f + 1], c = faces[f + 2];
            const uint32_t ab = midpoint(a, b), bc = midpoint(b, c), ca = midpoint(c, a);
            next.insert(next.end(), {a, ab, ca, b, bc, ab, c, ca, bc, ab, bc, ca});
        }
        faces.swap(next);
    }
    Mesh mesh;
    for (const glm::vec3& p : points) mesh.add({p, p, glm::vec2(0.0f)});
    mesh.indices = faces;
    return mesh;
}

namespace {

void writeSource(std::ostream& out, const std::string& id, const std::vector<float>& values, int stride,
                 const char* const* params) {
    const size_t count = values.size() / static_cast<size_t>(stride);
    out << "        <source id=\"" << id << "\">\n"
        << "          <float_array id=\"" << id << "-array\" count=\"" << values.size() << "\">";
    char buffer[32];
    for (size_t i = 0; i < values.size(); ++i) {
        // Fixed formatting keeps the file byte-identical between runs; -0 is written as 0.
        std::snprintf(buffer, sizeof buffer, "%.6g", values[i] == 0.0f ? 0.0f : values[i]);
        out << (i == 0 ? "" : (i % static_cast<size_t>(stride) == 0 ? "\n" : " ")) << buffer;
    }
    out << "</float_array>\n"
        << "          <technique_common>\n"
        << "            <accessor source=\"#" << id << "-array\" count=\"" << count << "\" stride=\"" << stride
        << "\">\n";
    for (int i = 0; i < stride; ++i)
        out << "              <param name=\"" << params[i] << "\" type=\"float\"/>\n";
    out << "            </accessor>\n"
        << "          </technique_common>\n"
        << "        </source>\n";
}

} // namespace

bool writeCollada(const Mesh& mesh, const std::string& name, const std::string& path) {
    std::vector<float> positions, normals, uvs;
    for (const Vertex& v : mesh.vertices) {
        positions.insert(positions.end(), {v.position.x, v.position.y, v.position.z});
        normals.insert(normals.end(), {v.normal.x, v.normal.y, v.normal.z});
        uvs.insert(uvs.end(), {v.uv.x, v.uv.y});
    }
    static const char* const xyz[] = {"X", "Y", "Z"};
    static const char* const st[] = {"S", "T"};

    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        << "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n"
        << "  <asset>\n"
        << "    <contributor><authoring_tool>vantor-contentgen</authoring_tool></contributor>\n"
        << "    <created>2024-01-01T00:00:00Z</created>\n"
        << "    <modified>2024-01-01T00:00:00Z</modified>\n"
        << "    <unit name=\"meter\" meter=\"1\"/>\n"
        << "    <up_axis>Y_UP</up_axis>\n"
        << "  </asset>\n"
        << "  <library_geometries>\n"
        << "    <geometry id=\"" << name << "-mesh\" name=\"" << name << "\">\n"
        << "      <mesh>\n";
    writeSource(out, name + "-positions", positions, 3, xyz);
    writeSource(out, name + "-normals", normals, 3, xyz);
    writeSource(out, name + "-texcoords", uvs, 2, st);
    out << "        <vertices id=\"" << name << "-vertices\">\n"
        << "          <input semantic=\"POSITION\" source=\"#" << name << "-positions\"/>\n"
        << "        </vertices>\n"
        << "        <triangles count=\"" << mesh.indices.size() / 3 << "\">\n"
        << "          <input semantic=\"VERTEX\" source=\"#" << name << "-vertices\" offset=\"0\"/>\n"
        << "          <input semantic=\"NORMAL\" source=\"#" << name << "-normals\" offset=\"0\"/>\n"
        << "          <input semantic=\"TEXCOORD\" source=\"#" << name << "-texcoords\" offset=\"0\" set=\"0\"/>\n"
        << "          <p>";
    for (size_t i = 0; i < mesh.indices.size(); ++i)
        out << (i == 0 ? "" : (i % 3 == 0 ? "\n" : " ")) << mesh.indices[i];
    out << "</p>\n"
        << "        </triangles>\n"
        << "      </mesh>\n"
        << "    </geometry>\n"
        << "  </library_geometries>\n"
        << "  <library_visual_scenes>\n"
        << "    <visual_scene id=\"Scene\" name=\"Scene\">\n"
        << "      <node id=\"" << name << "\" name=\"" << name << "\" type=\"NODE\">\n"
        << "        <instance_geometry url=\"#" << name << "-mesh\" name=\"" << name << "\"/>\n"
        << "      </node>\n"
        << "    </visual_scene>\n"
        << "  </library_visual_scenes>\n"
        << "  <scene>\n"
        << "    <instance_visual_scene url=\"#Scene\"/>\n"
        << "  </scene>\n"
        << "</COLLADA>\n";

    std::ofstream file(path, std::ios::binary);
    file << out.str();
    return static_cast<bool>(file);
}

} // namespace contentgen
