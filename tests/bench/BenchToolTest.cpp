// Runs the benchmark tool as a person would, from the build folder, and reads
// its machine-readable line. No figure is compared with a time limit: only
// that every figure is there, is a number, and is consistent with the others.

#include "Process.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string benchBinary()
{
    return std::string(VANTOR_BINARY_DIR) + "/vantor-bench";
}

ProcessResult runBench(const std::vector<std::string>& args)
{
    ProcessOptions options;
    options.workingDirectory = gameWorkingDirectory();
    return runProcess(benchBinary(), args, options);
}

// A flat JSON object of strings and numbers, as the tool writes it.
struct FlatJson {
    std::map<std::string, double> numbers;
    std::map<std::string, std::string> strings;
};

class FlatJsonParser {
public:
    explicit FlatJsonParser(const std::string& text) : text(text) {}

    std::optional<FlatJson> parse()
    {
        FlatJson result;
        if (!take('{'))
            return std::nullopt;
        if (take('}'))
            return finished(result);
        do {
            const std::optional<std::string> key = string();
            if (!key || !take(':'))
                return std::nullopt;
            skipBlanks();
            if (at < text.size() && text[at] == '"') {
                const std::optional<std::string> value = string();
                if (!value || !result.strings.emplace(*key, *value).second)
                    return std::nullopt;
            } else {
                const std::optional<double> value = number();
                if (!value || !result.numbers.emplace(*key, *value).second)
                    return std::nullopt;
            }
        } while (take(','));
        if (!take('}'))
            return std::nullopt;
        return finished(result);
    }

private:
    void skipBlanks()
    {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
    }
    bool take(char c)
    {
        skipBlanks();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    std::optional<std::string> string()
    {
        if (!take('"'))
            return std::nullopt;
        const size_t end = text.find('"', at);
        if (end == std::string::npos)
            return std::nullopt;
        std::string value = text.substr(at, end - at);
        at = end + 1;
        if (value.find('\\') != std::string::npos)
            return std::nullopt; // the tool writes no escapes
        return value;
    }
    std::optional<double> number()
    {
        const char* begin = text.c_str() + at;
        char* end = nullptr;
        const double value = std::strtod(begin, &end);
        if (end == begin)
            return std::nullopt;
        at += static_cast<size_t>(end - begin);
        return value;
    }
    std::optional<FlatJson> finished(const FlatJson& result)
    {
        skipBlanks();
        if (at != text.size())
            return std::nullopt;
        return result;
    }

    const std::string& text;
    size_t at = 0;
};

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line.substr(prefix.size()));
    return lines;
}

const char* const passNames[] = {"shadow", "scene", "separation", "blurA", "bloomComposite",
                                 "sunImage", "lensFlare", "blurB", "finalComposite", "text"};

const char* const startupStages[] = {"startup_shader_build_ms", "startup_image_decode_ms",
                                     "startup_texture_upload_ms", "startup_model_import_ms",
                                     "startup_glyphs_ms", "startup_render_targets_ms"};

class BenchRun : public ::testing::Test {
protected:
    // One run of the tool serves every case of the suite.
    static void SetUpTestSuite()
    {
        *run = runBench({"64", "48", "--frames", "3", "--warmup", "1"});
        const std::vector<std::string> jsonLines = linesStartingWith(run->out, "JSON ");
        *figures = jsonLines.size() == 1 ? FlatJsonParser(jsonLines[0]).parse() : std::nullopt;
    }

    double figure(const std::string& key) const
    {
        const auto found = (*figures)->numbers.find(key);
        EXPECT_NE(found, (*figures)->numbers.end()) << "no figure " << key;
        return found == (*figures)->numbers.end() ? std::nan("") : found->second;
    }

    static inline ProcessResult storedRun;
    static inline std::optional<FlatJson> storedFigures;
    static inline ProcessResult* const run = &storedRun;
    static inline std::optional<FlatJson>* const figures = &storedFigures;
};

} // namespace

TEST_F(BenchRun, EndsWellWithOneParsableJsonLine)
{
    ASSERT_FALSE(run->timedOut);
    EXPECT_EQ(run->exitCode, 0) << run->err;
    EXPECT_EQ(run->err, "");
    EXPECT_EQ(linesStartingWith(run->out, "JSON ").size(), 1u) << run->out;
    ASSERT_TRUE(figures->has_value()) << "the JSON line does not parse:\n" << run->out;
    EXPECT_NE((*figures)->strings.count("renderer"), 0u);
    for (const auto& [key, value] : (*figures)->numbers)
        EXPECT_TRUE(std::isfinite(value)) << key;
}

TEST_F(BenchRun, RunsWhatItWasAskedFor)
{
    ASSERT_TRUE(figures->has_value());
    EXPECT_EQ(figure("width"), 64);
    EXPECT_EQ(figure("height"), 48);
    EXPECT_EQ(figure("frames"), 3);
    EXPECT_EQ(figure("warmup"), 1);
    EXPECT_EQ(figure("frames_measured"), 3);
    EXPECT_EQ(figure("frames_measured_gl_passes"), 3);
    EXPECT_EQ(figure("frames_measured_sync_passes"), 3);
    EXPECT_EQ(figure("game_over_at_frame"), 0); // the moon is far from any stone this early
    EXPECT_EQ(run->out.find("note:"), std::string::npos);
}

