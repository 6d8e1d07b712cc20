#include "shell/program_body.h"

#include <string>

#include "data/dictionary_setup.h"
#include "platform/help.h"
#include "platform/ini_manager.h"

namespace bb {

namespace {
constexpr std::string_view kHelpFile = "Ledgr.hlp";
constexpr std::string_view kSettingsFile = "tallo2.INI";
}  // namespace

int runProgramBody(const ProgramParts& parts) {
    auto trace = [&](std::string_view step) {
        if (parts.trace) parts.trace(step);
    };
    setHelpFile(kHelpFile);
    trace("help " + std::string(kHelpFile));
    programErrors().Setup();
    trace("error manager");
    settingsFile().Setup(kSettingsFile);
    trace("settings " + std::string(kSettingsFile));
    const auto traceFile = [&](std::string_view step, std::string_view file) {
        trace(std::string(step) + " " + std::string(file));
    };
    dataDictionary().Setup(programErrors(), traceFile);
    trace("frame");
    if (parts.runFrame) parts.runFrame();
    dataDictionary().Teardown(traceFile);
    programErrors().Teardown();
    trace("error manager down");
    return 0;
}

}  // namespace bb
