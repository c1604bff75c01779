// Checks the files under Content/ against what the game expects of them: every
// named file exists, images decode as the texture loader wants them, models
// import with the game's Assimp flags into meshes of the right shape, size and
// orientation, the pictures line up with the models, and the font renders.
// Runs from the build folder, like the game.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include <FreeImage.h>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Process.h"

namespace fs = std::filesystem;

namespace {

const std::string content = "../Content/";

const std::vector<std::string> imageFiles = {"black.jpg", "nmap_stone_flipY.jpg", "texture_sun.jpg",
                                             "tex_moon.jpg", "tex_saturn.jpg", "tex_ring.jpg",
                                             "stone.jpg", "steel.jpg", "space.jpg"};
const std::vector<std::string> modelFiles = {"sphere.dae", "saturn.dae", "lane.dae", "stone_lores.dae",
                                             "cogwheel.dae"};
const std::vector<std::string> shaderFiles = {
    "quad.vert",        "quad.frag",        "separation.frag",       "bloom.frag",
    "lensflare.frag",   "debugQuad.vert",   "debugQuad.frag",        "depthShader.vert",
    "depthShader.frag", "character.vert",   "character.frag",        "uv.vert",
    "uv.frag",          "directionalLight.vert", "directionalLight.frag", "normalMap.vert",
    "normalMap.frag",   "skybox.vert",      "skybox.frag",           "basic.vert",
    "basic.frag"};

// The flags the game imports every model with (Assimp's TargetRealtime_Fast preset).
constexpr unsigned importFlags = aiProcess_CalcTangentSpace | aiProcess_JoinIdenticalVertices |
                                 aiProcess_Triangulate | aiProcess_GenNormals | aiProcess_SortByPType |
                                 aiProcess_GenUVCoords;
static_assert(importFlags == 0x4802B, "the game's import flags");

// Where the game puts things (world units): the lanes, the lane mesh placement and Saturn's.
const float laneDistances[3] = {52.4f, 56.0f, 59.8f};
const glm::mat4 lanePlacement = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -1.0f, 0.0f)) *
                                glm::rotate(glm::mat4(1.0f), 1.57f, glm::vec3(-1.0f, 0.0f, 0.0f)) *
                                glm::scale(glm::mat4(1.0f), glm::vec3(50.0f));
const glm::mat4 saturnPlacement = glm::scale(glm::mat4(1.0f), glm::vec3(35.0f)) *
                                  glm::rotate(glm::mat4(1.0f), 0.73f, glm::vec3(0.25f, 0.25f, 0.25f));

bool isPowerOfTwo(unsigned n) { return n != 0 && (n & (n - 1)) == 0; }

// ---------------------------------------------------------------------------
// Images, decoded the way the game's texture loader does it.

struct Picture {
    FREE_IMAGE_FORMAT format = FIF_UNKNOWN;
    unsigned width = 0, height = 0, bitsPerPixel = 0;
    std::vector<glm::vec3> texels; // row 0 = bottom row (texture coordinate v = 0), RGB 0..1

    glm::vec3 at(unsigned x, unsigned y) const { return texels[static_cast<size_t>(y) * width + x]; }
    static float brightness(glm::vec3 c) { return (c.r + c.g + c.b) / 3.0f; }
    // Mean brightness of the picture row at texture coordinate v.
    float rowBrightness(float v) const {
        const unsigned y = std::min(height - 1, static_cast<unsigned>(std::max(0.0f, v * height)));
        float sum = 0.0f;
        for (unsigned x = 0; x < width; ++x) sum += brightness(at(x, y));
        return sum / static_cast<float>(width);
    }
};

std::optional<Picture> loadPicture(const std::string& name) {
    const std::string path = content + "Images/" + name;
    Picture p;
    p.format = FreeImage_GetFileType(path.c_str(), 0);
    if (p.format == FIF_UNKNOWN) return std::nullopt;
    std::unique_ptr<FIBITMAP, decltype(&FreeImage_Unload)> bitmap(FreeImage_Load(p.format, path.c_str(), 0),
                                                                   FreeImage_Unload);
    if (!bitmap) return std::nullopt;
    p.width = FreeImage_GetWidth(bitmap.get());
    p.height = FreeImage_GetHeight(bitmap.get());
    p.bitsPerPixel = FreeImage_GetBPP(bitmap.get());
    if (p.bitsPerPixel != 24) return p; // the texel reader below only knows 24-bit pictures
    for (unsigned y = 0; y < p.height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(bitmap.get(), static_cast<int>(y));
        for (unsigned x = 0; x < p.width; ++x)
            p.texels.push_back(glm::vec3(line[x * 3 + FI_RGBA_RED], line[x * 3 + FI_RGBA_GREEN],
                                         line[x * 3 + FI_RGBA_BLUE]) /
                               255.0f);
    }
    return p;
}

