// The one way the program shows a message box, asks a question or beeps.
//
// The program installs a service that shows real dialogs; a test installs a
// scripted one that records each request and answers as the test says. The
// installed service is used from the GUI thread only and is not owned here.
#pragma once

#include <string>

namespace bb {

enum class MessageIcon { None, Information, Exclamation, Question, Hand };

// Buttons are a bit set; a reply is exactly one of them.
enum Button : unsigned {
    ButtonNone = 0,
    ButtonOk = 1,
    ButtonYes = 2,
    ButtonNo = 4,
    ButtonCancel = 8,
    ButtonAbort = 16,
    ButtonRetry = 32,
    ButtonIgnore = 64,
};

enum class Beep { Default, Asterisk, Exclamation, Question, Hand };

struct MessageRequest {
    std::string title;
    std::string text;  // "|" starts a new line
    MessageIcon icon = MessageIcon::None;
    unsigned buttons = ButtonOk;
    Button defaultButton = ButtonOk;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the message and returns the button pressed.
    virtual Button show(const MessageRequest& request) = 0;
    virtual void beep(Beep kind) = 0;
    // Shows or takes down the wait cursor while a long operation runs.
    virtual void busy(bool) {}
};

// The installed service. Before anything is installed, a quiet service
// answers every message with its default button and makes no sound.
MessageService& messages();
// Installs `service` (not owned; null restores the quiet one) and returns the
// one it replaces.
MessageService* installMessageService(MessageService* service);

// The reply when nobody is there to answer: a question is declined (Cancel,
// else No), so that nothing is tried again or gone on with unasked; a notice
// gets its default button.
Button declined(const MessageRequest& request);

// For as long as it lives, nothing is shown or sounded: questions are
// declined and notices get their default button. For work the user did not
// ask for, which must never wait on a question nobody sees.
class QuietMessages {
public:
    QuietMessages();
    ~QuietMessages();
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;

private:
    MessageService* previous_;
};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { messages().busy(true); }
    ~WaitCursor() { messages().busy(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace bb
