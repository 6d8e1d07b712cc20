// Customers for report tests, added straight through the driver; and the
// fixture of the tests that need the data layer only.
#pragma once

#include "data/dictionary_setup.h"
#include "data_fixture.h"
#include "qt_application.h"

namespace bb::test {

// Adds `count` customers in one transaction; `fill(i)` sets the i-th (from
// 0) in the cleared buffer. The Members file is opened for the while.
template <typename Fill>
void addMembers(int count, Fill fill) {
    FileManager& members = *fileManagerFor(FileId::Members);
    ASSERT_EQ(members.Open(), SeverityNone);
    ASSERT_TRUE(dataStorage().begin(2000).ok());
    for (int i = 0; i < count; ++i) {
        buffer(FileId::Members).clear();
        fill(i);
        const DriverStatus s = members.Driver().add(buffer(FileId::Members));
        if (!s.ok()) {
            dataStorage().rollback();
            members.Close();
            FAIL() << s.code << " " << s.engineText;
        }
    }
    ASSERT_TRUE(dataStorage().commit().ok());
    members.Close();
}

class ReportData : public DataTest {
protected:
    ReportData() {
        ensureApplication();
        EXPECT_EQ(files(FileId::Members).Open(), SeverityNone);
    }
    ~ReportData() override { files(FileId::Members).Close(); }
};

}  // namespace bb::test
