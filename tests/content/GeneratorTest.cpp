// The generator makes exactly the committed content files.
#include "gpu/Content.h"
#include "Process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const std::string content = contentPath("");

std::string bytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(Content, TheGeneratorReproducesTheCommittedFiles)
{
    const std::string generator = std::string(VANTOR_BINARY_DIR) + "/tools/contentgen/vantor-contentgen";
    ASSERT_TRUE(fs::is_regular_file(generator)) << "the content generator was not built";
    const fs::path out = fs::temp_directory_path() / ("vantor-content-check-" + std::to_string(::getpid()));
    fs::remove_all(out);
    const ProcessResult result = runProcess(generator, {out.string()});
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file())
            continue;
        const fs::path relative = fs::relative(entry.path(), out);
        EXPECT_TRUE(bytes(entry.path()) == bytes(content + relative.string())) << relative << " differs from a fresh run";
        ++compared;
    }
    EXPECT_GE(compared, 15);
    fs::remove_all(out);
}
