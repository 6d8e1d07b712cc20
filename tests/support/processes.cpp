#include "processes.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

extern char** environ;

namespace bb::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) abort();
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    output_ = pipeFds[0];
}

ChildProcess::~ChildProcess() {
    if (!reaped_) {
        ::kill(pid_, SIGKILL);
        wait();
    }
    close(output_);
}

bool ChildProcess::waitForLine(const std::string& prefix, int seconds, std::string* line) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (true) {
        const auto newline = pending_.find('\n');
        if (newline != std::string::npos) {
            const std::string found = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            if (found.rfind(prefix, 0) == 0) {
                if (line) *line = found;
                return true;
            }
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) return false;
        pollfd p{output_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) return false;
        char buffer[512];
        const ssize_t n = read(output_, buffer, sizeof buffer);
        if (n <= 0) return false;
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

int ChildProcess::wait() {
    if (!reaped_) {
        int raw = 0;
        waitpid(pid_, &raw, 0);
        reaped_ = true;
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -WTERMSIG(raw);
    }
    return status_;
}

void ChildProcess::kill(int signal) {
    ::kill(pid_, signal);
}

}  // namespace bb::test
