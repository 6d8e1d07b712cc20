// Marked lists and the other parts of a declared window that a selection
// window needs: a file's records with a check per row that a click or
// Space turns on and off, fields grouped in a titled box, a status bar of
// the window's own, and a control enabled or disabled with its prompt.
#include "ui/marked_list.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTreeView>

#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "ui/procedures.h"
#include "ui/window_manager.h"
#include "window_test.h"

namespace bb::test {
namespace {

constexpr char kCaption[] = "Choose Test Groups";

const WindowDecl kChooseGroups{
    .procedure = "ChooseTestGroups",
    .caption = kCaption,
    .statusZones = 2,
    .fields =
        {
            {.field = MBR::CITY,
             .prompt = "&City:",
             .message = "The city of the customers to include",
             .group = "Choose ..."},
            {.kind = ControlKind::MarkedList,
             .prompt = "&Groups",
             .message = "Mark the groups to include",
             .group = "Choose ...",
             .drop = DropDecl{.file = FileId::Committees,
                              .key = COM::key::COMMITTEEKEY,
                              .format = "80L(2)~Customer Group~@s20@",
                              .columns = {COM::COMMITTEE}}},
            {.kind = ControlKind::MarkedList,
             .prompt = "C&lasses",
             .group = "Choose ...",
             .beside = true,
             .drop = DropDecl{.file = FileId::MembershipTypes,
                              .key = TYP::key::MEMBERTYPEKEY,
                              .format = "60L(3)~Class~L(2)@s15@80L~Description~@s40@",
                              .columns = {TYP::MEMBERTYPE, TYP::DESCRIPTION}}},
        },
    .buttons = {{.text = "&OK", .role = ButtonRole::Ok},
                {.text = "&Cancel", .role = ButtonRole::Cancel}},
};

class MarkedListTest : public WindowTest {
protected:
    MarkedListTest() {
        procedures().add(kChooseGroups.procedure.data(), [](std::string_view) {
            WindowManager window(kChooseGroups);
            processValues().LastResponse = window.Run();
        });
        for (const char* group : {"Golf Club", "Chess", "Golf"}) addGroup(group);
        for (const auto& [type, description] :
             {std::pair{"Gold", "Best customers"}, {"Bronze", "Occasional"}}) {
            buffer(FileId::MembershipTypes).clear();
            TYP::MEMBERTYPE.set(type);
            TYP::DESCRIPTION.set(description);
            EXPECT_EQ(fileManagerFor(FileId::MembershipTypes)->Insert(), SeverityNone);
        }
    }

    void addGroup(const char* name) {
        buffer(FileId::Committees).clear();
        COM::COMMITTEE.set(name);
        EXPECT_EQ(fileManagerFor(FileId::Committees)->Insert(), SeverityNone);
    }

    static int choose() { return procedures().call(kChooseGroups.procedure); }

    RelatedFilesOpen groups_{*relationManagerFor(FileId::Committees)};
    RelatedFilesOpen types_{*relationManagerFor(FileId::MembershipTypes)};
};

TEST_F(MarkedListTest, RowsComeInKeyOrderAndAClickOrSpaceTurnsAMarkOnAndOff) {
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.rows("Groups"), (std::vector<std::string>{"Chess", "Golf", "Golf Club"}));
        EXPECT_EQ(form.rows("Classes"),
                  (std::vector<std::string>{"Bronze: Occasional", "Gold: Best customers"}));
        EXPECT_TRUE(form.marked("Groups").empty());
        form.mark("Groups", "Golf Club");
        form.mark("Groups", "Chess");
        EXPECT_EQ(form.marked("Groups"), (std::vector<std::string>{"Chess", "Golf Club"}));
        // Space on the current row (the one clicked last) takes its mark off.
        form.key(QKeyCombination(Qt::Key_Space));
        EXPECT_EQ(form.marked("Groups"), (std::vector<std::string>{"Golf Club"}));
        form.key(QKeyCombination(Qt::Key_Down));
        form.key(QKeyCombination(Qt::Key_Space));
        EXPECT_EQ(form.marked("Groups"), (std::vector<std::string>{"Golf", "Golf Club"}));
        const MarkedList& marks = *form.manager().Marks("Groups");
        ASSERT_EQ(marks.RowCount(), 3);
        EXPECT_EQ(marks.Name(2), "Golf Club");
        EXPECT_TRUE(marks.Marked(1));
        EXPECT_FALSE(marks.AllMarked());
        form.mark("Groups", "Chess");
        EXPECT_TRUE(marks.AllMarked());
        form.press("OK");
    });
    EXPECT_EQ(choose(), ResponseCompleted);
}

