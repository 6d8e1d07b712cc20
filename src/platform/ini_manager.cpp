#include "platform/ini_manager.h"

namespace bb {

IniManager& settingsFile() {
    static IniManager ini;
    return ini;
}

}  // namespace bb
