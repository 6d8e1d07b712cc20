// The drag and drop hand-over between windows: a drag carries its value in
// a kind of its own, a target takes only its own kind, gets the value and
// the place it landed, and a source switched off carries nothing. Drags are
// played as Qt's drag loop delivers them (enter, then drop), since the loop
// itself needs a real pointer.
#include "ui/drag_link.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "drag_playing.h"
#include "qt_application.h"

namespace bb {
namespace {

class DragLinkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }
};

struct KindCase {
    const char* dragged;
    const char* taken;
    bool lands;
};

TEST_F(DragLinkTest, ATargetTakesOnlyItsOwnKindWithItsValueAndPlace) {
    const KindCase cases[] = {
        {"Member", "Member", true},
        {"Member", "MEMBER", true},  // kinds are names, whatever their case
        {"Member", "CommitteeMbr", false},
        {"CommitteeMbr", "Member", false},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(std::string(c.dragged) + " onto " + c.taken);
        QTreeWidget tree;
        std::string value;
        QPoint place;
        DragLink::of(tree).setTarget(c.taken, [&](const std::string& v, QPoint at) {
            value = v;
            place = at;
        });
        EXPECT_TRUE(tree.viewport()->acceptDrops());
        const test::DragTaken landed = test::dragOnto(tree, *dragData(c.dragged, "42"), {3, 9});
        EXPECT_EQ(landed.entered, c.lands);
        EXPECT_EQ(landed.dropped, c.lands);
        EXPECT_EQ(value, c.lands ? "42" : "");
        EXPECT_EQ(place, c.lands ? QPoint(3, 9) : QPoint());
    }
}

TEST_F(DragLinkTest, TheValueTravelsInTheDragAloneAndPlainTextIsNoDrag) {
    const std::unique_ptr<QMimeData> data = dragData("Member", "1234");
    EXPECT_EQ(draggedValue(data.get(), "Member"), "1234");
    EXPECT_FALSE(data->hasText());
    QMimeData text;
    text.setText("1234");
    EXPECT_EQ(draggedValue(&text, "Member"), std::nullopt);
    EXPECT_EQ(draggedValue(nullptr, "Member"), std::nullopt);
}

TEST_F(DragLinkTest, ASourceCarriesItsValueUntilSwitchedOff) {
    QTreeWidget tree;
    tree.setToolTip("the tree's own");
    DragLink& link = DragLink::of(tree);
    EXPECT_EQ(&DragLink::of(tree), &link);
    EXPECT_EQ(link.dragData(), nullptr);

    std::string value = "7";
    link.setSource("CommitteeMbr", "Drag customer out of group", [&] { return value; });
    EXPECT_EQ(tree.toolTip().toStdString(), "Drag customer out of group");
    EXPECT_EQ(draggedValue(link.dragData().get(), "CommitteeMbr"), "7");
    value.clear();  // nothing highlighted: nothing to drag
    EXPECT_EQ(link.dragData(), nullptr);

    value = "7";
    link.setSource({}, "ignored", [&] { return value; });
    EXPECT_EQ(link.sourceId(), "");
    EXPECT_EQ(link.dragData(), nullptr);
    EXPECT_TRUE(tree.toolTip().isEmpty());
}

TEST_F(DragLinkTest, ATargetSwitchedOffTakesNothing) {
    QWidget plain;
    int drops = 0;
    DragLink& link = DragLink::of(plain);
    link.setTarget("Member", [&](const std::string&, QPoint) { ++drops; });
    EXPECT_TRUE(plain.acceptDrops());
    EXPECT_TRUE(test::dragOnto(plain, *dragData("Member", "1"), {1, 1}).dropped);
    link.setTarget({}, [&](const std::string&, QPoint) { ++drops; });
    EXPECT_FALSE(plain.acceptDrops());
    EXPECT_FALSE(test::dragOnto(plain, *dragData("Member", "1"), {1, 1}).dropped);
    EXPECT_EQ(drops, 1);
}

}  // namespace
}  // namespace bb
