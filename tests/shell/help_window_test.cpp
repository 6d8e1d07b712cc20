// The help built from help/: it opens on the page of a topic (the first of
// a topic's pages it has), F1 finds the page of the window with the focus,
// the print preview's among them, and its index and full-text search work.
// A missing collection is reported.
#include "shell/help_window.h"

#include <QComboBox>
#include <QDialog>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpIndexModel>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTimer>

#include "frame_fixture.h"
#include "reporting/print_previewer.h"
#include "ui/help_topics.h"
#include "window_driver.h"

namespace bb {
namespace {

using Help = test::FrameTest;
using test::DrivenWindow;
using test::WindowDriver;

std::string pageOf(HelpWindow& help) {
    return help.currentPage().fileName().toStdString();
}

TEST_F(Help, TheCollectionOpensOnThePageOfTheFrame) {
    frame_->showHelp({});
    HelpWindow* help = frame_->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isOpen());
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(pageOf(*help), "Main.html");
    const QString text = help->findChild<QTextBrowser*>()->toPlainText();
    EXPECT_TRUE(text.contains("The Brokerbook window"));
    EXPECT_TRUE(text.contains("Getting started"));
    QTRY_VERIFY(help->engine().contentModel()->rowCount() > 0);
    QApplication::processEvents();
    test::screenshot(*help, "help-window");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Help, TopicsOpenTheirPagesAndAnUnknownTopicTheFirstPage) {
    const std::pair<std::string, const char*> topics[] = {
        {"Sponsor", "Sponsor.html"},
        {"Splash", "Splash.html"},
        {"HowToUseHelp", "HowToUseHelp.html"},
        {"PrintPreview", "PrintPreview.html"},
        {"BrowseNotYetWritten", "Main.html"},
        // A report without a page of its own has the page on reports.
        {helpTopicOrElse("PrintNotYetWritten", "ReportProgress"), "ReportProgress.html"},
        {helpTopicOrElse("Sponsor", "ReportProgress"), "Sponsor.html"},
        {helpTopicOrElse("", "ReportProgress"), "ReportProgress.html"},
    };
    for (const auto& [topic, page] : topics) {
        frame_->showHelp(topic);
        EXPECT_EQ(pageOf(*frame_->helpWindow()), page) << topic;
    }
}

TEST_F(Help, F1OpensThePageOfTheWindowWithTheFocus) {
    showWithoutSplash();
    QWidget& sponsor = addChild("Sponsor/Broker-Dealer");
    setHelpTopic(sponsor, "Sponsor");
    auto* field = new QLineEdit(&sponsor);
    field->show();
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_F1);
    ASSERT_NE(frame_->helpWindow(), nullptr);
    EXPECT_EQ(pageOf(*frame_->helpWindow()), "Sponsor.html");

    QWidget& untitled = addChild("A window without a page");
    auto* other = new QLineEdit(&untitled);
    other->show();
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QTest::keyClick(other, Qt::Key_F1);
    EXPECT_EQ(pageOf(*frame_->helpWindow()), "Main.html");
}

// Wherever its focus is, the preview and its windows have its page.
TEST_F(Help, F1InThePrintPreviewOpensItsPage) {
    showWithoutSplash();
    WindowDriver ui{WindowDriver::Frame::Installed};
    PageStore pages;
    for (int n = 0; n < 3; ++n) ASSERT_TRUE(pages.Add(Page{}));
    PrintPreviewer preview;
    preview.Setup(pages);
    preview.ALLOWUSERZOOM = true;
    const auto f1On = [&](QWidget& window, QWidget& control) {
        frame_->showHelp("Sponsor");
        window.activateWindow();
        control.setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return control.hasFocus(); }));
        QTest::keyClick(&control, Qt::Key_F1);
        return pageOf(*frame_->helpWindow());
    };
    ui.when("Print Preview", [&](DrivenWindow& w) {
        PreviewPanel& p = *preview.Panel();
        for (QWidget* control :
             std::initializer_list<QWidget*>{p.scroller, p.pageEntry, p.acrossEntry, p.zoomList})
            EXPECT_EQ(f1On(*w.manager().Widget(), *control), "PrintPreview.html")
                << control->accessibleName().toStdString();
        ui.when("Go to Page", [&](DrivenWindow& jump) {
            EXPECT_EQ(f1On(*jump.manager().Widget(), *jump.find("Page number")),
                      "PrintPreview.html");
            jump.press("Cancel");
        });
        p.action(PRTPREV::JUMP)->trigger();
        ui.settle();
        w.close();
    });
    preview.Display(1, 1, 1);
}

TEST_F(Help, HelpAskedForInAFormBelongsToTheFormSoItCanBeUsed) {
    showWithoutSplash();
    QPointer<HelpWindow> overForm;
    {
        QDialog form(frame_.get());
        QTimer::singleShot(0, [&] {
            frame_->showHelp("Sponsor");
            overForm = frame_->helpWindow();
            form.reject();
        });
        form.exec();
        ASSERT_FALSE(overForm.isNull());
        EXPECT_EQ(overForm->parentWidget(), &form);
    }
    // The form took its help window with it; the next one belongs to the frame.
    EXPECT_TRUE(overForm.isNull());
    frame_->showHelp({});
    ASSERT_NE(frame_->helpWindow(), nullptr);
    EXPECT_EQ(frame_->helpWindow()->parentWidget(), frame_.get());
}

