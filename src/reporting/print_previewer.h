// The print previewer: shows the pages a report produced in a window of
// their own, as tiles (a grid of pages across and down) or one page at a
// zoom, with page navigation, a jump-to-page window, a window for the tile
// grid, the zoom list, menu and right-click popup, Print, Save as PDF and
// Exit. DisplayAt runs the window (called, modally) until the user closes
// it and answers whether the user chose Print, having chosen a printer in
// the platform's print dialog; the report then prints the pages on the
// program's printer. The window's place and size are kept under
// "_PreviewWindow_" of the settings file, when the previewer is given one.
//
// The previewer reads its pages from the report's page queue, which must
// outlive it. A previewer shows its pages once; it belongs to its report
// and is used from the GUI thread.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/ini_manager.h"
#include "reporting/page_store.h"
#include "reporting/preview_layout.h"
#include "reporting/preview_panel.h"
#include "ui/window_manager.h"

namespace bb {

inline constexpr std::string_view kPreviewSection = "_PreviewWindow_";

class PrintPreviewer : public WindowManager {
public:
    PrintPreviewer();

    using WindowManager::Setup;
    void Setup(PageStore& pages);
    // Tiles from page `first`, `across` × `down`; whether the user chose Print.
    bool Display(int first, int across, int down);
    // The same at `zoom` (kZoomTiles, kZoomPageWidth or a percentage).
    bool DisplayAt(int zoom, int first, int across, int down);

    // The window manager's operations the previewer replaces.
    int Teardown() override;
    void Open() override;
    int OnAccepted() override;
    int OnCloseRequest() override;
    int OnWindowEvent() override;
    void AfterEvent() override;
    QWidget* CreateSlot(const FieldDecl& slot, QWidget* parent) override;
    void SetupControls() override;
    // Asks for a page number; whether the current page changed.
    virtual bool AskPageNumber();
    // Asks for the tile grid.
    virtual void AskTileGrid();

    // The panel in the window, while it is open.
    PreviewPanel* Panel() const { return panel_; }
    // The value of the current zoom: kZoomTiles, kZoomPageWidth or a percentage.
    int ZoomValue() const;

    // Fields as the program keeps them.
    bool ALLOWUSERZOOM = false;
    std::int32_t CURRENTPAGE = 1;
    std::int32_t FIRSTPAGE = 1;
    PageStore* IMAGEQUEUE = nullptr;
    IniManager* INIMGR = nullptr;
    std::int16_t INITZOOM = 0;
    bool MAXIMIZE = false;
    std::uint16_t PAGESACROSS = 1;
    std::uint16_t PAGESDOWN = 1;
    bool PRINTOK = false;
    struct {
        bool SET = false;
        QRect place;  // while not maximised
        bool maximized = false;
    } SAVESIZE;  // the last place and size the user gave the window
    std::uint16_t THUMBNAILSPRESENT = 0;
    std::uint16_t USERPERCENTILE = 100;
    bool WINDOWPOSSET = false;
    bool WINDOWSIZESET = false;
    std::int16_t WINHEIGHT = 0;
    std::int16_t WINWIDTH = 0;
    std::int16_t WINXPOS = 0;
    std::int16_t WINYPOS = 0;
    std::uint8_t ZOOMINDEX = 1;  // the zoom choice, from 1; 0 for USERPERCENTILE
    std::string ZOOMLIST;

private:
    // The point of a page to keep in view at a zoom, in percent of the page.
    struct Centre {
        int x = 0;
        int y = 0;
    };

    void place();
    void refresh();
    void layout();
    void checkZoomItems();
    void updateControls();
    bool tiles() const { return ZoomValue() == kZoomTiles; }
    int pageCount() const { return IMAGEQUEUE ? IMAGEQUEUE->Count() : 0; }

    void accept(int control);
    void chooseZoom(int choice);
    void goToPage(int page);
    void changeGrid(int control);
    void typedZoom();
    void print();
    void savePdf();
    void clicked(Qt::MouseButton button, PageCanvas::Hit hit, QPoint global);
    void pageKey(int key);
    void scrollTo(int page, Centre centre);

    PreviewPanel* panel_ = nullptr;  // the window's, in its slot
    std::map<int, Centre> centres_;
};

}  // namespace bb
