#include "shell/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpContentWidget>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/help.h"
#include "ui/help_topics.h"
#include "ui/icons.h"

namespace bb {

namespace {
constexpr std::string_view kFirstPageTopic = "Main";
constexpr std::string_view kHelpOnHelpTopic = "HowToUseHelp";
constexpr int kContentsTab = 0;
constexpr int kIndexTab = 1;
constexpr int kSearchTab = 2;

// Reads the pages, pictures and style sheet out of the help collection.
class HelpBrowser final : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {
        setOpenExternalLinks(true);
        document()->setDocumentMargin(12);
    }

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == QLatin1String("qthelp")) return engine_.fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine& engine_;
};

// Copies `file` into `folder` unless an equally new copy is there.
QString copiedInto(const QString& folder, const QFileInfo& file) {
    const QString copy = QDir(folder).filePath(file.fileName());
    const QFileInfo existing(copy);
    if (!existing.exists() || existing.lastModified() < file.lastModified()) {
        QFile::remove(copy);
        QFile::copy(file.absoluteFilePath(), copy);
    }
    return copy;
}

QString qt(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

QString helpCollectionFile() {
    const QString base = QFileInfo(QString::fromStdString(helpFile())).completeBaseName();
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QFileInfo shipped(programFolder.filePath(base + ".qhc"));
    if (!shipped.exists() || QFileInfo(shipped.absolutePath()).isWritable())
        return shipped.absoluteFilePath();
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/help";
    QDir().mkpath(cache);
    copiedInto(cache, QFileInfo(programFolder.filePath(base + ".qch")));
    return copiedInto(cache, shipped);
}

HelpWindow::HelpWindow(const QString& collectionFile, QWidget* parent)
    : QWidget(parent, Qt::Window),
      engine_(collectionFile),
      browser_(new HelpBrowser(engine_, this)),
      tabs_(new QTabWidget(this)) {
    setWindowTitle(tr("Brokerbook Help"));
    setWindowIcon(programIcon("Help.ico"));
    setHelpTopic(*this, kHelpOnHelpTopic);
    engine_.setReadOnly(true);
    open_ = QFileInfo::exists(collectionFile) && engine_.setupData();

    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Back"),
                                       browser_, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    QAction* forward = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                          tr("&Forward"), browser_, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    toolbar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("C&ontents"), this,
                       [this] { showTopic({}); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);

    QHelpContentWidget* contents = engine_.contentWidget();
    contents->setHeaderHidden(true);
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::showPage);
    // No entry is cut: the column is as wide as its widest entry, with a
    // scroll bar when the pane is narrower.
    contents->header()->setStretchLastSection(false);
    contents->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(engine_.contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        engine_.contentWidget()->expandToDepth(0);
        followContents(browser_->source());
        fitContents();
    });
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::followContents);
    tabs_->addTab(contents, tr("&Contents"));
    tabs_->addTab(makeIndexTab(), tr("&Index"));
    tabs_->addTab(makeSearchTab(), tr("&Search"));

    splitter_ = new QSplitter(this);
    QSplitter* splitter = splitter_;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(splitter);
    resize(920, 640);
}

QWidget* HelpWindow::makeIndexTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    lookFor_ = new QLineEdit(tab);
    lookFor_->setAccessibleName(tr("Look for"));
    auto* prompt = new QLabel(tr("&Look for:"), tab);
    prompt->setBuddy(lookFor_);
    QHelpIndexWidget* index = engine_.indexWidget();
    connect(lookFor_, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(lookFor_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& document, const QString&) { showPage(document.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& documents, const QString&) {
                if (!documents.isEmpty()) showPage(documents.first().url);
            });
    layout->addWidget(prompt);
    layout->addWidget(lookFor_);
    layout->addWidget(index);
    return tab;
}

QWidget* HelpWindow::makeSearchTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    QHelpSearchEngine* search = engine_.searchEngine();
    QHelpSearchQueryWidget* query = search->queryWidget();
    connect(query, &QHelpSearchQueryWidget::search, search,
            [search, query] { search->search(query->searchInput()); });
    // The full-text index is built when the tab is first used; a search
    // asked for meanwhile runs again once it is ready.
    connect(tabs_, &QTabWidget::currentChanged, search, [this, search](int chosen) {
        if (chosen == kSearchTab && !indexed_) search->reindexDocumentation();
        indexed_ = indexed_ || chosen == kSearchTab;
    });
    connect(search, &QHelpSearchEngine::indexingFinished, query, [search, query] {
        if (!query->searchInput().isEmpty()) search->search(query->searchInput());
    });
    connect(search->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this,
            &HelpWindow::showPage);
    layout->addWidget(query);
    layout->addWidget(search->resultWidget(), 1);
    return tab;
}

void HelpWindow::showTopic(std::string_view topic) {
    QList<QHelpLink> pages;
    for (const std::string& choice : helpTopicChoices(topic)) {
        pages = engine_.documentsForIdentifier(qt(choice));
        if (!pages.isEmpty()) break;
    }
    if (pages.isEmpty()) pages = engine_.documentsForIdentifier(qt(kFirstPageTopic));
    if (!pages.isEmpty()) showPage(pages.first().url);
    tabs_->setCurrentIndex(kContentsTab);
    bringToFront();
}

void HelpWindow::showIndex() {
    if (browser_->source().isEmpty()) showTopic({});
    tabs_->setCurrentIndex(kIndexTab);
    bringToFront();
    lookFor_->setFocus();
    lookFor_->selectAll();
}

void HelpWindow::showSearch() {
    if (browser_->source().isEmpty()) showTopic({});
    tabs_->setCurrentIndex(kSearchTab);
    bringToFront();
}

QUrl HelpWindow::currentPage() const {
    return browser_->source();
}

void HelpWindow::showPage(const QUrl& page) {
    browser_->setSource(page);
}

void HelpWindow::followContents(const QUrl& page) {
    QHelpContentWidget* contents = engine_.contentWidget();
    const QModelIndex entry = contents->indexOf(page);
    if (!entry.isValid()) return;
    // Its branch open and the entry in view, also while the window is still
    // hidden (a hidden tree does not scroll to its current entry by itself).
    for (QModelIndex up = entry.parent(); up.isValid(); up = up.parent()) contents->expand(up);
    contents->setCurrentIndex(entry);
    contents->scrollTo(entry);
}

void HelpWindow::fitContents() {
    QHelpContentWidget* contents = engine_.contentWidget();
    // Every entry open once, to measure the widest, then as before.
    QList<QModelIndex> closed;
    for (QModelIndex at = contents->model()->index(0, 0); at.isValid();
         at = contents->indexBelow(at)) {
        if (contents->model()->hasChildren(at) && !contents->isExpanded(at)) {
            closed.push_back(at);
            contents->expand(at);
        }
    }
    const QAbstractItemView& view = *contents;
    const int widest = view.sizeHintForColumn(0) + contents->frameWidth() * 2 +
                       contents->verticalScrollBar()->sizeHint().width();
    for (auto it = closed.rbegin(); it != closed.rend(); ++it) contents->collapse(*it);
    // The pane takes the room its entries need, leaving the page at least half.
    const QList<int> sizes = splitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    const int pane = std::min(std::max(sizes.value(0), widest), total / 2);
    splitter_->setSizes({pane, total - pane});
}

void HelpWindow::bringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

}  // namespace bb
