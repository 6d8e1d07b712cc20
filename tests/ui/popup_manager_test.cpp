// The popup manager's rules: names from texts, marks that set flags, mimic
// items that follow their button, submenus by depth, and the chosen item
// pressing its button.
#include "ui/popup_manager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "qt_application.h"

namespace bb {
namespace {

class PopupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }
    PopupTest() { popup.Setup(); }

    // The texts and enabled states of a menu's actions, "~" before a
    // disabled one, "+"/"-" before a checked/unchecked one, "{...}" around
    // a submenu.
    static std::string describe(const QMenu& menu) {
        std::string out;
        for (const QAction* action : menu.actions()) {
            if (!out.empty()) out += "|";
            if (action->isSeparator()) {
                out += "-";
                continue;
            }
            if (!action->isEnabled()) out += "~";
            if (action->isCheckable()) out += action->isChecked() ? "+" : "-";
            out += action->text().toStdString();
            if (action->menu()) out += "{" + describe(*action->menu()) + "}";
        }
        return out;
    }

    PopupManager popup;
};

TEST_F(PopupTest, NamesKeepOnlyLettersAndDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"&Insert", "Insert"},
        {"Print Setup ...", "PrintSetup"},
        {"Cross &Reference 2", "CrossReference2"},
        {"-", "Separator"},
        {"", ""},
    };
    for (const auto& [text, name] : cases) EXPECT_EQ(PopupManager::NameFrom(text), name) << text;
}

TEST_F(PopupTest, LeadingMarksSetFlagsAndAreRemoved) {
    popup.Attach("~&Disabled");
    popup.Attach("+&Checked");
    popup.Attach("-&Unchecked");
    popup.Attach("-");
    popup.Attach("&Plain", "Given");
    const auto& items = popup.Items();
    ASSERT_EQ(items.size(), 5U);
    EXPECT_EQ(items[0].TEXT, "&Disabled");
    EXPECT_EQ(items[0].DISABLED, 1);
    EXPECT_EQ(items[0].NAME, "Disabled");
    EXPECT_EQ(items[1].CHECK, 1);
    EXPECT_EQ(items[2].CHECK, 2);
    EXPECT_EQ(items[2].NAME, "Unchecked");
    EXPECT_EQ(items[3].NAME, "Separator");
    EXPECT_EQ(items[4].NAME, "Given");
    popup.CheckItem("Unchecked", true);
    QMenu menu;
    popup.BuildMenu(menu);
    EXPECT_EQ(describe(menu), "~&Disabled|+&Checked|+&Unchecked|-|&Plain");
}

TEST_F(PopupTest, AMimicItemShowsItsButtonsTextAndFollowsItsEnabledState) {
    QPushButton insert("&Insert Record");
    QPushButton print;  // no text of its own
    popup.AddMimicItem("", &insert, "!&Insert");
    popup.AddMimicItem("", &print, "!&Print");
    popup.AddMimicItem("Fixed", &insert, "&Fixed text");
    EXPECT_EQ(popup.Items()[0].NAME, "Insert");
    QMenu menu;
    popup.BuildMenu(menu);
    EXPECT_EQ(describe(menu), "&Insert Record|&Print|&Fixed text");
    insert.setEnabled(false);
    QMenu again;
    popup.BuildMenu(again);
    EXPECT_EQ(describe(again), "~&Insert Record|&Print|~&Fixed text");
}

TEST_F(PopupTest, DeeperItemsFormTheSubmenuOfTheItemBefore) {
    popup.Attach("&Sort");
    popup.Attach("By &Name", {}, {}, 2);
    popup.Attach("By &Number");  // the depth of the item before
    popup.Attach("&Close", {}, {}, 1);
    popup.Attach("&First", {}, 0);  // at the front
    QMenu menu;
    popup.BuildMenu(menu);
    EXPECT_EQ(describe(menu), "&First|&Sort{By &Name|By &Number}|&Close");
}

TEST_F(PopupTest, InteractReturnsTheChosenItemsNameOrNothing) {
    popup.Attach("&Open");
    popup.Attach("&Close");
    // The user picks the second item of the menu that pops up.
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions().at(1));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    EXPECT_EQ(popup.Interact(QPoint(10, 10)), "Close");
    EXPECT_EQ(popup.LASTSELECTION, "Close");
    QTimer::singleShot(0, [] { QApplication::activePopupWidget()->close(); });
    EXPECT_EQ(popup.Interact(QPoint(10, 10)), "");
}

}  // namespace
}  // namespace bb