// Opened on a window's page, the contents show that page's entry, its
// branch open; and they follow every page shown after.
TEST_F(Help, TheContentsFollowThePageShown) {
    HelpWindow help(BB_HELP_COLLECTION);
    auto* contents = help.findChild<QHelpContentWidget*>();
    ASSERT_NE(contents, nullptr);
    help.showTopic("UpdateStates");
    QTRY_VERIFY(help.engine().contentModel()->rowCount() > 0);
    QApplication::processEvents();
    const std::pair<const char*, const char*> pages[] = {
        {"UpdateStates", "Update States"},
        {"Preferences", "Preferences (Default Settings)"},
        {"UpdateRepStates", "Update Representative States"}};
    for (const auto& [topic, title] : pages) {
        help.showTopic(topic);
        const QModelIndex current = contents->currentIndex();
        EXPECT_EQ(current.data().toString().toStdString(), title);
        for (QModelIndex up = current.parent(); up.isValid(); up = up.parent())
            EXPECT_TRUE(contents->isExpanded(up)) << up.data().toString().toStdString();
        EXPECT_TRUE(contents->viewport()->rect().intersects(contents->visualRect(current)));
    }
    test::screenshot(help, "help-contents-follow");
}

TEST_F(Help, NoContentsEntryIsCut) {
    HelpWindow help(BB_HELP_COLLECTION);
    help.showTopic("Settings");
    QTRY_VERIFY(help.engine().contentModel()->rowCount() > 0);
    QApplication::processEvents();
    auto* contents = help.findChild<QHelpContentWidget*>();
    ASSERT_NE(contents, nullptr);
    const QModelIndex settings = contents->currentIndex();
    ASSERT_EQ(settings.data().toString(), "Where Brokerbook keeps your data");
    // The whole entry lies inside the pane, as wide as its text needs.
    const QRect entry = contents->visualRect(settings);
    EXPECT_LE(entry.right(), contents->viewport()->width());
    const QAbstractItemView& view = *contents;
    EXPECT_GE(contents->columnWidth(0), view.sizeHintForColumn(0));
    test::screenshot(help, "help-contents-entry");
}

// The customer list's page says what typing on the list does.
TEST_F(Help, TheCustomerListsPageDescribesItsKeys) {
    HelpWindow help(BB_HELP_COLLECTION);
    help.showTopic("BrowseMembers");
    const QString text = help.findChild<QTextBrowser*>()->toPlainText().simplified();
    EXPECT_FALSE(text.contains("first letters of a name"));
    EXPECT_TRUE(
        text.contains("Type a letter on the list to move to the next customer whose name "
                      "starts with it"));
}

TEST_F(Help, TheIndexFindsASubjectAsItIsTyped) {
    HelpWindow help(BB_HELP_COLLECTION);
    help.showIndex();
    QTRY_VERIFY(help.engine().indexModel()->stringList().contains("tallo2.INI"));
    EXPECT_TRUE(help.engine().indexModel()->stringList().contains("toolbar"));
    auto* lookFor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(lookFor, nullptr);
    QTest::keyClicks(lookFor, "tallo");
    QTest::keyClick(lookFor, Qt::Key_Return);
    EXPECT_EQ(pageOf(help), "Settings.html");
}

TEST_F(Help, TheFullTextSearchFindsThePagesWithTheWords) {
    HelpWindow help(BB_HELP_COLLECTION);
    QHelpSearchEngine* search = help.engine().searchEngine();
    QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
    QSignalSpy searched(search, &QHelpSearchEngine::searchingFinished);
    help.showSearch();
    auto* words = search->queryWidget()->findChild<QLineEdit*>();
    ASSERT_NE(words, nullptr);
    // Asked for before the index is ready, the search runs once it is.
    QTest::keyClicks(words, "sponsors");
    QTest::keyClick(words, Qt::Key_Return);
    ASSERT_TRUE(indexed.count() > 0 || indexed.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(search->searchResultCount() > 0, 10000);
    QStringList pages;
    for (const QHelpSearchResult& result : search->searchResults(0, search->searchResultCount()))
        pages << result.url().fileName();
    EXPECT_TRUE(pages.contains("Sponsor.html")) << pages.join(", ").toStdString();
    EXPECT_FALSE(searched.isEmpty());
    test::screenshot(help, "help-search");
}

TEST_F(Help, AMissingCollectionIsReported) {
    MainFrame withoutHelp(registry_, "/nonexistent/Ledgr.qhc");
    withoutHelp.showHelp("Main");
    ASSERT_EQ(messages_.shown.size(), 1U);
    EXPECT_EQ(messages_.last().title, "Help Not Available");
    EXPECT_EQ(messages_.last().icon, MessageIcon::Exclamation);
    EXPECT_EQ(withoutHelp.helpWindow(), nullptr);
}

}  // namespace
}  // namespace bb
