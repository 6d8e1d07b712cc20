// The print preview driven as a user drives it: the zoom choices, the typed
// zoom, the page entry and its hint, tiles, the grid fields and dialog, the
// jump dialog, clicks on pages, the popup, Print, Exit, Save as PDF and the
// placement kept for the next preview.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

#include "pdf_reading.h"
#include "platform/date.h"
#include "platform/ini_manager.h"
#include "qt_application.h"
#include "reporting/preview_dialogs.h"
#include "reporting/print_previewer.h"
#include "scripted_messages.h"
#include "temp_folder.h"
#include "window_driving.h"

namespace bb::test {
namespace {

class Preview : public ::testing::Test {
protected:
    Preview() {
        ensureApplication();
        settings_.Setup((folder_.path() / "tallo2.INI").string());
        previewer_.ALLOWUSERZOOM = true;
        previewer_.INIMGR = &settings_;
    }

    // A report of `count` pages, each with its number large at the top.
    void makePages(int count) {
        pages_.setup = {"Trade List",
                        kLetterWidth,
                        kLetterHeight,
                        {ReportFont{}, ReportFont{"DejaVu Serif", 36, true}}};
        for (int n = 1; n <= count; ++n) {
            Page p;
            p.ops.push_back(PageText{750, 700, 1, "Page " + std::to_string(n)});
            p.ops.push_back(PageRule{750, 1400, 7750, 1400, 10});
            for (int line = 0; line < 50; ++line)
                p.ops.push_back(
                    PageText{750, 1600 + line * 170, 0,
                             "Line " + std::to_string(line + 1) + " of page " + std::to_string(n)});
            ASSERT_TRUE(pages_.Add(p));
        }
        previewer_.Setup(pages_);
    }

    // Opens the preview at `zoom` with a 2 × 2 grid and runs `step` in it;
    // whether the user chose Print.
    bool show(int zoom, std::function<void(PreviewWindow&)> step) {
        whenShown("PreviewWindow", [step](QWidget& w) { step(static_cast<PreviewWindow&>(w)); });
        return previewer_.DisplayAt(zoom, 1, 2, 2);
    }

    static void press(PreviewWindow& w, int control) { w.action(control)->trigger(); }
    static std::string pageZone(PreviewWindow& w) { return w.pageZone->text().toStdString(); }
    static std::string zoomZone(PreviewWindow& w) { return w.zoomZone->text().toStdString(); }

    // The zoom choices checked in the menu and in the popup.
    static std::vector<int> checkedZooms(PreviewWindow& w) {
        std::vector<int> checked;
        for (int i = 1; i <= 7; ++i) {
            const bool menu = w.action(kZoomMenuBase + i)->isChecked();
            const bool popup =
                w.zoomPopup->findChild<QAction*>(QString("ZoomItem%1").arg(i))->isChecked();
            EXPECT_EQ(menu, popup) << "choice " << i;
            if (menu) checked.push_back(i);
        }
        return checked;
    }

    static QPoint pointOnPage(PreviewWindow& w, int page, int xPercent, int yPercent) {
        return w.canvas->pointOf(page, xPercent, yPercent);
    }

