// What the window benchmarks share: the offscreen application, a message
// service that takes every default, the window events handled as the event
// loop would, the program started over a book, and company names spread over
// the alphabet. Used from the GUI thread only.
#pragma once

#include <QApplication>

#include <filesystem>
#include <random>
#include <string>

#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "peak_memory.h"
#include "platform/message_service.h"
#include "platform/runtime.h"
#include "ui/window_manager.h"

namespace bb::bench {

inline void ensureApplication(const char* program) {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static std::string name = program;
    static char* argv[] = {name.data(), nullptr};
    static QApplication app(argc, argv);
}

// Every posted event handled, as the window's event loop would.
inline void settle() {
    for (int round = 0; round < 1000; ++round) {
        QCoreApplication::processEvents();
        if (postedWindowEvents() == 0) return;
    }
}

class QuietService final : public MessageService {
public:
    Button show(const MessageRequest& request) override { return request.defaultButton; }
    void beep(Beep) override {}
};

// The program started over the book in `folder` as it starts for a user, the
// peak memory counted from here; the windows left open are closed before the
// dictionary is torn down.
class StartedProgram {
public:
    StartedProgram(const std::filesystem::path& folder, const char* program) {
        resetPeakMemory();
        ensureApplication(program);
        installMessageService(&quiet_);
        useDataFolder(folder);
        loadProgram();
        setCurrentThread(1);
        programErrors().Setup();
        dataDictionary().Setup(programErrors());
    }
    ~StartedProgram() {
        closeWindows();
        dataDictionary().Teardown();
        programErrors().Teardown();
        useDataFolder(".");
        installMessageService(nullptr);
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // Closed without the questions a cancel may ask.
    static void closeWindows() {
        for (WindowManager* window : startedWindows()) {
            window->CANCELACTION = CancelAction::Close;
            window->Widget()->close();
        }
        settle();
    }

private:
    QuietService quiet_;
};

// "Kqzt Trading 123456": names spread over the alphabet, as real ones are.
inline std::string companyName(std::mt19937& random, int number) {
    std::string name(4, 'A');
    for (char& c : name) c = static_cast<char>('A' + random() % 26);
    return name + " Trading " + std::to_string(number);
}

}  // namespace bb::bench
