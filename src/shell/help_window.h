// The program's help viewer. The help is compiled from the pages in help/ at
// build time into a help collection that ships next to the program; this
// window shows it with its contents, index and full-text search beside the
// page being read. F1 and the help buttons open it on the page of a window's
// topic (its procedure name).
//
// The window owns its help engine. Used from the GUI thread only.
#pragma once

#include <QHelpEngine>
#include <QUrl>
#include <QWidget>
#include <string_view>

class QLineEdit;
class QSplitter;
class QTabWidget;
class QTextBrowser;

namespace bb {

// The help collection that the program's help file ("Ledgr.hlp") names:
// "Ledgr.qhc" next to the program. The full-text index is kept beside the
// collection, so when that folder cannot be written the collection is
// copied to the user's cache folder and used from there.
QString helpCollectionFile();

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& collectionFile, QWidget* parent = nullptr);

    // False when the collection could not be opened; the window then shows nothing.
    bool isOpen() const { return open_; }
    // Shows the page of `topic` (the first of its pages the help has); the
    // first page for an empty or unknown topic.
    void showTopic(std::string_view topic);
    // The index, with the cursor in the box that looks a subject up.
    void showIndex();
    void showSearch();

    QUrl currentPage() const;
    QHelpEngine& engine() { return engine_; }

private:
    QWidget* makeIndexTab();
    QWidget* makeSearchTab();
    void showPage(const QUrl& page);
    // Selects the contents entry of `page` (the page the browser now shows,
    // which it tells before its source() says so).
    void followContents(const QUrl& page);
    // Widens the contents pane to its widest entry, as far as the page allows.
    void fitContents();
    void bringToFront();

    QHelpEngine engine_;
    bool open_ = false;
    bool indexed_ = false;
    QTextBrowser* browser_;
    QTabWidget* tabs_;
    QSplitter* splitter_ = nullptr;
    QLineEdit* lookFor_ = nullptr;
};

}  // namespace bb
