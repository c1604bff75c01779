#include "app/CommandLine.h"

#include <sstream>
#include <string>

namespace {

template <typename T>
bool extract(const char* text, T& value)
{
    std::istringstream stream{std::string(text)};
    stream >> value;
    return !stream.fail() && !stream.bad();
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv)
{
    CommandLine result;
    if (argc < 3) {
        result.error = "Not enough Arguments! Required at least two integers!";
        return result;
    }
    if (!extract(argv[1], result.width)) {
        result.error = "First cmd line arg could not be read!";
        return result;
    }
    if (!extract(argv[2], result.height)) {
        result.error = "Second cmd line arg could not be read!";
        return result;
    }
    if (argc > 3 && !extract(argv[3], result.fullscreen)) {
        result.error = "Invalid Argument! Could not parse the third parameter as an integer!";
        return result;
    }
    if (result.width > maxWindowSide || result.height > maxWindowSide) {
        result.error = "Window too large! Width and height must be at most " + std::to_string(maxWindowSide) + " pixels!";
        return result;
    }
    result.ok = true;
    return result;
}
