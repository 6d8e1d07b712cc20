// Brokerbook: the program's entry. Loads the program's process-wide state,
// then runs the program body with the main frame.
#include <QApplication>
#include <QMainWindow>

#include "dictionary/process_values.h"
#include "platform/message_service.h"
#include "shell/program_body.h"
#include "ui/dialog_message_service.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bb::DialogMessageService dialogs;
    bb::installMessageService(&dialogs);
    bb::loadProgram();

    const int status = bb::runProgramBody({[] {
                                               QMainWindow frame;
                                               frame.setWindowTitle("Brokerbook");
                                               frame.resize(1024, 700);
                                               frame.show();
                                               QApplication::exec();
                                           },
                                           {}});
    bb::installMessageService(nullptr);
    return status;
}
