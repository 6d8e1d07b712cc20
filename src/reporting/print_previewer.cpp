#include "reporting/print_previewer.h"

#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/message_service.h"
#include "reporting/output_dialogs.h"
#include "reporting/page_output.h"
#include "reporting/preview_dialogs.h"
#include "reporting/preview_layout.h"
#include "ui/program_printer.h"
#include "ui/window.h"
#include "ui/window_placement.h"

namespace bb {

namespace {

const WindowDecl& kPrintPreview = declareWindow({
    .procedure = "PrintPreview",
    .caption = "Print Preview",
    .fields = {{.kind = ControlKind::Slot, .name = "Preview"}},
});

// The size the preview opens at before anything says otherwise.
constexpr QSize kFirstSize(900, 700);

// How much narrower (or lower) a scroll area's view becomes when its
// scroll bar of `orientation` shows: the bar as its own style draws it (a
// style sheet may widen it), or nothing for a bar drawn over the view; and
// the gap some styles keep between the bar and a view framed on its own.
int scrollBarRoom(const QAbstractScrollArea& s, Qt::Orientation orientation) {
    const QScrollBar& bar =
        orientation == Qt::Vertical ? *s.verticalScrollBar() : *s.horizontalScrollBar();
    QStyleOption option;
    option.initFrom(&s);
    const int overlap =
        bar.style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarOverlap, &option, &bar);
    const QSize hint = bar.sizeHint();
    int room = overlap != 0 ? 0 : orientation == Qt::Vertical ? hint.width() : hint.height();
    if (s.frameStyle() != QFrame::NoFrame &&
        s.style()->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, &option, &s))
        room +=
            s.style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, &option, &s) + overlap;
    return room;
}

bool previewControl(int control) {
    const int choices = static_cast<int>(zoomChoices().size());
    return (control >= PRTPREV::MENUPRINT && control <= PRTPREV::TBARSAVEPDF) ||
           (control > kZoomMenuBase && control <= kZoomMenuBase + choices);
}

}  // namespace

PrintPreviewer::PrintPreviewer() : WindowManager(kPrintPreview) {}

void PrintPreviewer::Setup(PageStore& pages) {
    IMAGEQUEUE = &pages;
    ZOOMINDEX = 1;
}

int PrintPreviewer::Teardown() {
    panel_ = nullptr;
    centres_.clear();
    return WindowManager::Teardown();
}

bool PrintPreviewer::Display(int first, int across, int down) {
    return DisplayAt(kZoomTiles, first, across, down);
}

bool PrintPreviewer::DisplayAt(int zoom, int first, int across, int down) {
    PRINTOK = false;
    if (pageCount() == 0) return false;
    INITZOOM = static_cast<std::int16_t>(zoom);
    FIRSTPAGE = CURRENTPAGE = std::clamp(first, 1, pageCount());
    PAGESACROSS = static_cast<std::uint16_t>(std::max(1, across));
    PAGESDOWN = static_cast<std::uint16_t>(std::max(1, down));
    Run();
    return PRINTOK;
}

QWidget* PrintPreviewer::CreateSlot(const FieldDecl&, QWidget* parent) {
    panel_ = new PreviewPanel(*IMAGEQUEUE, parent);
    panel_->accepted = [this](int control) { Post({EventKind::Accepted, nullptr, control}); };
    panel_->canvas->clicked = [this](Qt::MouseButton b, PageCanvas::Hit h, QPoint at) {
        clicked(b, h, at);
    };
    panel_->pageKey = [this](int key) { pageKey(key); };
    return panel_;
}

void PrintPreviewer::SetupControls() {
    WindowWidget& w = *Widget();
    // The pages reach the window's edges.
    for (QWidget* holder : {static_cast<QWidget*>(&w), panel_->parentWidget()}) {
        if (QLayout* l = holder->layout()) l->setContentsMargins(0, 0, 0, 0);
    }
    w.setWindowFlags(w.windowFlags() | Qt::WindowMinMaxButtonsHint);
    w.setSizeGripEnabled(true);
    SetCaption(IMAGEQUEUE->setup.title + " - Print Preview");
    w.resize(kFirstSize);
    place();
    if (MAXIMIZE) w.setWindowState(w.windowState() | Qt::WindowMaximized);
}