    TempFolder folder_;
    IniManager settings_;
    PageStore pages_;
    PrintPreviewer previewer_;
    ScriptedMessages messages_;
    ScriptedOutput output_;
};

TEST_F(Preview, ASinglePageOpensAtTheReportsZoomWithPagingAndTheGridDisabled) {
    makePages(1);
    show(75, [&](PreviewWindow& w) {
        EXPECT_EQ(zoomZone(w), "Zoom: 75%");
        EXPECT_EQ(pageZone(w), "Page 1 of 1");
        EXPECT_EQ(w.zoomList->currentText(), "75% Zoom");
        EXPECT_EQ(checkedZooms(w), std::vector<int>{4});
        for (int c : {PRTPREV::NEXT, PRTPREV::PREVIOUS, PRTPREV::JUMP, PRTPREV::CHANGEDISPLAY})
            EXPECT_FALSE(w.action(c)->isEnabled()) << c;
        for (QWidget* c :
             std::initializer_list<QWidget*>{w.pagePrompt, w.pageEntry, w.acrossEntry, w.downEntry})
            EXPECT_FALSE(c->isEnabled()) << c->accessibleName().toStdString();
        // 75% of the paper at the screen's resolution.
        EXPECT_EQ(w.canvas->Shown().at(0).second.width(),
                  w.canvas->naturalPageSize().width() * 3 / 4);
        screenshot(w, "preview-single-page-75");
    });
}

TEST_F(Preview, EveryZoomChoiceShowsItsStatusAndCheckMark) {
    makePages(10);
    show(kZoomTiles, [&](PreviewWindow& w) {
        int i = 0;
        for (const ZoomChoice& z : zoomChoices()) {
            press(w, kZoomMenuBase + ++i);
            EXPECT_EQ(zoomZone(w), z.statusText);
            EXPECT_EQ(w.zoomList->currentText().toStdString(), z.menuText);
            EXPECT_EQ(checkedZooms(w), std::vector<int>{i});
            EXPECT_EQ(previewer_.ZoomValue(), z.value);
        }
        press(w, kZoomMenuBase + 7);  // choosing the checked one keeps it checked
        EXPECT_EQ(checkedZooms(w), std::vector<int>{7});
    });
}

TEST_F(Preview, ATypedZoomIsAPercentageOrAChoiceAndNothingElse) {
    makePages(3);
    show(kZoomTiles, [&](PreviewWindow& w) {
        QLineEdit* edit = w.zoomList->lineEdit();
        edit->selectAll();
        typeAndEnter(*edit, "150");
        EXPECT_EQ(zoomZone(w), "Zoom: 150%");
        EXPECT_EQ(w.zoomList->currentText(), "150% Zoom");
        EXPECT_EQ(checkedZooms(w), std::vector<int>{});
        EXPECT_EQ(w.canvas->Shown().at(0).second.width(),
                  w.canvas->naturalPageSize().width() * 3 / 2);

        edit->selectAll();
        typeAndEnter(*edit, "75% Zoom");
        EXPECT_EQ(zoomZone(w), "Zoom: 75%");
        EXPECT_EQ(checkedZooms(w), std::vector<int>{4});

        for (const char* refused : {"abc", "5000"}) {
            messages_.clear();
            edit->selectAll();
            typeAndEnter(*edit, refused);
            EXPECT_EQ(messages_.beeps.size(), 1u) << refused;
            EXPECT_EQ(w.zoomList->currentText(), "75% Zoom") << refused;
            EXPECT_EQ(zoomZone(w), "Zoom: 75%") << refused;
        }
    });
}

TEST_F(Preview, ThePageEntryMovesTheGridToShowThePage) {
    makePages(10);
    show(kZoomTiles, [&](PreviewWindow& w) {
        EXPECT_EQ(w.pageEntry->toolTip(), "Enter a page number from 1 to 10");
        EXPECT_EQ(pageZone(w), "Page 1-4 of 10");
        EXPECT_EQ(previewer_.THUMBNAILSPRESENT, 4);
        struct Step {
            int page, first;
            const char* status;
        };
        for (const Step s : {Step{3, 1, "Page 1-4 of 10"}, Step{6, 6, "Page 6-9 of 10"},
                             Step{9, 6, "Page 6-9 of 10"}, Step{10, 7, "Page 7-10 of 10"},
                             Step{2, 2, "Page 2-5 of 10"}}) {
            enter(*w.pageEntry, s.page);
            EXPECT_EQ(previewer_.CURRENTPAGE, s.page);
            EXPECT_EQ(previewer_.FIRSTPAGE, s.first) << "page " << s.page;
            EXPECT_EQ(pageZone(w), s.status);
        }
        press(w, PRTPREV::NEXT);
        EXPECT_EQ(previewer_.CURRENTPAGE, 3);
        QTest::keyClick(w.scroller, Qt::Key_PageDown);
        EXPECT_EQ(previewer_.CURRENTPAGE, 4);
        QTest::keyClick(w.scroller, Qt::Key_PageUp);
        QTest::keyClick(w.scroller, Qt::Key_PageUp);
        EXPECT_EQ(previewer_.CURRENTPAGE, 2);
        enter(*w.pageEntry, 1);
        EXPECT_FALSE(w.action(PRTPREV::PREVIOUS)->isEnabled());
        QTest::keyClick(w.scroller, Qt::Key_PageUp);
        EXPECT_EQ(previewer_.CURRENTPAGE, 1);
        enter(*w.pageEntry, 10);
        EXPECT_FALSE(w.action(PRTPREV::NEXT)->isEnabled());
        screenshot(w, "preview-tiles");
    });
}

TEST_F(Preview, ClickingATileShowsItAtPageWidthAndClickingAgainReturnsToTiles) {
    makePages(10);
    show(kZoomTiles, [&](PreviewWindow& w) {
        QTest::mouseClick(w.canvas, Qt::LeftButton, {}, pointOnPage(w, 3, 50, 60));
        EXPECT_EQ(previewer_.CURRENTPAGE, 3);
        EXPECT_EQ(zoomZone(w), "Zoom: Page Width");
        EXPECT_EQ(pageZone(w), "Page 3 of 10");
        const QRect page = w.canvas->Shown().at(0).second;
        EXPECT_EQ(w.canvas->Shown().at(0).first, 3);
        EXPECT_LE(page.width(), w.scroller->viewport()->width());
        EXPECT_GT(page.width(), w.scroller->viewport()->width() * 9 / 10);
        // The clicked height (to a percent of the page) is in the middle of the window.
        const int middle =
            w.scroller->verticalScrollBar()->value() + w.scroller->viewport()->height() / 2;
        EXPECT_NEAR(middle, pointOnPage(w, 3, 0, 60).y(), page.height() / 100 + 1);
        EXPECT_FALSE(w.acrossEntry->isEnabled()) << "the grid is for tiles";
        screenshot(w, "preview-page-width");

        QTest::mouseClick(w.canvas, Qt::LeftButton, {}, pointOnPage(w, 3, 50, 50));
        EXPECT_EQ(zoomZone(w), "Zoom: Tile Pages");
        EXPECT_EQ(pageZone(w), "Page 1-4 of 10");
        EXPECT_EQ(previewer_.CURRENTPAGE, 3);
    });
}

TEST_F(Preview, ARightClickOffersTheZoomsCentredOnThePointClicked) {
    makePages(10);
    show(kZoomTiles, [&](PreviewWindow& w) {
        whenShown("popup", [](QWidget& m) {
            auto& menu = static_cast<QMenu&>(m);
            QAction* item = menu.findChild<QAction*>("ZoomItem6");
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(item).center());
        });
        QTest::mouseClick(w.canvas, Qt::RightButton, {}, pointOnPage(w, 2, 80, 30));
        EXPECT_EQ(previewer_.CURRENTPAGE, 2);
        EXPECT_EQ(zoomZone(w), "Zoom: 200%");
        // The point is in the middle of the window, as far as the page reaches.
        const QPoint centre = pointOnPage(w, 2, 80, 30);
        QScrollArea& s = *w.scroller;
        for (auto [bar, at, extent] :
             {std::tuple{s.horizontalScrollBar(), centre.x(), s.viewport()->width()},
              std::tuple{s.verticalScrollBar(), centre.y(), s.viewport()->height()}}) {
            EXPECT_GT(bar->maximum(), 0);
            EXPECT_NEAR(bar->value(), std::clamp(at - extent / 2, 0, bar->maximum()),
                        w.canvas->height() / 100 + 1);
        }

        press(w, kZoomMenuBase + 1);
        whenShown("popup", [](QWidget&) {});  // dismissed
        QTest::mouseClick(w.canvas, Qt::RightButton, {}, pointOnPage(w, 4, 50, 50));
        EXPECT_EQ(previewer_.CURRENTPAGE, 2);
        EXPECT_EQ(zoomZone(w), "Zoom: Tile Pages");
    });
}

TEST_F(Preview, TheGridFieldsShrinkAGridLargerThanThePagesLeft) {
    makePages(10);
    show(kZoomTiles, [&](PreviewWindow& w) {
        enter(*w.acrossEntry, 3);
        EXPECT_EQ(previewer_.PAGESACROSS, 3);
        EXPECT_EQ(pageZone(w), "Page 1-6 of 10");
        enter(*w.pageEntry, 8);  // the grid moves back to end at page 10
        EXPECT_EQ(previewer_.FIRSTPAGE, 5);
        enter(*w.downEntry, 4);  // 12 tiles for 6 pages: down comes back to 2
        EXPECT_EQ(previewer_.PAGESDOWN, 2);
        EXPECT_EQ(w.downEntry->value(), 2);
        EXPECT_EQ(pageZone(w), "Page 5-10 of 10");
    });
}

TEST_F(Preview, TheGridDialogRefusesMoreTilesThanPages) {
    makePages(4);
    show(kZoomTiles, [&](PreviewWindow& w) {
        enter(*w.pageEntry, 3);
        whenShown("", [&](QWidget& d) {
            auto& grid = dynamic_cast<TileGridDialog&>(d);
            grid.across->setValue(3);
            grid.down->setValue(3);
            grid.accept();
            EXPECT_TRUE(grid.isVisible()) << "refused";
            EXPECT_TRUE(grid.refusal->isVisible());
            EXPECT_TRUE(grid.across->hasFocus());
            EXPECT_EQ(messages_.beeps.size(), 1u);
            grid.across->setValue(4);
            grid.down->setValue(1);
            grid.accept();
            EXPECT_FALSE(grid.isVisible());
        });
        press(w, PRTPREV::CHANGEDISPLAY);
        EXPECT_EQ(previewer_.PAGESACROSS, 4);
        EXPECT_EQ(previewer_.PAGESDOWN, 1);
        EXPECT_EQ(previewer_.CURRENTPAGE, 1);
        EXPECT_EQ(pageZone(w), "Page 1-4 of 4");
    });
}

TEST_F(Preview, TheJumpDialogGoesToTheNumberEntered) {
    makePages(10);
    show(kZoomTiles, [&](PreviewWindow& w) {
        whenShown("", [&](QWidget& d) {
            auto& jump = dynamic_cast<JumpDialog&>(d);
            EXPECT_EQ(jump.page->value(), 1);
            EXPECT_EQ(jump.page->maximum(), 10);
            jump.page->setValue(7);
            jump.accept();
        });
        press(w, PRTPREV::JUMP);
        EXPECT_EQ(previewer_.CURRENTPAGE, 7);
        EXPECT_EQ(pageZone(w), "Page 7-10 of 10");
    });
}

TEST_F(Preview, ExitAnswersNoPrintAnswersPrintOnceAPrinterIsChosen) {
    makePages(2);
    EXPECT_FALSE(show(kZoomTiles, [](PreviewWindow& w) { press(w, PRTPREV::TBAREXIT); }));
    EXPECT_FALSE(show(kZoomTiles, [&](PreviewWindow& w) {
        press(w, PRTPREV::TBARPRINT);  // the print dialog is cancelled: the preview stays
        EXPECT_TRUE(w.isVisible());
        press(w, PRTPREV::MENUEXIT);
    }));
    output_.printTo = (folder_.path() / "printed.pdf").string();
    EXPECT_TRUE(show(kZoomTiles, [](PreviewWindow& w) { press(w, PRTPREV::MENUPRINT); }));
    EXPECT_EQ(output_.printersAsked, 2);
}

TEST_F(Preview, SaveAsPdfOffersTheTitleAndDateAndWritesTheReport) {
    Clock::fix(*dayNumber(2024, 3, 5));
    makePages(3);
    output_.saveAs = (folder_.path() / "trades").string();  // typed without ".pdf"
    show(kZoomTiles, [&](PreviewWindow& w) {
        press(w, PRTPREV::TBARSAVEPDF);
        EXPECT_EQ(w.statusBar()->currentMessage().toStdString(),
                  "Saved as " + output_.saveAs + ".pdf");
        output_.saveAs = (folder_.path() / "no such folder" / "trades.pdf").string();
        press(w, PRTPREV::MENUSAVEPDF);
    });
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(output_.offered, documents.toStdString() + "/Trade List 2024-03-05.pdf");
    const std::string text = pdfText((folder_.path() / "trades.pdf").string());
    for (const char* page : {"Page 1", "Page 2", "Line 50 of page 3"})
        EXPECT_NE(text.find(page), std::string::npos) << page;
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.last().title, "PDF Not Saved");
    EXPECT_NE(messages_.last().text.find("could not be written"), std::string::npos);
    Clock::release();
}

