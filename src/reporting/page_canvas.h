// The print preview's paper: a widget that draws a report's pages from its
// page queue, either as tiles (a grid of whole pages) or one page at a
// zoom, and tells which page, and where on it, the user clicked.
//
// Pages are drawn from their operations at the size they take on the screen,
// so they are sharp at every zoom. The pages last drawn are kept decoded
// (a few dozen at most). Used from the GUI thread.
#pragma once

#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "reporting/page_store.h"

namespace bb {

class PageCanvas : public QWidget {
public:
    explicit PageCanvas(const PageStore& pages, QWidget* parent = nullptr);

    // A grid from page `first` in a view of `view`; `current` is framed.
    void showTiles(int first, int across, int down, int current, QSize view);
    // Page `page` at `zoom` (kZoomPageWidth or a percentage).
    void showPage(int page, int zoom, int viewWidth);

    // The pages shown and where they lie.
    const std::vector<std::pair<int, QRect>>& Shown() const { return shown_; }
    // The page at `point`, with the point in percent of its width and height.
    struct Hit {
        int page;
        int xPercent;
        int yPercent;
    };
    std::optional<Hit> hitAt(QPoint point) const;
    // Where on the widget the point of page `page` at these percentages lies.
    QPoint pointOf(int page, int xPercent, int yPercent) const;

    // Natural size: the page on paper at the screen's resolution.
    QSize naturalPageSize() const;
    // Height / width of the paper.
    double aspectRatio() const;

    // Told of a mouse press on a page (button, the hit, the global position).
    std::function<void(Qt::MouseButton, Hit, QPoint)> clicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Page* page(int number);
    void drawPage(QPainter& painter, int number, const QRect& at);

    const PageStore& pages_;
    FontSet fonts_;
    std::map<int, Page> cache_;
    std::vector<std::pair<int, QRect>> shown_;
    int framed_ = 0;
};

}  // namespace bb