TEST_F(MarkedListTest, AnEmptyListCountsAsAllMarked) {
    ui.when(kCaption, [this](DrivenWindow& form) {
        MarkedList& marks = *form.manager().Marks("Groups");
        for (int row = 0; row < marks.RowCount(); ++row) {
            buffer(FileId::Committees).clear();
            COM::COMMITTEE.set(marks.Name(row));
            ASSERT_EQ(fileManagerFor(FileId::Committees)->Fetch(COM::key::COMMITTEEKEY),
                      SeverityNone);
            ASSERT_EQ(relationManagerFor(FileId::Committees)->Delete(false), SeverityNone);
        }
        form.manager().Reset(true);
        EXPECT_EQ(marks.RowCount(), 0);
        EXPECT_TRUE(marks.AllMarked());
        form.press("Cancel");
    });
    choose();
}

TEST_F(MarkedListTest, ReadingTheRowsLeavesTheRecordBufferAndAReloadKeepsTheMarks) {
    buffer(FileId::Committees).clear();
    COM::COMMITTEE.set("Being edited");
    ui.when(kCaption, [this](DrivenWindow& form) {
        EXPECT_EQ(COM::COMMITTEE.get(), "Being edited");
        form.mark("Groups", "Golf");
        form.manager().Marks("Groups")->Mark(0, true);
        addGroup("Bridge");
        form.manager().Reset(true);
        EXPECT_EQ(form.rows("Groups"),
                  (std::vector<std::string>{"Bridge", "Chess", "Golf", "Golf Club"}));
        EXPECT_EQ(form.marked("Groups"), (std::vector<std::string>{"Chess", "Golf"}));
        form.press("OK");
    });
    EXPECT_EQ(choose(), ResponseCompleted);
}

TEST_F(MarkedListTest, AGroupsFieldsSitInItsTitledBoxWithTheirPromptsAsBuddies) {
    ui.when(kCaption, [](DrivenWindow& form) {
        QWidget* box = form.find("Choose ...");
        ASSERT_NE(qobject_cast<QGroupBox*>(box), nullptr);
        EXPECT_TRUE(box->isAncestorOf(form.find("City")));
        EXPECT_TRUE(box->isAncestorOf(form.find("Groups")));
        // The lists stand side by side.
        EXPECT_LT(form.find("Groups")->geometry().right(), form.find("Classes")->geometry().left());
        // A marked list's mnemonic reaches its list.
        form.focus("City");
        form.key(QKeyCombination(Qt::AltModifier, Qt::Key_L));
        EXPECT_EQ(form.focused(), "Classes");
        EXPECT_NE(qobject_cast<QTreeView*>(QApplication::focusWidget()), nullptr);
        form.press("Cancel");
    });
    choose();
}

TEST_F(MarkedListTest, TheWindowsStatusBarShowsControlMessagesAndWhatTheWindowWrites) {
    ui.when(kCaption, [](DrivenWindow& form) {
        WindowManager& window = form.manager();
        form.focus("Groups");
        EXPECT_EQ(window.StatusText(1), "Mark the groups to include");
        form.focus("City");
        EXPECT_EQ(window.StatusText(1), "The city of the customers to include");
        window.SetStatusText(2, "Friday, March 5, 1999");
        EXPECT_EQ(window.StatusText(2), "Friday, March 5, 1999");
        EXPECT_EQ(window.StatusText(3), "");
        form.press("Cancel");
    });
    choose();
}

TEST_F(MarkedListTest, AControlIsEnabledAndDisabledWithItsPrompt) {
    ui.when(kCaption, [](DrivenWindow& form) {
        WindowManager& window = form.manager();
        QWidget* city = form.find("City");
        const QLabel* prompt = nullptr;
        for (const QLabel* label : window.Widget()->findChildren<QLabel*>()) {
            if (label->buddy() == city) prompt = label;
        }
        ASSERT_NE(prompt, nullptr);
        window.Enable(MBR::CITY, false);
        EXPECT_FALSE(city->isEnabled());
        EXPECT_FALSE(prompt->isEnabled());
        window.Enable(MBR::CITY, true);
        EXPECT_TRUE(city->isEnabled());
        EXPECT_TRUE(prompt->isEnabled());
        form.press("Cancel");
    });
    choose();
}

}  // namespace
}  // namespace bb::test
