// A list window whose heading, in the heavy font over the list, says what
// it lists: the window variable kHeading, shown by a display declared with
// headingField(). Used from the GUI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/window.h"

namespace bb {

// Wide enough for the longest heading a list shows.
inline constexpr std::uint16_t kHeadingWidth = 40;
inline constexpr TextVariable kHeading{"Heading", kHeadingWidth};

inline FieldDecl headingField() {
    return {.kind = ControlKind::Display, .local = kHeading, .name = kHeading, .heavy = true};
}

class HeadedList : public WindowManager {
public:
    HeadedList(const WindowDecl& decl, std::string_view heading)
        : WindowManager(decl), heading_(heading) {}

    void SetupControls() override {
        Set(kHeading, heading_);
        WindowManager::SetupControls();
    }

private:
    std::string heading_;
};

}  // namespace bb
