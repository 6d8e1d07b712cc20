// The investment objective form: its checks in order, a duplicate code
// refused, and a delete that leaves the products that name the code.
#include <gtest/gtest.h>

#include "code_tables_fixture.h"
#include "dictionary/process_values.h"

namespace bb::test {
namespace {

class UpdateInvestmentTypesTest : public CodeTablesTest {
protected:
    std::vector<std::string> objectives() {
        return rows(FileId::InvestmentType, INV::key::INVESTTYPECODEKEY,
                    {INV::INVESTTYPECODE, INV::INVESTTYPEDESC});
    }
};

TEST_F(UpdateInvestmentTypesTest, OkChecksTheCodeThenTheDescription) {
    struct Case {
        const char* code;
        const char* description;
        const char* title;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {"", "Growth", "Investment Objective Code Required",
         "     Enter the 2-letter abbreviation for this objective.", "Objective Code"},
        {"GR", "", "Description Required", "     Enter a description for this objective.",
         "Description"},
        {"", "", "Investment Objective Code Required",
         "     Enter the 2-letter abbreviation for this objective.", "Objective Code"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ui.messages.clear();
        ui.when("Update Investment Objectives", [&c](DrivenWindow& form) {
            EXPECT_EQ(form.caption(), "Record Will Be Added");
            form.type("Objective Code", c.code);
            form.type("Description", c.description);
            form.press("OK");
            EXPECT_FALSE(form.manager().Closed());
            EXPECT_EQ(form.focused(), c.focus);
            form.type("Objective Code", "GR");
            form.type("Description", "Growth");
            form.press("OK");
        });
        EXPECT_EQ(callForm("UpdateInvestmentTypes", FileId::InvestmentType, InsertRequest),
                  ResponseCompleted);
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, c.title);
        EXPECT_EQ(ui.messages.last().text, c.text);
        EXPECT_EQ(ui.messages.beeps.size(), 1U);
        EXPECT_EQ(objectives(), std::vector<std::string>{"GR|Growth"});
        EXPECT_EQ(processValues().CurrentProcedure.get(), "UpdateInvestmentTypes");
        buffer(FileId::InvestmentType).clear();
        INV::INVESTTYPECODE.set("GR");
        fetch(FileId::InvestmentType, INV::key::INVESTTYPECODEKEY);
        ASSERT_EQ(relationManagerFor(FileId::InvestmentType)->Delete(false), SeverityNone);
    }
}

TEST_F(UpdateInvestmentTypesTest, ACodeTakenInAnotherCaseIsRefused) {
    addObjective("GR", "Growth");
    ui.when("Update Investment Objectives", [](DrivenWindow& form) {
        form.type("Objective Code", "gr");
        form.type("Description", "Growth again");
        form.press("OK");
        EXPECT_FALSE(form.manager().Closed());
        form.type("Objective Code", "IN");
        form.type("Description", "Income");
        form.press("OK");
    });
    EXPECT_EQ(callForm("UpdateInvestmentTypes", FileId::InvestmentType, InsertRequest),
              ResponseCompleted);
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.shown.front().title, "Duplicate Key Error");
    EXPECT_NE(ui.messages.shown.front().text.find("INV:InvestTypeCodeKey"), std::string::npos);
    EXPECT_EQ(objectives(), (std::vector<std::string>{"GR|Growth", "IN|Income"}));
}

TEST_F(UpdateInvestmentTypesTest, DeletingAnObjectiveLeavesTheProductsThatNameIt) {
    addObjective("GR", "Growth");
    RelatedFilesOpen securities(*relationManagerFor(FileId::Securities));
    ASSERT_EQ(fileManagerFor(FileId::Securities)->PrimeNewRecord(), SeverityNone);
    SEC::SYMBOL.set("ABC");
    SEC::INVESTMENTTYPE.set("GR");
    ASSERT_EQ(fileManagerFor(FileId::Securities)->Insert(), SeverityNone);
    ui.messages.answer(ButtonYes);
    buffer(FileId::InvestmentType).clear();
    INV::INVESTTYPECODE.set("GR");
    fetch(FileId::InvestmentType, INV::key::INVESTTYPECODEKEY);
    EXPECT_EQ(callForm("UpdateInvestmentTypes", FileId::InvestmentType, DeleteRequest),
              ResponseCompleted);
    EXPECT_TRUE(objectives().empty());
    EXPECT_EQ(rows(FileId::Securities, SEC::key::SYMBOLKEY, {SEC::SYMBOL, SEC::INVESTMENTTYPE}),
              std::vector<std::string>{"ABC|GR"});
}

}  // namespace
}  // namespace bb::test
