#include "Process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void readAvailable(int fd, std::string& into)
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        into.append(buffer, static_cast<size_t>(n));
    }
}

pid_t spawn(const std::string& program, const std::vector<std::string>& args, const ProcessOptions& options,
            int& outFd, int& errFd, int& terminalFd)
{
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        return -1;
    int master = -1;
    int slave = -1;
    if (options.stdinIsTerminal && openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return -1;

    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
            _exit(127);
        if (options.stdinIsTerminal) {
            dup2(slave, 0);
        } else {
            const int devnull = open("/dev/null", O_RDONLY);
            dup2(devnull, 0);
        }
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        for (const std::string& entry : options.extraEnvironment)
            putenv(strdup(entry.c_str()));
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    if (slave >= 0)
        close(slave);
    fcntl(outPipe[0], F_SETFL, O_NONBLOCK);
    fcntl(errPipe[0], F_SETFL, O_NONBLOCK);
    outFd = outPipe[0];
    errFd = errPipe[0];
    terminalFd = master;
    return child;
}

void pollOnce(int outFd, int errFd, double seconds, std::string& out, std::string& err)
{
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    poll(fds, 2, static_cast<int>(seconds * 1000.0));
    readAvailable(outFd, out);
    readAvailable(errFd, err);
}

void fillResult(int status, ProcessResult& result)
{
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
}

const char* const displayRefused = "ERROR: Failed to initialize GLFW\n";
constexpr int displayAttempts = 4;

// True when a start that failed this way is worth another try.
bool mayRetryDisplay(const ProcessOptions& options)
{
    if (!options.retryRefusedDisplay)
        return false;
    for (const std::string& entry : options.extraEnvironment)
        if (entry.rfind("DISPLAY=", 0) == 0)
            return false; // the test chose the display (or none) on purpose
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

ProcessResult runOnce(const std::string& program, const std::vector<std::string>& args, const ProcessOptions& options);

} // namespace

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options)
{
    ProcessResult result = runOnce(program, args, options);
    for (int attempt = 1; attempt < displayAttempts && mayRetryDisplay(options) &&
                          result.exitCode == 1 && result.err == displayRefused;
         ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        result = runOnce(program, args, options);
    }
    return result;
}

namespace {

ProcessResult runOnce(const std::string& program, const std::vector<std::string>& args, const ProcessOptions& options)
{
    ProcessResult result;
    int outFd = -1;
    int errFd = -1;
    int terminalFd = -1;
    const pid_t child = spawn(program, args, options, outFd, errFd, terminalFd);
    if (child < 0)
        return result;
    if (terminalFd >= 0 && !options.terminalInput.empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const ssize_t written = write(terminalFd, options.terminalInput.data(), options.terminalInput.size());
        (void)written;
    }

    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    for (;;) {
        pollOnce(outFd, errFd, 0.05, result.out, result.err);
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (secondsSince(start) > options.safetyKillSeconds) {
            result.timedOut = true;
            kill(-child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
    }
    readAvailable(outFd, result.out);
    readAvailable(errFd, result.err);
    close(outFd);
    close(errFd);
    if (terminalFd >= 0)
        close(terminalFd);
    fillResult(status, result);
    return result;
}

} // namespace

BackgroundProcess::BackgroundProcess(const std::string& program, const std::vector<std::string>& args,
                                     const ProcessOptions& options)
{
    for (int attempt = 0; attempt < displayAttempts; ++attempt) {
        int terminalFd = -1;
        child = spawn(program, args, options, outFd, errFd, terminalFd);
        if (terminalFd >= 0)
            close(terminalFd);
        if (child <= 0 || !mayRetryDisplay(options))
            return;
        // A refused display ends the child within moments; give it those
        // moments, then start it again if that is what happened.
        const auto start = std::chrono::steady_clock::now();
        while (running() && secondsSince(start) < 1.5)
            pump(0.05);
        if (running() || err != displayRefused || attempt + 1 == displayAttempts)
            return;
        close(outFd);
        close(errFd);
        outFd = errFd = -1;
        out.clear();
        err.clear();
        exited = false;
        status = 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
}

BackgroundProcess::~BackgroundProcess()
{
    if (child > 0 && !exited) {
        kill(-child, SIGKILL);
        waitpid(child, &status, 0);
    }
    if (outFd >= 0)
        close(outFd);
    if (errFd >= 0)
        close(errFd);
}

void BackgroundProcess::pump(double seconds)
{
    if (outFd >= 0)
        pollOnce(outFd, errFd, seconds, out, err);
}

bool BackgroundProcess::running()
{
    if (child <= 0 || exited)
        return false;
    if (waitpid(child, &status, WNOHANG) == child)
        exited = true;
    return !exited;
}

bool BackgroundProcess::waitForOutput(const std::string& text, double maxSeconds)
{
    const auto start = std::chrono::steady_clock::now();
    while (secondsSince(start) < maxSeconds) {
        pump(0.1);
        if (out.find(text) != std::string::npos)
            return true;
        if (!running()) {
            pump(0.0);
            return out.find(text) != std::string::npos;
        }
    }
    return false;
}

ProcessResult BackgroundProcess::finish(double maxSeconds)
{
    ProcessResult result;
    const auto start = std::chrono::steady_clock::now();
    while (running()) {
        pump(0.05);
        if (secondsSince(start) > maxSeconds) {
            result.timedOut = true;
            kill(-child, SIGKILL);
            waitpid(child, &status, 0);
            exited = true;
            break;
        }
    }
    pump(0.0);
    result.out = out;
    result.err = err;
    fillResult(status, result);
    return result;
}

std::string gameBinary()
{
    return std::string(VANTOR_BINARY_DIR) + "/vantor";
}

std::string gameWorkingDirectory()
{
    return VANTOR_BINARY_DIR;
}

std::string shellOutput(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    pclose(pipe);
    return output;
}