Picture requirePicture(const std::string& name) {
    std::optional<Picture> p = loadPicture(name);
    if (!p || p->texels.empty()) {
        ADD_FAILURE() << name << " does not decode as a 24-bit picture";
        return Picture{};
    }
    return *p;
}

float correlation(const std::vector<float>& a, const std::vector<float>& b) {
    double ma = 0, mb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ma += a[i];
        mb += b[i];
    }
    ma /= a.size();
    mb /= b.size();
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return static_cast<float>(ab / std::sqrt(aa * bb + 1e-30));
}

// ---------------------------------------------------------------------------
// Models, imported the way the game does it (first mesh only).

struct Model {
    unsigned meshCount = 0;
    bool triangles = false, hasNormals = false, hasUvs = false, hasTangents = false;
    unsigned uvComponents = 0;
    std::vector<glm::vec3> positions, normals, tangents, bitangents;
    std::vector<glm::vec2> uvs;
    std::vector<glm::uvec3> faces;

    glm::vec3 corner(const glm::uvec3& f, int k) const { return positions[f[k]]; }
    glm::vec3 faceNormal(const glm::uvec3& f) const {
        return glm::cross(corner(f, 1) - corner(f, 0), corner(f, 2) - corner(f, 0));
    }
    void bounds(glm::vec3& lo, glm::vec3& hi) const {
        lo = glm::vec3(1e9f);
        hi = glm::vec3(-1e9f);
        for (const glm::vec3& p : positions) {
            lo = glm::min(lo, p);
            hi = glm::max(hi, p);
        }
    }
    void transform(const glm::mat4& m) {
        const glm::mat3 n = glm::transpose(glm::inverse(glm::mat3(m)));
        for (glm::vec3& p : positions) p = glm::vec3(m * glm::vec4(p, 1.0f));
        for (glm::vec3& v : normals) v = glm::normalize(n * v);
    }
};

std::optional<Model> loadModel(const std::string& name) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(content + "Models/" + name, importFlags);
    if (!scene || scene->mNumMeshes == 0) return std::nullopt;
    const aiMesh* mesh = scene->mMeshes[0];
    Model m;
    m.meshCount = scene->mNumMeshes;
    m.triangles = mesh->mPrimitiveTypes == aiPrimitiveType_TRIANGLE;
    m.hasNormals = mesh->HasNormals();
    m.hasUvs = mesh->HasTextureCoords(0);
    m.uvComponents = mesh->mNumUVComponents[0];
    m.hasTangents = mesh->HasTangentsAndBitangents();
    for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
        const aiVector3D& p = mesh->mVertices[i];
        m.positions.emplace_back(p.x, p.y, p.z);
        if (m.hasNormals) m.normals.emplace_back(mesh->mNormals[i].x, mesh->mNormals[i].y, mesh->mNormals[i].z);
        if (m.hasUvs) m.uvs.emplace_back(mesh->mTextureCoords[0][i].x, mesh->mTextureCoords[0][i].y);
        if (m.hasTangents) {
            m.tangents.emplace_back(mesh->mTangents[i].x, mesh->mTangents[i].y, mesh->mTangents[i].z);
            m.bitangents.emplace_back(mesh->mBitangents[i].x, mesh->mBitangents[i].y, mesh->mBitangents[i].z);
        }
    }
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        if (face.mNumIndices == 3) m.faces.emplace_back(face.mIndices[0], face.mIndices[1], face.mIndices[2]);
    }
    return m;
}

// Imports a model and checks what every model must offer the game: one
// triangle mesh with normals and a two-component first UV channel.
Model requireModel(const std::string& name) {
    std::optional<Model> m = loadModel(name);
    if (!m) {
        ADD_FAILURE() << name << " does not import";
        return Model{};
    }
    EXPECT_EQ(m->meshCount, 1u) << name;
    EXPECT_TRUE(m->triangles) << name << " holds other primitives than triangles";
    EXPECT_TRUE(m->hasNormals) << name;
    EXPECT_TRUE(m->hasUvs) << name;
    EXPECT_EQ(m->uvComponents, 2u) << name;
    EXPECT_FALSE(m->faces.empty()) << name;
    return *m;
}

