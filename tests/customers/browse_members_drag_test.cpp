// The customer list's side of dragging customers into customer groups and
// members out of them. A small window of the test stands in for the
// customer groups window: it registers itself as the groups window, takes
// drops of customers on its tree and records them, drags members out, and
// records the delete commands and focus events the list posts to it. It
// stays hidden, so every focus event it sees was posted.
//
// Qt's own drag loop needs a real pointer, so a drag is played as the loop
// delivers it: the data the source's link gives for a drag started now,
// entered over the target and dropped there.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "customer_fixture.h"
#include "dictionary/process_values.h"
#include "drag_playing.h"
#include "ui/browse_list.h"
#include "ui/drag_link.h"
#include "ui/scoped_value.h"
#include "ui/window_post.h"

namespace bb::test {
namespace {

constexpr char kList[] = "Customers";
constexpr char kTree[] = "Groups";
constexpr int kDeleteRecord = 500;

// What the stand-in groups window saw.
struct GroupsSeen {
    std::vector<std::string> dropped;  // customer numbers dropped on its tree
    int deletes = 0;                   // its Delete Record command accepted
    std::vector<int> listOnGainFocus;  // CustomerListThread at each gain of focus
};

const WindowDecl kStandInGroups{
    .procedure = "CommitteeAssignments",
    .caption = "Customer Groups",
    .fields = {{.kind = ControlKind::Slot, .name = kTree}},
};

class StandInGroupsWindow final : public WindowManager {
public:
    explicit StandInGroupsWindow(GroupsSeen& seen) : WindowManager(kStandInGroups), seen_(seen) {
        DeferShow();
    }

    QWidget* CreateSlot(const FieldDecl&, QWidget* parent) override {
        return new QTreeWidget(parent);
    }
    void SetupControls() override {
        open_.emplace(processValues().GroupsWindowThread, WindowId());
        WindowManager::SetupControls();
        DragLink& tree = DragLink::of(*Control(kTree));
        tree.setTarget("Member", [this](const std::string& number, QPoint) {
            seen_.dropped.push_back(number);
        });
        tree.setSource("CommitteeMbr", "Drag customer out of group", [] { return "7"; });
    }
    int Teardown() override {
        open_.reset();
        return WindowManager::Teardown();
    }
    int OnAccepted() override {
        if (CurrentEvent().command == kDeleteRecord) ++seen_.deletes;
        return WindowManager::OnAccepted();
    }
    int OnWindowEvent() override {
        if (CurrentEvent().kind == EventKind::GainFocus)
            seen_.listOnGainFocus.push_back(processValues().CustomerListThread);
        return WindowManager::OnWindowEvent();
    }

private:
    GroupsSeen& seen_;
    std::optional<ScopedValue<int>> open_;
};

class BrowseMembersDragTest : public CustomerFixture {
protected:
    void openGroups() {
        startWindow(std::make_unique<StandInGroupsWindow>(groups_));
        ui.settle();
        ASSERT_NE(processValues().GroupsWindowThread, 0);
    }
    void closeGroups() {
        postToWindow(processValues().GroupsWindowThread, {EventKind::CloseWindow});
        ui.settle();
        ASSERT_EQ(processValues().GroupsWindowThread, 0);
    }
    static QWidget& tree() {
        return *startedWindow(processValues().GroupsWindowThread)->Control(kTree);
    }
    static QWidget& table(const DrivenWindow& list) { return *list.list(kList)->Table(); }
    static DragLink& link(const DrivenWindow& list) { return DragLink::of(table(list)); }

