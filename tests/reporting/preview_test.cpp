// The print preview driven as a user drives it: the zoom choices, the typed
// zoom, the page entry and its hint, tiles, the page centred at Page Width,
// the grid fields and window, the jump window, clicks on pages, the popup,
// Print, Exit, Save as PDF and the placement kept for the next preview.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProxyStyle>
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
#include "reporting/print_previewer.h"
#include "window_driving.h"
#include "window_test.h"

namespace bb::test {
namespace {

class Preview : public WindowTest {
protected:
    Preview() { settings_.Setup((folder_.path() / "tallo2.INI").string()); }

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
    }

    // A report's previewer over the pages, at `zoom` with a 2 × 2 grid, set
    // as the report sets it (`report`), running `step` in its window;
    // whether the user chose Print.
    bool show(int zoom, std::function<void(PreviewPanel&)> step,
              const std::function<void(PrintPreviewer&)>& report = {}) {
        previewer_ = std::make_unique<PrintPreviewer>();
        previewer_->Setup(pages_);
        previewer_->INIMGR = &settings_;
        previewer_->ALLOWUSERZOOM = true;
        if (report) report(*previewer_);
        ui.when("Print Preview", [this, step](DrivenWindow&) { step(*previewer_->Panel()); });
        return previewer_->DisplayAt(zoom, 1, 2, 2);
    }

    PrintPreviewer& previewer() { return *previewer_; }
    void press(PreviewPanel& p, int control) {
        p.action(control)->trigger();
        ui.settle();
    }
    void key(PreviewPanel& p, Qt::Key k) {
        QTest::keyClick(p.scroller, k);
        ui.settle();
    }
    void click(PreviewPanel& p, Qt::MouseButton button, int page, int xPercent, int yPercent) {
        QTest::mouseClick(p.canvas, button, {}, p.canvas->pointOf(page, xPercent, yPercent));
        ui.settle();
    }
    void enterPage(QSpinBox& box, int value) {
        enter(box, value);
        ui.settle();
    }

    static std::string pageZone(PreviewPanel& p) { return p.pageZone->text().toStdString(); }
    static std::string zoomZone(PreviewPanel& p) { return p.zoomZone->text().toStdString(); }

    // The zoom choices checked in the menu and in the popup.
    static std::vector<int> checkedZooms(PreviewPanel& p) {
        std::vector<int> checked;
        for (int i = 1; i <= 7; ++i) {
            const bool menu = p.action(kZoomMenuBase + i)->isChecked();
            const bool popup =
                p.zoomPopup->findChild<QAction*>(QString("ZoomItem%1").arg(i))->isChecked();
            EXPECT_EQ(menu, popup) << "choice " << i;
            if (menu) checked.push_back(i);
        }
        return checked;
    }