// Counter-clockwise winding: the face normal from the corners agrees with the
// normals the file gives its corners. Returns the number of faces that disagree.
size_t facesAgainstTheirNormals(const Model& m) {
    size_t bad = 0;
    for (const glm::uvec3& f : m.faces) {
        const glm::vec3 n = m.faceNormal(f);
        if (glm::length(n) < 1e-9f) continue; // degenerate sliver, no direction to compare
        const glm::vec3 given = m.normals[f.x] + m.normals[f.y] + m.normals[f.z];
        if (glm::dot(glm::normalize(n), glm::normalize(given)) <= 0.0f) ++bad;
    }
    return bad;
}

// Normals pointing away from the centre (for closed, roughly round shapes).
size_t inwardNormals(const Model& m, glm::vec3 centre) {
    size_t bad = 0;
    for (size_t i = 0; i < m.positions.size(); ++i)
        if (glm::dot(m.normals[i], m.positions[i] - centre) <= 0.0f) ++bad;
    return bad;
}

// Faces whose texture is mirrored as seen from their front side.
size_t mirroredFaces(const Model& m) {
    size_t bad = 0;
    for (const glm::uvec3& f : m.faces) {
        const glm::vec2 a = m.uvs[f.x], b = m.uvs[f.y], c = m.uvs[f.z];
        const float area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        if (area < 0.0f) ++bad;
    }
    return bad;
}

// Volume enclosed by a closed surface (divergence theorem); positive when the
// faces wind counter-clockwise seen from outside.
float signedVolume(const Model& m) {
    double v = 0.0;
    for (const glm::uvec3& f : m.faces) v += glm::dot(m.corner(f, 0), glm::cross(m.corner(f, 1), m.corner(f, 2)));
    return static_cast<float>(v / 6.0);
}

// Checks the latitude/longitude mapping shared by sphere.dae and saturn.dae,
// on a mesh whose poles lie along y: v = latitude 0 (south) .. 1 (north), u =
// longitude 0..1 with the seam duplicated, no face wrapping round the seam.
void expectSphereMapping(const Model& m, float polarRadius, const char* name) {
    size_t wrongLatitude = 0, wrapping = 0;
    bool seamAtZero = false, seamAtOne = false;
    for (size_t i = 0; i < m.positions.size(); ++i) {
        const float v = m.uvs[i].y;
        const float expectedY = polarRadius * std::sin(3.14159265f * (v - 0.5f));
        if (std::abs(m.positions[i].y - expectedY) > 0.01f * polarRadius) ++wrongLatitude;
        const bool pole = std::abs(std::abs(m.positions[i].y) - polarRadius) < 1e-3f * polarRadius;
        if (!pole && std::abs(m.uvs[i].x) < 1e-4f) seamAtZero = true;
        if (!pole && std::abs(m.uvs[i].x - 1.0f) < 1e-4f) seamAtOne = true;
        EXPECT_TRUE(m.uvs[i].x >= -1e-4f && m.uvs[i].x <= 1.0001f) << name << " u out of 0..1";
    }
    for (const glm::uvec3& f : m.faces) {
        const float lo = std::min({m.uvs[f.x].x, m.uvs[f.y].x, m.uvs[f.z].x});
        const float hi = std::max({m.uvs[f.x].x, m.uvs[f.y].x, m.uvs[f.z].x});
        if (hi - lo > 0.5f) ++wrapping;
    }
    EXPECT_EQ(wrongLatitude, 0u) << name << ": v must be the latitude, 0 at the south pole (bottom of the picture)";
    EXPECT_TRUE(seamAtZero && seamAtOne) << name << ": the seam column must exist at u = 0 and at u = 1";
    EXPECT_EQ(wrapping, 0u) << name << ": faces stretch the whole texture across the seam";
    EXPECT_EQ(mirroredFaces(m), 0u) << name << ": texture mirrored seen from outside";
}

} // namespace

// ---------------------------------------------------------------------------

TEST(ContentFiles, ImagesModelsAndFontAreWhereTheGameLooks) {
    for (const std::string& f : imageFiles) EXPECT_TRUE(fs::is_regular_file(content + "Images/" + f)) << f;
    for (const std::string& f : modelFiles) EXPECT_TRUE(fs::is_regular_file(content + "Models/" + f)) << f;
    EXPECT_TRUE(fs::is_regular_file(content + "Fonts/arial.ttf"));
    EXPECT_TRUE(fs::is_regular_file(content + "Fonts/LICENSE-LiberationSans.txt")) << "the font's licence travels with it";
}

