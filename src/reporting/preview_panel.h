// What the print preview's window holds: a menu (File: Print, Save as PDF,
// Exit; View: page navigation, the tile grid, the zoom choices), a toolbar
// with the zoom button, Print, Save as PDF, Exit, the page entry, the grid's
// across and down and the zoom list, the pages themselves, and a status bar
// with the pages shown and the zoom.
//
// The panel only shows and reports: every control carries its number
// (PRTPREV below) and tells `accepted` when the user presses, chooses or
// enters it; the PrintPreviewer, whose window's slot the panel fills,
// decides what follows and sets the controls. Used from the GUI thread.
#pragma once

#include <QMainWindow>

#include <functional>
#include <map>
#include <vector>

#include "reporting/page_canvas.h"
#include "reporting/page_store.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QSpinBox;

namespace bb {

// The numbers of the preview's controls.
namespace PRTPREV {
enum Control : int {
    MENUPRINT = 2,
    MENUEXIT = 3,
    VIEWMENU = 4,
    NEXT = 5,
    PREVIOUS = 6,
    JUMP = 7,
    CHANGEDISPLAY = 8,
    ZOOMMENU = 9,
    TBARPRINT = 10,
    TBAREXIT = 11,
    TBARZOOM = 12,
    PAGEPROMPT = 13,
    CURRENTPAGE = 14,
    PAGESACROSS = 16,
    PAGESDOWN = 18,
    ZOOMPROMPT = 19,
    ZOOMLIST = 20,
    MENUSAVEPDF = 21,
    TBARSAVEPDF = 22,
};
}  // namespace PRTPREV

// The zoom menu's items are controls 201 to 207, one per choice.
inline constexpr int kZoomMenuBase = 200;

class PreviewPanel : public QMainWindow {
public:
    PreviewPanel(const PageStore& pages, QWidget* parent);

    // The action of a menu item or toolbar button by its number.
    QAction* action(int control) const;
    void setControlEnabled(int control, bool enabled);
    // Shows or hides the zoom list with its prompt.
    void showZoomList(bool shown);

    QSpinBox* pageEntry;
    QSpinBox* acrossEntry;
    QSpinBox* downEntry;
    QComboBox* zoomList;
    QLabel* pagePrompt;
    QLabel* acrossPrompt;
    QLabel* downPrompt;
    QLabel* zoomPrompt;
    QMenu* viewMenu;
    QMenu* zoomMenu;
    QMenu* zoomPopup;  // the toolbar's zoom button and the right click
    QLabel* pageZone;
    QLabel* zoomZone;
    QScrollArea* scroller;
    PageCanvas* canvas;

    std::function<void(int control)> accepted;
    // Page Up or Page Down pressed over the pages.
    std::function<void(int key)> pageKey;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* makeAction(QMenu* menu, int control, const QString& text, const QString& tip);
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    QSpinBox* addEntry(class QToolBar* bar, int control, const QString& prompt, QLabel*& label,
                       const QString& tip);

    std::map<int, QAction*> actions_;
    QAction* zoomPromptItem_ = nullptr;  // the toolbar's places of the zoom list
    QAction* zoomListItem_ = nullptr;
};

}  // namespace bb
