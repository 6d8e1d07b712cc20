#include "reporting/preview_dialogs.h"

#include <cstdint>
#include <string>

#include "reporting/preview_layout.h"
#include "ui/window.h"

namespace bb {

namespace {

constexpr NumberVariable kPageNumber{"PageNumber"};
constexpr NumberVariable kAcross{"Across"};
constexpr NumberVariable kDown{"Down"};

const WindowDecl& kJumpWindow = declareWindow({
    .procedure = "PrintPreview",
    .caption = "Go to Page",
    .locals = {kPageNumber},
    .fields = {{.local = kPageNumber,
                .name = kPageNumber,
                .prompt = "&Page number:",
                .picture = "@n5",
                .tip = "The page to show",
                .message = "Enter the number of the page to show"}},
    .buttons = {{.text = "&OK", .role = ButtonRole::Ok, .message = "Show this page"},
                {.text = "&Cancel", .role = ButtonRole::Cancel, .message = "Stay on this page"}},
});

const WindowDecl& kTileGridWindow = declareWindow({
    .procedure = "PrintPreview",
    .caption = "Pages Shown",
    .locals = {kAcross, kDown},
    .fields = {{.local = kAcross,
                .name = kAcross,
                .prompt = "Pages &across:",
                .picture = "@n2",
                .message = "How many pages are shown side by side"},
               {.local = kDown,
                .name = kDown,
                .prompt = "Pages &down:",
                .picture = "@n2",
                .message = "How many pages are shown one above the other"}},
    .buttons = {{.text = "&OK", .role = ButtonRole::Ok, .message = "Show the pages so"},
                {.text = "&Cancel", .role = ButtonRole::Cancel, .message = "Keep the tiles"}},
});

}  // namespace

JumpWindow::JumpWindow(int current, int pages)
    : WindowManager(kJumpWindow), current_(current), pages_(pages) {}

void JumpWindow::SetupControls() {
    Set(kPageNumber, std::int64_t{current_});
}

bool JumpWindow::CheckFields() {
    const int page = Page();
    if (page >= 1 && page <= pages_) return true;
    return Refuse(Control(kPageNumber), "Page Number",
                  "     Enter a page number from 1 to " + std::to_string(pages_) + ".");
}

int JumpWindow::Page() const {
    return static_cast<int>(Get(kPageNumber));
}

TileGridWindow::TileGridWindow(int across, int down, int pages)
    : WindowManager(kTileGridWindow), across_(across), down_(down), pages_(pages) {}

void TileGridWindow::SetupControls() {
    Set(kAcross, std::int64_t{across_});
    Set(kDown, std::int64_t{down_});
}

bool TileGridWindow::CheckFields() {
    for (const NumberVariable* tiles : {&kAcross, &kDown}) {
        const std::int64_t n = Get(*tiles);
        if (n < 1 || n > kMostTiles)
            return Refuse(Control(*tiles), "Pages Shown",
                          "     Enter from 1 to " + std::to_string(kMostTiles) + " pages.");
    }
    if (Across() * Down() <= pages_) return true;
    // The grid may not hold more pages than the report has.
    return Refuse(Control(kAcross), "Too Many Pages",
                  "     The report has " + std::to_string(pages_) +
                      " pages, so pages across times pages down may be at most " +
                      std::to_string(pages_) + ".");
}

int TileGridWindow::Across() const {
    return static_cast<int>(Get(kAcross));
}

int TileGridWindow::Down() const {
    return static_cast<int>(Get(kDown));
}

}  // namespace bb
