// The program's frame with the program's procedures over an empty data
// folder of its own: what a user has right after starting the program.
// Every window still open when the test ends is closed, with its files,
// before the frame goes.
#pragma once

#include <QCoreApplication>

#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "frame_fixture.h"
#include "platform/runtime.h"
#include "shell/program_procedures.h"
#include "temp_folder.h"
#include "ui/window_manager.h"

namespace bb::test {

class ProgramTest : public FrameTest {
protected:
    ProgramTest() {
        useDataFolder(folder_.path());
        loadProgram();
        setCurrentThread(1);
        dataDictionary().Setup(programErrors());
        registerProcedures(registry_);
    }
    ~ProgramTest() override {
        // The windows close the files they opened before the files go.
        for (WindowManager* window : startedWindows()) {
            window->CANCELACTION = CancelAction::Close;
            window->Widget()->close();
        }
        for (int round = 0; round < 100 && !startedWindows().empty(); ++round)
            QCoreApplication::processEvents();
        EXPECT_TRUE(startedWindows().empty());
        frame_.reset();
        dataDictionary().Teardown();
        useDataFolder(".");
    }

    TempFolder folder_;
};

}  // namespace bb::test