TEST(ContentFiles, ShadersAreWhereTheGameLooks) {
    for (const std::string& f : shaderFiles) EXPECT_TRUE(fs::is_regular_file(content + "Shader/" + f)) << f;
}

TEST(ContentFiles, ContentStaysUnderEightMebibytes) {
    std::uintmax_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(content))
        if (entry.is_regular_file()) total += entry.file_size();
    EXPECT_LT(total, 8u * 1024u * 1024u);
}

// The committed pictures and models are exactly what the generator writes, and
// it writes the same bytes every time. Needs the generator built in this build folder.
TEST(ContentFiles, GeneratorReproducesTheCommittedFiles) {
    const std::string generator = std::string(VANTOR_BINARY_DIR) + "/tools/contentgen/vantor-contentgen";
    if (!fs::is_regular_file(generator)) GTEST_SKIP() << "build the vantor-contentgen target to run this check";
    const fs::path out = fs::temp_directory_path() / ("vantor-content-check-" + std::to_string(::getpid()));
    fs::remove_all(out);
    const ProcessResult result = runProcess(generator, {out.string()});
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    auto bytes = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    for (const std::string& f : imageFiles)
        EXPECT_TRUE(bytes(out / "Images" / f) == bytes(content + "Images/" + f)) << f << " differs from a fresh run";
    for (const std::string& f : modelFiles)
        EXPECT_TRUE(bytes(out / "Models" / f) == bytes(content + "Models/" + f)) << f << " differs from a fresh run";
    EXPECT_TRUE(bytes(out / "Fonts" / "arial.ttf") == bytes(content + "Fonts/arial.ttf"));
    for (const std::string f : {"vantor.png", "vantor.svg"})
        EXPECT_TRUE(bytes(out / "Icons" / f) == bytes(content + "Icons/" + f)) << f << " differs from a fresh run";
    fs::remove_all(out);
}

// ---------------------------------------------------------------------------

TEST(ContentImages, AllDecodeAs24BitJpegsWithPowerOfTwoSizes) {
    for (const std::string& f : imageFiles) {
        std::optional<Picture> p = loadPicture(f);
        ASSERT_TRUE(p.has_value()) << f << " does not decode";
        EXPECT_EQ(p->format, FIF_JPEG) << f;
        EXPECT_EQ(p->bitsPerPixel, 24u) << f;
        EXPECT_TRUE(isPowerOfTwo(p->width) && isPowerOfTwo(p->height)) << f << " " << p->width << "x" << p->height;
    }
    const Picture saturn = requirePicture("tex_saturn.jpg");
    EXPECT_EQ(saturn.width, 1024u);
    EXPECT_EQ(saturn.height, 512u);
}

TEST(ContentImages, BlackIsBlackAndTheSunGlows) {
    const Picture black = requirePicture("black.jpg");
    for (const glm::vec3& c : black.texels) EXPECT_LT(std::max({c.r, c.g, c.b}), 3.0f / 255.0f);

    // The sun is drawn unlit and feeds the bloom: bright everywhere, warm.
    const Picture sun = requirePicture("texture_sun.jpg");
    glm::vec3 mean(0.0f);
    float darkest = 1.0f;
    for (const glm::vec3& c : sun.texels) {
        mean += c;
        darkest = std::min(darkest, Picture::brightness(c));
    }
    mean /= static_cast<float>(sun.texels.size());
    EXPECT_GT(Picture::brightness(mean), 0.6f);
    EXPECT_GT(darkest, 0.3f);
    EXPECT_GT(mean.r, mean.b + 0.3f) << "the sun should be yellow-orange";
}

TEST(ContentImages, MoonIsGreyRockWithRelief) {
    const Picture moon = requirePicture("tex_moon.jpg");
    double mean = 0.0, colour = 0.0;
    for (const glm::vec3& c : moon.texels) {
        mean += Picture::brightness(c);
        colour += std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
    }
    mean /= moon.texels.size();
    colour /= moon.texels.size();
    double variance = 0.0;
    for (const glm::vec3& c : moon.texels) variance += std::pow(Picture::brightness(c) - mean, 2.0);
    variance /= moon.texels.size();
    EXPECT_GT(mean, 0.3);
    EXPECT_LT(mean, 0.75);
    EXPECT_LT(colour, 0.05) << "grey, not coloured";
    EXPECT_GT(std::sqrt(variance), 0.04) << "a flat grey picture shows no craters";
}

