#pragma once

// Helpers for running the real game against damaged content and reading what
// it prints.
#include "Process.h"

#include <string>

// A throw-away folder T with T/Content, a copy of the game's content made of
// symbolic links to the real files, and T/run, the folder the game runs from
// (so that "../Content/" reaches the copy). Single files of the copy can be
// removed or replaced without touching the real content.
class ContentCopy {
public:
    ContentCopy();
    ~ContentCopy();
    ContentCopy(const ContentCopy&) = delete;
    ContentCopy& operator=(const ContentCopy&) = delete;

    std::string runDirectory() const { return root + "/run"; }
    // The bytes of a file of the real content, e.g. "Images/space.jpg".
    static std::string original(const std::string& relative);
    void remove(const std::string& relative) const;
    void replace(const std::string& relative, const std::string& bytes) const;

private:
    std::string root;
};

// The sum of the frame times of all "frametime: " lines, in seconds.
double printedFrameSeconds(const std::string& out);
// The output with every "frametime: " line taken out.
std::string withoutFrameTimeLines(const std::string& out);
// The first line the game writes when started with two or more arguments.
std::string executingLine();
