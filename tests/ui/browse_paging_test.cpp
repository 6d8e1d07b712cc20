// The browse manager's page: what a list shows of an empty file, of a file
// smaller than the list and of a larger one; the keys, the scroll bar and
// the toolbar moving through it; the thumb; the locator; a resize; another
// station's records; and how much a move reads.
#include <gtest/gtest.h>

#include <QColor>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

#include "browse_fixture.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "processes.h"
#include "ui/frame_services.h"

namespace bb::test {
namespace {

enum class Way { Keys, Toolbar, Bar };

class BrowsePagingTest : public BrowseTest {
protected:
    // One move through the records by keys, the toolbar or the scroll bar.
    void move(DrivenWindow& window, Way way, EventKind kind);
};

TEST_F(BrowsePagingTest, TheListIsAsHighAsItsDesignedRowsAndShowsTheFirstPage) {
    addNumbered(25);
    DrivenWindow window = start();
    window.screenshot("first page");
    EXPECT_EQ(browse().LASTITEMS, 10);
    EXPECT_EQ(browse().Rows().Count(), 10);
    EXPECT_EQ(rows(), numberedRange(1, 10));
    EXPECT_EQ(highlighted(), numbered(1));
    EXPECT_EQ(browse().CURRENTCHOICE, 1);
    EXPECT_EQ(window.focused(), kList);
}

TEST_F(BrowsePagingTest, TheLastColumnWidensWithTheWindowAndNeverNarrowsBelowItsDesign) {
    addNumbered(3);
    DrivenWindow window = start();
    BrowseTable& table = *window.list(kList)->Table();
    // The list asks for the room its columns were designed to take.
    const QSize hint = table.sizeHint();
    const int designed = hint.width() - 2 * table.frameWidth() - table.columnWidth(0);
    const QSize opened = window.manager().Widget()->size();

    window.resize(opened.width() + 300, opened.height());
    EXPECT_EQ(table.columnWidth(0) + table.columnWidth(1), table.viewport()->width());
    EXPECT_GT(table.columnWidth(1), designed + 250);
    EXPECT_EQ(table.sizeHint(), hint);  // a widened list does not ask for more
    window.screenshot("widened");

    // Narrower than its columns, the list scrolls sideways rather than cut the last one.
    table.resize(table.columnWidth(0) + designed / 2, table.height());
    EXPECT_EQ(table.columnWidth(1), designed);
}

TEST_F(BrowsePagingTest, AnEmptyFileShowsNothingScrollsNowhereAndStillTakesAnInsert) {
    DrivenWindow window = start();
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(browse().CURRENTCHOICE, 0);
    EXPECT_EQ(window.highlighted(kList), -1);
    EXPECT_EQ(window.thumb(kList), -1);
    EXPECT_FALSE(window.enabled("Change"));
    EXPECT_FALSE(window.enabled("Delete"));
    for (QKeyCombination key : {QKeyCombination(Qt::Key_Down), QKeyCombination(Qt::Key_PageDown),
                                QKeyCombination(Qt::Key_End), QKeyCombination(Qt::Key_Up)}) {
        press(key);
        EXPECT_TRUE(rows().empty());
        EXPECT_EQ(browse().CURRENTCHOICE, 0);
    }
    // The Insert key, then the Insert button.
    const char* added[] = {"Zenith Mills", "Acme Tools"};
    for (const char* company : added) {
        ui.when(kFormCaption, [company](DrivenWindow& f) {
            EXPECT_EQ(f.caption(), "Record Will Be Added");
            f.type("Company", company);
            f.press("OK");
        });
    }
    press(QKeyCombination(Qt::Key_Insert));
    EXPECT_EQ(rows(), std::vector<std::string>{"Zenith Mills"});
    window.press("Insert");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Acme Tools", "Zenith Mills"}));
    EXPECT_EQ(highlighted(), "Acme Tools");
    EXPECT_TRUE(window.enabled("Change"));
}

TEST_F(BrowsePagingTest, FewerRecordsThanRowsAreAllShownFromTheFirstWithoutAScrollBar) {
    addNumbered(4);
    DrivenWindow window = start();
    EXPECT_EQ(rows(), numberedRange(1, 4));
    EXPECT_EQ(window.thumb(kList), -1);
    press(QKeyCombination(Qt::Key_End));
    EXPECT_EQ(rows(), numberedRange(1, 4));
    EXPECT_EQ(highlighted(), numbered(4));
    press(QKeyCombination(Qt::Key_PageUp));
    EXPECT_EQ(highlighted(), numbered(1));
    press(QKeyCombination(Qt::Key_PageDown));
    EXPECT_EQ(highlighted(), numbered(4));
}

// A reload that starts near the end reads backwards to fill the page,
// unless the list may end in empty rows.
TEST_F(BrowsePagingTest, AReloadNearTheEndFillsThePageFromAbove) {
    for (bool unfilled : {false, true}) {
        SCOPED_TRACE(unfilled ? "may stay unfilled" : "filled");
        list.fields.front().list->allowUnfilled = unfilled;
        addNumbered(15, unfilled ? 101 : 1);
        start();
        const int base = unfilled ? 100 : 0;
        MBR::COMPANYNAME.set(numbered(base + 13));
        browse().RepositionAtBuffer();
        ui.settle();
        EXPECT_EQ(highlighted(), numbered(base + 13));
        if (unfilled) {
            EXPECT_EQ(rows(), numberedRange(113, 115));
        } else {
            EXPECT_EQ(rows(), numberedRange(6, 15));
        }
        // The next round's customers come after these.
        ui.closeAll();
    }
}

TEST_F(BrowsePagingTest, ColumnsShowTheFormatsHeadingsAndJustificationAndRowsTheirColours) {
    addCustomers({"Active Co", "Dormant Co"});
    FileManager& file = *fileManagerFor(FileId::Members);
    MBR::MEMBERNUMBER.set(2);
    ASSERT_EQ(file.Fetch(MBR::key::MEMBERKEY), SeverityNone);
    MBR::ACTIVE.set(0);
    ASSERT_EQ(file.UpdateQuietly(), SeverityNone);
    start();
    const BrowseModel& model = browse().Rows();
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Company");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "City");
    // The city column is right-justified under a left-justified heading.
    const auto alignment = [&](int column, bool heading) {
        const QVariant v = heading ? model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                                   : model.index(0, column).data(Qt::TextAlignmentRole);
        return v.value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(0, false), Qt::AlignLeft);
    EXPECT_EQ(alignment(1, false), Qt::AlignRight);
    EXPECT_EQ(alignment(1, true), Qt::AlignLeft);
    EXPECT_EQ(model.index(1, 1).data().toString(), "City 2");
    // The inactive customer is silver, white on silver when highlighted.
    EXPECT_FALSE(model.index(0, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(model.index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0xC0C0C0));
    EXPECT_EQ(model.index(1, 0).data(BrowseModel::kSelectedForegroundRole).value<QColor>(),
              QColor(0xFFFFFF));
    EXPECT_EQ(model.index(1, 0).data(BrowseModel::kSelectedBackgroundRole).value<QColor>(),
              QColor(0xC0C0C0));
}

// ------------------------------------------------------------------ moves

void BrowsePagingTest::move(DrivenWindow& window, Way way, EventKind kind) {
    struct Means {
        EventKind kind;
        Qt::Key key;
        int command;
        QAbstractSlider::SliderAction action;
    };
    static const Means kMeans[] = {
        {EventKind::ScrollUp, Qt::Key_Up, ToolbarPrevious, QAbstractSlider::SliderSingleStepSub},
        {EventKind::ScrollDown, Qt::Key_Down, ToolbarNext, QAbstractSlider::SliderSingleStepAdd},
        {EventKind::PageUp, Qt::Key_PageUp, ToolbarPageUp, QAbstractSlider::SliderPageStepSub},
        {EventKind::PageDown, Qt::Key_PageDown, ToolbarPageDown,
         QAbstractSlider::SliderPageStepAdd},
        {EventKind::ScrollTop, Qt::Key_Home, ToolbarFirst, QAbstractSlider::SliderToMinimum},
        {EventKind::ScrollBottom, Qt::Key_End, ToolbarLast, QAbstractSlider::SliderToMaximum},
    };
    const Means& m = *std::find_if(std::begin(kMeans), std::end(kMeans),
                                   [kind](const Means& each) { return each.kind == kind; });
    switch (way) {
        case Way::Keys:
            window.focus(kList);
            window.key(QKeyCombination(m.key));
            break;
        case Way::Toolbar:
            window.toolbar(m.command);
            break;
        case Way::Bar:
            window.list(kList)->ScrollBar()->triggerAction(m.action);
            ui.settle();
            break;
    }
}

struct MoveCase {
    const char* what;
    std::vector<EventKind> moves;
    int firstShown;
    int highlighted;
};

// 25 customers, 10 rows.
const MoveCase kMoves[] = {
    {"a row down within the page", {EventKind::ScrollDown}, 1, 2},
    {"a row up at the top stays", {EventKind::ScrollUp}, 1, 1},
    {"a row down at the bottom row shifts the page by one",
     std::vector<EventKind>(10, EventKind::ScrollDown), 2, 11},
    {"a page down keeps the screen row", {EventKind::PageDown}, 11, 11},
    {"a page down near the end moves the selection by the rows missing",
     {EventKind::PageDown, EventKind::PageDown},
     16,
     21},
    {"a page down at the end goes to the last row",
     {EventKind::PageDown, EventKind::PageDown, EventKind::PageDown},
     16,
     25},
    {"the bottom", {EventKind::ScrollBottom}, 16, 25},
    {"a page up from the bottom", {EventKind::ScrollBottom, EventKind::PageUp}, 6, 15},
    {"a page up near the top",
     {EventKind::PageDown, EventKind::ScrollDown, EventKind::ScrollDown, EventKind::PageUp,
      EventKind::PageUp},
     1,
     1},
    {"the top again", {EventKind::ScrollBottom, EventKind::ScrollTop}, 1, 1},
};

TEST_F(BrowsePagingTest, KeysToolbarAndScrollBarMoveThroughTheRecordsAlike) {
    addNumbered(25);
    for (Way way : {Way::Keys, Way::Toolbar, Way::Bar}) {
        for (const MoveCase& c : kMoves) {
            SCOPED_TRACE(std::string(c.what) + " by " +
                         (way == Way::Keys      ? "keys"
                          : way == Way::Toolbar ? "toolbar"
                                                : "bar"));
            DrivenWindow window = start();
            for (EventKind kind : c.moves) move(window, way, kind);
            EXPECT_EQ(rows().front(), numbered(c.firstShown));
            EXPECT_EQ(rows().size(), 10u);
            EXPECT_EQ(highlighted(), numbered(c.highlighted));
            ui.closeAll();
        }
    }
}

TEST_F(BrowsePagingTest, CtrlHomeAndCtrlEndGoToTheEndsToo) {
    addNumbered(25);
    start();
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_End));
    EXPECT_EQ(highlighted(), numbered(25));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_Home));
    EXPECT_EQ(highlighted(), numbered(1));
    EXPECT_EQ(rows().front(), numbered(1));
}

