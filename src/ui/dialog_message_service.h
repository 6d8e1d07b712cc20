// The message service of the running program: real message boxes and the
// platform's beeps. Installed by the program body before anything can fail.
#pragma once

#include "platform/message_service.h"

namespace bb {

class DialogMessageService final : public MessageService {
public:
    Button show(const MessageRequest& request) override;
    void beep(Beep kind) override;
};

}  // namespace bb
