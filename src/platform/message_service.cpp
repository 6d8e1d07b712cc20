#include "platform/message_service.h"

namespace bb {

namespace {

class QuietService final : public MessageService {
public:
    Button show(const MessageRequest& request) override { return request.defaultButton; }
    void beep(Beep) override {}
};

// Stands in while QuietMessages lives.
class DecliningService final : public MessageService {
public:
    Button show(const MessageRequest& request) override { return declined(request); }
    void beep(Beep) override {}
};

QuietService quiet;
DecliningService declining;
MessageService* installed = nullptr;

}  // namespace

Button declined(const MessageRequest& request) {
    if (request.buttons & ButtonCancel) return ButtonCancel;
    if (request.buttons & ButtonNo) return ButtonNo;
    return request.defaultButton;
}

MessageService& messages() {
    return installed ? *installed : quiet;
}

QuietMessages::QuietMessages() : previous_(installMessageService(&declining)) {}

QuietMessages::~QuietMessages() {
    installMessageService(previous_);
}

MessageService* installMessageService(MessageService* service) {
    MessageService* previous = installed;
    installed = service;
    return previous;
}

}  // namespace bb
