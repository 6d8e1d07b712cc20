// Window ids: the numbers that stand for the runtime's threads. The program's
// first thread (the frame's) is 1; every window started on its own (a list,
// a report) gets a new id, and a window called from another (a form, a
// selection list, a dialog) runs under its caller's id, "inside the caller's
// thread". Per-thread status of the data layer (open counts, end of file) is
// kept by the current id, so every piece of a window's code runs with its id
// current: a ThreadScope makes it so and puts the previous one back.
//
// Used from the GUI thread only.
#pragma once

namespace bb {

// A window id no window has had before in this run.
int newWindowId();

class ThreadScope {
public:
    explicit ThreadScope(int id);
    ~ThreadScope();
    ThreadScope(const ThreadScope&) = delete;
    ThreadScope& operator=(const ThreadScope&) = delete;

private:
    int previous_;
};

}  // namespace bb
