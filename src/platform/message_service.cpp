#include "platform/message_service.h"

namespace bb {

namespace {

class QuietService final : public MessageService {
public:
    Button show(const MessageRequest& request) override { return request.defaultButton; }
    void beep(Beep) override {}
};

QuietService quiet;
MessageService* installed = nullptr;

}  // namespace

MessageService& messages() {
    return installed ? *installed : quiet;
}

QuietMessages::QuietMessages() : previous_(installMessageService(&quiet)) {}

QuietMessages::~QuietMessages() {
    installMessageService(previous_);
}

MessageService* installMessageService(MessageService* service) {
    MessageService* previous = installed;
    installed = service;
    return previous;
}

}  // namespace bb
