#include "window_test.h"

#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "platform/runtime.h"
#include "ui/window_manager.h"

namespace bb::test {

WindowTest::WindowTest() {
    useDataFolder(folder_.path());
    loadProgram();
    forgetDittoHistory();
    setCurrentThread(1);
    programErrors().Setup();
    dataDictionary().Setup(programErrors());
}

WindowTest::~WindowTest() {
    ui.closeAll();
    dataDictionary().Teardown();
    programErrors().Teardown();
    useDataFolder(".");
}

}  // namespace bb::test
