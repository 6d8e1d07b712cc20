#include "data/view_manager.h"

#include "data/view_order.h"
#include "platform/filter.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace bb {

namespace {

// The key of `file` whose leading components are exactly `fields`, in order.
int keyLeadingWith(FileId file, const std::vector<int>& fields) {
    const FileDef& def = fileDef(file);
    for (std::size_t k = 0; k < def.keys.size(); ++k) {
        const auto& comps = def.keys[k].components;
        if (comps.size() < fields.size()) continue;
        bool match = true;
        for (std::size_t i = 0; i < fields.size() && match; ++i)
            match = comps[i].field == fields[i];
        if (match) return static_cast<int>(k);
    }
    return -1;
}

}  // namespace

std::vector<ViewTable> viewTables(const ViewSpec& spec) {
    std::vector<ViewTable> tables;
    std::vector<FileId> ids = {spec.primary};
    tables.push_back({&fileDef(spec.primary), &buffer(spec.primary), -1, {}, -1, false});
    for (const ViewJoin& join : spec.joins) {
        const FileId parent = ids[static_cast<std::size_t>(join.parent)];
        ViewTable t{&fileDef(join.file), &buffer(join.file), join.parent, {}, -1, join.inner};
        // The relation as the parent registers it (parent's fields into this
        // file's key), or as this file registers it (this file's key looked up).
        for (const RelationDef& r : relationsOf(parent)) {
            if (r.related != join.file || !r.keyed) continue;
            t.key = r.relatedKey;
            for (const LinkPair& l : r.links) t.links.emplace_back(l.field, l.relatedField);
        }
        if (t.links.empty()) {
            for (const RelationDef& r : relationsOf(join.file)) {
                if (r.related != parent || !r.keyed) continue;
                std::vector<int> fields;
                for (const LinkPair& l : r.links) {
                    t.links.emplace_back(l.relatedField, l.field);
                    fields.push_back(l.field);
                }
                t.key = keyLeadingWith(join.file, fields);
            }
        }
        ids.push_back(join.file);
        tables.push_back(std::move(t));
    }
    return tables;
}

void ViewManager::Setup(const ViewSpec& view, RelationManager& primary,
                        std::vector<SortOrder>* orders, const NameBindings& names) {
    spec_ = view;
    PRIMARY = &primary;
    DISPOSEORDER = orders == nullptr;
    ORDER = orders ? orders : &ownOrders_;
    current_ = 0;
    PAGESIZE = kPageSize;
    PAGESBEHIND = kPagesBehind;
    PAGESAHEAD = kPagesAhead;
    TIMEOUT = kPageTimeoutSeconds;
    OPENED = false;
    names_ = &names;
    VIEW = primary.Me->storage().view(viewTables(view));
    EnsureViewOpen();
}

void ViewManager::Teardown() {
    Close();
    for (SortOrder& o : *ORDER) {
        o.RANGELIST.clear();
        o.FILTER.clear();
        o.ORDER.clear();
    }
    if (DISPOSEORDER) ownOrders_.clear();
    VIEW.reset();
}

std::vector<FileId> ViewManager::files() const {
    std::vector<FileId> ids = {spec_.primary};
    for (const ViewJoin& j : spec_.joins) ids.push_back(j.file);
    return ids;
}

Severity ViewManager::EnsureViewOpen() {
    for (FileId id : files()) {
        FileManager* fm = fileManagerFor(id);
        if (!fm) return SeverityFatal;
        if (!fm->IsOpen()) return fm->Throw(ErrFileUsage);
    }
    return SeverityNone;
}

SortOrder& ViewManager::Current() {
    return (*ORDER)[current_];
}

int ViewManager::DefineSortOrder(int key) {
    SortOrder order;
    order.MAINKEY = key;
    order.FREEELEMENT = key >= 0 ? 1 : 0;
    order.ORDER = key >= 0 ? PRIMARY->Me->KeyOrderText(key) : "";
    ORDER->push_back(std::move(order));
    current_ = ORDER->size() - 1;
    return static_cast<int>(ORDER->size());
}

void ViewManager::rebuildOrderText(SortOrder& order) {
    const int components = PRIMARY->Me->KeyComponents(order.MAINKEY);
    const int next = static_cast<int>(order.RANGELIST.size()) + 1;
    order.FREEELEMENT = next <= components ? next : 0;
    order.ORDER = PRIMARY->Me->KeyOrderText(order.MAINKEY);
}