TEST_F(BenchRun, StartUpFiguresAddUp)
{
    ASSERT_TRUE(figures->has_value());
    const double toMain = figure("startup_process_to_main_ms");
    const double ready = figure("startup_ready_ms");
    const double firstFrame = figure("startup_first_frame_ms");
    EXPECT_GE(toMain, 0.0);
    EXPECT_GT(ready, toMain);
    EXPECT_GE(firstFrame, ready);
    EXPECT_GT(figure("startup_first_frame_draw_ms"), 0.0);

    // Every stage really runs at start-up, and together they fit into it.
    double stages = 0.0;
    for (const char* stage : startupStages) {
        EXPECT_GT(figure(stage), 0.0) << stage;
        stages += figure(stage);
    }
    EXPECT_LE(stages, ready - toMain);
    EXPECT_NEAR(figure("startup_other_ms"), ready - toMain - stages, 1e-3 * ready);
}

TEST_F(BenchRun, EveryPassAndTheBaselineAreMeasured)
{
    ASSERT_TRUE(figures->has_value());
    const double baseline = figure("baseline_sync_ms");
    EXPECT_GT(baseline, 0.0);
    EXPECT_GE(figure("baseline_gl_ms"), 0.0);
    for (const std::string pass : passNames) {
        const bool chain = pass == "blurA" || pass == "blurB";
        const double sync = figure("pass_" + pass + "_sync_ms");
        EXPECT_GT(sync, 0.0) << pass;
        EXPECT_GE(figure("pass_" + pass + "_gl_ms"), 0.0) << pass;
        const std::string times = "pass_" + pass + (chain ? "_per_pass_x_baseline" : "_x_baseline");
        EXPECT_NEAR(figure(times), sync / (chain ? 10.0 : 1.0) / baseline, 1e-3 * figure(times)) << pass;
        EXPECT_NE(run->out.find("  " + pass + " "), std::string::npos) << "no table row for " << pass;
    }
}

TEST_F(BenchRun, WholeFrameCpuAndMemoryAreMeasured)
{
    ASSERT_TRUE(figures->has_value());
    EXPECT_GT(figure("frame_wall_median_ms"), 0.0);
    EXPECT_GE(figure("frame_wall_p90_ms"), figure("frame_wall_median_ms"));
    EXPECT_GT(figure("frame_cpu_median_ms"), 0.0);
    EXPECT_GE(figure("frame_allocations_median"), 0.0);
    // The game's content alone is several MiB once loaded.
    EXPECT_GT(figure("memory_peak_rss_kib"), 4096.0);
}

TEST(BenchOptions, BadCommandLinesGiveUsageAndStatusTwo)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"64"},
        {"wide", "48"},
        {"64", "48x"},
        {"0", "48"},
        {"64", "-48"},
        {"64", "48", "--frames"},
        {"64", "48", "--frames", "0"},
        {"64", "48", "--frames", "many"},
        {"64", "48", "--warmup", "-1"},
        {"64", "48", "--fast", "1"},
        {"64", "48", "3"},
    };
    for (const std::vector<std::string>& args : bad) {
        std::string shown;
        for (const std::string& arg : args)
            shown += " '" + arg + "'";
        const ProcessResult result = runBench(args);
        EXPECT_EQ(result.exitCode, 2) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_EQ(result.err, "usage: vantor-bench width height [--frames N] [--warmup N]\n") << shown;
    }
}

TEST(BenchGameOver, MeasuringStopsWhereTheMoonHitsAStoneAndSaysSo)
{
    // With no keys held the moon meets a stone long before 3 x 200 frames.
    const ProcessResult result = runBench({"64", "48", "--frames", "200", "--warmup", "0"});
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Game Over - You reached 0 Points\n"), std::string::npos);
    EXPECT_EQ(linesStartingWith(result.out, "note: the moon hit a stone in frame ").size(), 1u) << result.out;

    const std::vector<std::string> jsonLines = linesStartingWith(result.out, "JSON ");
    ASSERT_EQ(jsonLines.size(), 1u);
    const std::optional<FlatJson> parsed = FlatJsonParser(jsonLines[0]).parse();
    ASSERT_TRUE(parsed.has_value());
    const auto& numbers = parsed->numbers;
    const double endedAt = numbers.at("game_over_at_frame");
    const double whole = numbers.at("frames_measured");
    EXPECT_GT(endedAt, 0.0);
    EXPECT_GT(whole, 0.0);
    EXPECT_LT(whole, 200.0);
    // Each round plays three measured frames, all of them before the end.
    EXPECT_LE(3.0 * whole - 2.0, endedAt);
    EXPECT_LE(numbers.at("frames_measured_gl_passes"), whole);
    EXPECT_LE(numbers.at("frames_measured_sync_passes"), numbers.at("frames_measured_gl_passes"));
    EXPECT_GT(numbers.at("pass_shadow_sync_ms"), 0.0);
}
