// Runs imagora as a child process for the reliability tests: its stdout is read line by line
// as it comes, so a test can act (kill it) at a known point of the run.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <vector>

struct HostExit {
    bool signalled = false; // ended by a signal rather than by exiting
    int code = -1;          // exit code, when not signalled
    std::string out;        // all of stdout read
    std::string err;        // all of stderr
    long peakRssKb = 0;     // the child's peak resident memory
};

class HostProcess {
public:
    // Starts imagora --headless with args; stdin is /dev/null.
    explicit HostProcess(const std::vector<std::string>& args);
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    // Reads stdout until a line starting with prefix has come; false at the end of output.
    bool WaitForLine(const std::string& prefix);
    // Sends SIGKILL.
    void Kill();
    // Reads the rest of stdout and waits for the child.
    HostExit Wait();

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string errPath_;
    std::string outText_;
    size_t scanned_ = 0;
};
