// A test of real windows: the offscreen application, a data folder of its
// own with the dictionary set up as the program sets it up, the program's
// error manager, and a window driver `ui` (window_driver.h) that answers
// messages and stands in for the frame.
#pragma once

#include <gtest/gtest.h>

#include "scripted_messages.h"
#include "temp_folder.h"
#include "window_driver.h"

class QTreeView;

namespace bb::test {

// Expects no column of `view` narrower than its heading or its widest row.
void expectNoColumnCut(const QTreeView& view);

class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    TempFolder folder_;
    CatchHalt halt_;
    WindowDriver ui;
};

}  // namespace bb::test
