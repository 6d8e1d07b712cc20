// The view manager: reads the records of one primary file, joined to related
// files, in one of several sort orders, limited to a range of key values and
// to named filters. Each sort order's range and filters become the text of
// one filter expression and its key the text of one order expression; the
// view (kept by the storage) reads by them, and every record passes an
// acceptance hook on its way to the caller.
//
// A view manager belongs to one window and is used from the GUI thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "data/relation_manager.h"
#include "data/severity.h"
#include "platform/name_bindings.h"
#include "platform/storage.h"

namespace bb {

// A file the view reads besides its primary one, found through the relation
// between it and a file already in the view.
struct ViewJoin {
    FileId file;
    int parent = 0;  // the view's file it hangs on (0: the primary one)
    bool inner = false;
};

struct ViewSpec {
    FileId primary;
    std::vector<ViewJoin> joins;
};

// Range kinds.
enum LimitType : std::uint8_t { NoRange = 0, CurrentValue = 1, SingleValue = 2, FileRelation = 4 };

struct NamedFilter {
    std::string ID;
    std::string FILTER;
};

// A range pair: a key component and where the value it must equal comes
// from, with a copy of that value as last applied.
struct RangePair {
    int component;  // 1-based position in the key
    std::function<Value()> value;
    Value saved;
};

struct SortOrder {
    std::vector<NamedFilter> FILTER;  // in descending order of ID
    int FREEELEMENT = 0;              // 1-based component the range does not fix; 0 for none
    std::uint8_t LIMITTYPE = NoRange;
    int MAINKEY = -1;
    std::string ORDER;
    std::vector<RangePair> RANGELIST;
};

class ViewManager {
public:
    virtual ~ViewManager() = default;

    // `orders` may be the caller's list (kept), or null for one of its own.
    // Filters are compiled over `names`.
    void Setup(const ViewSpec& view, RelationManager& primary,
               std::vector<SortOrder>* orders = nullptr, const NameBindings& names = bindings());
    int DefineSortOrder(int key);
    // Kind 1: the key's components up to and including `field` keep their
    // current values.
    void DefineRange(int field);
    // Kind 2: the components before `field` keep their current values, and
    // `field` equals what `limit` gives.
    void DefineRange(int field, std::function<Value()> limit);
    // Kind 4: the records that belong to the parent's current record.
    void DefineRange(int key, RelationManager& primary, RelationManager& parent);

    // The overridable operations, in dispatch order.
    virtual Severity ApplyFilterText();
    virtual Severity ApplyOrderText();
    virtual bool ApplyRangeLimit();
    virtual void Close();
    virtual std::string FreeElementName();
    virtual int FreeElementPosition();
    virtual void Teardown();
    virtual Severity Next();
    virtual Severity Open();
    virtual Severity Previous();
    virtual Severity PrimeNewRecord(bool keepBuffer = false);
    virtual Severity Reset(int components);
    Severity Reset() { return Reset(0); }
    // At a row by its position: the next read, either way, reads that row.
    Severity ResetToPosition(std::string_view position);
    // The same, quietly: false, with nothing shown and the filter kept,
    // when the row cannot be read (another station removed it).
    bool ResetToPositionQuietly(std::string_view position);
    // The position of the row read last; empty when there is none.
    std::string Position() const;
    // The position of that row's record of the view's file `table` (0: the
    // primary one), as the file's own handles know it.
    std::string RecordPosition(int table = 0) const;
    virtual void DefineFilter(const std::string& text, const std::string& id = "5 Standard");
    virtual void DefineOrder(const std::string& text);
    virtual bool ChooseSortOrder(int n);
    // What the acceptance hook says of a record it was shown. Overrides
    // return the values as numbers too; any value above PastRange skips.
    enum Acceptance : int { TakeRecord = 0, PastRange = 1, SkipRecord = 2 };
    virtual int ValidateAllFields();

    void AppendOrderText(const std::string& text);
    Severity EnsureViewOpen();

    // The filter text of the current sort order, as ApplyFilterText builds it.
    std::string FilterText();
    SortOrder& Current();
    const ViewSpec& Spec() const { return spec_; }

    // Fields as the program keeps them.
    bool DISPOSEORDER = false;
    bool OPENED = false;
    std::vector<SortOrder>* ORDER = nullptr;
    // A page is what a list window shows; two pages behind let it scroll
    // back without reading again; a minute is as long as a page read from a
    // shared folder is trusted.
    static constexpr std::uint16_t kPageSize = 20;
    static constexpr std::uint16_t kPagesBehind = 2;
    static constexpr std::uint16_t kPagesAhead = 0;
    static constexpr std::uint16_t kPageTimeoutSeconds = 60;
    std::uint16_t PAGESAHEAD = kPagesAhead;
    std::uint16_t PAGESBEHIND = kPagesBehind;
    std::uint16_t PAGESIZE = kPageSize;
    RelationManager* PRIMARY = nullptr;
    std::uint16_t TIMEOUT = kPageTimeoutSeconds;
    std::unique_ptr<StorageView> VIEW;

private:
    Severity read(bool forward);
    Severity refuse();
    Severity refuse(const DriverStatus& status);
    void noteBadExpression(const std::string& why);
    // The two parts of the filter text: the range, and the named filters.
    std::string rangeText();
    std::string namedFilterText();
    bool rangeIsNoCase(const SortOrder& o, const RangePair& pair) const;
    // The current sort order's range and order as the storage takes them.
    std::vector<ViewRangeTerm> rangeTerms();
    std::variant<std::vector<ViewOrderTerm>, std::string> orderTerms();
    // The view's files in the view's order.
    std::vector<FileId> files() const;
    void rebuildOrderText(SortOrder& order);
    void defineLeadingRange(int field, std::uint8_t kind, std::function<Value()> limit);

    ViewSpec spec_{FileId::Members, {}};
    std::vector<SortOrder> ownOrders_;
    const NameBindings* names_ = &bindings();
    std::size_t current_ = 0;  // the current sort order's index in *ORDER
};

// The view's tables for the storage: the primary file and its joins with
// their keys and linking pairs as the dictionary relates the files.
std::vector<ViewTable> viewTables(const ViewSpec& spec);

}  // namespace bb
