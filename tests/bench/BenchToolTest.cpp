// The benchmark run as a person would, from the build folder. No figure is
// held to a time limit: only that each figure is there and agrees with the others.
#include "Process.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

namespace {

ProcessResult runBench(const std::vector<std::string>& args)
{
    ProcessOptions options;
    options.workingDirectory = gameWorkingDirectory();
    return runProcess(std::string(VANTOR_BINARY_DIR) + "/vantor-bench", args, options);
}

// A number of the tool's one "JSON {...}" line (NaN when it is missing).
double figure(const std::string& out, const std::string& key)
{
    std::smatch match;
    const std::regex pattern("\"" + key + "\": *(-?[0-9.eE+-]+)");
    const size_t json = out.find("\nJSON {");
    const std::string line = json == std::string::npos ? "" : out.substr(json, out.find('\n', json + 1) - json);
    return std::regex_search(line, match, pattern) ? std::stod(match[1]) : std::nan("");
}

} // namespace

TEST(Bench, MeasuresStartUpEveryPassAgainstTheBaselineAndTheWholeFrame)
{
    const ProcessResult run = runBench({"64", "48", "--frames", "3", "--warmup", "1"});
    ASSERT_FALSE(run.timedOut);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(figure(run.out, "frames_measured"), 3);
    EXPECT_EQ(figure(run.out, "game_over_at_frame"), 0);
    const double baseline = figure(run.out, "baseline_sync_ms");
    EXPECT_GT(baseline, 0.0);
    for (const std::string pass : {"shadow", "scene", "separation", "blurA", "bloomComposite", "sunImage",
                                   "lensFlare", "blurB", "finalComposite", "text"}) {
        const double sync = figure(run.out, "pass_" + pass + "_sync_ms");
        EXPECT_GT(sync, 0.0) << pass;
        const bool chain = pass == "blurA" || pass == "blurB"; // ten blur passes each
        const double times = figure(run.out, "pass_" + pass + (chain ? "_per_pass_x_baseline" : "_x_baseline"));
        EXPECT_NEAR(times, sync / (chain ? 10.0 : 1.0) / baseline, 1e-3 * times) << pass;
    }
    EXPECT_GT(figure(run.out, "startup_ready_ms"), 0.0);
    EXPECT_GE(figure(run.out, "startup_first_frame_ms"), figure(run.out, "startup_ready_ms"));
    EXPECT_GE(figure(run.out, "frame_wall_p90_ms"), figure(run.out, "frame_wall_median_ms"));
    EXPECT_GT(figure(run.out, "memory_peak_rss_kib"), 4096.0);

    const ProcessResult bad = runBench({"64", "48", "--frames", "0"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "usage: vantor-bench width height [--frames N] [--warmup N]\n");
}
