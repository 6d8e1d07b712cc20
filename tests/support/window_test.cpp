#include "window_test.h"

#include <QHeaderView>
#include <QTreeView>

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

void expectNoColumnCut(const QTreeView& view) {
    for (int column = 0; column < view.model()->columnCount(); ++column) {
        const std::string header =
            view.model()->headerData(column, Qt::Horizontal).toString().toStdString();
        EXPECT_GE(view.columnWidth(column), view.header()->sectionSizeHint(column)) << header;
        // The tree view keeps its rows' measure protected; every item view offers it.
        EXPECT_GE(view.columnWidth(column),
                  static_cast<const QAbstractItemView&>(view).sizeHintForColumn(column))
            << header;
    }
}

}  // namespace bb::test