    GroupsSeen groups_;
};

TEST_F(BrowseMembersDragTest, CustomersCanBeDraggedOnlyWhileTheGroupsWindowIsOpen) {
    addCustomer();
    DrivenWindow list = startList();
    EXPECT_EQ(link(list).sourceId(), "");
    EXPECT_EQ(link(list).dragData(), nullptr);
    EXPECT_TRUE(table(list).toolTip().isEmpty());

    // The list notices on gaining the focus.
    openGroups();
    postToWindow(processValues().CustomerListThread, {EventKind::GainFocus});
    ui.settle();
    EXPECT_EQ(link(list).sourceId(), "Member");
    EXPECT_EQ(table(list).toolTip().toStdString(), "Drag from customer list to a customer group");
    EXPECT_NE(link(list).dragData(), nullptr);

    // And after any event.
    closeGroups();
    list.clickRow(kList, 0);
    EXPECT_EQ(link(list).sourceId(), "");
    EXPECT_EQ(link(list).dragData(), nullptr);
    EXPECT_TRUE(table(list).toolTip().isEmpty());
}

TEST_F(BrowseMembersDragTest, AListOpenedBesideTheGroupsWindowIsADragSourceAtOnce) {
    openGroups();
    DrivenWindow list = startList();
    EXPECT_EQ(link(list).sourceId(), "Member");
    // An empty list has nothing to drag.
    EXPECT_EQ(link(list).dragData(), nullptr);
}

TEST_F(BrowseMembersDragTest, ADragCarriesTheHighlightedCustomerAndLeavesTheClipboardAlone) {
    const int smith = addCustomer();
    const int jones = addCustomer("Jones", "Mary");
    openGroups();
    DrivenWindow list = startList();
    list.clickRow(kList, 1);
    ASSERT_EQ(list.shown("Title"), "Mary Jones");
    // Another window has read a customer of its own into the buffer since.
    readCustomer(smith);
    QApplication::clipboard()->setText("the user's own text");

    const std::unique_ptr<QMimeData> data = link(list).dragData();
    ASSERT_NE(data, nullptr);
    const DragTaken taken = dragOnto(tree(), *data);
    EXPECT_TRUE(taken.entered);
    EXPECT_TRUE(taken.dropped);
    EXPECT_EQ(groups_.dropped, std::vector<std::string>{std::to_string(jones)});
    EXPECT_FALSE(data->hasText());
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "the user's own text");
}

TEST_F(BrowseMembersDragTest, AMemberDroppedOnTheListIsDeletedByTheGroupsWindow) {
    addCustomer();
    openGroups();
    DrivenWindow list = startList();
    const std::unique_ptr<QMimeData> member = DragLink::of(tree()).dragData();
    ASSERT_NE(member, nullptr);
    const DragTaken taken = dragOnto(table(list), *member);
    EXPECT_TRUE(taken.entered);
    EXPECT_TRUE(taken.dropped);
    ui.settle();
    EXPECT_EQ(groups_.deletes, 1);
}

struct ForeignDrag {
    const char* what;
    std::function<std::unique_ptr<QMimeData>()> make;
};

TEST_F(BrowseMembersDragTest, TheListRefusesEveryOtherDrag) {
    const ForeignDrag drags[] = {
        {"a customer of the list itself", [] { return dragData("Member", "7"); }},
        {"another kind of the program's", [] { return dragData("Account", "7"); }},
        {"plain text",
         [] {
             auto text = std::make_unique<QMimeData>();
             text->setText("7");
             return text;
         }},
    };
    addCustomer();
    openGroups();
    DrivenWindow list = startList();
    for (const ForeignDrag& drag : drags) {
        SCOPED_TRACE(drag.what);
        const DragTaken taken = dragOnto(table(list), *drag.make());
        EXPECT_FALSE(taken.entered);
        EXPECT_FALSE(taken.dropped);
        ui.settle();
        EXPECT_EQ(groups_.deletes, 0);
    }
}

TEST_F(BrowseMembersDragTest, ClosingTheListTellsTheGroupsWindowAfterItHasGone) {
    openGroups();
    DrivenWindow list = startList();
    groups_.listOnGainFocus.clear();
    list.close();
    ui.settle();
    EXPECT_EQ(groups_.listOnGainFocus, std::vector<int>{0});
}

}  // namespace
}  // namespace bb::test
