#include "scripted_messages.h"

#include <gtest/gtest.h>

#include "platform/runtime.h"

namespace bb::test {

ScriptedMessages::ScriptedMessages() : previous_(installMessageService(this)) {}

ScriptedMessages::~ScriptedMessages() {
    installMessageService(previous_);
}

Button ScriptedMessages::show(const MessageRequest& request) {
    shown.push_back(request);
    if (onShow) onShow(request);
    // A notice has only its one button to press, and takes no queued reply.
    const bool question = (request.buttons & (request.buttons - 1)) != 0;
    if (!question) return request.defaultButton;
    if (replies_.empty()) {
        if (declineUnanswered) return declined(request);
        ADD_FAILURE() << "a question nobody answered: \"" << request.title << "\": \""
                      << request.text << "\"";
        return declined(request);
    }
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
