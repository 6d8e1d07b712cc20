// Brokerbook: the program's entry. Sets up the process-wide services, runs
// the main frame until the user closes it, and tears the services down.
#include <QApplication>
#include <QMainWindow>

#include "platform/message_service.h"
#include "ui/dialog_message_service.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bb::DialogMessageService dialogs;
    bb::installMessageService(&dialogs);

    QMainWindow frame;
    frame.setWindowTitle("Brokerbook");
    frame.resize(1024, 700);
    frame.show();
    const int status = app.exec();

    bb::installMessageService(nullptr);
    return status;
}
