#include "reporting/preview_panel.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "reporting/preview_layout.h"
#include "ui/icons.h"

namespace bb {

PreviewPanel::PreviewPanel(const PageStore& pages, QWidget* parent) : QMainWindow(parent) {
    setObjectName("PreviewPanel");
    setWindowFlags(Qt::Widget);  // inside the preview's window, not one of its own
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    canvas = new PageCanvas(pages);
    scroller = new QScrollArea;
    scroller->setAccessibleName("Pages");
    scroller->setWidget(canvas);
    scroller->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroller->setBackgroundRole(QPalette::Dark);
    scroller->setFocusPolicy(Qt::StrongFocus);
    scroller->installEventFilter(this);
    setCentralWidget(scroller);
    buildMenus();
    buildToolbar();
    buildStatusBar();
}

QAction* PreviewPanel::makeAction(QMenu* menu, int control, const QString& text,
                                  const QString& tip) {
    QAction* a = menu ? menu->addAction(text) : new QAction(text, this);
    a->setStatusTip(tip);
    a->setToolTip(tip);
    connect(a, &QAction::triggered, this, [this, control] {
        if (accepted) accepted(control);
    });
    actions_[control] = a;
    return a;
}

QAction* PreviewPanel::action(int control) const {
    const auto it = actions_.find(control);
    return it == actions_.end() ? nullptr : it->second;
}

void PreviewPanel::setControlEnabled(int control, bool enabled) {
    if (QAction* a = action(control)) a->setEnabled(enabled);
}

void PreviewPanel::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    makeAction(file, PRTPREV::MENUPRINT, "&Print...", "Print the report")
        ->setShortcut(QKeySequence::Print);
    makeAction(file, PRTPREV::MENUSAVEPDF, "Save as P&DF...", "Save the report as a PDF file");
    file->addSeparator();
    makeAction(file, PRTPREV::MENUEXIT, "E&xit", "Close the preview without printing");

    viewMenu = menuBar()->addMenu("&View");
    makeAction(viewMenu, PRTPREV::PREVIOUS, "&Previous Page", "Show the previous page")
        ->setIcon(programIcon("VCRPRIOR.ICO"));
    makeAction(viewMenu, PRTPREV::NEXT, "&Next Page", "Show the next page")
        ->setIcon(programIcon("VCRNEXT.ICO"));
    makeAction(viewMenu, PRTPREV::JUMP, "&Jump to Page...", "Go to a page by its number")
        ->setIcon(programIcon("MARK.ICO"));
    makeAction(viewMenu, PRTPREV::CHANGEDISPLAY, "&Tile Grid...",
               "Choose how many pages are shown across and down");
    viewMenu->addSeparator();
    zoomMenu = viewMenu->addMenu("&Zoom");
    zoomPopup = new QMenu(this);
    int i = 0;
    for (const ZoomChoice& z : zoomChoices()) {
        const int control = kZoomMenuBase + ++i;
        makeAction(zoomMenu, control, z.menuText, QString("Show the pages at ") + z.menuText)
            ->setCheckable(true);
        QAction* item = zoomPopup->addAction(z.menuText);
        item->setObjectName(QString("ZoomItem%1").arg(i));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, control] {
            if (accepted) accepted(control);
        });
    }
}

QSpinBox* PreviewPanel::addEntry(QToolBar* bar, int control, const QString& prompt, QLabel*& label,
                                 const QString& tip) {
    label = new QLabel(prompt);
    auto* entry = new QSpinBox;
    entry->setKeyboardTracking(false);  // a typed number counts when entered
    entry->setAccessibleName(QString(prompt).remove('&').remove(':'));
    entry->setToolTip(tip);
    entry->setStatusTip(tip);
    label->setBuddy(entry);
    label->setContentsMargins(8, 0, 2, 0);
    bar->addWidget(label);
    bar->addWidget(entry);
    connect(entry, &QSpinBox::valueChanged, this, [this, control] {
        if (accepted) accepted(control);
    });
    return entry;
}

void PreviewPanel::buildToolbar() {
    QToolBar* bar = addToolBar("Preview");
    bar->setObjectName("PreviewToolbar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addAction(makeAction(nullptr, PRTPREV::TBARZOOM, "Zoom", "Choose a zoom"));
    bar->addAction(makeAction(nullptr, PRTPREV::TBARPRINT, "Print", "Print the report"));
    bar->addAction(
        makeAction(nullptr, PRTPREV::TBARSAVEPDF, "Save as PDF", "Save the report as a PDF file"));
    bar->addAction(
        makeAction(nullptr, PRTPREV::TBAREXIT, "Exit", "Close the preview without printing"));
    bar->addSeparator();
    pageEntry = addEntry(bar, PRTPREV::CURRENTPAGE, "Pa&ge:", pagePrompt, "");
    // The arrows sit on either side of the page number.
    bar->insertAction(bar->actions().back(), action(PRTPREV::PREVIOUS));
    bar->addAction(action(PRTPREV::NEXT));
    for (int control : {PRTPREV::PREVIOUS, PRTPREV::NEXT}) {
        auto* button = static_cast<QToolButton*>(bar->widgetForAction(action(control)));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    acrossEntry =
        addEntry(bar, PRTPREV::PAGESACROSS, "&Across:", acrossPrompt, "Pages shown side by side");
    downEntry =
        addEntry(bar, PRTPREV::PAGESDOWN, "&Down:", downPrompt, "Pages shown one above the other");
    zoomPrompt = new QLabel("&Zoom:");
    zoomPrompt->setContentsMargins(8, 0, 2, 0);
    zoomList = new QComboBox;
    zoomList->setEditable(true);
    zoomList->setInsertPolicy(QComboBox::NoInsert);
    zoomList->setAccessibleName("Zoom");
    zoomList->setToolTip("Choose a zoom, or type a percentage");
    zoomList->setStatusTip(zoomList->toolTip());
    zoomList->setMinimumContentsLength(10);
    for (const ZoomChoice& z : zoomChoices()) zoomList->addItem(z.menuText);
    zoomPrompt->setBuddy(zoomList);
    connect(zoomList, &QComboBox::activated, this, [this] {
        if (accepted) accepted(PRTPREV::ZOOMLIST);
    });
    connect(zoomList->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (accepted) accepted(PRTPREV::ZOOMLIST);
    });
    zoomPromptItem_ = bar->addWidget(zoomPrompt);
    zoomListItem_ = bar->addWidget(zoomList);
}

void PreviewPanel::showZoomList(bool shown) {
    zoomPromptItem_->setVisible(shown);
    zoomListItem_->setVisible(shown);
}

// Zone 1 is the status bar's own message: the tip of the control or menu
// item under the mouse, or what the preview has to say.
void PreviewPanel::buildStatusBar() {
    pageZone = new QLabel;
    zoomZone = new QLabel;
    for (QLabel* zone : {pageZone, zoomZone}) zone->setContentsMargins(8, 0, 8, 0);
    // Wide enough for the longest texts, so that the zones never jump.
    pageZone->setMinimumWidth(fontMetrics().horizontalAdvance("Page 8888-8888 of 8888") + 16);
    zoomZone->setMinimumWidth(fontMetrics().horizontalAdvance("Zoom: Tile Pages") + 16);
    statusBar()->addPermanentWidget(pageZone);
    statusBar()->addPermanentWidget(zoomZone);
}

bool PreviewPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && pageKey) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            pageKey(key);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace bb