// Saturn's bands run along the latitude: the colour changes much more from row
// to row than along a row.
TEST(ContentImages, SaturnBandsRunAlongTheLatitude) {
    const Picture saturn = requirePicture("tex_saturn.jpg");
    double withinRows = 0.0;
    std::vector<double> rowMeans;
    for (unsigned y = saturn.height / 8; y < saturn.height * 7 / 8; ++y) {
        double sum = 0.0, squares = 0.0;
        for (unsigned x = 0; x < saturn.width; ++x) {
            const double b = Picture::brightness(saturn.at(x, y));
            sum += b;
            squares += b * b;
        }
        const double m = sum / saturn.width;
        withinRows += squares / saturn.width - m * m;
        rowMeans.push_back(m);
    }
    withinRows /= rowMeans.size();
    double all = 0.0, betweenRows = 0.0;
    for (double m : rowMeans) all += m;
    all /= rowMeans.size();
    for (double m : rowMeans) betweenRows += (m - all) * (m - all);
    betweenRows /= rowMeans.size();
    EXPECT_GT(betweenRows, 4.0 * withinRows) << "bands must vary along v, not along u";
    EXPECT_GT(std::sqrt(betweenRows), 0.03) << "bands must differ in tone";
    // Butterscotch and cream: warm, mid-bright (lit, it must not drown in the bloom).
    glm::dvec3 mean(0.0);
    for (const glm::vec3& c : saturn.texels) mean += glm::dvec3(c);
    mean /= static_cast<double>(saturn.texels.size());
    EXPECT_GT(mean.r, mean.b + 0.1);
    EXPECT_GT((mean.r + mean.g + mean.b) / 3.0, 0.35);
    EXPECT_LT((mean.r + mean.g + mean.b) / 3.0, 0.7);
}

// The ring picture's rows are radii through lane.dae's v: the three lanes must
// be bright where the game runs the moon, the gaps between them darker.
TEST(ContentImages, RingLanesLieAtTheLaneRadiiOfTheLaneModel) {
    const Model lane = requireModel("lane.dae");
    const Picture ring = requirePicture("tex_ring.jpg");
    ASSERT_FALSE(lane.positions.empty());
    // v as a linear function of the mesh radius, fitted over the mesh.
    std::vector<float> radii, vs;
    for (size_t i = 0; i < lane.positions.size(); ++i) {
        radii.push_back(glm::length(glm::vec2(lane.positions[i])));
        vs.push_back(lane.uvs[i].y);
    }
    ASSERT_GT(std::abs(correlation(radii, vs)), 0.999f) << "v must run across the ring, linear in the radius";
    const auto [rMin, rMax] = std::minmax_element(radii.begin(), radii.end());
    const float vAtMin = vs[rMin - radii.begin()], vAtMax = vs[rMax - radii.begin()];
    auto vAt = [&](float meshRadius) { return vAtMin + (meshRadius - *rMin) / (*rMax - *rMin) * (vAtMax - vAtMin); };

    float lanes[3], gaps[2];
    for (int i = 0; i < 3; ++i) lanes[i] = ring.rowBrightness(vAt(laneDistances[i] / 50.0f));
    for (int i = 0; i < 2; ++i) gaps[i] = ring.rowBrightness(vAt((laneDistances[i] + laneDistances[i + 1]) / 100.0f));
    for (float l : lanes)
        for (float g : gaps) EXPECT_GT(l, 2.0f * g) << "lane " << l << " vs gap " << g;
}

// The same picture lies on all six sky box faces: all four edges must match
// each other in either direction, or the cube's edges show.
TEST(ContentImages, SkyEdgesMatchEachOtherForTheCubeMap) {
    const Picture sky = requirePicture("space.jpg");
    ASSERT_EQ(sky.width, sky.height) << "cube faces are square";
    const unsigned n = sky.width;
    std::vector<std::vector<glm::vec3>> edges(4);
    for (unsigned i = 0; i < n; ++i) {
        edges[0].push_back(sky.at(i, 0));
        edges[1].push_back(sky.at(i, n - 1));
        edges[2].push_back(sky.at(0, i));
        edges[3].push_back(sky.at(n - 1, i));
    }
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b)
            for (bool reversed : {false, true}) {
                float worst = 0.0f;
                for (unsigned i = 0; i < n; ++i) {
                    const glm::vec3 d = glm::abs(edges[a][i] - edges[b][reversed ? n - 1 - i : i]);
                    worst = std::max({worst, d.r, d.g, d.b});
                }
                EXPECT_LT(worst, 12.0f / 255.0f) << "edges " << a << " and " << b << (reversed ? " reversed" : "");
            }
    // A star field, not an empty picture: some bright points on a dark ground.
    size_t stars = 0;
    double mean = 0.0;
    for (const glm::vec3& c : sky.texels) {
        stars += Picture::brightness(c) > 0.5f;
        mean += Picture::brightness(c);
    }
    EXPECT_GT(stars, 200u);
    EXPECT_LT(mean / sky.texels.size(), 0.15);
}

