#include "reporting/page.h"

namespace bb {

namespace {

// Leads every encoded page, so that a stray or cut file is never drawn.
constexpr char kMagic[4] = {'B', 'B', 'P', '1'};

enum class OpKind : std::uint8_t { Text = 1, Rule = 2, Box = 3 };

class Writer {
public:
    void byte(std::uint8_t b) { out.push_back(static_cast<char>(b)); }
    void word(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8) byte(static_cast<std::uint8_t>(u >> shift));
    }
    void text(const std::string& s) {
        word(static_cast<std::int32_t>(s.size()));
        out += s;
    }
    std::string out;
};

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}
    bool byte(std::uint8_t& b) {
        if (at_ >= in_.size()) return false;
        b = static_cast<std::uint8_t>(in_[at_++]);
        return true;
    }
    bool word(std::int32_t& v) {
        std::uint32_t u = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            std::uint8_t b = 0;
            if (!byte(b)) return false;
            u |= static_cast<std::uint32_t>(b) << shift;
        }
        v = static_cast<std::int32_t>(u);
        return true;
    }
    bool text(std::string& s) {
        std::int32_t n = 0;
        if (!word(n) || n < 0 || static_cast<std::size_t>(n) > in_.size() - at_) return false;
        s.assign(in_.substr(at_, static_cast<std::size_t>(n)));
        at_ += static_cast<std::size_t>(n);
        return true;
    }
    bool done() const { return at_ == in_.size(); }

private:
    std::string_view in_;
    std::size_t at_ = 0;
};

void encodeOp(Writer& w, const PageText& t) {
    w.byte(static_cast<std::uint8_t>(OpKind::Text));
    w.word(t.x);
    w.word(t.y);
    w.byte(t.font);
    w.text(t.text);
}

void encodeOp(Writer& w, const PageRule& r) {
    w.byte(static_cast<std::uint8_t>(OpKind::Rule));
    for (Mils v : {r.x1, r.y1, r.x2, r.y2, r.thickness}) w.word(v);
}

void encodeOp(Writer& w, const PageBox& b) {
    w.byte(static_cast<std::uint8_t>(OpKind::Box));
    for (Mils v : {b.x, b.y, b.width, b.height, b.thickness}) w.word(v);
    w.byte(b.shade);
}

std::optional<PageOp> decodeOp(Reader& r) {
    std::uint8_t kind = 0;
    if (!r.byte(kind)) return std::nullopt;
    switch (static_cast<OpKind>(kind)) {
        case OpKind::Text: {
            PageText t;
            if (r.word(t.x) && r.word(t.y) && r.byte(t.font) && r.text(t.text)) return t;
            return std::nullopt;
        }
        case OpKind::Rule: {
            PageRule l;
            if (r.word(l.x1) && r.word(l.y1) && r.word(l.x2) && r.word(l.y2) && r.word(l.thickness))
                return l;
            return std::nullopt;
        }
        case OpKind::Box: {
            PageBox b;
            if (r.word(b.x) && r.word(b.y) && r.word(b.width) && r.word(b.height) &&
                r.word(b.thickness) && r.byte(b.shade))
                return b;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

QPen outline(Mils thickness) {
    return thickness > 0 ? QPen(Qt::black, thickness) : QPen(Qt::NoPen);
}

}  // namespace

std::string encodePage(const Page& page) {
    Writer w;
    w.out.append(kMagic, sizeof kMagic);
    w.word(static_cast<std::int32_t>(page.ops.size()));
    for (const PageOp& op : page.ops) std::visit([&w](const auto& o) { encodeOp(w, o); }, op);
    return std::move(w.out);
}

std::optional<Page> decodePage(std::string_view bytes) {
    if (bytes.substr(0, sizeof kMagic) != std::string_view(kMagic, sizeof kMagic))
        return std::nullopt;
    Reader r(bytes.substr(sizeof kMagic));
    std::int32_t count = 0;
    if (!r.word(count) || count < 0) return std::nullopt;
    Page page;
    for (std::int32_t i = 0; i < count; ++i) {
        std::optional<PageOp> op = decodeOp(r);
        if (!op) return std::nullopt;
        page.ops.push_back(std::move(*op));
    }
    if (!r.done()) return std::nullopt;
    return page;
}

void paintPage(QPainter& painter, const Page& page, const FontSet& fonts) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    int current = -1;
    qreal ascent = 0;
    for (const PageOp& op : page.ops) {
        if (const auto* t = std::get_if<PageText>(&op)) {
            if (t->font >= fonts.size()) continue;  // a page of another report
            if (t->font != current) {
                current = t->font;
                painter.setFont(fonts.font(current));
                ascent = fonts.metrics(current).ascent();
            }
            painter.setPen(Qt::black);
            painter.drawText(QPointF(t->x, t->y + ascent), QString::fromUtf8(t->text));
        } else if (const auto* l = std::get_if<PageRule>(&op)) {
            painter.setPen(QPen(Qt::black, l->thickness, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(l->x1, l->y1), QPointF(l->x2, l->y2));
        } else if (const auto* b = std::get_if<PageBox>(&op)) {
            painter.setPen(outline(b->thickness));
            const int gray = 255 - b->shade * 255 / 100;
            painter.setBrush(b->shade > 0 ? QBrush(QColor(gray, gray, gray)) : QBrush(Qt::NoBrush));
            painter.drawRect(QRectF(b->x, b->y, b->width, b->height));
        }
    }
    painter.restore();
}

}  // namespace bb
