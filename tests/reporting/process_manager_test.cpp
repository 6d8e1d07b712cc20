// The process manager: records counted as the view is read, the percentage
// done from the record count or a step estimator, never above 100, and its
// progress text.
#include "reporting/process_manager.h"

#include "report_data.h"

namespace bb::test {
namespace {

class Processes : public ReportData {
protected:
    // Customers numbered 101 up, one in four active.
    void addNumbered(int count) {
        addMembers(count, [](int i) {
            MBR::MEMBERNUMBER.set(101 + i);
            MBR::COMPANYNAME.set("Company " + std::to_string(101 + i));
            MBR::ACTIVE.set(i % 4 == 0 ? 1 : 0);
        });
    }

    // Progress estimated from the customer numbers, the view reset.
    void estimateByNumber(ProcessManager& process, LongStep& step) {
        step.Setup(0);
        process.Setup({FileId::Members, {}}, relations(FileId::Members), recorder(),
                      MBR::MEMBERNUMBER, step, &percent);
        process.DefineSortOrder(MBR::key::MEMBERKEY);
        EXPECT_EQ(process.Reset(0), SeverityNone);
    }

    ProgressText recorder() {
        return [this](const std::string& s) { texts.push_back(s); };
    }

    // Reads the whole view; the percentage after each record.
    std::vector<int> readAll(ProcessManager& process) {
        std::vector<int> seen;
        EXPECT_EQ(process.Reset(0), SeverityNone);
        while (process.Next() == SeverityNone) seen.push_back(percent);
        return seen;
    }

    static bool risesByOneTextPerChange(const std::vector<std::string>& texts) {
        for (std::size_t i = 1; i < texts.size(); ++i) {
            if (std::stoi(texts[i]) <= std::stoi(texts[i - 1])) return false;
        }
        return true;
    }

    std::vector<std::string> texts;
    std::uint8_t percent = 0;
};

TEST_F(Processes, CountedProgressComesFromTheRecordsReadAgainstTheNumberExpected) {
    struct Case {
        const char* what;
        std::int32_t expected;
        const char* filter;
        int records;
        std::string lastText;
    };
    const Case cases[] = {
        {"as many as the file holds", 0, "", 200, "100% Complete"},
        // The count is the primary file's, whatever the filter leaves.
        {"a filter leaves a quarter", 0, "MBR:Active = 1", 50, "25% Complete"},
        {"fewer expected than there are", 120, "", 200, "100% Complete"},
    };
    addNumbered(200);
    for (const Case& c : cases) {
        texts.clear();
        percent = 0;
        ProcessManager process;
        process.Setup({FileId::Members, {}}, relations(FileId::Members), recorder(), c.expected,
                      &percent);
        process.DefineSortOrder(MBR::key::MEMBERKEY);
        if (*c.filter) process.DefineFilter(c.filter);
        const std::vector<int> seen = readAll(process);
        EXPECT_EQ(process.RECORDSPROCESSED, c.records) << c.what;
        ASSERT_FALSE(texts.empty()) << c.what;
        EXPECT_EQ(texts.back(), c.lastText) << c.what;
        EXPECT_TRUE(risesByOneTextPerChange(texts)) << c.what;
        EXPECT_LE(*std::max_element(seen.begin(), seen.end()), 100) << c.what;
        process.Teardown();
    }
}

TEST_F(Processes, EstimatedProgressFollowsTheValueBetweenTheFirstAndLastRecords) {
    addNumbered(200);
    ProcessManager process;
    LongStep step;
    estimateByNumber(process, step);
    EXPECT_EQ(step.LOW, 101);
    EXPECT_EQ(step.HIGH, 300);
    for (int n = 101; process.Next() == SeverityNone; ++n) {
        EXPECT_EQ(MBR::MEMBERNUMBER.get(), n);
        EXPECT_EQ(percent, step.PercentOf(Value::number(n)));
    }
    EXPECT_EQ(process.RECORDSPROCESSED, 200);
    EXPECT_EQ(texts.back(), "99% Complete");  // the estimator's last step
    process.Teardown();
}

TEST_F(Processes, ARecordBeyondTheEstimatorsBoundsShowsNoMoreThanAHundred) {
    addNumbered(10);
    ProcessManager process;
    LongStep step;
    estimateByNumber(process, step);
    // Another station adds a customer after the bounds were read.
    addMembers(1, [](int) { MBR::MEMBERNUMBER.set(5000); });
    while (process.Next() == SeverityNone) EXPECT_LE(percent, 100);
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 5000);
    EXPECT_EQ(percent, 100);
    EXPECT_EQ(texts.back(), "100% Complete");
    process.Teardown();
}

TEST_F(Processes, AnEmptyViewReadsNothingAndShowsNoProgress) {
    addNumbered(10);
    ProcessManager process;
    StringStep step;
    step.Setup(StepManager::kLetters, StringStep::LookupMode::Computed);
    process.Setup({FileId::Members, {}}, relations(FileId::Members), recorder(), MBR::COMPANYNAME,
                  step, &percent);
    process.DefineSortOrder(MBR::key::COMPANYKEY);
    process.DefineFilter("MBR:Active = 7");
    EXPECT_EQ(readAll(process), std::vector<int>{});
    EXPECT_EQ(process.RECORDSPROCESSED, 0);
    EXPECT_TRUE(texts.empty());
    process.Teardown();
}

}  // namespace
}  // namespace bb::test