// The range pairs of the key's components up to `field`: each keeps the
// buffer's current value, except `field` itself when a limit is given.
void ViewManager::defineLeadingRange(int field, std::uint8_t kind, std::function<Value()> limit) {
    SortOrder& o = Current();
    if (o.MAINKEY < 0) return;  // an order without a key has no range
    o.LIMITTYPE = kind;
    o.RANGELIST.clear();
    const FileId file = spec_.primary;
    for (int c = 1; c <= PRIMARY->Me->KeyComponents(o.MAINKEY); ++c) {
        const int f = PRIMARY->Me->KeyComponentField(o.MAINKEY, c);
        if (f == field && limit) {
            o.RANGELIST.push_back({c, std::move(limit), Value()});
            break;
        }
        o.RANGELIST.push_back({c, [file, f] { return buffer(file).get(f); }, Value()});
        if (f == field) break;
    }
    rebuildOrderText(o);
}

void ViewManager::DefineRange(int field) {
    defineLeadingRange(field, CurrentValue, {});
}

void ViewManager::DefineRange(int field, std::function<Value()> limit) {
    defineLeadingRange(field, SingleValue, std::move(limit));
}

void ViewManager::DefineRange(int key, RelationManager& primary, RelationManager& parent) {
    SortOrder& o = Current();
    o.MAINKEY = key;
    o.LIMITTYPE = FileRelation;
    o.RANGELIST.clear();
    const FileId parentFile = parent.Me->File();
    for (const RelationManager::Relation& r : parent.Relations) {
        if (r.File != &primary || r.HisKey() != key) continue;
        int c = 0;
        for (const LinkPair& l : r.Fields()) {
            const int f = l.field;
            o.RANGELIST.push_back(
                {++c, [parentFile, f] { return buffer(parentFile).get(f); }, Value()});
        }
        break;
    }
    rebuildOrderText(o);
}

bool ViewManager::rangeIsNoCase(const SortOrder& o, const RangePair& pair) const {
    const FileDef& def = PRIMARY->Me->Def();
    const int field = PRIMARY->Me->KeyComponentField(o.MAINKEY, pair.component);
    return def.keys[static_cast<std::size_t>(o.MAINKEY)].noCase &&
           def.fields[static_cast<std::size_t>(field)].isText();
}

std::string ViewManager::rangeText() {
    const SortOrder& o = Current();
    const FileManager& primary = *PRIMARY->Me;
    std::string text;
    if (o.LIMITTYPE == NoRange) return text;
    for (const RangePair& pair : o.RANGELIST) {
        const int field = primary.KeyComponentField(o.MAINKEY, pair.component);
        const Value v = pair.value();
        // A text from a wider field is cut to the component's width, as
        // copying it into the component would cut it.
        const std::size_t width = primary.Def().fields[static_cast<std::size_t>(field)].spec.width;
        std::string name = primary.Def().qualifiedName(field);
        std::string literal =
            v.isText() ? filterLiteral(text::fit(v.asText(), width)) : v.asNumber().toString();
        if (rangeIsNoCase(o, pair)) {
            name = "UPPER(" + name + ")";
            literal = "UPPER(" + literal + ")";
        }
        text += (text.empty() ? "" : " AND ") + name + " = " + literal;
    }
    return text;
}

std::string ViewManager::namedFilterText() {
    std::string text;
    for (const NamedFilter& f : Current().FILTER) {
        text += (text.empty() ? "(" : " AND (") + f.FILTER + ")";
    }
    return text;
}

std::string ViewManager::FilterText() {
    // Built whole: a filter cut at some length could still read as a valid,
    // different filter and take the wrong records.
    const std::string range = rangeText();
    const std::string named = namedFilterText();
    return range.empty() || named.empty() ? range + named : range + " AND " + named;
}

std::vector<ViewRangeTerm> ViewManager::rangeTerms() {
    const SortOrder& o = Current();
    std::vector<ViewRangeTerm> terms;
    if (o.LIMITTYPE == NoRange) return terms;
    Record held(PRIMARY->Me->Def());
    for (const RangePair& pair : o.RANGELIST) {
        const int field = PRIMARY->Me->KeyComponentField(o.MAINKEY, pair.component);
        // The value as the component would hold it (a new record in the
        // range gets it so); one it cannot hold leaves the range empty.
        ViewRangeTerm term{field, rangeIsNoCase(o, pair), std::nullopt};
        if (held.set(field, pair.value())) term.value = held.get(field);
        terms.push_back(std::move(term));
    }
    return terms;
}