// The cube map uploads the file's bytes as RGB although FreeImage gives them
// in BGR order, so the screen shows red and blue exchanged. The sky's clouds
// are meant to look violet and blue there, which makes them red-heavy in the file.
TEST(ContentImages, SkyColoursArePreSwappedForTheCubeMap) {
    const Picture sky = requirePicture("space.jpg");
    glm::dvec3 onScreen(0.0);
    for (const glm::vec3& c : sky.texels) onScreen += glm::dvec3(c.b, c.g, c.r);
    onScreen /= static_cast<double>(sky.texels.size());
    EXPECT_GT(onScreen.b, onScreen.r * 1.1) << "the sky would show orange instead of blue-violet";
}

// nmap_stone_flipY.jpg is the normal map of the relief that stone.jpg shows
// (hollows darker): its red channel falls where the albedo rises along u, and
// its green channel (flipped) rises where the albedo rises along v.
TEST(ContentImages, StoneNormalMapBelongsToTheStoneWithGreenFlipped) {
    const Picture albedo = requirePicture("stone.jpg");
    const Picture normals = requirePicture("nmap_stone_flipY.jpg");
    ASSERT_EQ(albedo.width, normals.width);
    ASSERT_EQ(albedo.height, normals.height);
    std::vector<float> dU, dV, red, green;
    size_t notUnit = 0, facingAway = 0;
    for (unsigned y = albedo.height / 8; y < albedo.height * 7 / 8; ++y)
        for (unsigned x = 1; x + 1 < albedo.width; ++x) {
            dU.push_back(Picture::brightness(albedo.at(x + 1, y)) - Picture::brightness(albedo.at(x - 1, y)));
            dV.push_back(Picture::brightness(albedo.at(x, y + 1)) - Picture::brightness(albedo.at(x, y - 1)));
            const glm::vec3 n = normals.at(x, y) * 2.0f - 1.0f;
            red.push_back(n.x);
            green.push_back(n.y);
            notUnit += std::abs(glm::length(n) - 1.0f) > 0.15f; // JPEG noise stays well below
            facingAway += n.z <= 0.0f;
        }
    EXPECT_LT(correlation(dU, red), -0.3f) << "red must be the negated slope along u";
    EXPECT_GT(correlation(dV, green), 0.3f) << "green must be the slope along v (the flipped Y)";
    EXPECT_LT(notUnit, dU.size() / 100) << "texels must encode unit normals";
    EXPECT_EQ(facingAway, 0u);
}

// ---------------------------------------------------------------------------

TEST(ContentModels, SphereIsAUnitSphereWithUprightSeamCorrectMapping) {
    const Model m = requireModel("sphere.dae");
    EXPECT_GT(m.faces.size(), 1500u);
    EXPECT_LT(m.faces.size(), 3000u);
    for (const glm::vec3& p : m.positions) EXPECT_NEAR(glm::length(p), 1.0f, 1e-3f);
    EXPECT_EQ(facesAgainstTheirNormals(m), 0u);
    EXPECT_EQ(inwardNormals(m, glm::vec3(0.0f)), 0u);
    EXPECT_NEAR(signedVolume(m), 4.18879f, 0.1f) << "closed, outward-facing unit sphere";
    expectSphereMapping(m, 1.0f, "sphere.dae");
}

// The game turns Saturn by 0.73 about (1,1,1) after scaling it by 35. Placed
// that way, the flattened planet must stand upright with its bands level.
TEST(ContentModels, SaturnStandsUprightWhereTheGamePutsIt) {
    Model m = requireModel("saturn.dae");
    EXPECT_EQ(facesAgainstTheirNormals(m), 0u);
    EXPECT_EQ(inwardNormals(m, glm::vec3(0.0f)), 0u);
    m.transform(saturnPlacement);
    glm::vec3 lo, hi;
    m.bounds(lo, hi);
    EXPECT_NEAR(hi.y, 31.5f, 0.3f);
    EXPECT_NEAR(lo.y, -31.5f, 0.3f);
    float equator = 0.0f;
    for (const glm::vec3& p : m.positions) equator = std::max(equator, glm::length(glm::vec2(p.x, p.z)));
    EXPECT_NEAR(equator, 35.0f, 0.3f);
    // The poles themselves lie on the y axis.
    for (const glm::vec3& p : m.positions) {
        if (std::abs(p.y) > 31.4f) {
            EXPECT_LT(glm::length(glm::vec2(p.x, p.z)), 0.5f);
        }
    }
    EXPECT_EQ(inwardNormals(m, glm::vec3(0.0f)), 0u);
    expectSphereMapping(m, 31.5f, "saturn.dae placed in the world");
}

