// Customer groups driven as a user would: the groups window opened beside
// the customer list, customers dragged from the list onto a group (or onto
// one of its members), members dragged out onto the list, the group form
// and the membership form, and the groups printed and read back from the
// PDF. A drag is played as Qt's drag loop delivers it (drag_playing.h):
// what the source's link gives for a drag started now, dropped on the target.
#include "customers/customer_groups.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "customer_fixture.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "drag_playing.h"
#include "pdf_reading.h"
#include "platform/date.h"
#include "reporting/print_previewer.h"
#include "ui/browse_list.h"
#include "ui/drag_link.h"
#include "ui/procedures.h"
#include "ui/scoped_value.h"
#include "ui/tree_list.h"
#include "ui/window_post.h"
#include "window_driving.h"

namespace bb::test {
namespace {

constexpr char kGroups[] = "Customer Groups";
constexpr char kTree[] = "Customer groups";
constexpr char kGroupForm[] = "Update Customer Groups";
constexpr char kMemberForm[] = "Delete Customer Group Member";
constexpr char kList[] = "Customers";

using Names = std::vector<std::string>;

class CustomerGroupsTest : public CustomerFixture {
protected:
    CustomerGroupsTest() {
        smith_ = addCustomer();
        jones_ = addCustomer("Jones", "Mary");
        for (const char* group : {"Golf", "Bridge"}) addGroup(group);
    }

    static void addGroup(const std::string& name) {
        buffer(FileId::Committees).clear();
        COM::COMMITTEE.set(name);
        EXPECT_EQ(fileManagerFor(FileId::Committees)->Insert(), SeverityNone);
    }
    static void addMembership(const std::string& group, int member) {
        buffer(FileId::Commbrs).clear();
        CMBRS::COMMITTEE.set(group);
        CMBRS::MEMBERNUMBER.set(member);
        EXPECT_EQ(fileManagerFor(FileId::Commbrs)->Insert(), SeverityNone);
    }
    // The memberships on file, "group/number", in key order.
    static Names memberships() {
        Names all;
        FileManager& file = *fileManagerFor(FileId::Commbrs);
        const int saved = file.SaveCopy();
        file.SetOrder(CMBRS::key::KEYASSIGNMENT);
        while (file.NextQuietly() == SeverityNone)
            all.push_back(CMBRS::COMMITTEE.get() + "/" + std::to_string(CMBRS::MEMBERNUMBER.get()));
        file.RestoreCopy(saved, true);
        return all;
    }

