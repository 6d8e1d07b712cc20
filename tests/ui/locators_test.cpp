#include "ui/locators.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include "qt_application.h"

#include <string>
#include <vector>

namespace bb {
namespace {

// A file with a name, long enough to show the 40-character entry limit, and
// a number.
FileDef peopleFile() {
    FileDef def{"People", "PEO", "PEOPLE", {}, {}};
    def.fields = {
        {"NAME", "Name", {FieldType::String, 60}},
        {"NUMBER", "Number", {FieldType::Long}},
    };
    return def;
}
constexpr int kName = 0;
constexpr int kNumber = 1;

// The rows of a list, all of them on one page; the selected row is copied
// into the record buffer as the browse does.
class FakeBrowse : public LocatorBrowse {
public:
    FakeBrowse(Record& record, std::vector<std::string> rows, int selected)
        : record_(record), rows_(std::move(rows)), selected_(selected) {
        load();
    }
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    void SelectNextRow() override {
        // At the last row there is nothing further down to shift in.
        if (selected_ + 1 < RowCount()) ++selected_;
        load();
    }
    int selected() const { return selected_; }

private:
    void load() {
        if (!rows_.empty()) record_.setText(kName, rows_[static_cast<std::size_t>(selected_)]);
    }
    Record& record_;
    std::vector<std::string> rows_;
    int selected_;
};

QKeyEvent keyTyping(const QString& typed, int key = Qt::Key_unknown,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return QKeyEvent(QEvent::KeyPress, key, modifiers, typed);
}

// Keys that type no character.
struct SilentKey {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};
const SilentKey kSilentKeys[] = {
    {"F2", Qt::Key_F2, Qt::NoModifier, ""},
    {"Enter", Qt::Key_Return, Qt::NoModifier, "\r"},
    {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b"},
    {"Ctrl+B", Qt::Key_B, Qt::ControlModifier, "\x02"},
};

class WidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }

    WidgetTest() : def_(peopleFile()), record_(def_) {}

    std::string name() const { return record_.text(kName); }

    FileDef def_;
    Record record_;
};

// ---------------------------------------------------------- step locator

struct StepCase {
    const char* what;
    std::vector<std::string> rows;
    int selected;
    const char* typed;
    bool noCase;
    int selectedAfter;
    const char* nameAfter;
};

using KeystrokeLocatorTest = WidgetTest;

TEST_F(KeystrokeLocatorTest, StepsThroughTheRecordsOfALetterAndJumpsToANewOne) {
    const StepCase cases[] = {
        {"the next row starts with the letter too: stay on it",
         {"Baker", "Brown", "Carter"},
         0,
         "b",
         true,
         1,
         "Brown"},
        {"the next row starts with another letter: locate the letter",
         {"Baker", "Brown", "Carter"},
         1,
         "b",
         true,
         2,
         "b"},
        {"a new letter", {"Baker", "Brown", "Carter"}, 0, "c", true, 1, "c"},
        {"case matters: b is not B", {"Baker", "Brown", "Carter"}, 0, "b", false, 1, "b"},
        {"case matters: B is B", {"Baker", "Brown", "Carter"}, 0, "B", false, 1, "Brown"},
        {"the last row stays selected", {"Baker", "Brown"}, 1, "b", true, 1, "Brown"},
        {"letters beyond A to Z", {"Émile", "Éric", "Fabre"}, 0, "é", true, 1, "Éric"},
        {"an empty list", {}, 0, "b", true, 0, "b"},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.what);
        record_.clear();
        FakeBrowse browse(record_, c.rows, c.selected);
        KeystrokeLocator locator;
        locator.Setup(nullptr, {&record_, kName}, c.noCase, &browse);
        EXPECT_TRUE(locator.OnKey(keyTyping(QString::fromUtf8(c.typed))));
        EXPECT_EQ(browse.selected(), c.selectedAfter);
        EXPECT_EQ(name(), c.nameAfter);
    }
}

TEST_F(KeystrokeLocatorTest, AKeyWithoutACharacterIsNotTaken) {
    FakeBrowse browse(record_, {"Baker", "Brown"}, 0);
    KeystrokeLocator locator;
    locator.Setup(nullptr, {&record_, kName}, true, &browse);
    for (const SilentKey& k : kSilentKeys) {
        EXPECT_FALSE(locator.OnKey(keyTyping(k.text, k.key, k.modifiers))) << k.what;
        EXPECT_EQ(browse.selected(), 0) << k.what;
        EXPECT_EQ(name(), "Baker") << k.what;
    }
}

TEST_F(KeystrokeLocatorTest, NeverTakesAnAcceptedControl) {
    FakeBrowse browse(record_, {"Baker"}, 0);
    QLineEdit other;
    KeystrokeLocator locator;
    locator.Setup(nullptr, {&record_, kName}, true, &browse);
    EXPECT_FALSE(locator.OnAccepted(&other));
    locator.Clear();
    locator.UpdateEnabled(0);
    EXPECT_EQ(name(), "Baker");
}

// --------------------------------------------------------- entry locator

// A window with a list stand-in, which has the focus, and the entry control.
class TypedLocatorTest : public WidgetTest {
protected:
    TypedLocatorTest() : browse_(record_, {"Baker", "Brown"}, 0) {
        auto* layout = new QVBoxLayout(&window_);
        list_ = new QLineEdit(&window_);
        entry_ = new QLineEdit(&window_);
        layout->addWidget(list_);
        layout->addWidget(entry_);
        window_.show();
        list_->setFocus();
        locator_.Setup(entry_, {&record_, kName}, true, &browse_);
    }