TEST(ContentModels, LaneIsAFlatRingCarryingTheThreeLanes) {
    Model m = requireModel("lane.dae");
    float rMin = 1e9f, rMax = 0.0f;
    std::set<long> angles;
    for (size_t i = 0; i < m.positions.size(); ++i) {
        const glm::vec3& p = m.positions[i];
        EXPECT_NEAR(p.z, 0.0f, 1e-5f);
        EXPECT_GT(m.normals[i].z, 0.999f) << "the ring faces +z";
        rMin = std::min(rMin, glm::length(glm::vec2(p)));
        rMax = std::max(rMax, glm::length(glm::vec2(p)));
        angles.insert(std::lround(std::atan2(p.y, p.x) * 1000.0f));
        EXPECT_GE(m.uvs[i].y, -1e-4f);
        EXPECT_LE(m.uvs[i].y, 1.0001f);
    }
    EXPECT_NEAR(rMin, 1.02f, 0.01f);
    EXPECT_NEAR(rMax, 1.23f, 0.01f);
    EXPECT_GE(angles.size(), 200u) << "the ring needs enough segments to look round";
    EXPECT_EQ(facesAgainstTheirNormals(m), 0u);
    EXPECT_EQ(mirroredFaces(m), 0u);
    // Placed by the game, the ring spans every lane and faces up.
    m.transform(lanePlacement);
    float worldMin = 1e9f, worldMax = 0.0f;
    for (size_t i = 0; i < m.positions.size(); ++i) {
        const float r = glm::length(glm::vec2(m.positions[i].x, m.positions[i].z));
        worldMin = std::min(worldMin, r);
        worldMax = std::max(worldMax, r);
        EXPECT_GT(m.normals[i].y, 0.99f);
    }
    EXPECT_LT(worldMin, laneDistances[0] - 1.0f);
    EXPECT_GT(worldMax, laneDistances[2] + 1.0f);
}

TEST(ContentModels, StoneIsALowPolyRockReadyForNormalMapping) {
    const Model m = requireModel("stone_lores.dae");
    EXPECT_GT(m.faces.size(), 100u);
    EXPECT_LT(m.faces.size(), 1000u);
    glm::vec3 lo, hi;
    m.bounds(lo, hi);
    const glm::vec3 size = hi - lo;
    EXPECT_NEAR(std::max({size.x, size.y, size.z}), 1.6f, 0.2f);
    EXPECT_LT(std::min({size.x, size.y, size.z}), std::max({size.x, size.y, size.z})) << "a rock, not a ball";
    EXPECT_LT(glm::length((lo + hi) * 0.5f), 0.1f) << "centred on its origin";
    EXPECT_EQ(facesAgainstTheirNormals(m), 0u);
    EXPECT_EQ(inwardNormals(m, glm::vec3(0.0f)), 0u);
    EXPECT_GT(signedVolume(m), 0.0f);
    ASSERT_TRUE(m.hasTangents) << "the normal-mapped stones need tangents and bitangents";
    size_t bad = 0;
    for (size_t i = 0; i < m.positions.size(); ++i) {
        const glm::vec3 t = m.tangents[i], b = m.bitangents[i], n = m.normals[i];
        if (glm::length(t) < 1e-6f || glm::length(b) < 1e-6f || !std::isfinite(t.x) || !std::isfinite(b.x)) {
            ++bad;
            continue;
        }
        // A right-handed frame: tangent x bitangent points out of the surface.
        if (std::abs(glm::dot(glm::normalize(t), n)) > 0.2f || glm::dot(glm::cross(t, b), n) <= 0.0f) ++bad;
    }
    EXPECT_LT(bad, m.positions.size() / 50) << "tangent frames missing, tilted or mirrored";
}

