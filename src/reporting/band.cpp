#include "reporting/band.h"

#include <algorithm>
#include <cassert>

namespace bb {

namespace {

std::optional<Picture> pictureOf(std::string_view spec) {
    if (spec.empty()) return std::nullopt;
    std::string error;
    std::optional<Picture> p = Picture::compile(spec, &error);
    assert(p && "a report declares a picture this program cannot use");
    return p;
}

Item placed(Item::Kind kind, Mils x, Mils y, Mils width) {
    Item item;
    item.kind = kind;
    item.x = x;
    item.y = y;
    item.width = width;
    return item;
}

// Numbers line up on their right edges.
Align naturalAlign(const std::optional<Picture>& p) {
    return p && p->kind() == Picture::Kind::Numeric ? Align::Right : Align::Left;
}

}  // namespace

ValueSource fieldSource(FieldRef field) {
    return [field] { return field.value(); };
}

Item Item::Text(Mils x, Mils y, Mils width, std::string text) {
    Item item = placed(Kind::Text, x, y, width);
    item.text = std::move(text);
    return item;
}

Item Item::Field(Mils x, Mils y, Mils width, ValueSource value, std::string_view picture) {
    Item item = placed(Kind::Field, x, y, width);
    item.value = std::move(value);
    item.picture = pictureOf(picture);
    item.align = naturalAlign(item.picture);
    return item;
}

Item Item::Field(Mils x, Mils y, Mils width, FieldRef field, std::string_view picture) {
    return Field(x, y, width, fieldSource(field), picture);
}

Item Item::Total(Mils x, Mils y, Mils width, ValueSource value, std::string_view picture,
                 int over) {
    Item item = Field(x, y, width, std::move(value), picture);
    item.kind = Kind::Total;
    item.align = Align::Right;
    item.over = over;
    return item;
}

Item Item::Total(Mils x, Mils y, Mils width, FieldRef field, std::string_view picture, int over) {
    return Total(x, y, width, fieldSource(field), picture, over);
}

Item Item::Count(Mils x, Mils y, Mils width, std::string_view picture, int over) {
    Item item = Total(x, y, width, ValueSource(), picture, over);
    item.total = TotalKind::Count;
    return item;
}

Item Item::PageNumber(Mils x, Mils y, Mils width, std::string before) {
    Item item = placed(Kind::PageNumber, x, y, width);
    item.text = std::move(before);
    return item;
}

Item Item::Block(Mils x, Mils y, Mils width, ValueSource value) {
    Item item = placed(Kind::Block, x, y, width);
    item.value = std::move(value);
    return item;
}

Item Item::Rule(Mils x, Mils y, Mils width, Mils height, Mils thickness) {
    Item item = placed(Kind::Rule, x, y, width);
    item.height = height;
    item.thickness = thickness;
    return item;
}

Item Item::Box(Mils x, Mils y, Mils width, Mils height, Mils thickness, std::uint8_t shade) {
    Item item = Rule(x, y, width, height, thickness);
    item.kind = Kind::Box;
    item.shade = shade;
    return item;
}

Item& Item::aligned(Align a) {
    align = a;
    return *this;
}

Item& Item::in(int index) {
    font = index;
    return *this;
}

Band& Band::add(Item item) {
    items.push_back(std::move(item));
    return *this;
}

Mils layColumns(const ColumnLayout& layout, const std::vector<ReportFont>& fonts, Band& headings,
                Mils y, Band& detail) {
    const FontSet set(fonts);
    Mils x = 0;
    for (const Column& c : layout.columns) {
        headings.add(Item::Text(x, y, c.width, c.heading).aligned(c.align).in(layout.headingFont));
        detail.add(Item::Field(x, 0, c.width, c.value, c.picture).aligned(c.align).in(layout.font));
        x += c.width + layout.gap;
    }
    const Mils ruleY = y + set.lineHeight(layout.headingFont) + 20;
    headings.add(Item::Rule(0, ruleY, x - layout.gap));
    // Air between the rule and the first row under it.
    headings.height = std::max(headings.height, ruleY + 60);
    return headings.height;
}

}  // namespace bb
