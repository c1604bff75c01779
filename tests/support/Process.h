#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Runs a program as a child process with the given working directory, its
// standard input on /dev/null (or a pseudo-terminal) and its output captured.
struct ProcessResult {
    int exitCode = -1;   // exit status, or -1 when killed by a signal
    int signal = 0;      // the signal that ended it, if any
    bool timedOut = false;
    std::string out;     // standard output
    std::string err;     // standard error
};

struct ProcessOptions {
    std::string workingDirectory;           // empty: the current one
    std::vector<std::string> extraEnvironment; // "NAME=value" entries added
    bool stdinIsTerminal = false;           // give the child a pseudo-terminal as stdin
    std::string terminalInput;              // bytes typed into that terminal
    double safetyKillSeconds = 300.0;       // a hung child is killed, never waited for forever
    // Under load the virtual display now and then refuses a connection
    // (XOpenDisplay fails, the game says "ERROR: Failed to initialize GLFW").
    // Such a start is retried a few times, unless the test set DISPLAY itself.
    bool retryRefusedDisplay = true;
};

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options = {});

// A child started in the background (for driving the game with xdotool).
class BackgroundProcess {
public:
    BackgroundProcess(const std::string& program, const std::vector<std::string>& args,
                      const ProcessOptions& options = {});
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    pid_t pid() const { return child; }
    // Reads whatever output is available, waiting at most the given time.
    void pump(double seconds);
    // Waits until standard output contains the text; false if the child ended
    // or the wait ran out first.
    bool waitForOutput(const std::string& text, double maxSeconds);
    bool running();
    // Waits for the child to end (killing it after maxSeconds).
    ProcessResult finish(double maxSeconds);

    std::string out;
    std::string err;

private:
    pid_t child = -1;
    int outFd = -1;
    int errFd = -1;
    bool exited = false;
    int status = 0;
};

// The game binary and the folder it runs from.
std::string gameBinary();
std::string gameWorkingDirectory();
// Runs a shell command and returns its standard output.
std::string shellOutput(const std::string& command);
