#pragma once

// Small Collada files written by the tests themselves, so the mesh import can
// be checked against geometry whose answer is known.

#include <glm/glm.hpp>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fixture {

struct Mesh {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;  // one per position
    std::vector<glm::vec2> uvs;      // one per position, or none
    std::vector<unsigned> triangles; // three indices per triangle
    bool asLines = false;            // write the indices as line pairs instead
};

// A flat triangle list in the z = 0 plane facing +z.
inline Mesh triangles(const std::vector<glm::vec2>& corners, bool withUvs)
{
    Mesh mesh;
    for (const glm::vec2& c : corners) {
        mesh.positions.push_back(glm::vec3(c, 0.0f));
        mesh.normals.push_back(glm::vec3(0.0f, 0.0f, 1.0f));
        if (withUvs)
            mesh.uvs.push_back(c * 0.5f + 0.5f);
        mesh.triangles.push_back(unsigned(mesh.triangles.size()));
    }
    return mesh;
}

inline std::string floats(const std::vector<float>& values)
{
    std::ostringstream out;
    for (float v : values)
        out << v << ' ';
    return out.str();
}

inline std::string source(const std::string& id, const std::vector<float>& values, const char* params)
{
    const int stride = int(std::string(params).size());
    std::ostringstream out;
    out << "<source id=\"" << id << "\"><float_array id=\"" << id << "-array\" count=\"" << values.size()
        << "\">" << floats(values) << "</float_array><technique_common><accessor source=\"#" << id
        << "-array\" count=\"" << values.size() / stride << "\" stride=\"" << stride << "\">";
    for (const char* p = params; *p != '\0'; ++p)
        out << "<param name=\"" << *p << "\" type=\"float\"/>";
    out << "</accessor></technique_common></source>";
    return out.str();
}

inline std::string collada(const std::vector<Mesh>& meshes)
{
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">"
           "<asset><unit name=\"meter\" meter=\"1\"/><up_axis>Y_UP</up_axis></asset><library_geometries>";
    for (size_t m = 0; m < meshes.size(); ++m) {
        const Mesh& mesh = meshes[m];
        const std::string g = "g" + std::to_string(m);
        std::vector<float> p, n, t;
        for (const glm::vec3& v : mesh.positions)
            p.insert(p.end(), {v.x, v.y, v.z});
        for (const glm::vec3& v : mesh.normals)
            n.insert(n.end(), {v.x, v.y, v.z});
        for (const glm::vec2& v : mesh.uvs)
            t.insert(t.end(), {v.x, v.y});
        out << "<geometry id=\"" << g << "\" name=\"" << g << "\"><mesh>" << source(g + "-pos", p, "XYZ")
            << source(g + "-nrm", n, "XYZ");
        if (!t.empty())
            out << source(g + "-uv", t, "ST");
        out << "<vertices id=\"" << g << "-vtx\"><input semantic=\"POSITION\" source=\"#" << g << "-pos\"/></vertices>";
        const size_t primitives = mesh.asLines ? mesh.triangles.size() / 2 : mesh.triangles.size() / 3;
        out << (mesh.asLines ? "<lines" : "<triangles") << " count=\"" << primitives << "\">"
            << "<input semantic=\"VERTEX\" source=\"#" << g << "-vtx\" offset=\"0\"/>"
            << "<input semantic=\"NORMAL\" source=\"#" << g << "-nrm\" offset=\"0\"/>";
        if (!t.empty())
            out << "<input semantic=\"TEXCOORD\" source=\"#" << g << "-uv\" offset=\"0\" set=\"0\"/>";
        out << "<p>";
        for (unsigned i : mesh.triangles)
            out << i << ' ';
        out << "</p>" << (mesh.asLines ? "</lines>" : "</triangles>") << "</mesh></geometry>";
    }
    out << "</library_geometries><library_visual_scenes><visual_scene id=\"Scene\" name=\"Scene\">";
    for (size_t m = 0; m < meshes.size(); ++m)
        out << "<node id=\"n" << m << "\" name=\"n" << m << "\"><instance_geometry url=\"#g" << m
            << "\"/></node>";
    out << "</visual_scene></library_visual_scenes><scene><instance_visual_scene url=\"#Scene\"/></scene>"
           "</COLLADA>\n";
    return out.str();
}

// A folder of its own under /tmp, removed with its files at the end.
class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/vantor-scene-XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made != nullptr ? made : "/tmp";
    }
    ~TempDir()
    {
        for (const std::string& file : files)
            std::remove(file.c_str());
        rmdir(path.c_str());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string write(const std::string& name, const std::string& text)
    {
        const std::string file = path + "/" + name;
        std::ofstream(file) << text;
        files.push_back(file);
        return file;
    }

    std::string path;

private:
    std::vector<std::string> files;
};

// A closed tetrahedron: four triangles, with UVs.
inline Mesh tetrahedron()
{
    Mesh mesh;
    mesh.positions = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    for (const glm::vec3& p : mesh.positions) {
        mesh.normals.push_back(glm::normalize(p));
        mesh.uvs.push_back(glm::vec2(p.x, p.y) * 0.5f + 0.5f);
    }
    mesh.triangles = {0, 1, 3, 0, 2, 1, 0, 3, 2, 1, 2, 3};
    return mesh;
}

} // namespace fixture