TEST_F(BrowsePagingTest, AClickedRowIsHighlightedAndItsRecordIsInTheBuffer) {
    addNumbered(25);
    DrivenWindow window = start();
    window.clickRow(kList, 6);
    EXPECT_EQ(highlighted(), numbered(7));
    EXPECT_EQ(browse().CURRENTCHOICE, 7);
    EXPECT_EQ(MBR::COMPANYNAME.get(), numbered(7));
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 7);
    // A move keeps the buffer on the highlighted record, not the last read.
    press(QKeyCombination(Qt::Key_PageDown));
    EXPECT_EQ(MBR::COMPANYNAME.get(), numbered(17));
}

// ------------------------------------------------------------------ thumb

// Names spread over the alphabet: "Ab Holdings 0" to "Zh Holdings 181".
std::vector<std::string> spreadNames(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        std::string name;
        name += static_cast<char>('A' + i * 26 / count);
        name += static_cast<char>('a' + i % 26);
        names.push_back(name + " Holdings " + std::to_string(i));
    }
    return names;
}

TEST_F(BrowsePagingTest, TheThumbFollowsTheStringEstimatorAndADragJumpsToItsValue) {
    addCustomers(spreadNames(182));
    // The estimator as the list sets it up, over the first and last names.
    const std::vector<std::string> sorted = companies();
    StringStep step;
    step.Setup(StepManager::kLetters | StepManager::kDigits, StringStep::LookupMode::Computed);
    step.SetBounds(Value::text(sorted.front()), Value::text(sorted.back()));

    DrivenWindow window = start();
    EXPECT_EQ(window.thumb(kList), 1);
    press(QKeyCombination(Qt::Key_End));
    EXPECT_EQ(window.thumb(kList), step.PercentOf(Value::text(sorted.back())));
    EXPECT_GT(window.thumb(kList), 90);
    const std::string wanted = step.ValueAt(37).asText();
    const auto at = std::find_if(sorted.begin(), sorted.end(), [&](const std::string& name) {
        return text::upper(name) >= text::upper(wanted);
    });
    ASSERT_NE(at, sorted.end());

    window.dragThumb(kList, 37);
    EXPECT_EQ(highlighted(), *at);
    EXPECT_EQ(window.thumb(kList), step.PercentOf(Value::text(*at)));
    EXPECT_EQ(rows().size(), 10u);
    window.screenshot("thumb at 37");
}

