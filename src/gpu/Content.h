#pragma once

#include <memory>
#include <string>

class Shader;
class Texture;

// The game reads its content through paths relative to the working
// directory: it runs from a folder beside Content/ (build/), so every path
// leads up one folder and into Content/. `relativePath` is the part inside
// Content/, such as "Models/sphere.dae".
std::string contentPath(const std::string& relativePath);

// A program from two sources in Content/Shader/ (Shader's rules on failure),
// with `fragmentDefinitions` after the fragment source's #version line.
std::unique_ptr<Shader> loadProgram(const std::string& vertexFile, const std::string& fragmentFile,
                                    const std::string& fragmentDefinitions = "");
// A mipmapped 2D texture from a picture in Content/Images/.
std::unique_ptr<Texture> loadImage(const std::string& file);