// Goodies: a wheel in the XY plane (axis along z, so it faces along the track
// where the game places it), teeth around a hub with a hole, hard flat faces.
TEST(ContentModels, CogwheelIsAToothedWheelWithAHubAndAHole) {
    const Model m = requireModel("cogwheel.dae");
    glm::vec3 lo, hi;
    m.bounds(lo, hi);
    EXPECT_NEAR(hi.x - lo.x, 2.0f, 0.2f);
    EXPECT_NEAR(hi.y - lo.y, 2.0f, 0.2f);
    EXPECT_LT(hi.z - lo.z, 0.7f) << "a flat wheel, its axis along z";
    EXPECT_LT(glm::length((lo + hi) * 0.5f), 0.05f);
    EXPECT_GT(signedVolume(m), 0.1f) << "closed and facing outwards";
    EXPECT_EQ(facesAgainstTheirNormals(m), 0u);
    // Flat faces with hard edges: every corner carries its face's normal.
    size_t soft = 0;
    for (const glm::uvec3& f : m.faces) {
        const glm::vec3 n = glm::normalize(m.faceNormal(f));
        for (int k = 0; k < 3; ++k) soft += glm::dot(n, m.normals[f[k]]) < 0.999f;
    }
    EXPECT_EQ(soft, 0u);
    // Every face looks away from the wheel's material: the sides away from the
    // middle plane, the rim and hub walls away from the axis, the hole's wall
    // towards it.
    float holeRadius = 1e9f;
    for (const glm::vec3& p : m.positions) holeRadius = std::min(holeRadius, glm::length(glm::vec2(p)));
    size_t inward = 0;
    for (const glm::uvec3& f : m.faces) {
        const glm::vec3 n = glm::normalize(m.faceNormal(f));
        const glm::vec3 centre = (m.corner(f, 0) + m.corner(f, 1) + m.corner(f, 2)) / 3.0f;
        if (std::abs(n.z) > 0.9f) {
            inward += n.z * centre.z <= 0.0f;
        } else {
            const bool inHole = glm::length(glm::vec2(centre)) < holeRadius + 0.01f;
            const float away = glm::dot(glm::vec2(n), glm::vec2(centre));
            inward += inHole ? away >= 0.0f : away <= 0.0f;
        }
    }
    EXPECT_EQ(inward, 0u);
    // The hole: nothing near the axis, and a wall facing it.
    float innermost = 1e9f, outermost = 0.0f;
    bool holeWall = false;
    for (size_t i = 0; i < m.positions.size(); ++i) {
        const glm::vec2 p(m.positions[i]);
        innermost = std::min(innermost, glm::length(p));
        outermost = std::max(outermost, glm::length(p));
        if (glm::length(p) > 1e-3f && glm::dot(glm::vec2(m.normals[i]), glm::normalize(p)) < -0.99f) holeWall = true;
    }
    EXPECT_GT(innermost, 0.1f);
    EXPECT_TRUE(holeWall);
    // Teeth: runs of tip vertices around the rim.
    std::vector<float> tipAngles;
    for (const glm::vec3& p : m.positions)
        if (glm::length(glm::vec2(p)) > 0.97f * outermost) tipAngles.push_back(std::atan2(p.y, p.x));
    std::sort(tipAngles.begin(), tipAngles.end());
    ASSERT_FALSE(tipAngles.empty());
    int teeth = 0;
    for (size_t i = 0; i < tipAngles.size(); ++i) {
        const float previous = i == 0 ? tipAngles.back() - 6.2831853f : tipAngles[i - 1];
        if (tipAngles[i] - previous > 0.2f) ++teeth;
    }
    EXPECT_GE(teeth, 10);
    EXPECT_LE(teeth, 16);
}

// ---------------------------------------------------------------------------

TEST(ContentFont, RendersTheAsciiRangeAt48Pixels) {
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, (content + "Fonts/arial.ttf").c_str(), 0, &face), 0);
    EXPECT_STREQ(face->family_name, "Liberation Sans");
    ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, 48), 0);
    for (unsigned long c = 32; c <= 127; ++c) {
        ASSERT_EQ(FT_Load_Char(face, c, FT_LOAD_RENDER), 0) << "code " << c;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        if (c > 32 && c < 127) {
            EXPECT_GT(bitmap.width, 0u) << "code " << c;
            EXPECT_GT(bitmap.rows, 0u) << "code " << c;
        }
        EXPECT_GT(face->glyph->advance.x, 0) << "code " << c;
    }
    ASSERT_EQ(FT_Load_Char(face, 'X', FT_LOAD_RENDER), 0);
    EXPECT_GT(face->glyph->bitmap.rows, 25u);
    EXPECT_LE(face->glyph->bitmap.rows, 48u);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}