// The view could not take its order, filter or position: the user is told,
// and the view goes on without its filter and range.
Severity ViewManager::refuse() {
    PRIMARY->Me->Throw(ErrViewOpen);
    VIEW->setFilter({});
    return SeverityNotify;
}

// The view could not be positioned: damage met there is told as such;
// anything else as the view's own failure.
Severity ViewManager::refuse(const DriverStatus& status) {
    if (!damageMet(status)) return refuse();
    PRIMARY->Me->Throw(errorFor(status, ErrViewOpen));
    return SeverityNotify;
}

// A filter or order text that does not read is refused as the runtime
// refuses an expression it cannot compile, the reason as its error text.
void ViewManager::noteBadExpression(const std::string& why) {
    setLastError({code::kBadExpression, why, 0, ""});
}

Severity ViewManager::ApplyFilterText() {
    // The range's values as now applied, for ApplyRangeLimit to compare with.
    for (RangePair& pair : Current().RANGELIST) pair.saved = pair.value();
    const std::string named = namedFilterText();
    auto compiled = Filter::compile(named, *names_);
    if (const auto* error = std::get_if<FilterError>(&compiled)) {
        // Where the error is, counted in the whole filter text as shown.
        const std::size_t at = FilterText().size() - named.size() + error->position;
        noteBadExpression(error->message + " at " + std::to_string(at + 1));
        return refuse();
    }
    if (!VIEW->setFilter({rangeTerms(), std::get<Filter>(std::move(compiled))}).ok()) {
        return refuse();
    }
    return SeverityNone;
}

// The current order as the storage reads it: an order that still follows
// its key takes the key's columns; a text a window defined or appended to
// is read term by term.
std::variant<std::vector<ViewOrderTerm>, std::string> ViewManager::orderTerms() {
    const SortOrder& o = Current();
    if (o.MAINKEY >= 0 && o.ORDER == PRIMARY->Me->KeyOrderText(o.MAINKEY)) {
        return keyOrder(PRIMARY->Me->Def(), o.MAINKEY);
    }
    std::vector<const FileDef*> defs;
    for (FileId id : files()) defs.push_back(&fileDef(id));
    return readViewOrder(o.ORDER, defs);
}

Severity ViewManager::ApplyOrderText() {
    auto terms = orderTerms();
    if (const auto* problem = std::get_if<std::string>(&terms)) noteBadExpression(*problem);
    if (terms.index() != 0 ||
        !VIEW->setOrder(std::get<std::vector<ViewOrderTerm>>(std::move(terms))).ok()) {
        PRIMARY->Me->Throw(ErrViewOpen);
        VIEW->setOrder({});
        return SeverityNotify;
    }
    return SeverityNone;
}

bool ViewManager::ApplyRangeLimit() {
    SortOrder& o = Current();
    if (o.LIMITTYPE != SingleValue && o.LIMITTYPE != FileRelation) return false;
    bool changed = false;
    for (std::size_t i = 0; i < o.RANGELIST.size(); ++i) {
        // A single value range watches its limit only; a file relation every link.
        if (o.LIMITTYPE == SingleValue && i + 1 != o.RANGELIST.size()) continue;
        if (!sameValue(o.RANGELIST[i].value(), o.RANGELIST[i].saved)) changed = true;
    }
    if (!changed) return false;
    for (RangePair& pair : o.RANGELIST) pair.saved = pair.value();
    ApplyFilterText();
    return true;
}

void ViewManager::Close() {
    if (OPENED && VIEW) VIEW->close();
    OPENED = false;
}

std::string ViewManager::FreeElementName() {
    const SortOrder& o = Current();
    if (o.FREEELEMENT == 0 || o.MAINKEY < 0) return "";
    return PRIMARY->Me->Def().qualifiedName(
        PRIMARY->Me->KeyComponentField(o.MAINKEY, o.FREEELEMENT));
}

