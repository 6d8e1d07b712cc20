// A message service for tests: records every message box, question and beep
// the program asks for, and answers questions with the replies the test
// queued, in order. A notice (a message with one button) takes no reply; a
// question that comes
// when no reply is queued fails the test, naming its title and text, and is
// declined (Cancel, else No) so that the test goes on without looping on
// it. Installed for as long as it lives.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_service.h"

namespace bb::test {

class ScriptedMessages final : public MessageService {
public:
    ScriptedMessages();
    ~ScriptedMessages() override;

    void answer(Button reply) { replies_.push_back(reply); }
    // Forgets the replies no question took.
    void dropReplies() { replies_.clear(); }

    Button show(const MessageRequest& request) override;
    void beep(Beep kind) override { beeps.push_back(kind); }
    void busy(bool on) override { busyCalls.push_back(on); }

    const MessageRequest& last() const { return shown.back(); }

    // Called as each message is shown, before it is answered.
    std::function<void(const MessageRequest&)> onShow;
    void clear() {
        shown.clear();
        beeps.clear();
        busyCalls.clear();
    }

    // Every question no reply is queued for is declined without failing:
    // for a test that injects a failure at each step in turn, where whether
    // a step asks to try again depends on the step.
    bool declineUnanswered = false;

    std::vector<MessageRequest> shown;
    std::vector<Beep> beeps;
    std::vector<bool> busyCalls;  // the wait cursor shown (true) and taken down

private:
    std::deque<Button> replies_;
    MessageService* previous_;
};

// Thrown by the halt handler that tests install, instead of ending the process.
struct Halted {
    int status;
    std::string message;
};

// Replaces halting with throwing Halted for as long as it lives.
class CatchHalt {
public:
    CatchHalt();
    ~CatchHalt();
};

}  // namespace bb::test