    DrivenWindow openGroups() {
        procedures().call("CommitteeAssignments");
        ui.settle();
        return ui.window(kGroups);
    }
    static TreeList& tree(const DrivenWindow& groups) { return *groups.manager().Tree(kTree); }
    static QTreeWidget& widget(const DrivenWindow& groups) { return *tree(groups).LISTCONTROL; }
    // The row showing `text`: a group's, or the member's of the group `owner`.
    static QTreeWidgetItem* item(const DrivenWindow& groups, const std::string& text,
                                 const std::string& owner = {}) {
        const QString shown = QString::fromStdString(text);
        if (!owner.empty()) {
            QTreeWidgetItem* group = item(groups, owner);
            for (int c = 0; group && c < group->childCount(); ++c) {
                if (group->child(c)->text(0) == shown) return group->child(c);
            }
            ADD_FAILURE() << "no " << text << " in " << owner;
            return nullptr;
        }
        const auto found = widget(groups).findItems(shown, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << text;
        return found.isEmpty() ? nullptr : found.front();
    }
    static QPoint pointOf(const DrivenWindow& groups, const std::string& text,
                          const std::string& owner = {}) {
        return widget(groups).visualItemRect(item(groups, text, owner)).center();
    }
    void click(const DrivenWindow& groups, const std::string& text, const std::string& owner = {}) {
        QTest::mouseClick(widget(groups).viewport(), Qt::LeftButton, {},
                          pointOf(groups, text, owner));
        ui.settle();
    }
    // Drags the customer highlighted in the list onto the tree at `at`.
    void dragCustomer(const DrivenWindow& list, const DrivenWindow& groups, QPoint at) {
        const std::unique_ptr<QMimeData> data = DragLink::of(*list.list(kList)->Table()).dragData();
        ASSERT_NE(data, nullptr);
        EXPECT_TRUE(dragOnto(widget(groups), *data, at).dropped);
        ui.settle();
    }
    // What a drag out of the tree carries now; null when nothing can be dragged.
    static std::unique_ptr<QMimeData> dragOut(const DrivenWindow& groups) {
        return DragLink::of(widget(groups)).dragData();
    }

    // Saves the report that `press` starts as a PDF from its preview, and
    // returns the PDF's text once the report has gone.
    std::string printToPdf(const std::function<void()>& press) {
        const std::string file = (folder_.path() / "customer groups.pdf").string();
        bool previewed = false;
        ui.when("Print Preview", [&](DrivenWindow& preview) {
            PreviewPanel& panel = *static_cast<PrintPreviewer&>(preview.manager()).Panel();
            output_.saveAs = file;
            panel.action(PRTPREV::TBARSAVEPDF)->trigger();
            preview.screenshot("customer groups preview");
            panel.action(PRTPREV::TBAREXIT)->trigger();
            previewed = true;
        });
        press();
        for (int waited = 0; !previewed && waited < 20000; waited += 5) QTest::qWait(5);
        EXPECT_TRUE(previewed) << "no preview";
        ui.settle();
        return pdfText(file);
    }

    RelatedFilesOpen groups_{*relationManagerFor(FileId::Committees)};
    RelatedFilesOpen memberships_{*relationManagerFor(FileId::Commbrs)};
    ScriptedOutput output_;
    int smith_ = 0;
    int jones_ = 0;
};

TEST_F(CustomerGroupsTest,
       OpeningOpensTheCustomerListBesideAndASecondOpeningBringsTheFirstForward) {
    DrivenWindow groups = openGroups();
    EXPECT_NE(processValues().CustomerListThread, 0);
    EXPECT_EQ(processValues().GroupsWindowThread, groups.manager().WindowId());
    EXPECT_EQ(tree(groups).Owners(), (Names{"Bridge", "Golf"}));
    EXPECT_FALSE(tree(groups).Expanded("Golf"));
    groups.screenshot("customer groups");

    procedures().call("CommitteeAssignments");
    ui.settle();
    int open = 0;
    for (const WindowManager* window : startedWindows())
        open += declaredCaption(*window) == kGroups;
    EXPECT_EQ(open, 1);
    EXPECT_EQ(processValues().GroupsWindowThread, groups.manager().WindowId());

    groups.close();
    ui.settle();
    EXPECT_EQ(processValues().GroupsWindowThread, 0);
}

// Onto a group, or onto one of its members: the customer joins that group.
TEST_F(CustomerGroupsTest, ACustomerDroppedOnAGroupOrAMemberJoinsThatGroup) {
    addMembership("Golf", smith_);
    DrivenWindow groups = openGroups();
    tree(groups).ExpandAll();
    DrivenWindow list = ui.window("Customer List");
    const struct {
        const char* onto;
        const char* owner;  // of the member dropped on
        int customerRow;    // in the list, by company name
        Names after;
    } drops[] = {
        {"Bridge", "", 0, {"Bridge/" + std::to_string(smith_), "Golf/" + std::to_string(smith_)}},
        {"John Smith",
         "Golf",
         1,
         {"Bridge/" + std::to_string(smith_), "Golf/" + std::to_string(smith_),
          "Golf/" + std::to_string(jones_)}},
    };
    for (const auto& drop : drops) {
        SCOPED_TRACE(drop.onto);
        list.clickRow(kList, drop.customerRow);
        dragCustomer(list, groups, pointOf(groups, drop.onto, drop.owner));
        EXPECT_EQ(memberships(), drop.after);
    }
    // The new member's row is shown and highlighted.
    EXPECT_EQ(tree(groups).Children("Golf"), (Names{"John Smith", "Mary Jones"}));
    EXPECT_EQ(tree(groups).Highlighted()->owner, "Golf");
    EXPECT_EQ(widget(groups).currentItem()->text(0).toStdString(), "Mary Jones");
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(CustomerGroupsTest, TheSameCustomerDroppedTwiceIsToldAndJoinsOnce) {
    DrivenWindow groups = openGroups();
    DrivenWindow list = ui.window("Customer List");
    list.clickRow(kList, 0);
    dragCustomer(list, groups, pointOf(groups, "Golf"));
    click(groups, "Bridge");
    dragCustomer(list, groups, pointOf(groups, "Golf"));
    EXPECT_EQ(memberships(), Names{"Golf/" + std::to_string(smith_)});
    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.last().title, "");
    EXPECT_EQ(ui.messages.last().text, "This person is already in this group");
    EXPECT_EQ(ui.messages.last().icon, MessageIcon::Exclamation);
    // The membership there already is the one highlighted.
    EXPECT_EQ(widget(groups).currentItem()->text(0).toStdString(), "John Smith");
}

// Off every row there is no group to join; a number that names no customer
// (one deleted since the drag began, or not a number) adds nothing.
TEST_F(CustomerGroupsTest, ADropOffTheRowsOrOfNoCustomerAddsNothing) {
    DrivenWindow groups = openGroups();
    const QRect golf = widget(groups).visualItemRect(item(groups, "Golf"));
    const struct {
        const char* what;
        std::string number;
        QPoint at;
    } drops[] = {
        {"below the last row", std::to_string(smith_),
         golf.center() + QPoint(0, 4 * golf.height())},
        {"a customer since deleted", std::to_string(smith_ + jones_ + 7), golf.center()},
        {"no number", "7x", golf.center()},
    };
    for (const auto& drop : drops) {
        SCOPED_TRACE(drop.what);
        EXPECT_TRUE(dragOnto(widget(groups), *dragData("Member", drop.number), drop.at).dropped);
        ui.settle();
        EXPECT_TRUE(memberships().empty());
        EXPECT_EQ(ui.opened().size(), 2u);  // the groups window and the customer list
    }
}

TEST_F(CustomerGroupsTest, AMemberDraggedOntoTheCustomerListLeavesItsGroupOnly) {
    addMembership("Golf", smith_);
    addMembership("Golf", jones_);
    addMembership("Bridge", smith_);
    DrivenWindow groups = openGroups();
    DrivenWindow list = ui.window("Customer List");
    tree(groups).ExpandAll();
    click(groups, "Mary Jones");
    click(groups, "John Smith", "Bridge");
    ASSERT_EQ(tree(groups).Highlighted()->owner, "Bridge");
    const std::unique_ptr<QMimeData> member = dragOut(groups);
    ASSERT_NE(member, nullptr);
    ui.when(kMemberForm, [&](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Customer Group"), "Bridge");
        EXPECT_EQ(form.shown("Customer Number"), std::to_string(smith_));
        form.screenshot("delete customer group member");
        form.press("OK");
    });
    ui.messages.answer(ButtonYes);
    EXPECT_TRUE(dragOnto(*list.list(kList)->Table(), *member).dropped);
    ui.settle();
    EXPECT_EQ(ui.waitingScripts(), 0u);
    EXPECT_EQ(memberships(),
              (Names{"Golf/" + std::to_string(smith_), "Golf/" + std::to_string(jones_)}));
    EXPECT_EQ(tree(groups).Children("Bridge"), Names{});
    EXPECT_EQ(tree(groups).Highlighted()->owner, "Bridge");
}

// Only a member can be dragged out, and only while the customer list is
// open to take it and no customer form is open.
TEST_F(CustomerGroupsTest, OnlyAMemberCanBeDraggedOutWhileTheListCanTakeIt) {
    addMembership("Golf", smith_);
    DrivenWindow groups = openGroups();
    tree(groups).ExpandAll();
    click(groups, "Golf");
    EXPECT_EQ(dragOut(groups), nullptr) << "a group row";
    click(groups, "John Smith");
    EXPECT_EQ(DragLink::of(widget(groups)).sourceId(), "CommitteeMbr");
    EXPECT_EQ(widget(groups).toolTip().toStdString(), "Drag customer out of group");
    EXPECT_NE(dragOut(groups), nullptr);
    {
        const ScopedValue<int> formOpen(processValues().CustomerFormOpen, 1);
        postToWindow(groups.manager().WindowId(), {EventKind::GainFocus});
        ui.settle();
        EXPECT_EQ(dragOut(groups), nullptr) << "a customer form open";
    }
    postToWindow(groups.manager().WindowId(), {EventKind::GainFocus});
    ui.settle();
    EXPECT_NE(dragOut(groups), nullptr);
    ui.window("Customer List").close();
    ui.settle();
    EXPECT_EQ(dragOut(groups), nullptr) << "the customer list closed";
    EXPECT_TRUE(widget(groups).toolTip().isEmpty());
}

TEST_F(CustomerGroupsTest, AGroupIsNamedAndRenamedWithItsMembers) {
    addMembership("Golf", smith_);
    DrivenWindow groups = openGroups();
    ui.when(kGroupForm, [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record will be Added");
        form.press("OK");
        EXPECT_EQ(form.focused(), "Customer Group");
        form.type("Customer Group", "Yacht Club");
        form.screenshot("update customer groups");
        form.press("OK");
    });
    groups.press("Insert");
    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.last().title, "Group Name Required");
    EXPECT_EQ(ui.messages.last().text, "     Enter a name for this customer group.");
    EXPECT_EQ(tree(groups).Owners(), (Names{"Bridge", "Golf", "Yacht Club"}));
    EXPECT_EQ(tree(groups).Highlighted()->owner, "Yacht Club");

