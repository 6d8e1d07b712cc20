// The print preview's two small windows, called from it: going to a page by
// its number, and choosing how many pages the tiles show across and down.
// Each refuses, on OK, a number the report's pages cannot take, and keeps
// the focus on it. Run modally; read back after Run. Used from the GUI
// thread.
#pragma once

#include "ui/window_manager.h"

namespace bb {

class JumpWindow : public WindowManager {
public:
    JumpWindow(int current, int pages);
    void SetupControls() override;
    bool CheckFields() override;
    int Page() const;

private:
    int current_;
    int pages_;
};

class TileGridWindow : public WindowManager {
public:
    TileGridWindow(int across, int down, int pages);
    void SetupControls() override;
    bool CheckFields() override;
    int Across() const;
    int Down() const;

private:
    int across_;
    int down_;
    int pages_;
};

}  // namespace bb
