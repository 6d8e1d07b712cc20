// The program's procedures as the frame reaches them: every list built so
// far opens inside the frame from its menu item, over an empty data folder;
// the customer list also from the toolbar, and only ever once.
#include "shell/program_procedures.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>
#include <utility>

#include "program_fixture.h"
#include "ui/frame_services.h"
#include "ui/window_manager.h"

namespace bb {
namespace {

using ProgramProcedures = test::ProgramTest;

TEST_F(ProgramProcedures, TheReferenceListsOpenFromTheFramesMenus) {
    struct Case {
        const char* menu;
        const char* item;
        const char* caption;
        const char* procedure;
    };
    const Case cases[] = {
        {"Representatives", "Registered Representatives", "Registered Representatives",
         "BrowseRepresentatives"},
        {"Representatives", "Representative Reports", "Representative Reports",
         "RepresentativeReports"},
        {"Maintenance", "State Codes", "States", "BrowseStates"},
        {"Maintenance", "Customer Classifications", "Customer Classification",
         "BrowseMembershipTypes"},
        {"Maintenance", "Account Types", "Account Type", "BrowseAccountTypes"},
        {"Maintenance", "Investment Objectives", "Investment Objectives", "BrowseInvestmentTypes"},
        {"Maintenance", "Account Companies", "Account Companies", "BrowseVendors"},
        {"Maintenance", "Security Products", "Select a Category", "BrowseCategories"},
    };
    showWithoutSplash();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        choose(c.menu, c.item);
        QWidget* opened = frameServices().activeChildWindow();
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(opened->windowTitle().toStdString(), c.caption);
        EXPECT_EQ(processValues().CurrentProcedure.get(), c.procedure);
    }
    EXPECT_EQ(frame_->area().subWindowList().size(), std::size(cases));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ProgramProcedures, TheCustomerListItemAndToolbarButtonOpenOneCustomerList) {
    const auto childTitles = [this] {
        QStringList titles;
        for (const QMdiSubWindow* child : frame_->area().subWindowList())
            titles << child->widget()->windowTitle();
        return titles;
    };
    showWithoutSplash();
    choose("Customers", "Customer List");
    QTRY_COMPARE(childTitles(), QStringList{"Customer List"});
    EXPECT_EQ(processValues().CurrentProcedure.get(), "BrowseMembers");
    frame_->toolbarButton(ToolbarCustomerList)->trigger();
    choose("Customers", "Customer List");
    QApplication::processEvents();
    EXPECT_EQ(childTitles(), QStringList{"Customer List"});
    EXPECT_EQ(startedWindows().size(), 1U);
    EXPECT_TRUE(messages_.shown.empty());

    frame_->area().closeAllSubWindows();
    QTRY_VERIFY(startedWindows().empty());
    frame_->toolbarButton(ToolbarCustomerList)->trigger();
    QTRY_COMPARE(childTitles(), QStringList{"Customer List"});
}

// However the program is left, an open customer list closes, with its
// files, before the frame goes, and nothing it used is reached afterwards.
TEST_F(ProgramProcedures, LeavingWithTheCustomerListOpenClosesItFirst) {
    const std::pair<const char*, std::function<void(MainFrame&)>> ways[] = {
        {"frame destroyed", [](MainFrame&) {}},
        {"File > Exit", [](MainFrame& frame) { frame.menuItem("File", "Exit")->trigger(); }},
        {"frame closed", [](MainFrame& frame) { frame.close(); }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        if (!frame_) frame_ = std::make_unique<MainFrame>(registry_, BB_HELP_COLLECTION);
        showWithoutSplash();
        choose("Customers", "Customer List");
        QTRY_COMPARE(frame_->area().subWindowList().size(), 1);
        leave(*frame_);
        frame_.reset();
        EXPECT_TRUE(startedWindows().empty());
        // Events the list had posted find nothing to run on.
        for (int round = 0; round < 20; ++round) QCoreApplication::processEvents();
        EXPECT_TRUE(startedWindows().empty());
    }
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace bb