    std::string shown() const { return entry_->text().toStdString(); }

    FakeBrowse browse_;
    QWidget window_;
    QLineEdit* list_ = nullptr;
    QLineEdit* entry_ = nullptr;
    TypedLocator locator_;
};

TEST_F(TypedLocatorTest, AKeyOnTheListGoesIntoTheEntry) {
    ASSERT_EQ(window_.focusWidget(), list_);
    EXPECT_TRUE(locator_.OnKey(keyTyping("S", Qt::Key_S)));
    EXPECT_EQ(window_.focusWidget(), entry_);
    EXPECT_TRUE(locator_.OnKey(keyTyping("m", Qt::Key_M)));
    EXPECT_TRUE(locator_.OnKey(keyTyping("ï")));
    EXPECT_EQ(shown(), "Smï");
    // What is typed lands in SHADOW; the free element waits for the entry
    // to be accepted.
    EXPECT_EQ(locator_.SHADOW, "Smï");
    EXPECT_EQ(name(), "Baker");
    EXPECT_EQ(browse_.selected(), 0);
}

TEST_F(TypedLocatorTest, RedisplayingKeepsWhatIsBeingTyped) {
    locator_.OnKey(keyTyping("S"));
    locator_.OnKey(keyTyping("m"));
    locator_.RefreshControls();
    locator_.OnKey(keyTyping("i"));
    EXPECT_EQ(shown(), "Smi");
    EXPECT_EQ(entry_->cursorPosition(), 3);
}

TEST_F(TypedLocatorTest, AKeyWithoutACharacterOrADisabledEntryIsNotTaken) {
    for (const SilentKey& k : kSilentKeys) {
        EXPECT_FALSE(locator_.OnKey(keyTyping(k.text, k.key, k.modifiers))) << k.what;
    }
    entry_->setEnabled(false);
    EXPECT_FALSE(locator_.OnKey(keyTyping("S")));
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(window_.focusWidget(), list_);
}

struct AcceptCase {
    int field;
    QString typed;
    const char* shadow;
    const char* element;
    bool locates;
};

TEST_F(TypedLocatorTest, AcceptingTheEntryMakesItsTextTheFreeElement) {
    const std::string forty(40, 'x');
    const AcceptCase cases[] = {
        {kName, "Smith", "Smith", "Smith", true},
        {kName, "  Smith", "  Smith", "  Smith", true},
        {kName, "   ", "   ", "", false},
        {kName, "", "", "", false},
        // SHADOW holds 40 characters.
        {kName, QString(45, 'x'), forty.c_str(), forty.c_str(), true},
        // A number field takes a number; any other text leaves it as it was.
        {kNumber, "42", "42", "42", true},
        {kNumber, "0", "0", "0", false},
        {kNumber, "Smith", "Smith", "0", false},
    };
    for (const AcceptCase& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        record_.clear();
        locator_.Setup(entry_, {&record_, c.field}, true, &browse_);
        entry_->setText(c.typed);
        EXPECT_EQ(locator_.OnAccepted(entry_), c.locates);
        EXPECT_EQ(locator_.SHADOW, c.shadow);
        EXPECT_EQ(record_.get(c.field).toText(), c.element);
    }
}

TEST_F(TypedLocatorTest, AnotherAcceptedControlIsNotTaken) {
    entry_->setText("Smith");
    locator_.SHADOW = "Jones";  // as if the binding had missed the typing
    EXPECT_FALSE(locator_.OnAccepted(list_));
    EXPECT_EQ(locator_.SHADOW, "Jones");
    EXPECT_EQ(name(), "Baker");
}

TEST_F(TypedLocatorTest, ClearEmptiesTheEntryAndTheFreeElement) {
    entry_->setText("Smith");
    ASSERT_TRUE(locator_.OnAccepted(entry_));
    locator_.Clear();
    EXPECT_EQ(locator_.SHADOW, "");
    EXPECT_EQ(name(), "");
    EXPECT_EQ(shown(), "");
}

TEST_F(TypedLocatorTest, SetCopiesShadowToTheFreeElementAndTheEntry) {
    locator_.SHADOW = "Jones";
    locator_.Set();
    EXPECT_EQ(name(), "Jones");
    EXPECT_EQ(shown(), "Jones");
}

TEST_F(TypedLocatorTest, SetupBindsShadowToTheEntry) {
    EXPECT_EQ(entry_->maxLength(), 40);
    TypedLocator other;
    other.SHADOW = "Carter";
    QLineEdit entry;
    other.Setup(&entry, {&record_, kName}, true, &browse_);
    EXPECT_EQ(entry.text(), "Carter");
    entry.setText("Cooper");
    EXPECT_EQ(other.SHADOW, "Cooper");
    // Torn down, the locator no longer follows the entry.
    other.Teardown();
    entry.setText("Curtis");
    EXPECT_EQ(other.SHADOW, "Cooper");
}

TEST_F(TypedLocatorTest, TheEntryIsDisabledWhileTheListIsEmpty) {
    const std::pair<int, bool> cases[] = {{0, false}, {2, true}, {0, false}, {1, true}};
    for (const auto& [rows, enabled] : cases) {
        locator_.UpdateEnabled(rows);
        EXPECT_EQ(entry_->isEnabled(), enabled) << rows << " rows";
    }
}

}  // namespace
}  // namespace bb
