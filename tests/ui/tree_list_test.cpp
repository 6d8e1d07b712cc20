// Tree lists: groups as the first level and their memberships under them,
// each membership read with its customer. Owners load collapsed; an owner's
// children are read when it is expanded, everyone's at once by Expand All;
// a reload keeps what was expanded and highlighted; the keys and the mouse
// reach the window as a list's do; and reading leaves the buffers alone.
#include "ui/tree_list.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "ui/window_manager.h"
#include "window_test.h"

namespace bb::test {
namespace {

constexpr char kCaption[] = "Test Groups";
constexpr char kTree[] = "Groups";

// The member's number and the customer's last name, read by the join.
std::string memberText() {
    return std::to_string(CMBRS::MEMBERNUMBER.get()) + " " + MBR::LASTNAME.get();
}

const WindowDecl kTestGroups{
    .procedure = "TestGroups",
    .caption = kCaption,
    .files = {FileId::Committees, FileId::Commbrs, FileId::Members},
    .fields = {{.kind = ControlKind::Tree,
                .name = kTree,
                .tree = TreeDecl{.file = FileId::Committees,
                                 .key = COM::key::COMMITTEEKEY,
                                 .text = COM::COMMITTEE,
                                 .children = FileId::Commbrs,
                                 .childKey = CMBRS::key::KEYASSIGNMENT,
                                 .childLink = CMBRS::COMMITTEE,
                                 .joins = {{FileId::Members}},
                                 .childText = memberText}}},
    .buttons = {{.text = "&Close", .role = ButtonRole::Cancel}},
};

// Records the tree's double clicks, as a window that changes the
// highlighted record on one does.
class TestGroupsWindow final : public WindowManager {
public:
    explicit TestGroupsWindow(int& doubleClicks)
        : WindowManager(kTestGroups), doubleClicks_(doubleClicks) {}
    int OnControlEvent() override {
        if (CurrentEvent().kind == EventKind::AlertKey && CurrentEvent().key == kDoubleClickKey)
            ++doubleClicks_;
        return WindowManager::OnControlEvent();
    }

private:
    int& doubleClicks_;
};

using Names = std::vector<std::string>;

class TreeListTest : public WindowTest {
protected:
    TreeListTest() {
        withFiles([] {
            for (const char* group : {"golf", "Chess", "Yacht", "Bridge"}) addGroup(group);
            for (const char* last : {"Adams", "Brown", "Clark"}) addCustomer(last);
            addMembership("Golf", 2);
            addMembership("golf", 1);
            addMembership("Yacht", 3);
            addMembership("Chess", 1);
            // A membership of a group that is not on file shows nowhere.
            addMembership("Ghost", 2);
        });
    }

    // The test's own changes, with the files open for the test. The tree
    // reads under its window's id, where the window opened them: the test
    // drives it with none of them open.
    static void withFiles(const std::function<void()>& change) {
        const RelatedFilesOpen groups(*relationManagerFor(FileId::Committees));
        const RelatedFilesOpen memberships(*relationManagerFor(FileId::Commbrs));
        const RelatedFilesOpen customers(*relationManagerFor(FileId::Members));
        change();
    }
    ~TreeListTest() override { ui.closeAll(); }

    static void addGroup(const std::string& name) {
        buffer(FileId::Committees).clear();
        COM::COMMITTEE.set(name);
        EXPECT_EQ(fileManagerFor(FileId::Committees)->Insert(), SeverityNone);
    }
    static void addCustomer(const std::string& last) {
        ASSERT_EQ(fileManagerFor(FileId::Members)->PrimeNewRecord(), SeverityNone);
        MBR::LASTNAME.set(last);
        EXPECT_EQ(fileManagerFor(FileId::Members)->Insert(), SeverityNone);
    }
    static void addMembership(const std::string& group, int member) {
        buffer(FileId::Commbrs).clear();
        CMBRS::COMMITTEE.set(group);
        CMBRS::MEMBERNUMBER.set(member);
        EXPECT_EQ(fileManagerFor(FileId::Commbrs)->Insert(), SeverityNone);
    }

