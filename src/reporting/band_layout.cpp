#include "reporting/band_layout.h"

#include <algorithm>

#include "platform/text.h"
#include "reporting/text_wrap.h"

namespace bb {

namespace {

// A text at its place within [x, x + width] by its alignment; shortened with
// an ellipsis when it is wider. A width of 0 sets no bound.
PageText fitted(const FontSet& fonts, const Item& item, std::string s, Mils x) {
    PageText t{x, item.y, static_cast<std::uint8_t>(item.font), std::move(s)};
    if (item.width <= 0 || t.text.empty()) return t;
    QString q = QString::fromStdString(t.text);
    Mils w = fonts.width(item.font, q);
    if (w > item.width) {
        q = fonts.metrics(item.font).elidedText(q, Qt::ElideRight, item.width);
        t.text = q.toStdString();
        w = fonts.width(item.font, q);
    }
    if (item.align == Align::Right) t.x += item.width - w;
    if (item.align == Align::Center) t.x += (item.width - w) / 2;
    return t;
}

Mils textBottom(const FontSet& fonts, const Item& item) {
    return item.y + std::max(item.height, fonts.lineHeight(item.font));
}

// A block's lines, one under the other; returns the bottom of the last.
Mils addBlock(const Item& item, const BandContext& c, Mils x, LaidOutBand& out) {
    const Mils line = c.fonts.lineHeight(item.font);
    const QString text = QString::fromStdString(c.valueOf(item).toText());
    Mils y = item.y;
    for (const QString& l : wrapText(text, c.fonts.font(item.font), item.width)) {
        Item one = item;
        one.y = y;
        if (!l.isEmpty()) out.ops.push_back(fitted(c.fonts, one, l.toStdString(), x));
        y += line;
    }
    return std::max(y, item.y + item.height);
}

Mils addGraphic(const Item& item, Mils x, LaidOutBand& out) {
    if (item.kind == Item::Kind::Box) {
        out.ops.push_back(PageBox{x, item.y, item.width, item.height, item.thickness, item.shade});
    } else {
        out.ops.push_back(
            PageRule{x, item.y, x + item.width, item.y + item.height, item.thickness});
    }
    return item.y + item.height + item.thickness / 2;
}

// Adds one item; returns its bottom.
Mils addItem(const Item& item, const BandContext& c, LaidOutBand& out) {
    const Mils x = c.left + item.x;
    std::string s;
    switch (item.kind) {
        case Item::Kind::Block:
            return addBlock(item, c, x, out);
        case Item::Kind::Rule:
        case Item::Kind::Box:
            return addGraphic(item, x, out);
        case Item::Kind::Text:
            s = item.text;
            break;
        case Item::Kind::Field:
            s = shownText(item, c.valueOf(item));
            break;
        case Item::Kind::Total:
            s = shownText(item, c.totalOf(item));
            break;
        case Item::Kind::PageNumber:
            s = item.text + std::to_string(c.page);
            break;
    }
    if (!s.empty()) out.ops.push_back(fitted(c.fonts, item, std::move(s), x));
    return textBottom(c.fonts, item);
}

// The top and bottom of an operation.
std::pair<Mils, Mils> extent(const PageOp& op, const FontSet& fonts) {
    if (const auto* t = std::get_if<PageText>(&op)) return {t->y, t->y + fonts.lineHeight(t->font)};
    if (const auto* l = std::get_if<PageRule>(&op))
        return {std::min(l->y1, l->y2), std::max(l->y1, l->y2)};
    const auto& b = std::get<PageBox>(op);
    return {b.y, b.y + b.height};
}

void shift(PageOp& op, Mils dy) {
    std::visit(
        [dy](auto& o) {
            using T = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<T, PageRule>) {
                o.y1 += dy;
                o.y2 += dy;
            } else {
                o.y += dy;
            }
        },
        op);
}

}  // namespace

std::string shownText(const Item& item, const Value& value) {
    const std::string s = item.picture ? item.picture->format(value) : value.toText();
    return std::string(text::trim(s));
}

LaidOutBand layOutBand(const Band& band, const BandContext& context) {
    LaidOutBand out;
    out.height = band.height;
    for (const Item& item : band.items)
        out.height = std::max(out.height, addItem(item, context, out));
    return out;
}

void moveDown(LaidOutBand& band, Mils y) {
    for (PageOp& op : band.ops) shift(op, y);
}

std::optional<LaidOutBand> takeTop(LaidOutBand& band, Mils room, const FontSet& fonts) {
    // The lowest top of an operation that fits above `room` and that no
    // other operation straddles.
    Mils cut = 0;
    for (const PageOp& op : band.ops) {
        const Mils top = extent(op, fonts).first;
        if (top <= cut || top > room) continue;
        const bool clean = std::none_of(band.ops.begin(), band.ops.end(), [&](const PageOp& o) {
            const auto [a, b] = extent(o, fonts);
            return a < top && b > top;
        });
        if (clean) cut = top;
    }
    if (cut == 0) return std::nullopt;
    LaidOutBand head{cut, {}};
    std::vector<PageOp> rest;
    for (PageOp& op : band.ops) {
        if (extent(op, fonts).first < cut) {
            head.ops.push_back(std::move(op));
        } else {
            shift(op, -cut);
            rest.push_back(std::move(op));
        }
    }
    band.ops = std::move(rest);
    band.height -= cut;
    return head;
}

}  // namespace bb