    click(groups, "Golf");
    ui.when(kGroupForm, [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record will be Changed");
        form.type("Customer Group", "Links");
        form.press("OK");
    });
    groups.press("Edit");
    EXPECT_EQ(tree(groups).Owners(), (Names{"Bridge", "Links", "Yacht Club"}));
    EXPECT_EQ(memberships(), Names{"Links/" + std::to_string(smith_)});
    EXPECT_EQ(tree(groups).Highlighted()->owner, "Links");

    // A member's row has nothing to edit.
    tree(groups).ExpandAll();
    click(groups, "John Smith");
    EXPECT_FALSE(groups.enabled("Edit"));
    EXPECT_TRUE(groups.enabled("Delete"));
}

TEST_F(CustomerGroupsTest, DeletingAGroupDeletesItsMemberships) {
    addMembership("Golf", smith_);
    addMembership("Golf", jones_);
    addMembership("Bridge", jones_);
    DrivenWindow groups = openGroups();
    click(groups, "Golf");
    ui.messages.answer(ButtonYes);
    groups.press("Delete");
    EXPECT_EQ(tree(groups).Owners(), Names{"Bridge"});
    EXPECT_EQ(memberships(), Names{"Bridge/" + std::to_string(jones_)});
}

TEST_F(CustomerGroupsTest, TheReportPrintsEveryGroupWithItsMembersAndAnEmptyGroupsName) {
    Clock::fix(*dayNumber(2026, 3, 5));
    addPhone(smith_, "Home", "5125551234");
    addPhone(smith_, "Work", "5125559876");
    readCustomer(jones_);
    MBR::MIDDLENAME.set("Q");
    MBR::ADDRESS2.set("Suite 4");
    MBR::ACTIVE.set(0);
    ASSERT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
    addGroup("Chess");
    addMembership("Golf", smith_);
    addMembership("Golf", jones_);
    addMembership("Chess", jones_);
    const std::string text = printToPdf([] { procedures().call("PrintGroupMembers"); });
    // In this order: the empty group has its name and nothing more.
    std::size_t at = 0;
    std::size_t smith = 0;
    for (const char* line :
         {"Customer Groups", "Name/Address/Phone", "Status/Class/Representative", "Bridge", "Chess",
          "Mary Q. Jones", "Golf", "John Smith", "Active / Retail", "1 Main Street", "Austin, TX",
          "Mary Q. Jones", "Inactive / Retail", "Suite 4", "March 5, 2026", "Page 1"}) {
        const std::size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " after " << at << " in\n" << text;
        if (std::string_view(line) == "Austin, TX") smith = found;
        at = found;
    }
    // John Smith's phones, each on its line, before the next member.
    const std::size_t next = text.find("Mary Q. Jones", smith);
    for (const char* phone : {"Home +\\(512\\) 555-1234", "Work +\\(512\\) 555-9876"}) {
        std::smatch found;
        const std::string part = text.substr(smith, next - smith);
        EXPECT_TRUE(std::regex_search(part, found, std::regex(phone))) << phone << " in\n" << part;
    }
    EXPECT_TRUE(std::regex_search(text, std::regex("101 +Ann Adams")));
    Clock::release();
}

}  // namespace
}  // namespace bb::test
