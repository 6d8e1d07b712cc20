// The representative reports list: the extension line, and buttons that
// hand the highlighted representative to their reports.
#include <gtest/gtest.h>

#include "reference_fixture.h"

namespace bb::test {
namespace {

class RepresentativeReportsTest : public ReferenceTest {
protected:
    DrivenWindow open() {
        procedures().call("RepresentativeReports");
        ui.settle();
        return ui.window("Representative Reports");
    }
};

TEST_F(RepresentativeReportsTest, TheExtensionShowsOnlyWhenThereIsOne) {
    addRepresentative("101", "Ann Lee");
    const int second = addRepresentative("102", "Bob Hale");
    readRepresentative(second);
    REP::REP_EXT.set("221");
    ASSERT_EQ(fileManagerFor(FileId::Representatives)->Update(), SeverityNone);
    DrivenWindow list = open();
    EXPECT_EQ(list.shown("Browse Representative Reports"), "Browse Representative Reports");
    EXPECT_TRUE(list.find("Extension")->isHidden());
    list.clickRow("Representatives", 1);
    EXPECT_FALSE(list.find("Extension")->isHidden());
    EXPECT_EQ(list.shown("Extension"), "221");
    list.clickRow("Representatives", 0);
    EXPECT_TRUE(list.find("Extension")->isHidden());
}

TEST_F(RepresentativeReportsTest, EachButtonStartsItsReportForTheHighlightedRepresentative) {
    struct Case {
        const char* button;
        const char* procedure;
        std::optional<FieldRef> representative;  // what the report reads it from
    };
    const Case cases[] = {
        {"Transaction Log", "PrintRepTransactionLog", TRN::REPRESENTATIVENUMBER},
        {"Cross Reference", "PrintRepCrossReference", std::nullopt},
        {"Check/Security  Log", "PrintCheckSecurityLog", CHE::REPRESENTATIVENUMBER},
        {"Account List", "PrintRepAccounts", std::nullopt},
        {"Suspense Dates", "BrowseSuspenseDates", std::nullopt},
        {"Annual Events", "BrowseAnnualEvents", std::nullopt},
    };
    addRepresentative("101", "Ann Lee");
    const int second = addRepresentative("102", "Bob Hale");
    DrivenWindow list = open();
    list.clickRow("Representatives", 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        // Until the report exists, the registry names it.
        ui.messages.clear();
        list.press(c.button);
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Procedure not defined");
        EXPECT_NE(ui.messages.last().text.find(c.procedure), std::string::npos);

        int startedFor = 0;
        int readsFrom = -1;
        standIn(c.procedure, [&](std::string_view) {
            startedFor = REP::REPRESENTATIVENUMBER.get();
            if (c.representative) readsFrom = c.representative->value().toNumber().toInt64();
        });
        buffer(FileId::Transactions).clear();
        buffer(FileId::ChecksSecuritiesLog).clear();
        list.press(c.button);
        EXPECT_EQ(startedFor, second);
        if (c.representative) {
            EXPECT_EQ(readsFrom, second);
        }
    }
}

}  // namespace
}  // namespace bb::test
