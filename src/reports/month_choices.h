// The twelve month names as the choices of a drop list, in month order:
// each choice shows and stores the month's name. Static data; used from the
// GUI thread only.
#pragma once

#include <vector>

#include "ui/window_decl.h"

namespace bb {

const std::vector<RadioDecl>& monthChoices();

}  // namespace bb
