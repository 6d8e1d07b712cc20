// The program's icons, by the names its windows and toolbar give them
// ("VCRFIRST.ICO", "Customer.ico"). The pictures are scalable files of one
// public-domain icon theme, shipped in the program's resources.
#pragma once

#include <QIcon>
#include <string_view>

namespace bb {

// The icon for `name` (compared without regard to case); a null icon for a
// name the program has no picture for.
QIcon programIcon(std::string_view name);

}  // namespace bb