// The caller's place and size; else the one the user gave the window
// before; else the one kept in the settings file.
void PrintPreviewer::place() {
    WindowWidget& w = *Widget();
    if (WINDOWPOSSET) w.move(WINXPOS, WINYPOS);
    if (WINDOWSIZESET) w.resize(WINWIDTH, WINHEIGHT);
    if (WINDOWPOSSET || WINDOWSIZESET) return;
    if (SAVESIZE.SET) {
        w.setGeometry(SAVESIZE.place);
        if (SAVESIZE.maximized) w.setWindowState(w.windowState() | Qt::WindowMaximized);
        return;
    }
    if (INIMGR) {
        WidgetPlacement placement(w);
        INIMGR->LoadWindowPlacement(kPreviewSection, placement);
    }
}

void PrintPreviewer::Open() {
    WindowManager::Open();
    const WaitCursor busy;
    PreviewPanel& w = *panel_;
    const int count = pageCount();
    const QString hint = QString("Enter a page number from 1 to %1").arg(count);
    w.pageEntry->setRange(1, count);
    w.pageEntry->setToolTip(hint);
    w.pageEntry->setStatusTip(hint);
    w.acrossEntry->setRange(1, std::min(count, kMostTiles));
    w.downEntry->setRange(1, std::min(count, kMostTiles));
    w.showZoomList(ALLOWUSERZOOM);
    ZOOMINDEX = static_cast<std::uint8_t>(zoomChoiceOf(INITZOOM));
    if (ZOOMINDEX == 0)
        USERPERCENTILE =
            static_cast<std::uint16_t>(std::clamp<int>(INITZOOM, kLeastZoom, kMostZoom));
    refresh();
}

int PrintPreviewer::ZoomValue() const {
    if (ZOOMINDEX >= 1 && ZOOMINDEX <= zoomChoices().size())
        return zoomChoices()[ZOOMINDEX - 1].value;
    return USERPERCENTILE;
}

void PrintPreviewer::refresh() {
    ZOOMLIST = zoomText(ZOOMINDEX, USERPERCENTILE);
    panel_->zoomList->setEditText(QString::fromStdString(ZOOMLIST));
    layout();
    checkZoomItems();
    updateControls();
}

void PrintPreviewer::layout() {
    PreviewPanel& w = *panel_;
    QScrollArea& s = *w.scroller;
    if (tiles()) {
        // The grid holds the current page, wherever the user went at a zoom.
        FIRSTPAGE = gridStartFor(CURRENTPAGE, FIRSTPAGE, PAGESACROSS * PAGESDOWN, pageCount());
        s.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        s.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        w.canvas->showTiles(FIRSTPAGE, PAGESACROSS, PAGESDOWN, CURRENTPAGE,
                            s.maximumViewportSize());
        THUMBNAILSPRESENT = static_cast<std::uint16_t>(w.canvas->Shown().size());
        return;
    }
    s.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    s.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A page as wide as the window leaves room for the scroll bar beside it.
    const int width = s.maximumViewportSize().width() - scrollBarRoom(s, Qt::Vertical);
    w.canvas->showPage(CURRENTPAGE, ZoomValue(), width);
    THUMBNAILSPRESENT = 1;
    scrollTo(CURRENTPAGE, centres_[CURRENTPAGE]);
}

namespace {

// The view a scroll area will have around `content` once its scroll bars
// have come or gone (they follow only after the events now waiting).
QSize viewAround(const QScrollArea& s, QSize content) {
    const QSize most = s.maximumViewportSize();
    const int barDown = scrollBarRoom(s, Qt::Vertical);
    const int barAcross = scrollBarRoom(s, Qt::Horizontal);
    bool down = content.height() > most.height();
    const bool across = content.width() > most.width() - (down ? barDown : 0);
    down = down || content.height() > most.height() - (across ? barAcross : 0);
    return QSize(most.width() - (down ? barDown : 0), most.height() - (across ? barAcross : 0));
}

}  // namespace

void PrintPreviewer::scrollTo(int page, Centre centre) {
    QScrollArea& s = *panel_->scroller;
    const QPoint at = panel_->canvas->pointOf(page, centre.x, centre.y);
    const QSize view = viewAround(s, panel_->canvas->size());
    s.horizontalScrollBar()->setValue(centre.x == 0 ? 0 : at.x() - view.width() / 2);
    s.verticalScrollBar()->setValue(centre.y == 0 ? 0 : at.y() - view.height() / 2);
}

void PrintPreviewer::checkZoomItems() {
    PreviewPanel& w = *panel_;
    for (int i = 1; i <= static_cast<int>(zoomChoices().size()); ++i) {
        w.action(kZoomMenuBase + i)->setChecked(i == ZOOMINDEX);
        w.zoomPopup->findChild<QAction*>(QString("ZoomItem%1").arg(i))->setChecked(i == ZOOMINDEX);
    }
}

