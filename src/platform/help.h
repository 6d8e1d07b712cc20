// The help file the program names at start-up and opens from its Help menu
// and help buttons.
#pragma once

#include <string>
#include <string_view>

namespace bb {

void setHelpFile(std::string_view name);
const std::string& helpFile();

}  // namespace bb
