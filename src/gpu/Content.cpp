#include "gpu/Content.h"

#include "gpu/Shader.h"
#include "gpu/Texture.h"

std::string contentPath(const std::string& relativePath)
{
    return "../Content/" + relativePath;
}

std::unique_ptr<Shader> loadProgram(const std::string& vertexFile, const std::string& fragmentFile,
                                    const std::string& fragmentDefinitions)
{
    return std::make_unique<Shader>(contentPath("Shader/" + vertexFile), contentPath("Shader/" + fragmentFile),
                                    fragmentDefinitions);
}

std::unique_ptr<Texture> loadImage(const std::string& file)
{
    return std::make_unique<Texture>(contentPath("Images/" + file));
}