TEST_F(Preview, ThePlaceTheUserGaveThePreviewIsKeptForTheNext) {
    makePages(2);
    const QRect place(120, 90, 620, 440);
    show(kZoomTiles, [&](PreviewWindow& w) { w.setGeometry(place); });
    EXPECT_EQ(settings_.Fetch(kPreviewSection, "Maximize"), "No");
    EXPECT_EQ(settings_.Fetch(kPreviewSection, "Width"), "620");
    // The same preview again, and another report's, open where it was closed.
    show(kZoomTiles, [&](PreviewWindow& w) { EXPECT_EQ(w.geometry(), place); });
    PrintPreviewer next;
    next.Setup(pages_);
    next.INIMGR = &settings_;
    whenShown("PreviewWindow", [&](QWidget& w) {
        EXPECT_EQ(w.geometry(), place);
        w.showMaximized();
    });
    next.Display(1, 2, 1);
    EXPECT_EQ(settings_.Fetch(kPreviewSection, "Maximize"), "Yes");
    // Closed maximised, it opens maximised: the same preview and another.
    whenShown("PreviewWindow", [&](QWidget& w) { EXPECT_TRUE(w.isMaximized()); });
    next.Display(1, 2, 1);
    PrintPreviewer third;
    third.Setup(pages_);
    third.INIMGR = &settings_;
    whenShown("PreviewWindow", [&](QWidget& w) { EXPECT_TRUE(w.isMaximized()); });
    third.Display(1, 2, 1);
}

}  // namespace
}  // namespace bb::test
