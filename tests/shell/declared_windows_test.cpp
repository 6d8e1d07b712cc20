// Every window the program declares names only what resolves: each
// procedure a button or list calls is one the program knows (built, or
// named and not built yet), each variable, list, group and locator a
// declaration names is its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "shell/program_procedures.h"
#include "ui/procedures.h"
#include "ui/window_registry.h"

namespace bb {
namespace {

TEST(DeclaredWindows, EveryNameInEveryDeclarationResolves) {
    ProcedureRegistry registry;
    registerProcedures(registry);
    const auto windows = declaredWindows();
    // The program's own windows are among them: the declarations are made
    // as the program starts, not when a window first opens.
    for (std::string_view procedure :
         {"BrowseStates", "UpdateMembers", "BrowseRepMembers", "UpdateVPH", "BrowseRPH"}) {
        EXPECT_TRUE(
            std::any_of(windows.begin(), windows.end(),
                        [procedure](const WindowDecl* w) { return w->procedure == procedure; }))
            << procedure << " is not declared";
    }
    for (const WindowDecl* window : windows)
        EXPECT_THAT(unresolvedNames(*window, &registry), testing::IsEmpty()) << window->procedure;
}

}  // namespace
}  // namespace bb
