#include "GameRun.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string realContent()
{
    return std::string(VANTOR_SOURCE_DIR) + "/Content";
}

} // namespace

ContentCopy::ContentCopy()
{
    std::string pattern = (fs::temp_directory_path() / "vantor-content-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    root = pattern;
    fs::create_directory(root + "/run");
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(realContent())) {
        const fs::path relative = fs::relative(entry.path(), realContent());
        const fs::path target = fs::path(root) / "Content" / relative;
        if (entry.is_directory())
            fs::create_directories(target);
        else
            fs::create_symlink(entry.path(), target);
    }
}

ContentCopy::~ContentCopy()
{
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

std::string ContentCopy::original(const std::string& relative)
{
    std::ifstream file(realContent() + "/" + relative, std::ios::binary);
    if (!file)
        throw std::runtime_error("no content file " + relative);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void ContentCopy::remove(const std::string& relative) const
{
    fs::remove(fs::path(root) / "Content" / relative);
}

void ContentCopy::replace(const std::string& relative, const std::string& bytes) const
{
    remove(relative);
    std::ofstream file(fs::path(root) / "Content" / relative, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

double printedFrameSeconds(const std::string& out)
{
    double total = 0.0;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("frametime: ", 0) != 0)
            continue;
        total += std::atof(line.c_str() + 11) / 1000.0;
    }
    return total;
}

std::string withoutFrameTimeLines(const std::string& out)
{
    std::string rest;
    for (size_t at = 0; at < out.size();) {
        const size_t end = std::min(out.find('\n', at), out.size() - 1);
        const std::string line = out.substr(at, end + 1 - at); // with its line end, if any
        if (line.rfind("frametime: ", 0) != 0)
            rest += line;
        at = end + 1;
    }
    return rest;
}

std::string executingLine()
{
    return "you are executing '" + gameBinary() + "'\n";
}
