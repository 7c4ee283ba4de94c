#include "HostProcess.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

HostProcess::HostProcess(const std::vector<std::string>& args) {
    char pattern[] = "/tmp/tweenkit-host-stderr-XXXXXX";
    int err = ::mkstemp(pattern);
    if (err < 0)
        throw std::runtime_error("cannot make a file for stderr");
    errPath_ = pattern;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe");
    std::vector<std::string> argv{IMAGORA_PATH, "--headless"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    for (std::string& a : argv)
        raw.push_back(a.data());
    raw.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, STDIN_FILENO);
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execv(raw[0], raw.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    ::close(err);
    out_ = pipeFds[0];
    if (pid_ < 0)
        throw std::runtime_error("cannot fork");
}

HostProcess::~HostProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0)
        ::close(out_);
    std::remove(errPath_.c_str());
}

bool HostProcess::WaitForLine(const std::string& prefix) {
    for (;;) {
        for (size_t end; (end = outText_.find('\n', scanned_)) != std::string::npos;) {
            bool found = outText_.compare(scanned_, prefix.size(), prefix) == 0;
            scanned_ = end + 1;
            if (found)
                return true;
        }
        char chunk[4096];
        ssize_t n = ::read(out_, chunk, sizeof chunk);
        if (n <= 0)
            return false;
        outText_.append(chunk, static_cast<size_t>(n));
    }
}

void HostProcess::Kill() {
    ::kill(pid_, SIGKILL);
}

HostExit HostProcess::Wait() {
    char chunk[4096];
    for (ssize_t n; (n = ::read(out_, chunk, sizeof chunk)) > 0;)
        outText_.append(chunk, static_cast<size_t>(n));
    int status = 0;
    rusage usage{};
    ::wait4(pid_, &status, 0, &usage);
    pid_ = -1;
    HostExit result;
    result.signalled = WIFSIGNALED(status);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = outText_;
    std::ifstream err(errPath_);
    std::stringstream text;
    text << err.rdbuf();
    result.err = text.str();
    result.peakRssKb = usage.ru_maxrss;
    return result;
}