    IniManager settings_;
    PageStore pages_;
    std::unique_ptr<PrintPreviewer> previewer_;
    ScriptedOutput output_;
};

TEST_F(Preview, ASinglePageOpensAtTheReportsZoomWithPagingAndTheGridDisabled) {
    makePages(1);
    show(75, [&](PreviewPanel& p) {
        EXPECT_EQ(previewer().Widget()->windowTitle(), "Trade List - Print Preview");
        EXPECT_EQ(zoomZone(p), "Zoom: 75%");
        EXPECT_EQ(pageZone(p), "Page 1 of 1");
        EXPECT_EQ(p.zoomList->currentText(), "75% Zoom");
        EXPECT_EQ(checkedZooms(p), std::vector<int>{4});
        for (int c : {PRTPREV::NEXT, PRTPREV::PREVIOUS, PRTPREV::JUMP, PRTPREV::CHANGEDISPLAY})
            EXPECT_FALSE(p.action(c)->isEnabled()) << c;
        for (QWidget* c :
             std::initializer_list<QWidget*>{p.pagePrompt, p.pageEntry, p.acrossEntry, p.downEntry})
            EXPECT_FALSE(c->isEnabled()) << c->accessibleName().toStdString();
        // 75% of the paper at the screen's resolution.
        EXPECT_EQ(p.canvas->Shown().at(0).second.width(),
                  p.canvas->naturalPageSize().width() * 3 / 4);
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, EveryZoomChoiceShowsItsStatusAndCheckMark) {
    makePages(10);
    show(kZoomTiles, [&](PreviewPanel& p) {
        int i = 0;
        for (const ZoomChoice& z : zoomChoices()) {
            press(p, kZoomMenuBase + ++i);
            EXPECT_EQ(zoomZone(p), z.statusText);
            EXPECT_EQ(p.zoomList->currentText().toStdString(), z.menuText);
            EXPECT_EQ(checkedZooms(p), std::vector<int>{i});
            EXPECT_EQ(previewer().ZoomValue(), z.value);
        }
        press(p, kZoomMenuBase + 7);  // choosing the checked one keeps it checked
        EXPECT_EQ(checkedZooms(p), std::vector<int>{7});
        press(p, PRTPREV::MENUEXIT);
    });
}

TEST_F(Preview, TheZoomButtonOffersTheZoomsWithTheCurrentOneChecked) {
    makePages(3);
    show(75, [&](PreviewPanel& p) {
        std::vector<std::string> checked;
        whenShown("popup", [&](QWidget& m) {
            auto& menu = static_cast<QMenu&>(m);
            for (QAction* item : menu.actions())
                if (item->isChecked()) checked.push_back(item->text().toStdString());
            QAction* item = menu.findChild<QAction*>("ZoomItem3");
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(item).center());
        });
        press(p, PRTPREV::TBARZOOM);
        EXPECT_EQ(checked, std::vector<std::string>{"75% Zoom"});
        EXPECT_EQ(zoomZone(p), "Zoom: 50%");
        EXPECT_EQ(checkedZooms(p), std::vector<int>{3});
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, ATypedZoomIsAPercentageOrAChoiceAndNothingElse) {
    makePages(3);
    show(kZoomTiles, [&](PreviewPanel& p) {
        QLineEdit* edit = p.zoomList->lineEdit();
        const auto type = [&](const char* text) {
            edit->selectAll();
            typeAndEnter(*edit, text);
            ui.settle();
        };
        type("150");
        EXPECT_EQ(zoomZone(p), "Zoom: 150%");
        EXPECT_EQ(p.zoomList->currentText(), "150% Zoom");
        EXPECT_EQ(checkedZooms(p), std::vector<int>{});
        EXPECT_EQ(p.canvas->Shown().at(0).second.width(),
                  p.canvas->naturalPageSize().width() * 3 / 2);
        type("75% Zoom");
        EXPECT_EQ(zoomZone(p), "Zoom: 75%");
        EXPECT_EQ(checkedZooms(p), std::vector<int>{4});
        for (const char* refused : {"abc", "5000"}) {
            ui.messages.clear();
            type(refused);
            EXPECT_EQ(ui.messages.beeps.size(), 1u) << refused;
            EXPECT_EQ(p.zoomList->currentText(), "75% Zoom") << refused;
            EXPECT_EQ(zoomZone(p), "Zoom: 75%") << refused;
        }
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, ThePageEntryMovesTheGridToShowThePage) {
    makePages(10);
    show(kZoomTiles, [&](PreviewPanel& p) {
        EXPECT_EQ(p.pageEntry->toolTip(), "Enter a page number from 1 to 10");
        EXPECT_EQ(pageZone(p), "Page 1-4 of 10");
        EXPECT_EQ(previewer().THUMBNAILSPRESENT, 4);
        struct Step {
            int page, first;
            const char* status;
        };
        for (const Step s : {Step{3, 1, "Page 1-4 of 10"}, Step{6, 6, "Page 6-9 of 10"},
                             Step{9, 6, "Page 6-9 of 10"}, Step{10, 7, "Page 7-10 of 10"},
                             Step{2, 2, "Page 2-5 of 10"}}) {
            enterPage(*p.pageEntry, s.page);
            EXPECT_EQ(previewer().CURRENTPAGE, s.page);
            EXPECT_EQ(previewer().FIRSTPAGE, s.first) << "page " << s.page;
            EXPECT_EQ(pageZone(p), s.status);
        }
        press(p, PRTPREV::NEXT);
        EXPECT_EQ(previewer().CURRENTPAGE, 3);
        key(p, Qt::Key_PageDown);
        EXPECT_EQ(previewer().CURRENTPAGE, 4);
        key(p, Qt::Key_PageUp);
        key(p, Qt::Key_PageUp);
        EXPECT_EQ(previewer().CURRENTPAGE, 2);
        enterPage(*p.pageEntry, 1);
        EXPECT_FALSE(p.action(PRTPREV::PREVIOUS)->isEnabled());
        key(p, Qt::Key_PageUp);
        EXPECT_EQ(previewer().CURRENTPAGE, 1);
        enterPage(*p.pageEntry, 10);
        EXPECT_FALSE(p.action(PRTPREV::NEXT)->isEnabled());
        screenshot(*previewer().Widget(), "preview-tiles");
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, ClickingATileShowsItAtPageWidthAndClickingAgainReturnsToTiles) {
    makePages(10);
    show(kZoomTiles, [&](PreviewPanel& p) {
        click(p, Qt::LeftButton, 3, 50, 60);
        EXPECT_EQ(previewer().CURRENTPAGE, 3);
        EXPECT_EQ(zoomZone(p), "Zoom: Page Width");
        EXPECT_EQ(pageZone(p), "Page 3 of 10");
        const QRect page = p.canvas->Shown().at(0).second;
        EXPECT_EQ(p.canvas->Shown().at(0).first, 3);
        EXPECT_LE(page.width(), p.scroller->viewport()->width());
        EXPECT_GT(page.width(), p.scroller->viewport()->width() * 9 / 10);
        // The clicked height (to a percent of the page) is in the middle of the window.
        const int middle =
            p.scroller->verticalScrollBar()->value() + p.scroller->viewport()->height() / 2;
        EXPECT_NEAR(middle, p.canvas->pointOf(3, 0, 60).y(), page.height() / 100 + 1);
        EXPECT_FALSE(p.acrossEntry->isEnabled()) << "the grid is for tiles";
        screenshot(*previewer().Widget(), "preview-page-width");

        click(p, Qt::LeftButton, 3, 50, 50);
        EXPECT_EQ(zoomZone(p), "Zoom: Tile Pages");
        EXPECT_EQ(pageZone(p), "Page 1-4 of 10");
        EXPECT_EQ(previewer().CURRENTPAGE, 3);
        press(p, PRTPREV::TBAREXIT);
    });
}

// A style that frames a scroll area's view on its own and keeps a gap
// between it and the scroll bar, as some desktops' styles do.
class GapBesideTheBar : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ScrollView_FrameOnlyAroundContents) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ScrollView_ScrollBarSpacing) return 5;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// At Page Width the page sits in the middle of the view, as much of the
// dark ground left of it as right of it, with no scroll bar across: whatever
// room the scroll bar beside it takes, and whether it shows at all.
TEST_F(Preview, AtPageWidthThePageSitsInTheMiddleOfTheView) {
    makePages(2);
    GapBesideTheBar gap;
    const std::pair<const char*, std::function<void(QScrollArea&)>> bars[] = {
        {"the style's own bar", [](QScrollArea&) {}},
        {"a gap between the bar and the view", [&](QScrollArea& s) { s.setStyle(&gap); }},
        {"a wider bar", [](QScrollArea& s) { s.setStyleSheet("QScrollBar { width: 21px; }"); }},
    };
    for (const auto& [bar, give] : bars) {
        show(kZoomPageWidth, [&](PreviewPanel& p) {
            give(*p.scroller);
            // Tall and narrow, the page is shorter than the view: no scroll bar.
            for (const QSize size : {QSize(500, 1100), QSize(1203, 917), QSize(641, 480)}) {
                previewer().Widget()->resize(size);
                ui.settle();
                const QRect page = p.canvas->Shown().at(0).second;
                QWidget& view = *p.scroller->viewport();
                const int left = p.canvas->mapTo(&view, page.topLeft()).x();
                const int right = view.width() - (left + page.width());
                const std::string where =
                    bar + std::string(", ") + std::to_string(size.width()) + " wide";
                EXPECT_NEAR(left, right, 1) << where;
                EXPECT_GT(left, 0) << where;
                EXPECT_FALSE(p.scroller->horizontalScrollBar()->isVisible()) << where;
            }
            screenshot(*previewer().Widget(), std::string("preview-page-width-") + bar);
            press(p, PRTPREV::TBAREXIT);
        });
    }
}

// The paper's border lies outside it, as wide left as right: a thin grey
// line, or the thick highlight round the current tile.
TEST_F(Preview, APagesBorderIsAsWideOnEachSide) {
    makePages(4);
    struct Case {
        int zoom;
        int width;
        QColor colour;
    };
    const QColor highlight = QApplication::palette().highlight().color();
    for (const Case& c :
         {Case{kZoomPageWidth, 1, QColor(Qt::darkGray)}, Case{kZoomTiles, 3, highlight}}) {
        show(c.zoom, [&](PreviewPanel& p) {
            const QRect page = p.canvas->Shown().at(0).second;
            const QImage drawn = p.canvas->grab().toImage();
            // Across the middle of the page, by colour name.
            const auto at = [&](int x) {
                return drawn.pixelColor(x, page.center().y()).name().toStdString();
            };
            const std::string white = QColor(Qt::white).name().toStdString();
            const std::string border = c.colour.name().toStdString();
            EXPECT_EQ(at(page.left()), white) << c.zoom;
            EXPECT_EQ(at(page.right()), white) << c.zoom;
            for (int i = 1; i <= c.width; ++i) {
                EXPECT_EQ(at(page.left() - i), border) << c.zoom << ", " << i << " left";
                EXPECT_EQ(at(page.right() + i), border) << c.zoom << ", " << i << " right";
            }
            press(p, PRTPREV::TBAREXIT);
        });
    }
}

TEST_F(Preview, ARightClickOffersTheZoomsCentredOnThePointClicked) {
    makePages(10);
    show(kZoomTiles, [&](PreviewPanel& p) {
        whenShown("popup", [](QWidget& m) {
            auto& menu = static_cast<QMenu&>(m);
            QAction* item = menu.findChild<QAction*>("ZoomItem6");
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(item).center());
        });
        click(p, Qt::RightButton, 2, 80, 30);
        EXPECT_EQ(previewer().CURRENTPAGE, 2);
        EXPECT_EQ(zoomZone(p), "Zoom: 200%");
        // The point is in the middle of the window, as far as the page reaches.
        const QPoint centre = p.canvas->pointOf(2, 80, 30);
        QScrollArea& s = *p.scroller;
        for (auto [bar, at, extent] :
             {std::tuple{s.horizontalScrollBar(), centre.x(), s.viewport()->width()},
              std::tuple{s.verticalScrollBar(), centre.y(), s.viewport()->height()}}) {
            EXPECT_GT(bar->maximum(), 0);
            EXPECT_NEAR(bar->value(), std::clamp(at - extent / 2, 0, bar->maximum()),
                        p.canvas->height() / 100 + 1);
        }
        press(p, kZoomMenuBase + 1);
        whenShown("popup", [](QWidget&) {});  // dismissed
        click(p, Qt::RightButton, 4, 50, 50);
        EXPECT_EQ(previewer().CURRENTPAGE, 2);
        EXPECT_EQ(zoomZone(p), "Zoom: Tile Pages");
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, TheGridFieldsShrinkAGridLargerThanThePagesLeft) {
    makePages(10);
    show(kZoomTiles, [&](PreviewPanel& p) {
        enterPage(*p.acrossEntry, 3);
        EXPECT_EQ(previewer().PAGESACROSS, 3);
        EXPECT_EQ(pageZone(p), "Page 1-6 of 10");
        enterPage(*p.pageEntry, 8);  // the grid moves back to end at page 10
        EXPECT_EQ(previewer().FIRSTPAGE, 5);
        enterPage(*p.downEntry, 4);  // 12 tiles for 6 pages: down comes back to 2
        EXPECT_EQ(previewer().PAGESDOWN, 2);
        EXPECT_EQ(p.downEntry->value(), 2);
        EXPECT_EQ(pageZone(p), "Page 5-10 of 10");
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, TheGridWindowRefusesMoreTilesThanPages) {
    makePages(4);
    show(kZoomTiles, [&](PreviewPanel& p) {
        enterPage(*p.pageEntry, 3);
        ui.when("Pages Shown", [&](DrivenWindow& grid) {
            EXPECT_EQ(grid.shown("Pages across"), "2");
            grid.type("Pages across", "3");
            grid.type("Pages down", "3");
            grid.press("OK");
            ASSERT_EQ(ui.messages.shown.size(), 1u);
            EXPECT_EQ(ui.messages.last().title, "Too Many Pages");
            EXPECT_EQ(ui.messages.last().text,
                      "     The report has 4 pages, so pages across times pages down may be at "
                      "most 4.");
            EXPECT_EQ(grid.focused(), "Pages across");
            grid.type("Pages across", "4");
            grid.type("Pages down", "1");
            grid.press("OK");
        });
        press(p, PRTPREV::CHANGEDISPLAY);
        EXPECT_EQ(previewer().PAGESACROSS, 4);
        EXPECT_EQ(previewer().PAGESDOWN, 1);
        EXPECT_EQ(previewer().CURRENTPAGE, 1);
        EXPECT_EQ(pageZone(p), "Page 1-4 of 4");
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, AGridHoldsAtMostTenPagesEachWay) {
    makePages(30);
    show(kZoomTiles, [&](PreviewPanel& p) {
        for (QSpinBox* entry : {p.acrossEntry, p.downEntry}) {
            entry->setFocus();
            for (int i = 0; i < 15; ++i) {
                QTest::keyClick(entry, Qt::Key_Up);
                ui.settle();
            }
        }
        EXPECT_EQ(previewer().PAGESACROSS, 10);
        EXPECT_EQ(previewer().PAGESDOWN, 3) << "10 across and 3 down hold the 30 pages";
        ui.when("Pages Shown", [&](DrivenWindow& grid) {
            struct Case {
                const char* across;
                const char* down;
            };
            for (const Case c : {Case{"11", "1"}, Case{"1", "0"}}) {
                ui.messages.clear();
                grid.type("Pages across", c.across);
                grid.type("Pages down", c.down);
                grid.press("OK");
                ASSERT_EQ(ui.messages.shown.size(), 1u) << c.across << " x " << c.down;
                EXPECT_EQ(ui.messages.last().text, "     Enter from 1 to 10 pages.");
            }
            grid.press("Cancel");
        });
        press(p, PRTPREV::CHANGEDISPLAY);
        EXPECT_EQ(previewer().PAGESACROSS, 10);
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, TheJumpWindowGoesToTheNumberEntered) {
    makePages(10);
    show(kZoomTiles, [&](PreviewPanel& p) {
        ui.when("Go to Page", [&](DrivenWindow& jump) {
            EXPECT_EQ(jump.shown("Page number"), "1");
            jump.type("Page number", "11");
            jump.press("OK");
            ASSERT_EQ(ui.messages.shown.size(), 1u);
            EXPECT_EQ(ui.messages.last().text, "     Enter a page number from 1 to 10.");
            jump.type("Page number", "7");
            jump.press("OK");
        });
        press(p, PRTPREV::JUMP);
        EXPECT_EQ(previewer().CURRENTPAGE, 7);
        EXPECT_EQ(pageZone(p), "Page 7-10 of 10");
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, ExitAnswersNoPrintAnswersPrintOnceAPrinterIsChosen) {
    makePages(2);
    EXPECT_FALSE(show(kZoomTiles, [&](PreviewPanel& p) { press(p, PRTPREV::TBAREXIT); }));
    EXPECT_FALSE(show(kZoomTiles, [&](PreviewPanel& p) {
        press(p, PRTPREV::TBARPRINT);  // the print dialog is cancelled: the preview stays
        EXPECT_FALSE(previewer().Closed());
        press(p, PRTPREV::MENUEXIT);
    }));
    output_.printTo = (folder_.path() / "printed.pdf").string();
    EXPECT_TRUE(show(kZoomTiles, [&](PreviewPanel& p) { press(p, PRTPREV::MENUPRINT); }));
    EXPECT_EQ(output_.printersAsked, 2);
}

TEST_F(Preview, SaveAsPdfOffersTheTitleAndDateAndWritesTheReport) {
    Clock::fix(*dayNumber(2024, 3, 5));
    makePages(3);
    output_.saveAs = (folder_.path() / "trades").string();  // typed without ".pdf"
    show(kZoomTiles, [&](PreviewPanel& p) {
        press(p, PRTPREV::TBARSAVEPDF);
        EXPECT_EQ(p.statusBar()->currentMessage().toStdString(),
                  "Saved as " + output_.saveAs + ".pdf");
        output_.saveAs = (folder_.path() / "no such folder" / "trades.pdf").string();
        press(p, PRTPREV::MENUSAVEPDF);
        press(p, PRTPREV::TBAREXIT);
    });
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(output_.offered, documents.toStdString() + "/Trade List 2024-03-05.pdf");
    const std::string text = pdfText((folder_.path() / "trades.pdf").string());
    for (const char* page : {"Page 1", "Page 2", "Line 50 of page 3"})
        EXPECT_NE(text.find(page), std::string::npos) << page;
    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.last().title, "PDF Not Saved");
    EXPECT_NE(ui.messages.last().text.find("could not be written"), std::string::npos);
    Clock::release();
}

TEST_F(Preview, TheNextPreviewOpensWhereTheLastWasClosed) {
    makePages(2);
    const QRect place(120, 90, 620, 440);
    show(kZoomTiles, [&](PreviewPanel& p) {
        previewer().Widget()->setGeometry(place);
        press(p, PRTPREV::TBAREXIT);
    });
    EXPECT_EQ(settings_.Fetch(kPreviewSection, "Maximize"), "No");
    EXPECT_EQ(settings_.Fetch(kPreviewSection, "Width"), "620");
    show(kZoomTiles, [&](PreviewPanel& p) {
        EXPECT_EQ(previewer().Widget()->geometry(), place);
        previewer().Widget()->showMaximized();
        press(p, PRTPREV::TBAREXIT);
    });
    EXPECT_EQ(settings_.Fetch(kPreviewSection, "Maximize"), "Yes");
    show(kZoomTiles, [&](PreviewPanel& p) {
        EXPECT_TRUE(previewer().Widget()->isMaximized());
        press(p, PRTPREV::TBAREXIT);
    });
}

TEST_F(Preview, APlaceTheReportGivesComesBeforeTheOneKept) {
    makePages(2);
    show(kZoomTiles, [&](PreviewPanel& p) {
        previewer().Widget()->setGeometry(120, 90, 620, 440);
        press(p, PRTPREV::TBAREXIT);
    });
    ASSERT_EQ(settings_.Fetch(kPreviewSection, "Width"), "620");
    QRect shown;
    show(
        kZoomTiles,
        [&](PreviewPanel& p) {
            const QWidget& window = *previewer().Widget();
            shown = QRect(window.pos(), window.size());  // the position is the frame's
            press(p, PRTPREV::TBAREXIT);
        },
        [](PrintPreviewer& report) {
            report.WINDOWPOSSET = report.WINDOWSIZESET = true;
            report.WINXPOS = 60;
            report.WINYPOS = 50;
            report.WINWIDTH = 700;
            report.WINHEIGHT = 500;
        });
    EXPECT_EQ(shown, QRect(60, 50, 700, 500));
}

}  // namespace
}  // namespace bb::test
