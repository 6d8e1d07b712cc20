#include "platform/filter.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace bb {
namespace {

// A small file to filter on: a flag, a code, a name, an amount and a date.
FileDef sampleFile() {
    FileDef def{"Samples", "SAM", "SAMPLES", {}, {}};
    def.fields = {
        {"FLAG", "Flag", {FieldType::String, 1}},
        {"CODE", "Code", {FieldType::String, 4}},
        {"NAME", "Name", {FieldType::String, 20}},
        {"AMOUNT", "Amount", {FieldType::Decimal, 11, 2}},
        {"DATE", "Date", {FieldType::Long, 0, 0, FieldRole::Date}},
        {"COUNT", "Count", {FieldType::Short}},
    };
    return def;
}

class FilterTest : public ::testing::Test {
protected:
    FilterTest() : def_(sampleFile()), record_(def_) {
        names_.bindRecord(record_);
        names_.bindVariable("StartDate", &start_);
        names_.bindVariable("Choice", &choice_);
    }

    Filter compile(const std::string& text) {
        auto result = Filter::compile(text, names_);
        if (auto* error = std::get_if<FilterError>(&result)) {
            ADD_FAILURE() << text << ": " << error->message;
            return std::get<Filter>(Filter::compile("", names_));
        }
        return std::get<Filter>(std::move(result));
    }

    void set(const char* flag, const char* code, const char* name, const char* amount, int date,
             int count = 0) {
        record_.setText(0, flag);
        record_.setText(1, code);
        record_.setText(2, name);
        ASSERT_TRUE(record_.setDecimal(3, *Decimal::parse(amount)));
        record_.setInteger(4, date);
        record_.setInteger(5, count);
    }