// After every event: the controls that can act now, and the status bar.
void PrintPreviewer::AfterEvent() {
    if (panel_) updateControls();
}

void PrintPreviewer::updateControls() {
    PreviewPanel& w = *panel_;
    const int count = pageCount();
    const bool several = count > 1;
    w.setControlEnabled(PRTPREV::PREVIOUS, CURRENTPAGE > 1);
    w.setControlEnabled(PRTPREV::NEXT, CURRENTPAGE < count);
    w.setControlEnabled(PRTPREV::JUMP, several);
    w.setControlEnabled(PRTPREV::CHANGEDISPLAY, several && tiles());
    const auto enable = [](std::initializer_list<QWidget*> controls, bool on) {
        for (QWidget* c : controls) c->setEnabled(on);
    };
    enable({w.pagePrompt, w.pageEntry}, several);
    enable({w.acrossPrompt, w.acrossEntry, w.downPrompt, w.downEntry}, several && tiles());
    const QSignalBlocker a(w.pageEntry), b(w.acrossEntry), c(w.downEntry);
    w.pageEntry->setValue(CURRENTPAGE);
    w.acrossEntry->setValue(PAGESACROSS);
    w.downEntry->setValue(PAGESDOWN);
    w.pageZone->setText(QString::fromStdString(
        pageStatus(tiles(), FIRSTPAGE, THUMBNAILSPRESENT, CURRENTPAGE, count)));
    w.zoomZone->setText(QString::fromStdString(zoomStatus(ZOOMINDEX, USERPERCENTILE)));
}

int PrintPreviewer::OnAccepted() {
    const int control = CurrentEvent().command;
    if (!previewControl(control)) return WindowManager::OnAccepted();
    accept(control);
    return LevelHandled;
}

void PrintPreviewer::accept(int control) {
    if (control > kZoomMenuBase) {
        chooseZoom(control - kZoomMenuBase);
        return;
    }
    switch (control) {
        case PRTPREV::TBARZOOM:
            checkZoomItems();
            panel_->zoomPopup->exec(QCursor::pos());
            break;
        case PRTPREV::MENUPRINT:
        case PRTPREV::TBARPRINT:
            print();
            break;
        case PRTPREV::MENUEXIT:
        case PRTPREV::TBAREXIT:
            EndWith(ResponseCancelled);
            break;
        case PRTPREV::MENUSAVEPDF:
        case PRTPREV::TBARSAVEPDF:
            savePdf();
            break;
        case PRTPREV::ZOOMLIST:
            typedZoom();
            break;
        case PRTPREV::CURRENTPAGE:
            goToPage(panel_->pageEntry->value());
            break;
        case PRTPREV::PAGESACROSS:
        case PRTPREV::PAGESDOWN:
            changeGrid(control);
            break;
        case PRTPREV::NEXT:
        case PRTPREV::PREVIOUS:
            goToPage(CURRENTPAGE + (control == PRTPREV::NEXT ? 1 : -1));
            break;
        case PRTPREV::JUMP:
            if (AskPageNumber()) goToPage(CURRENTPAGE);
            break;
        case PRTPREV::CHANGEDISPLAY:
            AskTileGrid();
            FIRSTPAGE = CURRENTPAGE = 1;
            layout();
            break;
        default:
            break;
    }
}

void PrintPreviewer::chooseZoom(int choice) {
    const bool changed = ZOOMINDEX != choice;
    ZOOMINDEX = static_cast<std::uint8_t>(choice);
    if (changed) refresh();
    checkZoomItems();  // choosing the checked item must not uncheck it
}

void PrintPreviewer::goToPage(int page) {
    CURRENTPAGE = std::clamp(page, 1, pageCount());
    layout();
}

void PrintPreviewer::changeGrid(int control) {
    PreviewPanel& w = *panel_;
    int across = w.acrossEntry->value();
    int down = w.downEntry->value();
    if (control == PRTPREV::PAGESACROSS)
        across = fittedDimension(across, down, FIRSTPAGE, pageCount());
    else
        down = fittedDimension(down, across, FIRSTPAGE, pageCount());
    PAGESACROSS = static_cast<std::uint16_t>(across);
    PAGESDOWN = static_cast<std::uint16_t>(down);
    layout();
}

