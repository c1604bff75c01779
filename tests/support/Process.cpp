#include "Process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string fromEnvironment(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

void readAvailable(int fd, std::string& into)
{
    char buffer[4096];
    for (ssize_t n; fd >= 0 && (n = read(fd, buffer, sizeof buffer)) > 0;)
        into.append(buffer, static_cast<size_t>(n));
}

} // namespace

BackgroundProcess::BackgroundProcess(const std::string& program, const std::vector<std::string>& args,
                                     const ProcessOptions& options)
{
    int outPipe[2], errPipe[2], slave = -1;
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        return;
    if (options.stdinIsTerminal && openpty(&terminalFd, &slave, nullptr, nullptr, nullptr) != 0)
        return;
    child = fork();
    if (child == 0) {
        setpgid(0, 0);
        if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
            _exit(127);
        dup2(slave >= 0 ? slave : open("/dev/null", O_RDONLY), 0);
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        for (const std::string& entry : options.extraEnvironment)
            putenv(strdup(entry.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
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
    outFd = outPipe[0];
    errFd = errPipe[0];
    fcntl(outFd, F_SETFL, O_NONBLOCK);
    fcntl(errFd, F_SETFL, O_NONBLOCK);
    if (terminalFd >= 0 && !options.terminalInput.empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const ssize_t written = write(terminalFd, options.terminalInput.data(), options.terminalInput.size());
        (void)written;
    }
}

BackgroundProcess::~BackgroundProcess()
{
    if (child > 0 && !exited) {
        kill(-child, SIGKILL);
        waitpid(child, &status, 0);
    }
    for (int fd : {outFd, errFd, terminalFd})
        if (fd >= 0)
            close(fd);
}

void BackgroundProcess::pump(double seconds)
{
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    poll(fds, 2, static_cast<int>(seconds * 1000.0));
    readAvailable(outFd, out);
    readAvailable(errFd, err);
}

bool BackgroundProcess::running()
{
    if (child > 0 && !exited && waitpid(child, &status, WNOHANG) == child)
        exited = true;
    return child > 0 && !exited;
}

bool BackgroundProcess::waitForOutput(const std::string& text, double maxSeconds)
{
    const auto started = std::chrono::steady_clock::now();
    while (out.find(text) == std::string::npos && running() && secondsSince(started) < maxSeconds)
        pump(0.1);
    pump(0.0);
    return out.find(text) != std::string::npos;
}

ProcessResult BackgroundProcess::finish(double maxSeconds)
{
    ProcessResult result;
    const auto started = std::chrono::steady_clock::now();
    while (running()) {
        pump(0.05);
        if (secondsSince(started) > maxSeconds) {
            result.timedOut = true;
            kill(-child, SIGKILL);
            waitpid(child, &status, 0);
            exited = true;
        }
    }
    pump(0.0);
    result.out = out;
    result.err = err;
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    return result;
}

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options)
{
    BackgroundProcess process(program, args, options);
    return process.finish(options.safetyKillSeconds);
}

std::string gameBinary() { return fromEnvironment("VANTOR_GAME", std::string(VANTOR_BINARY_DIR) + "/vantor"); }

bool gameStartedElsewhere() { return std::getenv("VANTOR_GAME") != nullptr; }

std::string gameReportedPath() { return fromEnvironment("VANTOR_GAME_PATH", gameBinary()); }

std::string pausePrompt() { return fromEnvironment("VANTOR_GAME_PAUSE", "Press any key to continue . . .\n"); }

int gameWindowOwner(const BackgroundProcess& game) { return gameStartedElsewhere() ? 0 : game.pid(); }

std::string gameWorkingDirectory() { return VANTOR_BINARY_DIR; }

std::string shellOutput(const std::string& command) { return runProcess("/bin/sh", {"-c", command}).out; }
