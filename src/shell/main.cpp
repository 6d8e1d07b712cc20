// Brokerbook: the program's entry. Loads the program's process-wide state,
// then runs the program body with the main frame.
#include <QApplication>

#include "dictionary/process_values.h"
#include "platform/message_service.h"
#include "shell/help_window.h"
#include "shell/main_frame.h"
#include "shell/program_body.h"
#include "shell/program_procedures.h"
#include "ui/dialog_message_service.h"
#include "ui/icons.h"
#include "ui/procedures.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brokerbook");
    QApplication::setWindowIcon(bb::programIcon("Winpyr.ico"));
    bb::DialogMessageService dialogs;
    bb::installMessageService(&dialogs);
    bb::loadProgram();
    bb::registerProcedures(bb::procedures());

    const int status =
        bb::runProgramBody({[] {
                                bb::MainFrame frame(bb::procedures(), bb::helpCollectionFile());
                                frame.show();
                                QApplication::exec();
                            },
                            {}});
    bb::installMessageService(nullptr);
    return status;
}