TEST_F(BrowsePagingTest, WithoutAnEstimatorTheThumbKeepsTheFixedRuleAndADragPages) {
    list.fields.front().list->orders.front().thumb = {};
    addNumbered(45);
    DrivenWindow window = start();
    EXPECT_EQ(window.thumb(kList), 50);
    press(QKeyCombination(Qt::Key_End));
    EXPECT_EQ(window.thumb(kList), 100);
    window.dragThumb(kList, 37);  // a page up
    EXPECT_EQ(rows().front(), numbered(26));
    EXPECT_EQ(window.thumb(kList), 50);
    window.dragThumb(kList, 80);  // a page down
    EXPECT_EQ(rows().front(), numbered(36));
    window.dragThumb(kList, 1);
    EXPECT_EQ(highlighted(), numbered(1));
    EXPECT_EQ(window.thumb(kList), 0);
    window.dragThumb(kList, 100);
    EXPECT_EQ(highlighted(), numbered(45));
}

// ----------------------------------------------------------------- locator

TEST_F(BrowsePagingTest, ALetterTypedOnTheListStepsThroughItsRecordsThenJumpsToTheNext) {
    addCustomers({"Alpha", "Beta", "Charlie", "Cobalt", "Crane", "Delta", "Echo"});
    start();
    press(QKeyCombination(Qt::Key_C));  // typed "c": no case in this order
    EXPECT_EQ(highlighted(), "Charlie");
    shown().key(QKeyCombination(Qt::Key_C));
    EXPECT_EQ(highlighted(), "Cobalt");
    shown().key(QKeyCombination(Qt::Key_D));
    EXPECT_EQ(highlighted(), "Delta");
    shown().key(QKeyCombination(Qt::ShiftModifier, Qt::Key_A));
    EXPECT_EQ(highlighted(), "Alpha");
}

