// A data folder of customers for report tests: the data fixture with the
// Members file open and filled straight through the driver.
#pragma once

#include "data_fixture.h"
#include "qt_application.h"

namespace bb::test {

class ReportData : public DataTest {
protected:
    ReportData() {
        ensureApplication();
        EXPECT_EQ(files(FileId::Members).Open(), SeverityNone);
    }
    ~ReportData() override { files(FileId::Members).Close(); }

    // Adds `count` customers in one transaction; `fill(i)` sets the i-th
    // (from 0) in the cleared buffer.
    template <typename Fill>
    void addMembers(int count, Fill fill) {
        ASSERT_TRUE(dataStorage().begin(2000).ok());
        for (int i = 0; i < count; ++i) {
            buffer(FileId::Members).clear();
            fill(i);
            const DriverStatus s = files(FileId::Members).Driver().add(buffer(FileId::Members));
            if (!s.ok()) {
                dataStorage().rollback();
                FAIL() << s.code << " " << s.engineText;
            }
        }
        ASSERT_TRUE(dataStorage().commit().ok());
    }
};

}  // namespace bb::test
