#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Running a program as a child process: its working directory, standard input
// on /dev/null (or a pseudo-terminal), its output captured.
struct ProcessResult {
    int exitCode = -1; // exit status, or -1 when killed by a signal
    int signal = 0;    // the signal that ended it, if any
    bool timedOut = false;
    std::string out, err;
};

struct ProcessOptions {
    std::string workingDirectory;              // empty: the current one
    std::vector<std::string> extraEnvironment; // "NAME=value" entries added, "NAME" removed
    bool stdinIsTerminal = false;              // a pseudo-terminal as standard input ...
    std::string terminalInput;                 // ... and the bytes typed into it
    double safetyKillSeconds = 300.0;          // a hung child is killed, never waited for forever
};

// A child started in the background.
class BackgroundProcess {
public:
    BackgroundProcess(const std::string& program, const std::vector<std::string>& args,
                      const ProcessOptions& options = {});
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    pid_t pid() const { return child; }
    void pump(double seconds); // reads what output arrives within that time
    // Waits until standard output holds the text; false if the child ended first or time ran out.
    bool waitForOutput(const std::string& text, double maxSeconds);
    bool running();
    ProcessResult finish(double maxSeconds); // waits for the end, killing it after maxSeconds

    std::string out, err;

private:
    pid_t child = -1;
    int outFd = -1, errFd = -1, terminalFd = -1;
    bool exited = false;
    int status = 0;
};

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options = {});

// The game the tests start: this build's, or the program VANTOR_GAME names,
// which starts another build (the Windows one under Wine) with the arguments
// given. That game reports its path as VANTOR_GAME_PATH, its wait for a key
// prints VANTOR_GAME_PAUSE, and its window, in a process of its own, is found
// by its title alone.
std::string gameBinary();
std::string gameWorkingDirectory(); // the folder it runs from
bool gameStartedElsewhere();        // VANTOR_GAME is set
std::string gameReportedPath();     // what "you are executing" names
std::string pausePrompt();          // what the wait for a key prints, the key's line end too
int gameWindowOwner(const BackgroundProcess& game); // the process id for findWindow
std::string shellOutput(const std::string& command); // a shell command's standard output