class BrowseEntryLocatorTest : public BrowsePagingTest {
protected:
    BrowseEntryLocatorTest() {
        list.locals = {{"Locate", T_STRING(40)}};
        list.fields.push_back({.local = "Locate", .prompt = "&Locate:"});
        SortDecl& order = list.fields.front().list->orders.front();
        order.locator = LocatorKind::Entry;
        order.locatorEntry = "Locate";
    }
};

TEST_F(BrowseEntryLocatorTest, IsDisabledWhileTheListIsEmpty) {
    DrivenWindow window = start();
    EXPECT_FALSE(window.enabled("Locate"));
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        edit.type("Company", "Acme Tools");
        edit.press("OK");
    });
    window.press("Insert");
    EXPECT_TRUE(window.enabled("Locate"));
}

TEST_F(BrowseEntryLocatorTest, FindsWhatIsTypedAndIsClearedByAMove) {
    addCustomers({"Alpha", "Beta", "Charlie", "Cobalt", "Crane", "Delta", "Echo"});
    DrivenWindow window = start();
    // A letter typed on the list goes into the entry.
    press(QKeyCombination(Qt::Key_C));
    EXPECT_EQ(window.focused(), "Locate");
    EXPECT_EQ(window.shown("Locate"), "c");
    window.type("Locate", "COB");
    EXPECT_EQ(highlighted(), "Cobalt");
    EXPECT_EQ(window.focused(), kList);
    EXPECT_EQ(window.shown("Locate"), "");
    // Past the last record: the list ends with the last one.
    window.type("Locate", "zz");
    EXPECT_EQ(highlighted(), "Echo");
    // Leaving the entry takes what it holds, as Enter does.
    window.typeOnly("Locate", "de");
    press(QKeyCombination(Qt::Key_Up));
    EXPECT_EQ(highlighted(), "Crane");  // Delta, then a row up
    EXPECT_EQ(window.shown("Locate"), "");
    // A move clears what was typed and not yet taken.
    window.typeOnly("Locate", "b");
    window.list(kList)->ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    ui.settle();
    EXPECT_EQ(window.shown("Locate"), "");
    EXPECT_EQ(highlighted(), "Cobalt");
}

// ------------------------------------------------------- window and others

TEST_F(BrowsePagingTest, AResizeThatShowsMoreRowsReloadsAPageOfThatMany) {
    addNumbered(40);
    DrivenWindow window = start();
    press(QKeyCombination(Qt::Key_PageDown));
    window.clickRow(kList, 3);
    ASSERT_EQ(highlighted(), numbered(14));
    const QSize before = window.manager().Widget()->size();
    const int row = window.list(kList)->Table()->rowHeight(0);
    window.resize(before.width(), before.height() + 6 * row);
    EXPECT_EQ(browse().LASTITEMS, 16);
    EXPECT_EQ(rows().size(), 16u);
    // The highlighted record stays on its screen row.
    EXPECT_EQ(highlighted(), numbered(14));
    EXPECT_EQ(rows().front(), numbered(11));
    window.screenshot("taller");
}