int ViewManager::FreeElementPosition() {
    const SortOrder& o = Current();
    if (o.MAINKEY < 0) return 0;
    const int next = static_cast<int>(o.RANGELIST.size()) + 1;
    return next <= PRIMARY->Me->KeyComponents(o.MAINKEY) ? next : 0;
}

Severity ViewManager::Open() {
    if (OPENED) return SeverityNone;
    if (const Severity s = EnsureViewOpen(); s != SeverityNone) return s;
    if (const DriverStatus s = VIEW->open(); !s.ok()) {
        PRIMARY->Me->Throw(errorFor(s, ErrViewOpen));
        return SeverityNotify;
    }
    VIEW->setBuffering(PAGESIZE, PAGESBEHIND, PAGESAHEAD, TIMEOUT);
    OPENED = true;
    ApplyOrderText();
    ApplyFilterText();
    return SeverityNone;
}

Severity ViewManager::read(bool forward) {
    if (!OPENED && Open() != SeverityNone) return SeverityNotify;
    while (true) {
        const DriverStatus s = forward ? VIEW->next() : VIEW->previous();
        if (s.code == code::kRecordNotAvailable) return SeverityNotify;
        if (!s.ok()) {
            PRIMARY->Me->Throw(errorFor(s, ErrRecordRetrieval));
            return SeverityFatal;
        }
        switch (ValidateAllFields()) {
            case TakeRecord:
                return SeverityNone;
            case PastRange:
                return SeverityNotify;
            default:
                break;  // not wanted: read on
        }
    }
}

Severity ViewManager::Next() {
    return read(true);
}
Severity ViewManager::Previous() {
    return read(false);
}

int ViewManager::ValidateAllFields() {
    return TakeRecord;
}

Severity ViewManager::PrimeNewRecord(bool keepBuffer) {
    SortOrder& o = Current();
    // The range's values, taken before the buffers are cleared, so that the
    // new record lands inside the range.
    std::vector<Value> values;
    for (const RangePair& pair : o.RANGELIST) values.push_back(pair.value());
    if (!keepBuffer) {
        for (FileId id : files()) buffer(id).clear();
    }
    Record& primary = buffer(spec_.primary);
    for (std::size_t i = 0; i < o.RANGELIST.size(); ++i) {
        (void)primary.set(PRIMARY->Me->KeyComponentField(o.MAINKEY, o.RANGELIST[i].component),
                          values[i]);
    }
    return PRIMARY->Me->PrimeNewRecord(true);
}

Severity ViewManager::Reset(int components) {
    if (const Severity s = Open(); s != SeverityNone) return s;
    if (const DriverStatus s = VIEW->reset(components); !s.ok()) return refuse(s);
    return SeverityNone;
}

Severity ViewManager::ResetToPosition(std::string_view position) {
    if (const Severity s = Open(); s != SeverityNone) return s;
    if (const DriverStatus s = VIEW->resetToPosition(position); !s.ok()) return refuse(s);
    return SeverityNone;
}

bool ViewManager::ResetToPositionQuietly(std::string_view position) {
    return Open() == SeverityNone && VIEW->resetToPosition(position).ok();
}

std::string ViewManager::Position() const {
    return VIEW ? VIEW->position() : std::string();
}

std::string ViewManager::RecordPosition(int table) const {
    return VIEW ? VIEW->recordPosition(table) : std::string();
}

void ViewManager::DefineFilter(const std::string& text, const std::string& id) {
    std::vector<NamedFilter>& list = Current().FILTER;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->ID == id) {
            list.erase(it);
            break;
        }
    }
    if (text.empty()) return;
    // Kept in descending order of id.
    auto at = list.begin();
    while (at != list.end() && at->ID > id) ++at;
    list.insert(at, {id, text});
}

void ViewManager::DefineOrder(const std::string& text) {
    Current().ORDER = text;
}

void ViewManager::AppendOrderText(const std::string& text) {
    DefineOrder(Current().ORDER + "," + text);
}

bool ViewManager::ChooseSortOrder(int n) {
    const std::size_t wanted = static_cast<std::size_t>(n <= 0 ? 1 : n) - 1;
    if (wanted >= ORDER->size()) return false;  // no such order: the current one stays
    const bool changed = wanted != current_;
    current_ = wanted;
    // An open view reads along the order chosen from its next positioning on.
    if (changed && OPENED) ApplyOrderText();
    return changed;
}

}  // namespace bb
