#include "render/Renderer.h"

#include "gpu/Content.h"
#include "gpu/StartupTimings.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <glm/gtc/matrix_transform.hpp>

#include <iostream>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr FT_UInt glyphPixels = 48;

// One texture from FreeType's 8-bit coverage bitmap of the loaded glyph.
GlTexture glyphTexture(const FT_Bitmap& bitmap)
{
    GlTexture texture = GlTexture::create();
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, static_cast<GLsizei>(bitmap.width), static_cast<GLsizei>(bitmap.rows), 0,
                 GL_RED, GL_UNSIGNED_BYTE, bitmap.buffer);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

void loadGlyphs(FT_Face face, std::map<char, Character>& characters)
{
    for (int code = 0; code < 128; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) {
            std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
            continue;
        }
        const FT_GlyphSlot glyph = face->glyph;
        Character character;
        character.textureID = glyphTexture(glyph->bitmap);
        character.size = glm::ivec2(static_cast<int>(glyph->bitmap.width), static_cast<int>(glyph->bitmap.rows));
        character.bearing = glm::ivec2(glyph->bitmap_left, glyph->bitmap_top);
        character.advance = static_cast<unsigned int>(glyph->advance.x);
        characters.emplace(static_cast<char>(code), std::move(character));
    }
}

// The characters the game draws: the score and "GAME OVER".
constexpr std::string_view drawnCharacters = "-0123456789AEGMORV";

// Whether the table can draw the game's text, else why not: a font cut short
// still opens and loads every glyph without an error, each without a picture.
enum class Glyphs { drawable, missing, empty };
Glyphs gameGlyphs(const std::map<char, Character>& characters)
{
    Glyphs found = Glyphs::drawable;
    for (const char c : drawnCharacters) {
        const auto glyph = characters.find(c);
        if (glyph == characters.end())
            found = Glyphs::missing; // its glyph line has been printed
        else if (glyph->second.size.x == 0 || glyph->second.size.y == 0)
            return Glyphs::empty;
    }
    return found;
}

} // namespace

void Renderer::initText()
{
    std::optional<ScopedStartupTimer> glyphTimer(std::in_place, StartupStage::Glyphs);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    const bool libraryReady = FT_Init_FreeType(&library) == 0;
    if (!libraryReady)
        std::cout << "ERROR::FREETYPE: Could not init FreeType Library" << std::endl;
    const bool faceReady = libraryReady && FT_New_Face(library, contentPath("Fonts/arial.ttf").c_str(), 0, &face) == 0;
    if (libraryReady && !faceReady)
        std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl;

    if (faceReady) {
        FT_Set_Pixel_Sizes(face, 0, glyphPixels);
        if (FT_Load_Char(face, 'X', FT_LOAD_RENDER) != 0)
            std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
    }

    // Glyph rows are tightly packed; every image texture is loaded by now.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    if (faceReady) {
        loadGlyphs(face, characters);
        FT_Done_Face(face);
        const Glyphs glyphs = gameGlyphs(characters);
        if (glyphs == Glyphs::empty)
            std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl;
        if (glyphs != Glyphs::drawable)
            characters.clear(); // no text at all, as without a font
    }
    if (libraryReady)
        FT_Done_FreeType(library);
    glyphTimer.reset(); // the text program counts with the other programs

    characterShader = loadProgram("character.vert", "character.frag");

    textVAO = GlVertexArray::create();
    textVBO = GlBuffer::create();
    glBindVertexArray(textVAO);
    glBindBuffer(GL_ARRAY_BUFFER, textVBO);
    glBufferData(GL_ARRAY_BUFFER, sizeof(float) * 6 * 4, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void Renderer::renderText(std::string text, float x, float y, float scale, glm::vec3 color)
{
    const glm::mat4 projection = glm::ortho(0.0f, static_cast<float>(width), 0.0f, static_cast<float>(height));
    glUseProgram(characterShader->program);
    characterShader->setVec3("textColor", color);
    characterShader->setMat4("projection", projection);
    characterShader->setInt("text", 0); // the glyph's coverage
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(textVAO);

    for (const char c : text) {
        // A code without a glyph gets an empty entry: nothing is drawn for it.
        const Character& glyph = characters[c];
        const float xpos = x + static_cast<float>(glyph.bearing.x) * scale;
        const float ypos = y - static_cast<float>(glyph.size.y - glyph.bearing.y) * scale;
        const float w = static_cast<float>(glyph.size.x) * scale;
        const float h = static_cast<float>(glyph.size.y) * scale;
        const float vertices[6][4] = {
            {xpos, ypos + h, 0.0f, 0.0f},    {xpos, ypos, 0.0f, 1.0f},     {xpos + w, ypos, 1.0f, 1.0f},
            {xpos, ypos + h, 0.0f, 0.0f},    {xpos + w, ypos, 1.0f, 1.0f}, {xpos + w, ypos + h, 1.0f, 0.0f},
        };
        glBindTexture(GL_TEXTURE_2D, glyph.textureID);
        glBindBuffer(GL_ARRAY_BUFFER, textVBO);
        glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(vertices), vertices);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        x += static_cast<float>(glyph.advance >> 6) * scale;
    }

    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}
