#include "scripted_messages.h"

#include "platform/runtime.h"

namespace bb::test {

ScriptedMessages::ScriptedMessages() : previous_(installMessageService(this)) {}

ScriptedMessages::~ScriptedMessages() {
    installMessageService(previous_);
}

Button ScriptedMessages::show(const MessageRequest& request) {
    shown.push_back(request);
    if (onShow) onShow(request);
    // Unscripted questions are declined, so that a test that did not expect
    // one cannot loop on it.
    if (replies_.empty()) return declined(request);
    const Button reply = replies_.front();
    replies_.pop_front();
    return reply;
}

CatchHalt::CatchHalt() {
    setHaltHandler([](int status, std::string_view message) {
        throw Halted{status, std::string(message)};
    });
}

CatchHalt::~CatchHalt() {
    setHaltHandler(nullptr);
}

}  // namespace bb::test
