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

#include <algorithm>

#include "platform/date.h"
#include "platform/message_service.h"
#include "reporting/output_dialogs.h"
#include "reporting/page_output.h"
#include "reporting/preview_dialogs.h"
#include "reporting/preview_layout.h"
#include "ui/program_printer.h"
#include "ui/window_placement.h"

namespace bb {

PrintPreviewer::~PrintPreviewer() = default;

void PrintPreviewer::Setup(PageStore& pages) {
    IMAGEQUEUE = &pages;
    ZOOMINDEX = 1;
}

void PrintPreviewer::Teardown() {
    window_.reset();
    centres_.clear();
    IMAGEQUEUE = nullptr;
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
    window_ = std::make_unique<PreviewWindow>(*IMAGEQUEUE);
    PreviewWindow& w = *window_;
    w.accepted = [this](int control) { OnAccepted(control); };
    w.closing = [this] { return closing(); };
    w.canvas->clicked = [this](Qt::MouseButton b, PageCanvas::Hit h, QPoint at) {
        clicked(b, h, at);
    };
    w.pageKey = [this](int key) { pageKey(key); };
    {
        const WaitCursor busy;
        place();
        if (MAXIMIZE) w.setWindowState(w.windowState() | Qt::WindowMaximized);
        w.show();
        Open();
    }
    w.sized = [this] {
        SAVESIZE = {true, window_->normalGeometry(), window_->isMaximized()};
        layout();
    };
    loop_.exec();
    window_.reset();
    centres_.clear();
    return PRINTOK;
}

// The caller's place and size; else the one the user gave the window in
// this run; else the one kept in the settings file.
void PrintPreviewer::place() {
    PreviewWindow& w = *window_;
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
    PreviewWindow& w = *window_;
    const int count = pageCount();
    const QString hint = QString("Enter a page number from 1 to %1").arg(count);
    w.pageEntry->setRange(1, count);
    w.pageEntry->setToolTip(hint);
    w.pageEntry->setStatusTip(hint);
    w.acrossEntry->setRange(1, count);
    w.downEntry->setRange(1, count);
    w.showZoomList(ALLOWUSERZOOM);
    ZOOMINDEX = static_cast<std::uint8_t>(zoomChoiceOf(INITZOOM));
    if (ZOOMINDEX == 0)
        USERPERCENTILE =
            static_cast<std::uint16_t>(std::clamp<int>(INITZOOM, kLeastZoom, kMostZoom));
    if (QLayout* l = w.layout()) l->activate();
    refresh();
}

int PrintPreviewer::ZoomValue() const {
    if (ZOOMINDEX >= 1 && ZOOMINDEX <= zoomChoices().size())
        return zoomChoices()[ZOOMINDEX - 1].value;
    return USERPERCENTILE;
}

void PrintPreviewer::refresh() {
    ZOOMLIST = zoomText(ZOOMINDEX, USERPERCENTILE);
    window_->zoomList->setEditText(QString::fromStdString(ZOOMLIST));
    layout();
    checkZoomItems();
    updateControls();
}

void PrintPreviewer::layout() {
    PreviewWindow& w = *window_;
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
    const int width =
        s.maximumViewportSize().width() - s.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    w.canvas->showPage(CURRENTPAGE, ZoomValue(), width);
    THUMBNAILSPRESENT = 1;
    scrollTo(CURRENTPAGE, centres_[CURRENTPAGE]);
}

namespace {

// The view a scroll area will have around `content` once its scroll bars
// have come or gone (they follow only after the events now waiting).
QSize viewAround(const QScrollArea& s, QSize content) {
    const QSize most = s.maximumViewportSize();
    const int bar = s.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool down = content.height() > most.height();
    const bool across = content.width() > most.width() - (down ? bar : 0);
    down = down || content.height() > most.height() - (across ? bar : 0);
    return QSize(most.width() - (down ? bar : 0), most.height() - (across ? bar : 0));
}

}  // namespace

void PrintPreviewer::scrollTo(int page, Centre centre) {
    QScrollArea& s = *window_->scroller;
    const QPoint at = window_->canvas->pointOf(page, centre.x, centre.y);
    const QSize view = viewAround(s, window_->canvas->size());
    s.horizontalScrollBar()->setValue(centre.x == 0 ? 0 : at.x() - view.width() / 2);
    s.verticalScrollBar()->setValue(centre.y == 0 ? 0 : at.y() - view.height() / 2);
}

void PrintPreviewer::checkZoomItems() {
    PreviewWindow& w = *window_;
    for (int i = 1; i <= static_cast<int>(zoomChoices().size()); ++i) {
        w.action(kZoomMenuBase + i)->setChecked(i == ZOOMINDEX);
        w.zoomPopup->findChild<QAction*>(QString("ZoomItem%1").arg(i))->setChecked(i == ZOOMINDEX);
    }
}

void PrintPreviewer::updateControls() {
    PreviewWindow& w = *window_;
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

void PrintPreviewer::OnAccepted(int control) {
    const int choices = static_cast<int>(zoomChoices().size());
    if (control > kZoomMenuBase && control <= kZoomMenuBase + choices) {
        const bool changed = ZOOMINDEX != control - kZoomMenuBase;
        ZOOMINDEX = static_cast<std::uint8_t>(control - kZoomMenuBase);
        if (changed) refresh();
        checkZoomItems();  // choosing the checked item must not uncheck it
        return;
    }
    switch (control) {
        case PRTPREV::TBARZOOM:
            showZoomPopup(QCursor::pos());
            break;
        case PRTPREV::MENUPRINT:
        case PRTPREV::TBARPRINT:
            print();
            break;
        case PRTPREV::MENUEXIT:
        case PRTPREV::TBAREXIT:
            window_->close();
            return;
        case PRTPREV::MENUSAVEPDF:
        case PRTPREV::TBARSAVEPDF:
            savePdf();
            break;
        case PRTPREV::ZOOMLIST:
            typedZoom();
            break;
        case PRTPREV::CURRENTPAGE:
            goToPage(window_->pageEntry->value());
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
    if (window_) updateControls();
}

void PrintPreviewer::goToPage(int page) {
    CURRENTPAGE = std::clamp(page, 1, pageCount());
    layout();
}

void PrintPreviewer::changeGrid(int control) {
    PreviewWindow& w = *window_;
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
    const TypedZoom typed = readTypedZoom(window_->zoomList->currentText().toStdString());
    if (!typed.valid) {
        messages().beep(Beep::Default);
        window_->zoomList->setEditText(QString::fromStdString(ZOOMLIST));
        return;
    }
    if (typed.choice > 0) {
        OnAccepted(kZoomMenuBase + typed.choice);
        return;
    }
    ZOOMINDEX = 0;
    USERPERCENTILE = static_cast<std::uint16_t>(typed.percent);
    refresh();
}

void PrintPreviewer::showZoomPopup(QPoint at) {
    checkZoomItems();
    window_->zoomPopup->exec(at);
}

void PrintPreviewer::print() {
    if (!outputDialogs().choosePrinter(window_.get(), programPrinter(), pageCount())) return;
    PRINTOK = true;
    window_->close();
}

void PrintPreviewer::savePdf() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const std::string offered =
        folder.toStdString() + "/" + pdfFileName(IMAGEQUEUE->setup.title, Clock::today());
    std::string path = outputDialogs().choosePdfFile(window_.get(), offered);
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
    window_->statusBar()->showMessage(QString::fromStdString("Saved as " + path));
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
    if (!window_->zoomPopup->exec(global)) {
        CURRENTPAGE = before;
        centres_.erase(hit.page);
    }
    updateControls();
}

void PrintPreviewer::pageKey(int key) {
    PreviewWindow& w = *window_;
    if (key == Qt::Key_PageUp && CURRENTPAGE > 1 && w.action(PRTPREV::PREVIOUS)->isEnabled())
        OnAccepted(PRTPREV::PREVIOUS);
    if (key == Qt::Key_PageDown && CURRENTPAGE < pageCount() &&
        w.action(PRTPREV::NEXT)->isEnabled())
        OnAccepted(PRTPREV::NEXT);
}

bool PrintPreviewer::closing() {
    if (INIMGR) INIMGR->SaveWindowPlacement(kPreviewSection, WidgetPlacement(*window_));
    window_->sized = nullptr;
    loop_.quit();
    return true;
}

bool PrintPreviewer::AskPageNumber() {
    JumpDialog dialog(CURRENTPAGE, pageCount(), window_.get());
    if (dialog.exec() != QDialog::Accepted || dialog.Page() == CURRENTPAGE) return false;
    CURRENTPAGE = dialog.Page();
    return true;
}

void PrintPreviewer::AskTileGrid() {
    TileGridDialog dialog(PAGESACROSS, PAGESDOWN, pageCount(), window_.get());
    if (dialog.exec() != QDialog::Accepted) return;
    PAGESACROSS = static_cast<std::uint16_t>(dialog.across->value());
    PAGESDOWN = static_cast<std::uint16_t>(dialog.down->value());
}

}  // namespace bb
