#include "shell/program_start.h"

#include <QApplication>
#include <QTimer>

#include "dictionary/process_values.h"
#include "platform/message_service.h"
#include "shell/first_paint.h"
#include "shell/help_window.h"
#include "shell/main_frame.h"
#include "shell/program_body.h"
#include "shell/program_procedures.h"
#include "ui/dialog_message_service.h"
#include "ui/icons.h"
#include "ui/procedures.h"

namespace bb {

int runProgram(int argc, char** argv, const std::function<void()>& shown) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brokerbook");
    QApplication::setWindowIcon(programIcon("Winpyr.ico"));
    DialogMessageService dialogs;
    installMessageService(&dialogs);
    loadProgram();
    registerProcedures(procedures());

    const int status = runProgramBody({[&shown] {
                                           MainFrame frame(procedures(), helpCollectionFile());
                                           frame.show();
                                           // watched after the frame's own first-paint work, so
                                           // it runs before that work (the splash) does
                                           if (shown) whenFirstPainted(frame, shown);
                                           QApplication::exec();
                                       },
                                       {}});
    installMessageService(nullptr);
    return status;
}

}  // namespace bb
