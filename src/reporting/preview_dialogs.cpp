#include "reporting/preview_dialogs.h"

#include <string>

#include "reporting/preview_layout.h"

namespace bb {

namespace {

const WindowDecl kJumpWindow{
    .procedure = "PrintPreview",
    .caption = "Go to Page",
    .locals = {{.name = "PageNumber", .spec = T_LONG}},
    .fields = {{.local = "PageNumber",
                .name = "PageNumber",
                .prompt = "&Page number:",
                .picture = "@n5",
                .tip = "The page to show",
                .message = "Enter the number of the page to show"}},
    .buttons = {{.text = "&OK", .role = ButtonRole::Ok, .message = "Show this page"},
                {.text = "&Cancel", .role = ButtonRole::Cancel, .message = "Stay on this page"}},
};

const WindowDecl kTileGridWindow{
    .procedure = "PrintPreview",
    .caption = "Pages Shown",
    .locals = {{.name = "Across", .spec = T_LONG}, {.name = "Down", .spec = T_LONG}},
    .fields = {{.local = "Across",
                .name = "Across",
                .prompt = "Pages &across:",
                .picture = "@n2",
                .message = "How many pages are shown side by side"},
               {.local = "Down",
                .name = "Down",
                .prompt = "Pages &down:",
                .picture = "@n2",
                .message = "How many pages are shown one above the other"}},
    .buttons = {{.text = "&OK", .role = ButtonRole::Ok, .message = "Show the pages so"},
                {.text = "&Cancel", .role = ButtonRole::Cancel, .message = "Keep the tiles"}},
};

int whole(const Value& v) {
    return static_cast<int>(v.toNumber().toInt64());
}

}  // namespace

JumpWindow::JumpWindow(int current, int pages)
    : WindowManager(kJumpWindow), current_(current), pages_(pages) {}

void JumpWindow::SetupControls() {
    SetLocal("PageNumber", Value::number(current_));
}

bool JumpWindow::CheckFields() {
    const int page = Page();
    if (page >= 1 && page <= pages_) return true;
    return Refuse(Control("PageNumber"), "Page Number",
                  "     Enter a page number from 1 to " + std::to_string(pages_) + ".");
}

int JumpWindow::Page() const {
    return whole(Local("PageNumber"));
}

TileGridWindow::TileGridWindow(int across, int down, int pages)
    : WindowManager(kTileGridWindow), across_(across), down_(down), pages_(pages) {}

void TileGridWindow::SetupControls() {
    SetLocal("Across", Value::number(across_));
    SetLocal("Down", Value::number(down_));
}

bool TileGridWindow::CheckFields() {
    for (const char* name : {"Across", "Down"}) {
        const int n = whole(Local(name));
        if (n < 1 || n > kMostTiles)
            return Refuse(Control(name), "Pages Shown",
                          "     Enter from 1 to " + std::to_string(kMostTiles) + " pages.");
    }
    if (Across() * Down() <= pages_) return true;
    // The grid may not hold more pages than the report has.
    return Refuse(Control("Across"), "Too Many Pages",
                  "     The report has " + std::to_string(pages_) +
                      " pages, so pages across times pages down may be at most " +
                      std::to_string(pages_) + ".");
}

int TileGridWindow::Across() const {
    return whole(Local("Across"));
}

int TileGridWindow::Down() const {
    return whole(Local("Down"));
}

}  // namespace bb
