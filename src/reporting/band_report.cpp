#include "reporting/band_report.h"

#include <cassert>

#include "platform/text.h"

namespace bb {

namespace {

bool sameBreak(const Value& a, const Value& b) {
    if (a.isText() != b.isText()) return false;
    return a.isText() ? text::equal(a.asText(), b.asText()) : a.asNumber() == b.asNumber();
}

bool shows(const Item& item) {
    return item.kind == Item::Kind::Field || item.kind == Item::Kind::Block;
}

}  // namespace

BandReport::BandReport(ReportLayout layout) : layout_(std::move(layout)), fonts_(layout_.fonts) {
    if (layout_.labels) {
        layout_.pageWidth = layout_.labels->pageWidth;
        layout_.pageHeight = layout_.labels->pageHeight;
    }
    groupValues_.resize(layout_.groups.size());
    for (std::size_t g = 0; g < layout_.groups.size(); ++g) {
        registerTotals(layout_.groups[g].footer, static_cast<int>(g));
        for ([[maybe_unused]] const Item& item : layout_.groups[g].header.items)
            assert(item.kind != Item::Kind::Total && "a group's total is known at its end");
    }
    registerTotals(layout_.pageHeader, kPageScope);
    registerTotals(layout_.pageFooter, kPageScope);
    registerTotals(layout_.reportHeader, kReportScope);
    registerTotals(layout_.reportFooter, kReportScope);
    for (const Band& d : layout_.details) registerTotals(d, kReportScope);
}

void BandReport::registerTotals(const Band& band, int scope) {
    for (const Item& item : band.items) {
        if (item.kind != Item::Kind::Total) continue;
        totalIndex_[&item] = totals_.size();
        totals_.push_back({&item, scope, Decimal(), 0});
    }
}

void BandReport::accumulate(int detail) {
    for (Accumulator& a : totals_) {
        if (a.item->over != detail) continue;
        ++a.count;
        if (a.item->total == TotalKind::Sum) a.sum = a.sum + a.item->value().toNumber();
    }
}

void BandReport::resetTotals(int scope) {
    for (Accumulator& a : totals_) {
        if (a.group != scope) continue;
        a.sum = Decimal();
        a.count = 0;
    }
}

Value BandReport::totalOf(const Item& item) const {
    const Accumulator& a = totals_[totalIndex_.at(&item)];
    return a.item->total == TotalKind::Count ? Value::number(a.count) : Value::number(a.sum);
}

void BandReport::capture(const Band& band) {
    for (const Item& item : band.items) {
        if (shows(item)) captured_[&item] = item.value();
    }
}

void BandReport::captureFooterValues() {
    for (const Group& g : layout_.groups) capture(g.footer);
    capture(layout_.reportFooter);
}

BandContext BandReport::context(Mils left, bool captured) const {
    BandContext c{fonts_, left, pageNumber_, {}, {}};
    c.valueOf = [this, captured](const Item& item) {
        if (captured) {
            if (auto it = captured_.find(&item); it != captured_.end()) return it->second;
        }
        return item.value();
    };
    c.totalOf = [this](const Item& item) { return totalOf(item); };
    return c;
}

LaidOutBand BandReport::layOut(const Band& band, bool captured) const {
    return layOutBand(band, context(layout_.margins.left, captured));
}

Severity BandReport::fail(std::string text) {
    failed_ = true;
    error_ = std::move(text);
    return SeverityFatal;
}

Severity BandReport::Open(PageStore& pages) {
    pages_ = &pages;
    pages.setup = {layout_.title, layout_.pageWidth, layout_.pageHeight, layout_.fonts};
    return SeverityNone;
}

// The outermost group whose value changed with this record (all of them
// for the first record); the groups' size when none did.
int BandReport::firstBreak() {
    const int count = static_cast<int>(layout_.groups.size());
    int first = count;
    for (int g = 0; g < count; ++g) {
        std::optional<Value>& last = groupValues_[static_cast<std::size_t>(g)];
        Value v = layout_.groups[static_cast<std::size_t>(g)].breakOn();
        if (first == count && !(last && sameBreak(*last, v))) first = g;
        last = std::move(v);
    }
    return first;
}

Severity BandReport::endGroups(int from) {
    for (int g = static_cast<int>(layout_.groups.size()) - 1; g >= from; --g) {
        if (Severity s = place(layOut(layout_.groups[static_cast<std::size_t>(g)].footer, true));
            s != SeverityNone)
            return s;
        resetTotals(g);
    }
    return SeverityNone;
}

Severity BandReport::beginGroups(int from, int detail) {
    struct Pending {
        LaidOutBand band;
        bool newPage;
    };
    std::vector<Pending> bands;
    for (std::size_t g = static_cast<std::size_t>(from); g < layout_.groups.size(); ++g)
        bands.push_back({layOut(layout_.groups[g].header), layout_.groups[g].newPage});
    accumulate(detail);
    const Band& d = layout_.details.at(static_cast<std::size_t>(detail));
    bands.push_back({layOut(d), d.newPageBefore});
    // Headers stay with the record that follows them.
    Mils height = 0;
    for (const Pending& p : bands) height += p.band.height;
    if (bands.size() > 1 && pageHasBody_ && cursor_ + height > bodyBottom_) {
        if (Severity s = newPage(); s != SeverityNone) return s;
    }
    for (Pending& p : bands) {
        if (Severity s = place(std::move(p.band), p.newPage); s != SeverityNone) return s;
    }
    return SeverityNone;
}

Severity BandReport::Print(int detail) {
    assert(IsOpen() && detail >= 0 && detail < static_cast<int>(layout_.details.size()));
    if (failed_) return SeverityFatal;
    if (layout_.labels) return printLabel(detail);
    const int from = firstBreak();
    Severity s = SeverityNone;
    if (!started_) {
        started_ = true;
        s = place(layOut(layout_.reportHeader));
    } else {
        s = endGroups(from);
    }
    if (s == SeverityNone) s = beginGroups(from, detail);
    captureFooterValues();
    return s;
}

Severity BandReport::printLabel(int detail) {
    const LabelSheet& sheet = *layout_.labels;
    Severity s = ensurePage();
    if (s == SeverityNone && label_ == sheet.perSheet()) s = newPage();
    if (s != SeverityNone) return s;
    LaidOutBand label = layOutBand(layout_.details.at(static_cast<std::size_t>(detail)),
                                   context(sheet.labelX(label_), false));
    // What does not fit the label is left off rather than printed on the next.
    std::erase_if(label.ops, [&](const PageOp& op) {
        const auto* t = std::get_if<PageText>(&op);
        return t && t->y + fonts_.lineHeight(t->font) > sheet.labelHeight;
    });
    moveDown(label, sheet.labelY(label_));
    append(std::move(label), 0);
    ++label_;
    return SeverityNone;
}

Severity BandReport::Close() {
    assert(IsOpen());
    if (failed_) return SeverityFatal;
    Severity s = SeverityNone;
    if (!layout_.labels) {
        s = started_ ? endGroups(0) : place(layOut(layout_.reportHeader));
        if (s == SeverityNone) s = place(layOut(layout_.reportFooter, true));
    }
    if (s == SeverityNone) s = ensurePage();
    if (s == SeverityNone) s = endPage();
    pages_ = nullptr;
    return s;
}

Severity BandReport::ensurePage() {
    return pageOpen_ ? SeverityNone : startPage();
}

Severity BandReport::newPage() {
    if (Severity s = endPage(); s != SeverityNone) return s;
    return startPage();
}

Severity BandReport::startPage() {
    ++pageNumber_;
    pageOpen_ = true;
    pageHasBody_ = false;
    label_ = 0;
    resetTotals(kPageScope);
    if (layout_.labels) return SeverityNone;
    LaidOutBand header = layOut(layout_.pageHeader);
    cursor_ = layout_.margins.top + header.height;
    append(std::move(header), layout_.margins.top);
    bodyBottom_ = layout_.pageHeight - layout_.margins.bottom - layOut(layout_.pageFooter).height;
    return SeverityNone;
}

Severity BandReport::endPage() {
    if (!layout_.labels) {
        LaidOutBand footer = layOut(layout_.pageFooter);
        const Mils y = layout_.pageHeight - layout_.margins.bottom - footer.height;
        append(std::move(footer), y);
    }
    pageOpen_ = false;
    const bool written = pages_->Add(page_);
    page_.ops.clear();
    return written ? SeverityNone : fail(pages_->LastError());
}

void BandReport::append(LaidOutBand band, Mils y) {
    moveDown(band, y);
    for (PageOp& op : band.ops) page_.ops.push_back(std::move(op));
}

Severity BandReport::place(LaidOutBand band, bool newPageBefore) {
    Severity s = ensurePage();
    if (s == SeverityNone && newPageBefore && pageHasBody_) s = newPage();
    while (s == SeverityNone && cursor_ + band.height > bodyBottom_) {
        if (pageHasBody_) {
            s = newPage();
            continue;
        }
        // Taller than a whole page: as much as fits here, the rest after.
        std::optional<LaidOutBand> head = takeTop(band, bodyBottom_ - cursor_, fonts_);
        if (!head) break;  // nothing to cut between: it runs over the foot
        append(std::move(*head), cursor_);
        s = newPage();
    }
    if (s != SeverityNone) return s;
    const Mils y = cursor_;
    cursor_ += band.height;
    // An empty band (a report without a header) leaves the page as fresh.
    pageHasBody_ = pageHasBody_ || band.height > 0 || !band.ops.empty();
    append(std::move(band), y);
    return SeverityNone;
}

}  // namespace bb