    TreeList& open() {
        startWindow(std::make_unique<TestGroupsWindow>(doubleClicks_));
        ui.settle();
        TreeList* tree = ui.window(kCaption).manager().Tree(kTree);
        EXPECT_NE(tree, nullptr);
        return *tree;
    }
    static QTreeWidgetItem* item(TreeList& tree, const std::string& text) {
        const auto found = tree.LISTCONTROL->findItems(QString::fromStdString(text),
                                                       Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << text;
        return found.isEmpty() ? nullptr : found.front();
    }
    void click(TreeList& tree, const std::string& text) {
        QTreeWidgetItem* row = item(tree, text);
        ASSERT_NE(row, nullptr);
        QTest::mouseClick(tree.LISTCONTROL->viewport(), Qt::LeftButton, {},
                          tree.LISTCONTROL->visualItemRect(row).center());
        ui.settle();
    }
    void key(TreeList& tree, Qt::Key key) {
        QTest::keyClick(tree.LISTCONTROL, key, Qt::ControlModifier);
        ui.settle();
    }
    // Every owner with its children, as the tree shows them now.
    static std::vector<Names> shown(const TreeList& tree) {
        std::vector<Names> all;
        for (const std::string& owner : tree.Owners()) all.push_back(tree.Children(owner));
        return all;
    }

    int doubleClicks_ = 0;
};

const std::vector<Names> kAllExpanded = {{}, {"1 Adams"}, {"1 Adams", "2 Brown"}, {"3 Clark"}};

TEST_F(TreeListTest, OwnersLoadCollapsedInTheirKeysOrder) {
    TreeList& tree = open();
    EXPECT_EQ(tree.Owners(), (Names{"Bridge", "Chess", "golf", "Yacht"}));
    EXPECT_EQ(shown(tree), (std::vector<Names>{{}, {}, {}, {}}));
}

// Expanding owners one at a time (each read by a seek) shows what Expand
// All's one joined read shows.
TEST_F(TreeListTest, OneOwnerAtATimeAndAllAtOnceReadTheSameChildren) {
    TreeList& tree = open();
    for (const char* owner : {"Bridge", "Chess", "golf", "Yacht"}) {
        click(tree, owner);
        key(tree, Qt::Key_Right);
        EXPECT_TRUE(tree.Expanded(owner)) << owner;
    }
    EXPECT_EQ(shown(tree), kAllExpanded);

    ui.closeAll();
    TreeList& again = open();
    again.ExpandAll();
    EXPECT_EQ(shown(again), kAllExpanded);
    // No owner shows an expander it has nothing under.
    EXPECT_EQ(item(again, "Bridge")->childIndicatorPolicy(),
              QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

TEST_F(TreeListTest, AReloadKeepsWhatWasExpandedAndHighlighted) {
    TreeList& tree = open();
    tree.ExpandOwner("GOLF");
    click(tree, "2 Brown");
    const TreeList::Row brown = *tree.Highlighted();
    EXPECT_EQ(brown.level, 2);
    EXPECT_EQ(brown.owner, "golf");
    withFiles([] {
        addGroup("Bowls");
        addMembership("Golf", 3);
    });
    tree.ReloadRows(true);
    EXPECT_EQ(tree.Owners(), (Names{"Bowls", "Bridge", "Chess", "golf", "Yacht"}));
    EXPECT_EQ(shown(tree), (std::vector<Names>{{}, {}, {}, {"1 Adams", "2 Brown", "3 Clark"}, {}}));
    EXPECT_EQ(tree.Highlighted(), brown);

    // Collapsing everything leaves the highlight on the member's group,
    // and expanding everything keeps it there.
    tree.ContractAll();
    EXPECT_EQ(tree.Highlighted()->level, 1);
    EXPECT_EQ(tree.Highlighted()->position, brown.ownerPosition);
    tree.ExpandAll();
    EXPECT_EQ(tree.Highlighted()->position, brown.ownerPosition);
    EXPECT_TRUE(tree.Highlight(2, brown.position));

    // The highlighted member gone, its group takes the highlight.
    withFiles([&] {
        ASSERT_EQ(fileManagerFor(FileId::Commbrs)->RegetQuietly(brown.position), SeverityNone);
        ASSERT_EQ(relationManagerFor(FileId::Commbrs)->Delete(false), SeverityNone);
    });
    tree.ReloadRows(true);
    EXPECT_EQ(tree.Highlighted()->position, brown.ownerPosition);
    EXPECT_EQ(tree.Children("golf"), (Names{"1 Adams", "3 Clark"}));
}

TEST_F(TreeListTest, KeysAndTheMouseReachTheWindow) {
    TreeList& tree = open();
    click(tree, "golf");
    key(tree, Qt::Key_Right);
    EXPECT_TRUE(tree.Expanded("golf"));
    click(tree, "1 Adams");
    // Collapsing from a member collapses its group, which is highlighted.
    key(tree, Qt::Key_Left);
    EXPECT_FALSE(tree.Expanded("golf"));
    EXPECT_EQ(tree.Highlighted()->level, 1);
    EXPECT_EQ(tree.Highlighted()->owner, "golf");

    QTreeWidgetItem* chess = item(tree, "Chess");
    QTest::mouseDClick(tree.LISTCONTROL->viewport(), Qt::LeftButton, {},
                       tree.LISTCONTROL->visualItemRect(chess).center());
    ui.settle();
    EXPECT_EQ(doubleClicks_, 1);
    EXPECT_EQ(tree.Highlighted()->owner, "Chess");
}

TEST_F(TreeListTest, APointOffTheRowsIsNoRow) {
    TreeList& tree = open();
    tree.ExpandAll();
    const QRect last = tree.LISTCONTROL->visualItemRect(item(tree, "3 Clark"));
    const std::optional<TreeList::Row> clark = tree.RowAt(last.center());
    ASSERT_TRUE(clark);
    EXPECT_EQ(clark->level, 2);
    EXPECT_EQ(clark->owner, "Yacht");
    EXPECT_FALSE(tree.RowAt(last.center() + QPoint(0, 3 * last.height())));
}

TEST_F(TreeListTest, ReadingTheRowsLeavesTheBuffersAsTheyWere) {
    buffer(FileId::Committees).clear();
    COM::COMMITTEE.set("Being edited");
    buffer(FileId::Commbrs).clear();
    CMBRS::MEMBERNUMBER.set(77);
    buffer(FileId::Members).clear();
    MBR::MEMBERNUMBER.set(99);
    MBR::LASTNAME.set("Typing");
    TreeList& tree = open();
    tree.ExpandAll();
    click(tree, "golf");
    key(tree, Qt::Key_Left);
    key(tree, Qt::Key_Right);
    tree.ReloadRows(true);
    EXPECT_EQ(COM::COMMITTEE.get(), "Being edited");
    EXPECT_EQ(CMBRS::MEMBERNUMBER.get(), 77);
    EXPECT_EQ(MBR::LASTNAME.get(), "Typing");
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 99);
}

}  // namespace
}  // namespace bb::test
