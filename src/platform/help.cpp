#include "platform/help.h"

namespace bb {

namespace {
std::string& current() {
    static std::string name;
    return name;
}
}  // namespace

void setHelpFile(std::string_view name) {
    current() = std::string(name);
}
const std::string& helpFile() {
    return current();
}

}  // namespace bb