TEST_F(BrowsePagingTest, AnotherStationsInsertShowsAfterTheNextReset) {
    addNumbered(5);
    DrivenWindow window = start();
    ChildProcess station(BB_STORAGE_STATION, {"add", folder_.path().string(), "1", "900"});
    ASSERT_TRUE(station.waitForLine("done"));
    EXPECT_EQ(station.wait(), 0);
    // The page holds its rows; it does not read them again on its own.
    ui.settle();
    EXPECT_EQ(rows().size(), 5u);
    window.manager().Reset(true);
    ui.settle();
    EXPECT_EQ(rows(), (std::vector<std::string>{numbered(1), numbered(2), numbered(3), numbered(4),
                                                numbered(5), "Station 900"}));
}

struct ComingBackCase {
    const char* what;
    std::vector<std::string> station;  // the other station's command; none: nothing changes
    const char* reply;
    std::vector<std::string> rows;
    const char* highlighted;
};

void PrintTo(const ComingBackCase& c, std::ostream* out) {
    *out << c.what;
}

class ComingBackToTheList : public BrowseTest,
                            public ::testing::WithParamInterface<ComingBackCase> {};

// The user leaves the list for another window and comes back to it: what
// another station changed meanwhile shows at once, the highlighted record
// staying where it still exists; with nothing changed the list reads nothing.
TEST_P(ComingBackToTheList, ShowsWhatAnotherStationChangedMeanwhile) {
    const ComingBackCase& c = GetParam();
    addNumbered(5);
    DrivenWindow window = start();
    window.clickRow(kList, 2);
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    ui.settle();
    if (!c.station.empty()) {
        std::vector<std::string> args = c.station;
        args.insert(args.begin() + 1, folder_.path().string());
        ChildProcess station(BB_STORAGE_STATION, args);
        ASSERT_TRUE(station.waitForLine(c.reply));
        EXPECT_EQ(station.wait(), 0);
    }
    ui.settle();
    storage_->clearViewCounts();
    frameServices().activateChildWindow(*window.manager().Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.manager().Widget()));
    ui.settle();
    EXPECT_EQ(rows(), c.rows);
    EXPECT_EQ(highlighted(), c.highlighted);
    // Nothing changed, nothing is read again.
    EXPECT_EQ(storage_->viewReads() > 0, !c.station.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ComingBackToTheList,
    ::testing::Values(
        ComingBackCase{
            "Insert",
            {"add", "1", "900"},
            "done",
            {numbered(1), numbered(2), numbered(3), numbered(4), numbered(5), "Station 900"},
            "Company 003"},
        ComingBackCase{
            "DeleteOfAnotherRow", {"delete", "5"}, "deleted 0", numberedRange(1, 4), "Company 003"},
        ComingBackCase{"DeleteOfTheHighlightedRow",
                       {"delete", "3"},
                       "deleted 0",
                       {numbered(1), numbered(2), numbered(4), numbered(5)},
                       "Company 004"},
        ComingBackCase{"Nothing", {}, "", numberedRange(1, 5), "Company 003"}),
    [](const ::testing::TestParamInfo<ComingBackCase>& named) { return named.param.what; });

// --------------------------------------------------------- what it reads

struct Reading {
    int reads;
    std::uint64_t work;
};

TEST_F(BrowsePagingTest, APageDownReadsOnePageWhateverTheSizeOfTheFile) {
    std::vector<Reading> readings;
    for (int size : {200, 20000}) {
        SCOPED_TRACE(size);
        addNumbered(size, static_cast<int>(readings.size()) * 100000 + 1);
        start();
        // Into the middle of the file, then one page on.
        MBR::COMPANYNAME.set(numbered(static_cast<int>(readings.size()) * 100000 + size / 2));
        browse().RepositionAtBuffer();
        ui.settle();
        storage_->clearViewCounts();
        const std::uint64_t before = browse().VIEW->workDone();
        press(QKeyCombination(Qt::Key_PageDown));
        readings.push_back({storage_->viewReads(), browse().VIEW->workDone() - before});
        // The page's rows, and the edge row read again to start after it.
        EXPECT_LE(storage_->viewReads(), browse().LASTITEMS + 1);
        EXPECT_LE(storage_->viewSeeks(), 1);
        ui.closeAll();
    }
    EXPECT_EQ(readings[0].reads, readings[1].reads);
    // The engine's own work does not grow with the file either.
    EXPECT_LE(readings[1].work, readings[0].work * 3 / 2);
}

}  // namespace
}  // namespace bb::test