    FileDef def_;
    Record record_;
    NameBindings names_;
    std::int32_t start_ = 100;
    std::string choice_ = "C";
};

struct Case {
    const char* filter;
    bool expected;
};

TEST_F(FilterTest, ComparisonsAndConnectives) {
    set("0", "Buy", "O'Brien Club", "12.50", 150, 3);
    const Case cases[] = {
        {"SAM:Code = 'Buy'", true},
        {"sam:code = 'Buy   '", true},  // trailing spaces do not count
        {"SAM:Code = 'BUY'", false},    // case counts
        {"UPPER(SAM:Code) = 'BUY'", true},
        {"UPPER(SAM:Code) = UPPER('bUy')", true},
        {"SAM:Code <> 'Sell'", true},
        {"SAM:Code < 'C'", true},
        {"SAM:Name = 'O''Brien Club'", true},  // a doubled quote stands for one
        {"SAM:Name = 'O''Brien'", false},
        {"SAM:Amount = 12.5", true},
        {"SAM:Amount > 12.49 AND SAM:Amount < 12.51", true},
        {"SAM:Amount => 12.50", true},
        {"SAM:Amount >= 12.51", false},
        {"SAM:Amount =< 12.50", true},
        {"SAM:Amount <= -1", false},
        {"SAM:Date => StartDate", true},
        {"SAM:Date < StartDate", false},
        {"SAM:Count = 3", true},
        {"SAM:Flag = 0", true},  // a numeric text compares as a number
        {"SAM:Flag = '0'", true},
        {"SAM:Flag = 0.0", true},
        {"SAM:Code = 0", false},  // not a number: compared as texts
        {"SAM:Code > 5", true},   // "Buy" > "5" as texts
        {"~SAM:Flag", true},      // "0" is false
        {"SAM:Code", true},       // a non-blank text is true
        {"~SAM:Code", false},
        {"SAM:Count", true},
        {"~~SAM:Count", true},
        {"SAM:Code = 'Buy' OR SAM:Code = 'Sell' AND SAM:Count = 9", true},  // AND binds first
        {"(SAM:Code = 'Buy' OR SAM:Code = 'Sell') AND SAM:Count = 9", false},
        {"~(SAM:Count = 3) OR SAM:Amount = 0", false},
        {"Choice = 'C'", true},
        {"choice = 'F'", false},
        {"1", true},
        {"0", false},
        {"'x' = 'x'", true},
        {"(((SAM:Count = 3)))", true},
        {"  ", true},  // no filter takes everything
    };
    for (const Case& c : cases) EXPECT_EQ(compile(c.filter).matches(), c.expected) << c.filter;
}

TEST_F(FilterTest, BlankTextsCountAsZeroAndFalse) {
    set("", "", "", "0", 0);
    const Case cases[] = {
        {"SAM:Flag = 0", true},  {"~SAM:Flag", true},        {"SAM:Flag", false},
        {"SAM:Code = ''", true}, {"SAM:Name = '   '", true}, {"SAM:Date = 0", true},
        {"SAM:Amount", false},
    };
    for (const Case& c : cases) EXPECT_EQ(compile(c.filter).matches(), c.expected) << c.filter;
}

TEST_F(FilterTest, CompiledOnceEvaluatedOnCurrentValues) {
    const Filter f = compile("SAM:Date => StartDate AND SAM:Code = Choice");
    set("", "C", "", "0", 150);
    EXPECT_TRUE(f.matches());
    start_ = 200;
    EXPECT_FALSE(f.matches());
    set("", "C", "", "0", 250);
    EXPECT_TRUE(f.matches());
    choice_ = "F";
    EXPECT_FALSE(f.matches());
}

TEST_F(FilterTest, TheCompiledFormCanBeInspected) {
    const Filter f = compile("(SAM:Code = 'Buy' OR SAM:Code = 'Sell') AND SAM:Date => StartDate");
    const FilterNode& root = f.nodes()[static_cast<std::size_t>(f.root())];
    ASSERT_EQ(root.kind, FilterNode::Kind::And);
    ASSERT_EQ(root.terms.size(), 2u);
    const FilterNode& either = f.nodes()[static_cast<std::size_t>(root.terms[0])];
    EXPECT_EQ(either.kind, FilterNode::Kind::Or);
    const FilterNode& since = f.nodes()[static_cast<std::size_t>(root.terms[1])];
    ASSERT_EQ(since.kind, FilterNode::Kind::Compare);
    EXPECT_EQ(since.op, CompareOp::GreaterEqual);
    const FilterNode& field = f.nodes()[static_cast<std::size_t>(since.left)];
    ASSERT_EQ(field.kind, FilterNode::Kind::Name);
    EXPECT_TRUE(field.name.isField());
    EXPECT_EQ(field.name.file, &def_);
    EXPECT_EQ(field.name.field, 4);
    const FilterNode& variable = f.nodes()[static_cast<std::size_t>(since.right)];
    EXPECT_FALSE(variable.name.isField());
    EXPECT_EQ(variable.name.variable, "StartDate");
}

TEST_F(FilterTest, LongRunsOfConditionsNeedNoDeepRecursion) {
    set("", "Buy", "", "0", 0);
    std::string many = "SAM:Code = 'Buy'";
    for (int i = 0; i < 50000; ++i) many += " AND SAM:Code <> 'Sell'";
    EXPECT_TRUE(compile(many).matches());
}

struct Malformed {
    const char* text;
    const char* error;
    std::size_t position;
};

TEST_F(FilterTest, MalformedTextsNeverCompile) {
    const Malformed cases[] = {
        {"(SAM:Code = 'Buy'", "missing ')'", 17},
        {"SAM:Code = 'Buy')", "unbalanced ')'", 16},
        {"SAM:Nothing = 1", "unknown name 'SAM:Nothing'", 0},
        {"EndDate = 1", "unknown name 'EndDate'", 0},
        {"XYZ:Code = 1", "unknown name 'XYZ:Code'", 0},
        {"SAM:Code = 'Buy", "unterminated string", 11},
        {"SAM:Code = ", "expected a value at the end of the text", 11},
        {"SAM:Code 'Buy'", "unexpected string 'Buy'", 9},
        {"SAM:Code = = 1", "expected a value, found '='", 11},
        {"AND SAM:Code = 1", "expected a value, found 'AND'", 0},
        {"SAM:Code = 1 OR", "expected a value at the end of the text", 15},
        {"SAM:Code = 1 SAM:Count = 2", "unexpected 'SAM:Count'", 13},
        {"SAM:Code # 1", "unexpected '#'", 9},
        {"SAM:Amount = 1.2.3", "'1.2.3' is not a number", 13},
        {"SAM:Count = 5x", "a number cannot run into a name", 13},
        {"UPPER(SAM:Code = 'a'", "missing ')'", 20},
        {"()", "expected a value, found ')'", 1},
        {"~", "expected a value at the end of the text", 1},
        {"SAM:Count = 1 = 2", "unexpected '='", 14},
        {"SAM:Code = 'é", "unterminated string", 11},
    };
    for (const Malformed& c : cases) {
        auto result = Filter::compile(c.text, names_);
        const auto* error = std::get_if<FilterError>(&result);
        ASSERT_NE(error, nullptr) << c.text << " compiled";
        EXPECT_NE(error->message.find(c.error), std::string::npos)
            << c.text << ": " << error->message;
        EXPECT_EQ(error->position, c.position) << c.text;
    }
}

TEST_F(FilterTest, NestingTooDeepIsAnErrorNotACrash) {
    const std::string open(100000, '(');
    auto result = Filter::compile(open + "1" + std::string(100000, ')'), names_);
    ASSERT_TRUE(std::holds_alternative<FilterError>(result));
    EXPECT_NE(std::get<FilterError>(result).message.find("nested too deeply"), std::string::npos);
    auto nots = Filter::compile(std::string(100000, '~') + "1", names_);
    EXPECT_TRUE(std::holds_alternative<FilterError>(nots));
}

TEST(NameBindingsTest, ScopesHideAndDropTheirNames) {
    NameBindings names;
    std::int32_t outer = 1;
    std::int32_t inner = 2;
    names.bindVariable("Limit", &outer);
    names.pushScope();
    names.bindVariable("LIMIT", &inner);
    EXPECT_EQ(names.resolve("limit")->value().toText(), "2");
    names.popScope();
    EXPECT_EQ(names.resolve("Limit")->value().toText(), "1");
    names.popScope();  // the outermost scope stays
    EXPECT_TRUE(names.resolve("Limit").has_value());
    EXPECT_FALSE(names.resolve("Other").has_value());
}

TEST(FilterRules, NumberAgainstTextComparesAsNumbersOnlyWhenTheTextIsOne) {
    const auto n = [](const char* t) { return Value::number(*Decimal::parse(t)); };
    EXPECT_EQ(compareValues(n("10"), Value::text("9")), 1);    // as numbers
    EXPECT_EQ(compareValues(n("10"), Value::text("9x")), -1);  // "10" < "9x" as texts
    EXPECT_EQ(compareValues(Value::text(" 7 "), n("7.0")), 0);
    EXPECT_EQ(compareValues(Value::text("abc"), Value::text("abc  ")), 0);
    EXPECT_TRUE(truthOf(Value::text("x")));
    EXPECT_FALSE(truthOf(Value::text(" 0.00 ")));
    EXPECT_EQ(upperOf(Value::text("straße")).asText(), text::upper("straße"));
}

// The one equality the relation and view managers use: the filter's, case
// set aside only between texts.
TEST(FilterRules, SameValueIsTheFiltersEquality) {
    const auto n = [](const char* t) { return Value::number(*Decimal::parse(t)); };
    struct Pair {
        Value a, b;
        bool same, sameNoCase;
    };
    const Pair cases[] = {
        {Value::text("Gold"), Value::text("gold"), false, true},
        {Value::text("Gold  "), Value::text("Gold"), true, true},
        {Value::text("Gold"), Value::text("Golden"), false, false},
        {n("1.50"), n("1.5"), true, true},
        {n("7"), Value::text(" 7 "), true, true},
        {n("0"), Value::text("abc"), false, false},
        {n("10"), n("11"), false, false},
    };
    for (const Pair& c : cases) {
        EXPECT_EQ(sameValue(c.a, c.b), c.same) << c.a.toText() << " / " << c.b.toText();
        EXPECT_EQ(sameValue(c.a, c.b, true), c.sameNoCase) << c.a.toText() << " / " << c.b.toText();
    }
}

}  // namespace
}  // namespace bb
