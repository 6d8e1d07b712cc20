// Starts, says so on its output once its window is on the screen, and
// leaves: "brokerbook" runs the program as its entry does, over the folder
// it is started in; "bare" shows an empty main window with nothing else.
#include <QApplication>
#include <QMainWindow>
#include <cstdio>
#include <string_view>

#include "shell/first_paint.h"
#include "shell/program_start.h"

namespace {

void sayShownAndQuit() {
    std::fputc('!', stdout);
    std::fflush(stdout);
    QApplication::quit();
}

int bareWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(800, 600);
    bb::whenFirstPainted(window, sayShownAndQuit);
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "bare") return bareWindow(argc, argv);
    return bb::runProgram(argc, argv, sayShownAndQuit);
}
