#include "reporting/page_canvas.h"

#include <QMouseEvent>
#include <QPainter>

#include "reporting/preview_layout.h"

namespace bb {

namespace {

// Pages kept decoded: more than a screen of tiles holds.
constexpr std::size_t kCachedPages = 48;

}  // namespace

PageCanvas::PageCanvas(const PageStore& pages, QWidget* parent)
    : QWidget(parent), pages_(pages), fonts_(pages.setup.fonts) {
    setAccessibleName("Pages");
    setAutoFillBackground(false);
}

QSize PageCanvas::naturalPageSize() const {
    return QSize(pages_.setup.width * logicalDpiX() / kInch,
                 pages_.setup.height * logicalDpiY() / kInch);
}

double PageCanvas::aspectRatio() const {
    return pages_.setup.width > 0 ? double(pages_.setup.height) / pages_.setup.width : 1.0;
}

void PageCanvas::showTiles(int first, int across, int down, int current, QSize view) {
    shown_.clear();
    const int count = std::max(0, std::min(across * down, pages_.Count() - first + 1));
    const std::vector<QRect> rects = tileRects(view, across, down, count, aspectRatio());
    for (std::size_t i = 0; i < rects.size(); ++i)
        shown_.emplace_back(first + static_cast<int>(i), rects[i]);
    framed_ = current;
    setFixedSize(view);
    update();
}

void PageCanvas::showPage(int number, int zoom, int viewWidth) {
    const QSize size = zoomedPageSize(viewWidth, zoom, naturalPageSize());
    const int width = std::max(viewWidth, size.width() + 2 * kTileGap);
    shown_ = {{number, QRect(QPoint((width - size.width()) / 2, kTileGap), size)}};
    framed_ = 0;
    setFixedSize(width, size.height() + 2 * kTileGap);
    update();
}

std::optional<PageCanvas::Hit> PageCanvas::hitAt(QPoint point) const {
    for (const auto& [number, rect] : shown_) {
        if (!rect.contains(point)) continue;
        const auto percent = [](int offset, int length) {
            return (offset * 100 + length / 2) / std::max(1, length);
        };
        return Hit{number, percent(point.x() - rect.x(), rect.width()),
                   percent(point.y() - rect.y(), rect.height())};
    }
    return std::nullopt;
}

QPoint PageCanvas::pointOf(int number, int xPercent, int yPercent) const {
    for (const auto& [n, rect] : shown_) {
        if (n == number)
            return rect.topLeft() +
                   QPoint(rect.width() * xPercent / 100, rect.height() * yPercent / 100);
    }
    return {};
}

const Page* PageCanvas::page(int number) {
    if (auto it = cache_.find(number); it != cache_.end()) return &it->second;
    std::optional<Page> loaded = pages_.Load(number);
    if (!loaded) return nullptr;
    if (cache_.size() >= kCachedPages) cache_.clear();
    return &cache_.emplace(number, std::move(*loaded)).first->second;
}

void PageCanvas::drawPage(QPainter& painter, int number, const QRect& at) {
    painter.fillRect(at.translated(3, 3), QColor(0, 0, 0, 60));  // the paper's shadow
    painter.fillRect(at, Qt::white);
    if (const Page* p = page(number)) {
        painter.save();
        painter.translate(at.topLeft());
        painter.scale(double(at.width()) / pages_.setup.width,
                      double(at.height()) / pages_.setup.height);
        paintPage(painter, *p, fonts_);
        painter.restore();
    } else {
        painter.setPen(Qt::darkRed);
        painter.drawText(at, Qt::AlignCenter | Qt::TextWordWrap,
                         QString::fromStdString(pages_.LastError()));
    }
    const bool framed = number == framed_;
    const QPen pen = framed ? QPen(palette().highlight().color(), 3) : QPen(Qt::darkGray, 1);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The border lies wholly outside the paper, as wide on every side.
    const qreal half = pen.widthF() / 2;
    painter.drawRect(QRectF(at).adjusted(-half, -half, half, half));
}

void PageCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().dark());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const auto& [number, at] : shown_) drawPage(painter, number, at);
}

void PageCanvas::mousePressEvent(QMouseEvent* event) {
    const std::optional<Hit> hit = hitAt(event->position().toPoint());
    if (hit && clicked) clicked(event->button(), *hit, event->globalPosition().toPoint());
}

}  // namespace bb
