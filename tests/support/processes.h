// Starting another station: a helper program run as a separate process, so
// that tests see what two processes sharing a data folder see.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace bb::test {

class ChildProcess {
public:
    // Starts `program` with `arguments`; its standard output is kept.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Reads its output up to and including the next line that starts with
    // `prefix`; false when the output ends first or `seconds` pass.
    bool waitForLine(const std::string& prefix, int seconds = 20, std::string* line = nullptr);
    // Waits for it to end; its exit status, or -signal when a signal ended it.
    int wait();
    void kill(int signal);
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
    bool reaped_ = false;
    int status_ = 0;
};

}  // namespace bb::test