void PrintPreviewer::typedZoom() {
    const TypedZoom typed = readTypedZoom(panel_->zoomList->currentText().toStdString());
    if (!typed.valid) {
        messages().beep(Beep::Default);
        panel_->zoomList->setEditText(QString::fromStdString(ZOOMLIST));
        return;
    }
    if (typed.choice > 0) {
        chooseZoom(typed.choice);
        return;
    }
    ZOOMINDEX = 0;
    USERPERCENTILE = static_cast<std::uint16_t>(typed.percent);
    refresh();
}

void PrintPreviewer::print() {
    if (!outputDialogs().choosePrinter(Widget(), programPrinter(), pageCount())) return;
    PRINTOK = true;
    EndWith(ResponseCompleted);
}

void PrintPreviewer::savePdf() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const std::string offered =
        folder.toStdString() + "/" + pdfFileName(IMAGEQUEUE->setup.title, Clock::today());
    std::string path = outputDialogs().choosePdfFile(Widget(), offered);
    if (path.empty()) return;
    if (QFileInfo(QString::fromStdString(path)).suffix().isEmpty()) path += ".pdf";
    std::string error;
    bool written = false;
    {
        const WaitCursor busy;
        written = writePdf(*IMAGEQUEUE, path, &error);
    }
    if (!written) {
        messages().show({"PDF Not Saved", error, MessageIcon::Exclamation, ButtonOk, ButtonOk});
        return;
    }
    panel_->statusBar()->showMessage(QString::fromStdString("Saved as " + path));
}

// A left click on a tile shows that page as wide as the window, at the
// height clicked; a left click on a zoomed page goes back to the tiles. A
// right click offers the zooms, centred on the point clicked.
void PrintPreviewer::clicked(Qt::MouseButton button, PageCanvas::Hit hit, QPoint global) {
    if (button == Qt::LeftButton) {
        CURRENTPAGE = hit.page;
        if (tiles()) centres_[hit.page] = {0, hit.yPercent};
        ZOOMINDEX = static_cast<std::uint8_t>(zoomChoiceOf(tiles() ? kZoomPageWidth : kZoomTiles));
        refresh();
        return;
    }
    if (button != Qt::RightButton) return;
    const int before = CURRENTPAGE;
    centres_[hit.page] = {hit.xPercent, hit.yPercent};
    CURRENTPAGE = hit.page;
    checkZoomItems();
    if (!panel_->zoomPopup->exec(global)) {
        CURRENTPAGE = before;
        centres_.erase(hit.page);
    }
    updateControls();
}

void PrintPreviewer::pageKey(int key) {
    const PreviewPanel& w = *panel_;
    if (key == Qt::Key_PageUp && CURRENTPAGE > 1 && w.action(PRTPREV::PREVIOUS)->isEnabled())
        Post({EventKind::Accepted, nullptr, PRTPREV::PREVIOUS});
    if (key == Qt::Key_PageDown && CURRENTPAGE < pageCount() &&
        w.action(PRTPREV::NEXT)->isEnabled())
        Post({EventKind::Accepted, nullptr, PRTPREV::NEXT});
}

int PrintPreviewer::OnWindowEvent() {
    switch (CurrentEvent().kind) {
        case EventKind::GainFocus:
            return LevelCarryOn;  // nothing to reset: the pages do not change
        case EventKind::Sized:
            if (panel_ && (INITED & 1)) {
                const WindowWidget& w = *Widget();
                SAVESIZE = {true, w.normalGeometry(), w.isMaximized()};
                layout();
            }
            break;
        default:
            break;
    }
    return WindowManager::OnWindowEvent();
}

int PrintPreviewer::OnCloseRequest() {
    if (INIMGR) INIMGR->SaveWindowPlacement(kPreviewSection, WidgetPlacement(*Widget()));
    return WindowManager::OnCloseRequest();
}

bool PrintPreviewer::AskPageNumber() {
    JumpWindow jump(CURRENTPAGE, pageCount());
    if (jump.Run() != ResponseCompleted || jump.Page() == CURRENTPAGE) return false;
    CURRENTPAGE = jump.Page();
    return true;
}

void PrintPreviewer::AskTileGrid() {
    TileGridWindow grid(PAGESACROSS, PAGESDOWN, pageCount());
    if (grid.Run() != ResponseCompleted) return;
    PAGESACROSS = static_cast<std::uint16_t>(grid.Across());
    PAGESDOWN = static_cast<std::uint16_t>(grid.Down());
}

}  // namespace bb
